// The state of one game of Tavrello: board, falling gem, thread, pattern, tube, score, level and mode.
// Pure data; the rules that change it live beside it in game/ and never touch a window or a sound.
#pragma once

#include "game/stopwatch.h"

#include <array>
#include <cstdint>

// Cell code of a board cell, thread slot or pattern slot. A falling gem's kind index is the code - 1.
enum GemKind : std::int32_t {
    Empty = 0,
    Gem90 = 1,
    Gem80 = 2,
    Gem70 = 3,
    Gem60 = 4,
    Gem50 = 5,
    Gem40 = 6,
    Gem30 = 7,
    Gem20 = 8,
    Diamond = 9,
    Trash = 10,
};

enum GameMode : std::int32_t {
    Easy = 1,
    Normal = 2,
    Hard = 3,
    VeryHard = 4,
    ColorLines = 5,
    Casual = 6,
};

constexpr int boardRows = 8;
constexpr int boardColumns = 13; // 12 play columns and the trash tube
constexpr int trashColumn = 12;
constexpr int threadSlots = 8;

// Design x of each column; the tube's cells stand at 1777, not on the 120-unit grid.
constexpr std::array<int, boardColumns> columnX = {270, 390, 510, 630, 750, 870, 990,
                                                   1110, 1230, 1350, 1470, 1590, 1777};
constexpr int boardTopY = 113;
constexpr int cellSize = 60;
constexpr int threadTopY = 595;
constexpr int patternX = 60;

using Board = std::array<GemKind, boardRows * boardColumns>; // row by row, row 0 on top
using Thread = std::array<GemKind, threadSlots>;              // slot 0 next to the board
using Pattern = std::array<GemKind, threadSlots>;             // slot 0 on top

// The four parameters a mode button sets, and the mode itself.
struct ModeSettings {
    GameMode gameMode = Normal;
    int diamondChance = 1; // percent; the start-up values differ from those the Normal button sets
    int trashChance = 10;
    float baseFallInterval = 0.7f;
    float fallSpeedupPerLevel = 0.0075f;
};

// Sound effects, in load order.
enum class SoundEffectId : int {
    GemFall,
    PatternShift,
    Applause,
    Defeat,
    Alert,
    TrashDrop,
    LevelUp,
    Level11Up,
};
constexpr int soundEffectCount = 8;

// Restart: a playing effect starts again from its beginning. Once: a playing effect is left alone.
enum class CueRule { Restart, Once };

struct SoundCue {
    SoundEffectId effect = SoundEffectId::GemFall;
    CueRule rule = CueRule::Restart;
};

// What the audio looked like when the frame began; the rules read it to decide whether an effect
// "is started" (sound on and, for Once, not already playing) and mark an effect playing when they cue it.
struct AudioStatus {
    bool soundEnabled = true;
    bool musicEnabled = true;
    std::array<bool, soundEffectCount> playing{};
};

// What the rules ask of the audio and the presentation during one event or update; the application
// carries it out and clears it.
struct Requests {
    std::array<SoundCue, 16> cues{};
    int cueCount = 0;
    bool stopMusic = false;   // a game has just ended
    bool pauseMusic = false;  // the game paused (only asked when music is enabled)
    bool resumeMusic = false; // the game resumed (only asked when music is enabled)
    bool clockTicked = false; // the level clock took a one-second step: refresh its pictures
    bool levelRose = false;   // start the level digits' blink
};

struct Game {
    Board board{};
    Thread thread{};
    Pattern pattern{};
    ModeSettings mode;

    int fallRow = 0;
    int fallColumn = 0;
    int fallKind = 0; // kind index 0..9
    bool gemActive = true;
    bool landed = false;
    int cursorColumn = 6;
    bool paused = false;
    bool pauseLatch = false; // P taken while held
    bool timeUp = false;
    bool boardFull = false;
    bool trashFlushing = false;
    bool threadClearing = false;
    bool patternMatched = false;
    bool patternRefill = false;

    int level = 1;
    int secondsLeft = 60;
    int maxKindIndex = 2;
    float fallSpeedup = 0.0f;
    int score = 0;
    int bestScore = 0;
    int pointsThisFrame = 0;
    int patternsCompleted = 0;
    int colorLinesCount = 0;

    // Rising points read-out; popupX is the design x of the column that earned the points.
    int popupPoints = 0;
    float popupProgress = 0.0f;
    float popupX = 0.0f;

    // End-screen bookkeeping, cleared by each new game.
    bool endSummaryReady = false;
    bool endMusicStarted = false;

    Stopwatch fallClock;
    Stopwatch landClock;
    Stopwatch animClock;
    Stopwatch secondClock;
    Stopwatch keyRepeatClock;

    AudioStatus audio;
    Requests requests;
};

inline GemKind& cell(Board& board, int row, int column) { return board[row * boardColumns + column]; }
inline GemKind cell(const Board& board, int row, int column) { return board[row * boardColumns + column]; }
