// Helpers for the rules' tests: boards and threads written as short pictures, and a game on a manual
// clock that a test steps frame by frame.
#pragma once

#include "game/rules.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

// Picture letters: '.' empty, 'A'..'H' Gem90..Gem20, '*' diamond, '#' trash.
inline GemKind kindFromChar(char letter) {
    if (letter >= 'A' && letter <= 'H') {
        return static_cast<GemKind>(letter - 'A' + Gem90);
    }
    if (letter == '*') {
        return Diamond;
    }
    return letter == '#' ? Trash : Empty;
}

inline char charFromKind(GemKind kind) {
    if (kind >= Gem90 && kind <= Gem20) {
        return static_cast<char>('A' + kind - Gem90);
    }
    if (kind == Diamond) {
        return '*';
    }
    return kind == Trash ? '#' : '.';
}

// The rows stand on the bottom of the board: the last one is row 7. A row may be shorter than 13
// cells; the missing cells on its right are empty (the 13th cell is the tube).
inline Board boardFrom(std::initializer_list<std::string> rows) {
    Board board{};
    int row = boardRows - static_cast<int>(rows.size());
    for (const std::string& text : rows) {
        for (int column = 0; column < static_cast<int>(text.size()) && column < boardColumns; ++column) {
            cell(board, row, column) = kindFromChar(text[column]);
        }
        ++row;
    }
    return board;
}

// All 8 rows, 13 cells each, separated by '/', for readable failure messages.
inline std::string boardPicture(const Board& board) {
    std::string text;
    for (int row = 0; row < boardRows; ++row) {
        for (int column = 0; column < boardColumns; ++column) {
            text += charFromKind(cell(board, row, column));
        }
        text += row + 1 < boardRows ? "/" : "";
    }
    return text;
}

// Slot 0 first.
inline Thread slotsFrom(const std::string& text) {
    Thread slots{};
    for (int i = 0; i < threadSlots && i < static_cast<int>(text.size()); ++i) {
        slots[i] = kindFromChar(text[i]);
    }
    return slots;
}

inline std::string slotsPicture(const Thread& slots) {
    std::string text;
    for (GemKind kind : slots) {
        text += charFromKind(kind);
    }
    return text;
}

inline std::string columnPicture(const Board& board, int column) {
    std::string text;
    for (int row = 0; row < boardRows; ++row) {
        text += charFromKind(cell(board, row, column));
    }
    return text;
}

inline int cuesOf(const Game& game, SoundEffectId effect) {
    int count = 0;
    for (int i = 0; i < game.requests.cueCount; ++i) {
        count += game.requests.cues[i].effect == effect ? 1 : 0;
    }
    return count;
}

// A game whose clocks and the application's fade timer run on a manual source starting at 0 s.
struct PlayHarness {
    TimeSource time{true, 0.0};
    Game game;
    Stopwatch fadeClock;

    PlayHarness() {
        initGameClocks(game, time);
        fadeClock = makeStopwatch(time);
    }
    PlayHarness(const PlayHarness&) = delete;
    PlayHarness& operator=(const PlayHarness&) = delete;
};

// Clears what the application would have carried out, lets the time pass and runs one update; the
// effects of earlier frames are taken as finished.
inline FrameResult frame(PlayHarness& play, double seconds) {
    play.game.requests = Requests{};
    play.game.audio.playing = {};
    advance(play.time, seconds);
    return updatePlaying(play.game, play.fadeClock);
}

// A key press at the current time, with what the application carried out before cleared.
inline KeyResult press(PlayHarness& play, PlayKey key) {
    play.game.requests = Requests{};
    return handlePlayKey(play.game, key);
}
