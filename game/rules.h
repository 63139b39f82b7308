// The rules of play in one include: falling gem, keys, thread operations, scoring, modes, frames.
#pragma once

#include "game/controls.h"
#include "game/cues.h"
#include "game/fall.h"
#include "game/game.h"
#include "game/modes.h"
#include "game/play.h"
#include "game/scoring.h"
#include "game/thread_ops.h"
