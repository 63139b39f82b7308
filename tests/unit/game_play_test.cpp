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
    // Seed 31337's numbers: 53418360 % 12 = 0 for the column, 66988840 % 3 = 1 for the kind (digit
    // sum 49), then % 3 + 1 for the pattern by digit sums: 1189565692 B, 1513560112 B, 1362495916 B,
    // 973777473 A, 1682126370 A, 317542108 B, 653314672 B, 1948499495 C; the eleventh is 450514743.
    PlayHarness play;
    Game& game = play.game;
    startAfterAnAbandonedGame(play, 31337);
    EXPECT_EQ(std::rand(), 450514743) << "exactly 1 + 1 + 8 numbers were drawn";
    EXPECT_EQ(slotsPicture(game.pattern) + " " + slotsPicture(game.thread), "BBBAABBC ........");
    EXPECT_EQ(game.board, Board{});
    const Game& g = game; // its best score is the caller's to load
    EXPECT_EQ(
        named("fallColumn fallKind cursorColumn maxKindIndex patternsCompleted colorLinesCount fallSpeedup "
              "bestScore",
              g.fallColumn, g.fallKind, g.cursorColumn, g.maxKindIndex, g.patternsCompleted,
              g.colorLinesCount, g.fallSpeedup, g.bestScore),
        "fallColumn=0 fallKind=1 cursorColumn=6 maxKindIndex=2 patternsCompleted=0 colorLinesCount=0 "
        "fallSpeedup=0 bestScore=700");
    EXPECT_EQ(
        named("paused timeUp boardFull stopMusic trashFlushing threadClearing patternMatched patternRefill "
              "endSummaryReady endMusicStarted",
              g.paused, g.timeUp, g.boardFull, g.requests.stopMusic, g.trashFlushing, g.threadClearing,
              g.patternMatched, g.patternRefill, g.endSummaryReady, g.endMusicStarted),
        "paused=0 timeUp=0 boardFull=0 stopMusic=0 trashFlushing=0 threadClearing=0 patternMatched=0 "
        "patternRefill=0 endSummaryReady=0 endMusicStarted=0");
    // The countdown starts in the menu and the fall clock runs on from the last game: after the
    // one-second fade the first frame moves the gem and shows 00:59 at once.
    const std::string clock = trace(play, {1.01}, levelClock);
    EXPECT_EQ(clock + " " + named("fallRow score popupPoints", g.fallRow, g.score, g.popupPoints),
              "L1:59* fallRow=1 score=0 popupPoints=0");
    // A pause stops the clock and must not let the last game's landing spawn a gem behind the player's back.
    togglePause(game);
    frame(play, 1.0);
    EXPECT_EQ(levelClock(game, {}) + " " + named("gemActive", g.gemActive), "L1:59 gemActive=0");
}

TEST(ScriptedGame, TidyPlayerLastsAllSixtyLevels) {
    PlayHarness play;
    Game& game = play.game;
    setModeParameters(game.mode, Easy);
    std::srand(20240611);
    startNewGame(game);
    int flushes = 0, ticks = 0, firstLevelOfGem20 = 0;
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
        const bool newKindFalls = game.fallKind == game.maxKindIndex;
        levelSounds += cues.find("Level11Up!") != std::string::npos ? (newKindFalls ? "N" : "n") : "";
        levelSounds += cues.find("LevelUp!") != std::string::npos ? "l" : "";
        endedAt = last.gameEndedNow ? play.time.manualSeconds : endedAt;
        firstLevelOfGem20 = firstLevelOfGem20 == 0 && game.maxKindIndex == 7 ? game.level : firstLevelOfGem20;
    }
    ASSERT_TRUE(last.showEndScreen);
    // Gem20 (kind index 7) since level 51; 59 level-ups of 0.005 s. 3600 ticks a second apart; the end is
    // looked at once a second, so the end screen comes 7 s later.
    EXPECT_EQ(named("level maxKindIndex firstLevelOfGem20 fallSpeedup endedAt shownAt ticks", game.level,
                    game.maxKindIndex, firstLevelOfGem20, game.fallSpeedup, endedAt, play.time.manualSeconds,
                    ticks),
              "level=60 maxKindIndex=7 firstLevelOfGem20=51 fallSpeedup=0.295 endedAt=3600 shownAt=3607 "
              "ticks=3607");
    // The level-up sound ('l') on levels 2 to 60 but 11, 21, 31, 41 and 51, which have the new kind's, with
    // the new kind on the falling gem at once ('N').
    EXPECT_EQ(levelSounds, "lllllllllNlllllllllNlllllllllNlllllllllNlllllllllNlllllllll");
    EXPECT_GT(flushes, 40);
    // No thread happened to match with this seed.
    EXPECT_EQ(named("patternsCompleted score bestScore", game.patternsCompleted, game.score - 4.0 * flushes,
                    game.bestScore - 4.0 * flushes),
              "patternsCompleted=0 score=0 bestScore=0")
        << "4 points a flush, " << flushes << " flushes";
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
    EXPECT_EQ(named("boardFull paused timeUp", game.boardFull, game.paused, game.timeUp),
              "boardFull=1 paused=1 timeUp=0");
    EXPECT_FALSE(pausedByPlayer(game)) << "the stop is not the player's pause";
    // After the end: the spawn delay of 0.35 s in whole frames, the sound past 1 s, the end screen past 6 s.
    EXPECT_EQ(named("stop defeat shown level score", stopFrame - endFrame, defeatFrame - endFrame,
                    frames - endFrame, game.level, game.score),
              "stop=22 defeat=65 shown=385 level=1 score=0");
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
    EXPECT_EQ(gems, drops) << "one gem a drop";
    EXPECT_EQ(columnPicture(game.board, trashColumn), "........");
}
