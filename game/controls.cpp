// The keys of the game screen with their guards, and the pause.
#include "game/controls.h"

#include "game/cues.h"
#include "game/fall.h"
#include "game/modes.h"
#include "game/thread_ops.h"

namespace {

bool threadKeysAllowed(const Game& game) {
    return !game.timeUp && !game.paused;
}

bool cursorMayMove(const Game& game) {
    return threadKeysAllowed(game) && elapsedSeconds(game.keyRepeatClock) > cursorRepeatSeconds;
}

void hardDrop(Game& game) {
    if (!game.gemActive) {
        return;
    }
    dropGem(game.board, game.fallRow, game.fallColumn, game.gemActive,
            static_cast<GemKind>(game.fallKind + 1));
    game.landed = true;
    restart(game.landClock);
    cue(game, SoundEffectId::GemFall, CueRule::Restart);
}

void cursorLeft(Game& game) {
    // While a flush runs the cursor stays on the tube.
    if (!cursorMayMove(game) || game.trashFlushing) {
        return;
    }
    if (game.cursorColumn > 0) {
        --game.cursorColumn;
    }
    restart(game.keyRepeatClock);
}

void cursorRight(Game& game) {
    if (!cursorMayMove(game)) {
        return;
    }
    if (game.cursorColumn < cursorLimit(game.mode)) {
        ++game.cursorColumn;
    }
    restart(game.keyRepeatClock);
}

void threadUp(Game& game) {
    if (!threadKeysAllowed(game)) {
        return;
    }
    if (game.cursorColumn < trashColumn) {
        pushGem(game);
    } else {
        startTrashFlush(game);
    }
    restart(game.keyRepeatClock);
}

void threadDown(Game& game) {
    if (!threadKeysAllowed(game)) {
        return;
    }
    if (game.cursorColumn < trashColumn) {
        pullGem(game);
    }
    restart(game.keyRepeatClock);
}

void pauseKey(Game& game) {
    if (game.pauseLatch || !pauseAllowed(game)) {
        return;
    }
    game.pauseLatch = true;
    togglePause(game);
}

} // namespace

KeyResult handlePlayKey(Game& game, PlayKey key) {
    switch (key) {
    case PlayKey::Space:
        hardDrop(game);
        break;
    case PlayKey::Left:
        cursorLeft(game);
        break;
    case PlayKey::Right:
        cursorRight(game);
        break;
    case PlayKey::Up:
        threadUp(game);
        break;
    case PlayKey::Down:
        threadDown(game);
        break;
    case PlayKey::P:
        pauseKey(game);
        break;
    case PlayKey::B:
        return KeyResult::BackToMenu;
    }
    return KeyResult::None;
}

bool pauseAllowed(const Game& game) {
    return roomBelowFallingGem(game);
}

void togglePause(Game& game) {
    game.paused = !game.paused;
    game.gemActive = !game.gemActive;
    if (!game.audio.musicEnabled) {
        return;
    }
    if (game.paused) {
        game.requests.pauseMusic = true;
    } else {
        game.requests.resumeMusic = true;
    }
}

void releasePauseLatch(Game& game, bool pKeyHeld) {
    if (!pKeyHeld) {
        game.pauseLatch = false;
    }
}

bool pausedByPlayer(const Game& game) { return game.paused && !game.boardFull; }
