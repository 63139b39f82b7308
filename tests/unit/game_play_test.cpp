// A game from its start to its end: the new-game preparation, and whole games played to the end
// screen driven only by key presses and a manual clock.
#include "game_testing.h"

#include <cstdlib>

namespace {

constexpr double frameSeconds = 1.0 / 64.0; // a power of two, so every frame time is exact

// Rows from a column's top gem down to the bottom; 0 for an empty column.
int columnHeight(const Board& board, int column) {
    const std::string picture = columnPicture(board, column);
    return boardRows - static_cast<int>(std::min(picture.find_first_not_of('.'), picture.size()));
}

// A tidy player: pulls gems from the tallest column and flushes every full thread into the tube,
// waiting while an animation runs. Returns whether the key was a flush.
bool tidyUp(PlayHarness& play) {
    const Game& game = play.game;
    if (game.trashFlushing || game.threadClearing || game.patternMatched || game.patternRefill)
        return false;
    if (threadFull(game.thread)) {
        press(play, game.cursorColumn < trashColumn ? PlayKey::Right : PlayKey::Up);
        return game.trashFlushing;
    }
    int target = 0;
    for (int column = 1; column < trashColumn; ++column)
        target = columnHeight(game.board, column) > columnHeight(game.board, target) ? column : target;
    const int cursor = game.cursorColumn;
    if (columnHeight(game.board, target) > 0)
        press(play, cursor < target ? PlayKey::Right : cursor > target ? PlayKey::Left : PlayKey::Down);
    return false;
}

// The last game, left with B in the middle of everything: a landing waiting for its spawn delay,
// animations, points of that frame and a rising read-out; then a new game 30 s later.
void startAfterAnAbandonedGame(PlayHarness& play, unsigned seed) {
    Game& game = play.game;
    game.board = boardFrom({"ABC", "*#H", "............#"});
    game.thread = slotsFrom("ABCDEFGH");
    game.fallRow = game.cursorColumn = game.level = game.secondsLeft = game.maxKindIndex = 5;
    game.score = game.pointsThisFrame = game.popupPoints = game.patternsCompleted = game.colorLinesCount = 5;
    game.bestScore = 700;
    game.fallSpeedup = 0.2f;
    game.paused = game.timeUp = game.boardFull = game.trashFlushing = game.threadClearing = true;
    game.patternMatched = game.patternRefill = game.endSummaryReady = game.endMusicStarted = true;
    game.landed = game.requests.stopMusic = true;
    game.gemActive = false;
    advance(play.time, 30.0);
    std::srand(seed);
    startNewGame(game);
}

} // namespace

TEST(NewGame, LeavesNothingOfTheLastGameDrawsTheFirstGemAndPatternAndItsClockRunsFromTheMenu) {
    std::srand(31337);
    const int column = std::rand() % 12, kind = std::rand() % 3;
    std::string pattern;
    for (int slot = 0; slot < threadSlots; ++slot)
        pattern += kindLetters[std::rand() % 3 + 1]; // Gem90..Gem70
    const int following = std::rand();
    PlayHarness play;
    Game& game = play.game;
    startAfterAnAbandonedGame(play, 31337);
    EXPECT_EQ(std::rand(), following) << "exactly 1 + 1 + 8 numbers were drawn";
    EXPECT_EQ(std::to_string(game.fallColumn) + " " + std::to_string(game.fallKind) + " " +
                  slotsPicture(game.pattern) + " " + slotsPicture(game.thread),
              std::to_string(column) + " " + std::to_string(kind) + " " + pattern + " ........");
    EXPECT_EQ(game.board, Board{});
    EXPECT_EQ(std::to_string(game.cursorColumn) + " " + std::to_string(game.maxKindIndex) + " " +
                  std::to_string(game.patternsCompleted + game.colorLinesCount),
              "6 2 0");
    EXPECT_TRUE(game.fallSpeedup == 0.0f && game.bestScore == 700)
        << "the best score is loaded by the caller";
    EXPECT_FALSE(game.paused || game.timeUp || game.boardFull || game.requests.stopMusic ||
                 game.trashFlushing || game.threadClearing || game.patternMatched || game.patternRefill ||
                 game.endSummaryReady || game.endMusicStarted);
    // The countdown starts in the menu and the fall clock runs on from the last game: after the
    // one-second fade the first frame moves the gem and shows 00:59 at once.
    const std::string clock = trace(play, {1.01}, levelClock);
    EXPECT_EQ(clock + std::to_string(game.fallRow) + std::to_string(game.score + game.popupPoints),
              "L1:59*10");
    // A pause stops the clock and must not let the last game's landing spawn a gem behind the player's back.
    togglePause(game);
    frame(play, 1.0);
    EXPECT_EQ(levelClock(game, {}) + std::to_string(game.gemActive), "L1:590");
}

TEST(ScriptedGame, TidyPlayerLastsAllSixtyLevels) {
    PlayHarness play;
    Game& game = play.game;
    setModeParameters(game.mode, Easy);
    std::srand(20240611);
    startNewGame(game);
    int flushes = 0, ticks = 0;
    double endedAt = -1.0;
    std::string levelSounds;
    FrameResult last;
    while (!last.showEndScreen && !game.boardFull && play.time.manualSeconds < 4000.0) {
        // The player rests in the last ten seconds, so that no points rise when the time runs out.
        if (game.level < 60 || game.secondsLeft > 10)
            flushes += tidyUp(play) ? 1 : 0;
        last = frame(play, frameSeconds);
        ticks += game.requests.clockTicked ? 1 : 0;
        const std::string cues = cuesPicture(game);
        levelSounds += cues.find("Level11Up!") != std::string::npos ? "N" : "";
        levelSounds += cues.find("LevelUp!") != std::string::npos ? "l" : "";
        endedAt = last.gameEndedNow ? play.time.manualSeconds : endedAt;
    }
    ASSERT_TRUE(last.showEndScreen);
    EXPECT_EQ(game.level * 10 + game.maxKindIndex, 607);
    EXPECT_NEAR(game.fallSpeedup, 59 * 0.005f, 1e-4);
    // 3600 ticks a second apart; the end is looked at once a second, so the end screen comes 7 s later.
    EXPECT_TRUE(endedAt == 3600.0 && play.time.manualSeconds == 3607.0 && ticks == 3607)
        << endedAt << " " << ticks;
    // The level-up sound ('l') on levels 2 to 60 but 11, 21, 31, 41 and 51, which have the new kind's ('N').
    EXPECT_EQ(levelSounds, "lllllllllNlllllllllNlllllllllNlllllllllNlllllllllNlllllllll");
    EXPECT_GT(flushes, 40);
    // No thread happened to match with this seed.
    EXPECT_TRUE(game.patternsCompleted == 0 && game.score == 4 * flushes && game.bestScore == game.score);
    EXPECT_EQ(ending(game, last), "Applause!+shown:59/0");
}

TEST(ScriptedGame, DroppingEveryGemFillsTheBoardAndEndsTheGame) {
    PlayHarness play;
    Game& game = play.game;
    std::srand(77);
    startNewGame(game);
    int drops = 0, frames = 0, endFrame = -1, stopFrame = -1, defeatFrame = -1;
    FrameResult last;
    while (!last.showEndScreen && frames < 64 * 600) {
        drops += game.gemActive ? 1 : 0;
        press(play, game.gemActive ? PlayKey::Space : PlayKey::P);
        EXPECT_FALSE(game.requests.pauseMusic) << "no pause once the column is full";
        last = frame(play, frameSeconds);
        releasePauseLatch(game, false);
        ++frames;
        endFrame = last.gameEndedNow ? frames : endFrame;
        stopFrame = last.skipRestOfFrame ? frames : stopFrame;
        const bool defeat = cuesPicture(game).find("Defeat!") != std::string::npos;
        defeatFrame = defeatFrame < 0 && defeat ? frames : defeatFrame;
    }
    ASSERT_TRUE(last.showEndScreen);
    EXPECT_TRUE(game.boardFull && game.paused && !game.timeUp);
    EXPECT_FALSE(pausedByPlayer(game)) << "the stop is not the player's pause";
    // After the end: the spawn delay of 0.35 s in whole frames, the sound past 1 s, the end screen past 6 s.
    EXPECT_EQ(std::to_string(stopFrame - endFrame) + " " + std::to_string(defeatFrame - endFrame) + " " +
                  std::to_string(frames - endFrame) + " " + std::to_string(game.level * 1000 + game.score),
              "22 65 385 1000");
    EXPECT_EQ(ending(game, last), "Defeat!+shown:0/0") << "0 equals the stored best of 0";
    // Every column stands from the bottom without gaps, holds only level 1's kinds, diamonds and
    // trash, and the tube stays empty.
    int gems = 0;
    for (int column = 0; column < trashColumn; ++column) {
        const std::string picture = columnPicture(game.board, column);
        gems += columnHeight(game.board, column);
        EXPECT_EQ(picture.find_first_not_of(".ABC*#"), std::string::npos) << picture;
        EXPECT_EQ(picture.find('.', boardRows - columnHeight(game.board, column)), std::string::npos);
    }
    EXPECT_EQ(std::to_string(gems - drops) + columnPicture(game.board, trashColumn), "0........");
}
