// Helpers for the rules' tests: boards, threads and cues written as short pictures, and a game on a
// manual clock that a test steps frame by frame.
#pragma once

#include "game/rules.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

// Picture letters, indexed by cell code: '.' empty, 'A'..'H' Gem90..Gem20, '*' diamond, '#' trash.
constexpr char kindLetters[] = ".ABCDEFGH*#";

inline GemKind kindFromChar(char letter) {
    return static_cast<GemKind>(std::string(kindLetters).find(letter));
}

// The rows stand on the bottom of the board, the last one is row 7; missing cells on a row's right
// are empty (the 13th cell is the tube).
inline Board boardFrom(const std::vector<std::string>& rows) {
    Board board{};
    for (std::size_t i = 0; i < rows.size(); ++i)
        for (std::size_t column = 0; column < rows[i].size(); ++column)
            cell(board, boardRows - static_cast<int>(rows.size() - i), column) =
                kindFromChar(rows[i][column]);
    return board;
}

// One column written top to bottom, row 0 first, on an otherwise empty board.
inline Board columnBoard(int column, const std::string& topToBottom) {
    Board board{};
    for (std::size_t row = 0; row < topToBottom.size(); ++row)
        cell(board, static_cast<int>(row), column) = kindFromChar(topToBottom[row]);
    return board;
}

inline std::string columnPicture(const Board& board, int column) {
    std::string text;
    for (int row = 0; row < boardRows; ++row)
        text += kindLetters[cell(board, row, column)];
    return text;
}

inline Thread slotsFrom(const std::string& text) {
    Thread slots{};
    for (std::size_t i = 0; i < text.size(); ++i)
        slots[i] = kindFromChar(text[i]);
    return slots;
}

inline std::string slotsPicture(const Thread& slots) {
    std::string text;
    for (GemKind kind : slots)
        text += kindLetters[kind];
    return text;
}

// The cues asked for, in order, a Once cue marked with '!': "GemFall Applause!".
inline std::string cuesPicture(const Game& game) {
    static const char* const names[] = {"GemFall", "PatternShift", "Applause", "Defeat",
                                        "Alert",   "TrashDrop",    "LevelUp",  "Level11Up"};
    std::string text;
    for (int i = 0; i < game.requests.cueCount; ++i) {
        const SoundCue& cue = game.requests.cues[i];
        text += (i > 0 ? " " : "") + std::string(names[static_cast<int>(cue.effect)]) +
                (cue.rule == CueRule::Once ? "!" : "");
    }
    return text;
}

// Values after their names, "level=60 maxKindIndex=7" for ("level maxKindIndex", 60, 7), so that a
// failed comparison shows which value differs; a true flag reads 1.
template <typename... Values> std::string named(const std::string& names, const Values&... values) {
    std::istringstream in(names);
    std::ostringstream text;
    std::string name;
    ((text << (text.tellp() > 0 ? " " : "") << (in >> name, name) << "=" << +values), ...);
    return text.str();
}

// A game whose clocks and the application's fade timer run on a manual source starting at 0 s.
struct PlayHarness {
    TimeSource time{true, 0.0};
    Game game;
    Stopwatch fadeClock = makeStopwatch(time);
    PlayHarness() { initGameClocks(game, time); }
};

// Clears what the application would have carried out, lets the time pass and runs one update; the
// effects of earlier frames are taken as finished.
inline FrameResult frame(PlayHarness& play, double seconds) {
    play.game.requests = Requests{};
    play.game.audio.playing = {};
    advance(play.time, seconds);
    return updatePlaying(play.game, play.fadeClock);
}

// Runs one frame per duration and writes down what `show` sees after each, separated by spaces.
using Show = std::function<std::string(const Game&, const FrameResult&)>;
inline std::string trace(PlayHarness& play, const std::vector<double>& frames, const Show& show) {
    std::string text;
    for (double seconds : frames) {
        const FrameResult result = frame(play, seconds);
        text += (text.empty() ? "" : " ") + show(play.game, result);
    }
    return text;
}

// "L<level>:<seconds left>", marked '*' in a frame in which the clock ticked.
inline std::string levelClock(const Game& game, const FrameResult&) {
    return "L" + std::to_string(game.level) + ":" + std::to_string(game.secondsLeft) +
           (game.requests.clockTicked ? "*" : "");
}

// What a frame did about the end, joined by '+': "end", "stop" (the music), the cues, "shown" with the
// result for the store ("shown:<levels completed>/<count>" when one is due); "-" for nothing.
inline std::string ending(const Game& game, const FrameResult& result) {
    const EndRecord& record = result.record;
    std::string text =
        std::string(result.gameEndedNow ? "end+" : "") + (game.requests.stopMusic ? "stop+" : "");
    text += cuesPicture(game).empty() ? "" : cuesPicture(game) + "+";
    text += result.showEndScreen ? "shown" : "";
    text += record.due ? ":" + std::to_string(record.levelValue) + "/" + std::to_string(record.count) : "";
    text += result.showEndScreen ? "+" : "";
    return text.empty() ? "-" : text.substr(0, text.size() - 1);
}

// A key press after the given wait, with what the application carried out before cleared.
inline KeyResult press(PlayHarness& play, PlayKey key, double waitSeconds = 0.0) {
    advance(play.time, waitSeconds);
    play.game.requests = Requests{};
    return handlePlayKey(play.game, key);
}
