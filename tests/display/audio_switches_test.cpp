// Audio on the null output and the game screen's buttons: the switches with their keys, latches and
// guards, the two ways an effect starts, the rules' requests, and the music across pause and game end.
#include "view/audio.h"

#include "display_fixture.h"

namespace displaytest {
namespace {

using Status = sf::SoundSource::Status;
using Id = SoundEffectId;
constexpr float musicX = placeInRow(positions::gameButtons, 0).x,
                soundX = placeInRow(positions::gameButtons, 1).x,
                mainMenuX = placeInRow(positions::gameButtons, 2).x,
                pauseX = placeInRow(positions::gameButtons, 3).x,
                quitX = placeInRow(positions::gameButtons, 4).x;

class AudioTest : public ViewTest {
  protected:
    void SetUp() override {
        ViewTest::SetUp();
        Sounds& sounds = app->assets.sounds;
        sounds.players = std::make_unique<SoundPlayers>();
        sounds.audible = true;
        const std::vector<sf::Int16> fiveSeconds(22050 * 5, 3000);
        for (SoundEffect& effect : sounds.players->effects) {
            effect.buffer.loadFromSamples(fiveSeconds.data(), fiveSeconds.size(), 1, 22050);
            effect.sound.setBuffer(effect.buffer);
        }
        ASSERT_TRUE(sounds.musicOpened = music().openFromFile("assets/tavrelloMusic.ogg"));
        music().play();
        game.fallRow = 3; // the gem in the air over an empty cell: the pause button acts
        game.fallColumn = 2;
        app->gameReady = true;
    }
    sf::Sound& sound(Id effect) { return displaytest::sound(*app, effect); }
    float offset(Id effect) { return sound(effect).getPlayingOffset().asSeconds(); }
    sf::Music& music() { return displaytest::music(*app); }
    float musicAt() { return music().getPlayingOffset().asSeconds(); }
    void playFrom(Id effect, float seconds) {
        sound(effect).play();
        sound(effect).setPlayingOffset(sf::seconds(seconds));
    }
    void keys(std::initializer_list<sf::Keyboard::Key> pressed) {
        for (sf::Keyboard::Key key : pressed) {
            handleAudioKey(*app, key);
        }
    }
    std::pair<bool, bool> switches() { return {app->audio.musicEnabled, app->audio.soundEnabled}; }
    // As the event loop does for a click: audio read before, the rules' requests carried out after.
    void clickButton(float designX) {
        snapshotAudioStatus(game.audio, app->audio, app->assets.sounds);
        handleGameButtons(*app, {static_cast<int>((designX + 35) * testScale), 28});
        carryOutRequests(*app);
    }
};

TEST_F(AudioTest, KeysSwitchOncePerPressNeverWhilePausedOrOnTheSettingsPage) {
    gameState = StartPage;
    music().setPlayingOffset(sf::seconds(4.0f));
    keys({sf::Keyboard::M, sf::Keyboard::M, sf::Keyboard::S, sf::Keyboard::S}); // with key repeat
    EXPECT_EQ(std::pair(switches(), music().getStatus()), std::pair(std::pair(false, false), Status::Paused));
    releaseAudioLatches(app->audio, true, false); // M still held, S let go
    keys({sf::Keyboard::M, sf::Keyboard::S});
    EXPECT_EQ(switches(), std::pair(false, true));
    releaseAudioLatches(app->audio, false, false);
    keys({sf::Keyboard::M});
    EXPECT_TRUE(music().getStatus() == Status::Playing && musicAt() >= 3.9f) << "resumed where it paused";
    releaseAudioLatches(app->audio, false, false);
    for (int page : {MainMenu, Settings}) {
        game.paused = page == MainMenu;
        app->menuPage = page;
        keys({sf::Keyboard::M, sf::Keyboard::S});
        EXPECT_EQ(switches(), std::pair(true, true)) << page;
        EXPECT_FALSE(app->audio.musicLatch || app->audio.soundLatch) << "a refused press takes no latch";
    }
}

TEST_F(AudioTest, RequestsStartEffectsByTheirRuleOnlyWithSoundOnAndRefreshTheClockAndTheLevel) {
    playFrom(Id::GemFall, 3.0f);
    playFrom(Id::PatternShift, 3.0f);
    cue(game, Id::GemFall, CueRule::Restart);
    cue(game, Id::PatternShift, CueRule::Once); // the rules' snapshot says it is not playing
    cue(game, Id::LevelUp, CueRule::Once);
    std::tie(game.secondsLeft, game.level) = std::pair(59, 23);
    game.requests.clockTicked = game.requests.levelRose = true;
    carryOutRequests(*app);
    EXPECT_EQ(std::tuple(offset(Id::GemFall) < 1.0f, offset(Id::PatternShift) >= 3.0f,
                         sound(Id::LevelUp).getStatus(), sound(Id::Defeat).getStatus()),
              std::tuple(true, true, Status::Playing, Status::Stopped))
        << "restarted, left alone, started, not asked for";
    const std::array<sf::Sprite, 4> readouts = {assets.levelClock[3], assets.levelClock[4],
                                                assets.levelDigits[0], assets.levelDigits[1]};
    EXPECT_EQ(shown(readouts, assets, assets.digitTextures), "5923");
    EXPECT_TRUE(blinkActive() && game.requests.cueCount == 0 && !game.requests.clockTicked &&
                !game.requests.levelRose);
    playFrom(Id::Alert, 1.0f);
    switchSound(*app);
    snapshotAudioStatus(game.audio, app->audio, app->assets.sounds);
    const std::array<bool, 8> playing = {true, true, false, false, true, false, true, false};
    EXPECT_TRUE(!game.audio.soundEnabled && game.audio.playing == playing) << "read with the sound off";
    startEffect(app->audio, app->assets.sounds, Id::Alert);
    startEffectOnce(app->audio, app->assets.sounds, Id::Defeat);
    EXPECT_TRUE(offset(Id::Alert) >= 1.0f && sound(Id::Defeat).getStatus() == Status::Stopped)
        << "with the sound off nothing starts or restarts";
}

TEST_F(AudioTest, PauseHoldsOnlyTheMusicAndGameEndStopsItUntilTheEndScreenPlaysItOnceFromTheStart) {
    playFrom(Id::Alert, 0.0f);
    music().setPlayingOffset(sf::seconds(6.0f));
    clickButton(pauseX);
    EXPECT_EQ(std::tuple(game.paused, music().getStatus(), sound(Id::Alert).getStatus()),
              std::tuple(true, Status::Paused, Status::Playing));
    clickButton(pauseX);
    EXPECT_TRUE(music().getStatus() == Status::Playing && musicAt() >= 5.9f);
    switchMusic(*app);
    clickButton(pauseX);
    clickButton(pauseX);
    EXPECT_EQ(music().getStatus(), Status::Paused) << "resuming does not switch the music on";
    switchMusic(*app);
    clickButton(pauseX);
    clickButton(mainMenuX);
    EXPECT_EQ(std::pair(gameState, music().getStatus()), std::pair(int(Menu), Status::Paused));
    game.paused = false;
    for (bool musicOn : {false, true}) {
        app->audio.musicEnabled = musicOn;
        game.endMusicStarted = false;
        music().play();
        music().setPlayingOffset(sf::seconds(5.0f));
        game.requests.stopMusic = true;
        carryOutRequests(*app);
        EXPECT_EQ(music().getStatus(), Status::Stopped) << "whatever the switch says";
        gameState = GameEnd;
        updateGameEndScreen(*app);
        EXPECT_EQ(std::pair(game.endMusicStarted, music().getStatus() == Status::Playing),
                  std::pair(musicOn, musicOn));
        handleAudioKey(*app, musicOn ? sf::Keyboard::Unknown : sf::Keyboard::M);
        EXPECT_TRUE(music().getStatus() == Status::Playing && musicAt() < 1.0f) << musicOn;
    }
    music().setPlayingOffset(sf::seconds(7.0f));
    updateGameEndScreen(*app);
    EXPECT_GE(musicAt(), 6.9f) << "later frames leave it playing";
}

// The switches act only unpaused in play; the main menu, pause and quit also while paused; none off the
// game screen or beside the buttons. What changed: m music off, s sound off, M menu, p paused, q quit.
TEST_F(AudioTest, GameScreenButtonsActOnlyUnderTheirGuards) {
    const std::tuple<float, int, bool, std::string> clicks[] = {
        {musicX, Playing, false, "m"},   {soundX, Playing, false, "s"}, {musicX, Playing, true, ""},
        {soundX, Playing, true, ""},     {musicX, GameEnd, false, ""},  {mainMenuX, Playing, true, "M"},
        {mainMenuX, GameEnd, false, ""}, {pauseX, Playing, false, "p"}, {pauseX, Menu, false, ""},
        {quitX, Playing, true, "q"},     {quitX, Menu, false, ""},      {musicX - 76, Playing, false, ""}};
    for (const auto& [x, state, paused, changed] : clicks) {
        gameState = state;
        game.paused = paused;
        game.gemActive = !paused;
        app->audio = Audio{};
        app->closeRequested = false;
        advanceSeconds(1.0);
        clickButton(x);
        const std::string seen = std::string(app->audio.musicEnabled ? "" : "m") +
                                 (app->audio.soundEnabled ? "" : "s") + (gameState != state ? "M" : "") +
                                 (game.paused != paused ? "p" : "") + (app->closeRequested ? "q" : "");
        EXPECT_EQ(seen, changed) << x << " in state " << state << (paused ? ", paused" : "");
        if (gameState != state) {
            EXPECT_TRUE(app->menuShown && !app->gameReady && elapsedSeconds(app->fadeClock) == 0.0f);
            app->gameReady = true;
        }
    }
    gameState = Playing;
    for (int restingRow : {4, 8}) { // the gem rests on a gem, or on the floor: no pause
        game.paused = false;
        game.fallRow = restingRow - 1;
        cell(game.board, 4, 2) = restingRow == 4 ? Gem70 : Empty;
        clickButton(pauseX);
        EXPECT_FALSE(game.paused) << restingRow;
    }
}

} // namespace
} // namespace displaytest
