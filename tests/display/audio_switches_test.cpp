// Audio on the null output: the game screen's switches, keys and guards, effects and requests, the music
// across pause and game end; the MP3 reader on our sounds and on cut, damaged and foreign files.
#include "view/audio.h"
#include "view/mp3_reader.h"

#include "display_fixture.h"

#include <SFML/System/MemoryInputStream.hpp>

#include <algorithm>
#include <random>

namespace displaytest {
namespace {

using Status = sf::SoundSource::Status;
using Id = SoundEffectId;
constexpr auto buttonX = [](int button) { return placeInRow(positions::gameButtons, button).x; };
constexpr float musicX = buttonX(0), soundX = buttonX(1), mainMenuX = buttonX(2), pauseX = buttonX(3),
                quitX = buttonX(4);

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
        // The gem in the air over an empty cell: the pause button acts.
        std::tie(game.fallRow, game.fallColumn, app->gameReady) = std::tuple(3, 2, true);
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
        std::for_each(pressed.begin(), pressed.end(), [this](auto key) { handleAudioKey(*app, key); });
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
        std::tie(game.paused, app->menuPage) = std::pair(page == MainMenu, page);
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
        std::tie(app->audio.musicEnabled, game.endMusicStarted, game.requests.stopMusic) =
            std::tuple(musicOn, false, true);
        music().play();
        music().setPlayingOffset(sf::seconds(5.0f));
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
        std::tie(gameState, game.paused, game.gemActive, app->audio, app->closeRequested, app->gameReady) =
            std::tuple(state, paused, !paused, Audio{}, false, true);
        advanceSeconds(1.0);
        clickButton(x);
        const std::string seen = std::string(app->audio.musicEnabled ? "" : "m") +
                                 (app->audio.soundEnabled ? "" : "s") + (gameState != state ? "M" : "") +
                                 (game.paused != paused ? "p" : "") + (app->closeRequested ? "q" : "");
        EXPECT_EQ(seen, changed) << x << " in state " << state << (paused ? ", paused" : "");
        EXPECT_TRUE(gameState == state ||
                    (app->menuShown && !app->gameReady && elapsedSeconds(app->fadeClock) == 0.0f));
    }
    gameState = Playing;
    for (int restingRow : {4, 8}) { // the gem rests on a gem, or on the floor: no pause
        std::tie(game.paused, game.fallRow) = std::pair(false, restingRow - 1);
        cell(game.board, 4, 2) = restingRow == 4 ? Gem70 : Empty;
        clickButton(pauseX);
        EXPECT_FALSE(game.paused) << restingRow;
    }
}

using Samples = std::vector<sf::Int16>;
constexpr sf::Uint64 mp3FrameSamples = 1152;

// Reads in chunks until the file says it is done, with room for more than it announced.
Samples decodeAll(sf::InputSoundFile& file) {
    Samples samples(file.getSampleCount() + 8192);
    std::size_t got = 0;
    for (sf::Uint64 n = 1; n > 0 && got + 4096 <= samples.size(); got += n) {
        n = file.read(&samples[got], 4096);
    }
    samples.resize(got);
    return samples;
}

// Opened from memory: false when refused, else true with every sample within the announced count.
bool opensWithinItsLength(const std::string& bytes) {
    sf::InputSoundFile file;
    const bool opened = file.openFromMemory(bytes.data(), bytes.size());
    EXPECT_TRUE(!opened || decodeAll(file).size() <= file.getSampleCount());
    return opened;
}

const bool mp3ReaderRegistered = (registerMp3Reader(), true); // as the game does before loading its sounds

TEST(Mp3ReaderTest, EveryEffectDecodesAtItsGeneratedLengthAndLevelAndSeeksToAnySample) {
    std::ifstream made("tools/audio/sounds.txt"); // each file's rate, channels and frames as generated
    made.ignore(1000, '\n');
    std::string name;
    unsigned rate = 0, channels = 0, frames = 0, effects = 0;
    while (made >> name >> rate >> channels >> frames) {
        if (name.find(".mp3") == std::string::npos) {
            continue;
        }
        ++effects;
        sf::InputSoundFile file;
        ASSERT_TRUE(file.openFromFile("assets/" + name)) << name;
        EXPECT_EQ(std::pair(file.getSampleRate(), file.getChannelCount()), std::pair(rate, channels)) << name;
        EXPECT_NEAR(file.getSampleCount() / channels, frames, mp3FrameSamples) << name;
        const Samples samples = decodeAll(file);
        ASSERT_EQ(samples.size(), file.getSampleCount()) << name;
        EXPECT_GT(*std::max_element(samples.begin(), samples.end()), 16384) << name << ": near -3 dBFS";
        constexpr std::size_t span = 2000;
        for (std::size_t at : {samples.size() / 2 + 7, samples.size() - span, std::size_t(0)}) {
            file.seek(at);
            Samples part(span);
            ASSERT_EQ(file.read(part.data(), span), span) << name << " at " << at;
            for (std::size_t i = 0; i < span; i += 97) {
                ASSERT_LE(std::abs(part[i] - samples[at + i]), 2) << name << " at " << at + i;
            }
        }
    }
    EXPECT_EQ(effects, 8u);
}

TEST(Mp3ReaderTest, ProbeFindsFramesBehindAnId3TagAndRefusesEverythingElse) {
    const std::string plain = readFile("assets/level_up.mp3");
    // An ID3 tag of 20000 bytes of padding (its size in 7-bit bytes: 1, 28, 32), more than a probe reads.
    const std::string tagged =
        std::string("ID3\x04\0\0\0\x01\x1c\x20", 10) + std::string(20000, '\0') + plain;
    const std::string text = "Gems fall one at a time into the board.\n";
    const auto probe = [](const std::string& bytes) {
        sf::MemoryInputStream stream;
        stream.open(bytes.data(), bytes.size());
        return Mp3Reader::check(stream);
    };
    EXPECT_TRUE(probe(plain) && probe(tagged) && opensWithinItsLength(tagged));
    for (const std::string& refused : {text, std::string()}) {
        EXPECT_FALSE(probe(refused) || opensWithinItsLength(refused)) << refused.size() << " bytes";
    }
}

TEST(Mp3ReaderTest, TruncatedFilesDecodeOnlyWhatIsThereAndGarbageFailsOrStops) {
    const std::string whole = readFile("assets/applause.mp3");
    const std::string half = whole.substr(0, whole.size() / 2 + 77);
    sf::InputSoundFile cut;
    ASSERT_TRUE(cut.openFromMemory(half.data(), half.size()));
    const std::size_t decoded = decodeAll(cut).size();
    EXPECT_TRUE(decoded <= cut.getSampleCount() && decoded + mp3FrameSamples >= cut.getSampleCount());
    EXPECT_TRUE(decoded > 132300 / 4 && decoded < 132300 * 3 / 4) << "of the whole file's 132300 samples";
    // Damaged copies: bytes overwritten, cut short. The sanitizers watch the reads.
    std::mt19937 random(1234);
    int opened = 0;
    for (int round = 0; round < 200; ++round) {
        std::string bytes = whole;
        for (int i = 1 + static_cast<int>(random() % 40); i > 0; --i) {
            bytes[random() % bytes.size()] = static_cast<char>(random() & 0xFF);
        }
        bytes.resize(bytes.size() - random() % (bytes.size() / 2));
        opened += opensWithinItsLength(bytes);
    }
    EXPECT_GT(opened, 100) << "most damage is local: the rest still plays";
}

} // namespace
} // namespace displaytest
