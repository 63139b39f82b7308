// Audio on the null output: the music and sound switches with their keys and latches, the two ways an
// effect starts, the requests of the rules, and the music's life across pause, game end and end screen.
#include "view/audio.h"

#include "view_fixture.h"

#include <cstdint>
#include <cstring>
#include <vector>

namespace viewtest {
namespace {

constexpr unsigned sampleRate = 22050;
constexpr unsigned effectSeconds = 5;
constexpr unsigned musicSeconds = 10;

std::vector<sf::Int16> tone(unsigned seconds) {
    std::vector<sf::Int16> samples(sampleRate * seconds);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<sf::Int16>((i % 50) * 400);
    }
    return samples;
}

void put(std::vector<char>& bytes, std::size_t at, std::uint32_t value, std::size_t size) {
    std::memcpy(&bytes[at], &value, size); // little-endian machine, as the format wants
}

// A mono 16-bit WAV file in memory; it has to outlive the music that streams from it.
const std::vector<char>& musicFile() {
    static const std::vector<char> bytes = [] {
        const std::vector<sf::Int16> samples = tone(musicSeconds);
        const std::size_t dataSize = samples.size() * sizeof(sf::Int16);
        std::vector<char> wav(44 + dataSize);
        std::memcpy(&wav[0], "RIFF", 4);
        put(wav, 4, static_cast<std::uint32_t>(wav.size() - 8), 4);
        std::memcpy(&wav[8], "WAVEfmt ", 8);
        put(wav, 16, 16, 4);
        put(wav, 20, 1, 2); // PCM
        put(wav, 22, 1, 2); // mono
        put(wav, 24, sampleRate, 4);
        put(wav, 28, sampleRate * 2, 4);
        put(wav, 32, 2, 2);
        put(wav, 34, 16, 2);
        std::memcpy(&wav[36], "data", 4);
        put(wav, 40, static_cast<std::uint32_t>(dataSize), 4);
        std::memcpy(&wav[44], samples.data(), dataSize);
        return wav;
    }();
    return bytes;
}

class AudioTest : public PlayingAppTest {
  protected:
    void SetUp() override {
        PlayingAppTest::SetUp();
        const std::vector<sf::Int16> samples = tone(effectSeconds);
        Sounds& sounds = app->assets.sounds;
        sounds.players = std::make_unique<SoundPlayers>();
        sounds.audible = true;
        for (SoundEffect& effect : sounds.players->effects) {
            effect.buffer.loadFromSamples(samples.data(), samples.size(), 1, sampleRate);
            effect.sound.setBuffer(effect.buffer);
            effect.sound.setVolume(20.0f);
        }
        sf::Music& music = app->assets.sounds.players->music;
        app->assets.sounds.musicOpened = music.openFromMemory(musicFile().data(), musicFile().size());
        ASSERT_TRUE(app->assets.sounds.musicOpened);
        music.setLoop(true);
        music.setVolume(2.0f);
        music.play();
        app->menuPage = MainMenu;
    }

    sf::Sound& sound(SoundEffectId effect) {
        return app->assets.sounds.players->effects[static_cast<std::size_t>(effect)].sound;
    }
    sf::SoundSource::Status music() { return app->assets.sounds.players->music.getStatus(); }
    float musicOffset() { return app->assets.sounds.players->music.getPlayingOffset().asSeconds(); }

    void playFrom(SoundEffectId effect, float seconds) {
        sound(effect).play();
        sound(effect).setPlayingOffset(sf::seconds(seconds));
    }

    void request(SoundEffectId effect, CueRule rule) {
        Requests& requests = app->game.requests;
        requests.cues[static_cast<std::size_t>(requests.cueCount)] = SoundCue{effect, rule};
        ++requests.cueCount;
    }

    // A game in play with its gem in the air, so the pause button acts.
    void startPlaying() {
        gameState = Playing;
        Game& game = app->game;
        game.board = Board{};
        game.fallRow = 2;
        game.fallColumn = 4;
        game.gemActive = true;
        game.paused = false;
    }

    // As the event loop does for a click: the rules' requests are carried out after the event.
    void clickPause() {
        snapshotAudioStatus(app->game.audio, app->audio, app->assets.sounds);
        handleGameButtons(*app, pixelOf(1771 + 35, 57));
        carryOutRequests(*app);
    }
};

TEST_F(AudioTest, MPausesTheMusicAndResumesItWhereItStopped) {
    gameState = StartPage;
    app->assets.sounds.players->music.setPlayingOffset(sf::seconds(4.0f));
    handleAudioKey(*app, sf::Keyboard::M);
    EXPECT_FALSE(app->audio.musicEnabled);
    EXPECT_EQ(music(), sf::SoundSource::Paused);
    releaseAudioLatches(app->audio, false, false);
    handleAudioKey(*app, sf::Keyboard::M);
    EXPECT_TRUE(app->audio.musicEnabled);
    EXPECT_EQ(music(), sf::SoundSource::Playing);
    EXPECT_GE(musicOffset(), 3.9f);
}

TEST_F(AudioTest, AHeldKeyTogglesOnceUntilItIsReleased) {
    handleAudioKey(*app, sf::Keyboard::M);
    handleAudioKey(*app, sf::Keyboard::M); // key repeat
    releaseAudioLatches(app->audio, true, false);
    handleAudioKey(*app, sf::Keyboard::M);
    EXPECT_FALSE(app->audio.musicEnabled);
    handleAudioKey(*app, sf::Keyboard::S);
    handleAudioKey(*app, sf::Keyboard::S);
    EXPECT_FALSE(app->audio.soundEnabled);
    releaseAudioLatches(app->audio, true, false); // M still held, S let go
    handleAudioKey(*app, sf::Keyboard::S);
    handleAudioKey(*app, sf::Keyboard::M);
    EXPECT_TRUE(app->audio.soundEnabled);
    EXPECT_FALSE(app->audio.musicEnabled);
    releaseAudioLatches(app->audio, false, false);
    handleAudioKey(*app, sf::Keyboard::M);
    EXPECT_TRUE(app->audio.musicEnabled);
}

TEST_F(AudioTest, KeysDoNothingWhilePausedOrOnTheSettingsPage) {
    app->game.paused = true;
    handleAudioKey(*app, sf::Keyboard::M);
    handleAudioKey(*app, sf::Keyboard::S);
    EXPECT_TRUE(app->audio.musicEnabled);
    EXPECT_TRUE(app->audio.soundEnabled);
    EXPECT_EQ(music(), sf::SoundSource::Playing);
    app->game.paused = false;
    gameState = Menu;
    app->menuPage = Settings; // typing a name with m or s in it
    handleAudioKey(*app, sf::Keyboard::M);
    handleAudioKey(*app, sf::Keyboard::S);
    EXPECT_TRUE(app->audio.musicEnabled);
    EXPECT_TRUE(app->audio.soundEnabled);
    EXPECT_FALSE(app->audio.musicLatch) << "a refused press takes no latch";
}

TEST_F(AudioTest, SwitchingMusicOnAfterAStopPlaysFromTheStart) {
    app->audio.musicEnabled = false;
    app->assets.sounds.players->music.stop();
    switchMusic(*app);
    EXPECT_EQ(music(), sf::SoundSource::Playing);
    EXPECT_LT(musicOffset(), 1.0f);
}

TEST_F(AudioTest, StartEffectRestartsAPlayingEffect) {
    playFrom(SoundEffectId::GemFall, 3.0f);
    startEffect(app->audio, app->assets.sounds, SoundEffectId::GemFall);
    EXPECT_EQ(sound(SoundEffectId::GemFall).getStatus(), sf::SoundSource::Playing);
    EXPECT_LT(sound(SoundEffectId::GemFall).getPlayingOffset().asSeconds(), 1.0f);
}

TEST_F(AudioTest, StartEffectOnceLeavesAPlayingEffectAlone) {
    playFrom(SoundEffectId::Alert, 3.0f);
    startEffectOnce(app->audio, app->assets.sounds, SoundEffectId::Alert);
    EXPECT_GE(sound(SoundEffectId::Alert).getPlayingOffset().asSeconds(), 3.0f);
    startEffectOnce(app->audio, app->assets.sounds, SoundEffectId::Applause);
    EXPECT_EQ(sound(SoundEffectId::Applause).getStatus(), sf::SoundSource::Playing);
}

TEST_F(AudioTest, NoEffectStartsWithSoundOffButAPlayingOneFinishes) {
    playFrom(SoundEffectId::Alert, 1.0f);
    handleAudioKey(*app, sf::Keyboard::S);
    EXPECT_EQ(sound(SoundEffectId::Alert).getStatus(), sf::SoundSource::Playing);
    startEffect(app->audio, app->assets.sounds, SoundEffectId::GemFall);
    startEffectOnce(app->audio, app->assets.sounds, SoundEffectId::Defeat);
    EXPECT_EQ(sound(SoundEffectId::GemFall).getStatus(), sf::SoundSource::Stopped);
    EXPECT_EQ(sound(SoundEffectId::Defeat).getStatus(), sf::SoundSource::Stopped);
    startEffect(app->audio, app->assets.sounds, SoundEffectId::Alert);
    EXPECT_GE(sound(SoundEffectId::Alert).getPlayingOffset().asSeconds(), 1.0f) << "not restarted either";
}

TEST_F(AudioTest, VolumesGoToTheMusicAndEveryEffect) {
    app->volumes.music = 37.0f;
    app->volumes.sound = 64.0f;
    applyVolumes(app->volumes, app->assets.sounds);
    EXPECT_FLOAT_EQ(app->assets.sounds.players->music.getVolume(), 37.0f);
    for (const SoundEffect& effect : app->assets.sounds.players->effects) {
        EXPECT_FLOAT_EQ(effect.sound.getVolume(), 64.0f);
    }
}

TEST_F(AudioTest, SnapshotTellsTheRulesTheSwitchesAndWhatPlays) {
    app->game.audio.playing.fill(true);
    playFrom(SoundEffectId::TrashDrop, 0.0f);
    switchSound(*app);
    snapshotAudioStatus(app->game.audio, app->audio, app->assets.sounds);
    const AudioStatus& status = app->game.audio;
    EXPECT_FALSE(status.soundEnabled);
    EXPECT_TRUE(status.musicEnabled);
    for (int i = 0; i < soundEffectCount; ++i) {
        EXPECT_EQ(status.playing[static_cast<std::size_t>(i)],
                  i == static_cast<int>(SoundEffectId::TrashDrop))
            << i;
    }
}

TEST_F(AudioTest, RequestedCuesPlayWithTheirRules) {
    playFrom(SoundEffectId::GemFall, 3.0f);
    playFrom(SoundEffectId::PatternShift, 3.0f);
    request(SoundEffectId::GemFall, CueRule::Restart);
    request(SoundEffectId::PatternShift, CueRule::Once);
    request(SoundEffectId::LevelUp, CueRule::Once);
    carryOutRequests(*app);
    EXPECT_LT(sound(SoundEffectId::GemFall).getPlayingOffset().asSeconds(), 1.0f);
    EXPECT_GE(sound(SoundEffectId::PatternShift).getPlayingOffset().asSeconds(), 3.0f);
    EXPECT_EQ(sound(SoundEffectId::LevelUp).getStatus(), sf::SoundSource::Playing);
    EXPECT_EQ(sound(SoundEffectId::Defeat).getStatus(), sf::SoundSource::Stopped);
    EXPECT_EQ(app->game.requests.cueCount, 0);
}

TEST_F(AudioTest, RequestsRefreshTheClockAndStartTheLevelBlink) {
    app->game.secondsLeft = 59;
    app->game.level = 23;
    app->game.requests.clockTicked = true;
    app->game.requests.levelRose = true;
    carryOutRequests(*app);
    const AssetCatalogue& a = app->assets;
    EXPECT_EQ(pictureOf(a.levelClock[4], a, a.digitTextures), '9');
    EXPECT_EQ(pictureOf(a.levelClock[3], a, a.digitTextures), '5');
    EXPECT_EQ(pictureOf(a.levelDigits[0], a, a.digitTextures), '2');
    EXPECT_EQ(pictureOf(a.levelDigits[1], a, a.digitTextures), '3');
    EXPECT_TRUE(blinkActive());
    EXPECT_FALSE(app->game.requests.clockTicked);
    EXPECT_FALSE(app->game.requests.levelRose);
}

TEST_F(AudioTest, PausingTheGamePausesOnlyTheMusic) {
    startPlaying();
    playFrom(SoundEffectId::Alert, 0.0f);
    app->assets.sounds.players->music.setPlayingOffset(sf::seconds(6.0f));
    clickPause();
    EXPECT_TRUE(app->game.paused);
    EXPECT_EQ(music(), sf::SoundSource::Paused);
    EXPECT_EQ(sound(SoundEffectId::Alert).getStatus(), sf::SoundSource::Playing);
    clickPause();
    EXPECT_EQ(music(), sf::SoundSource::Playing);
    EXPECT_GE(musicOffset(), 5.9f);
}

TEST_F(AudioTest, PauseLeavesMusicThatIsSwitchedOffAlone) {
    startPlaying();
    switchMusic(*app);
    clickPause();
    clickPause();
    EXPECT_EQ(music(), sf::SoundSource::Paused) << "resuming the game does not switch the music on";
}

TEST_F(AudioTest, LeavingAPausedGameLeavesTheMusicPausedUntilSwitchedOffAndOn) {
    startPlaying();
    clickPause();
    handleGameButtons(*app, pixelOf(1695 + 35, 57));
    EXPECT_EQ(gameState, Menu);
    EXPECT_EQ(music(), sf::SoundSource::Paused);
    switchMusic(*app);
    switchMusic(*app);
    EXPECT_EQ(music(), sf::SoundSource::Playing);
}

TEST_F(AudioTest, GameEndStopsTheMusicAndTheEndScreenPlaysItOnceFromTheStart) {
    app->assets.sounds.players->music.setPlayingOffset(sf::seconds(5.0f));
    app->game.requests.stopMusic = true;
    carryOutRequests(*app);
    EXPECT_EQ(music(), sf::SoundSource::Stopped);
    gameState = GameEnd;
    updateGameEndScreen(*app);
    EXPECT_EQ(music(), sf::SoundSource::Playing);
    EXPECT_LT(musicOffset(), 1.0f);
    EXPECT_TRUE(app->game.endMusicStarted);
    app->assets.sounds.players->music.setPlayingOffset(sf::seconds(7.0f));
    updateGameEndScreen(*app);
    EXPECT_GE(musicOffset(), 6.9f) << "later frames leave it playing";
}

TEST_F(AudioTest, WithMusicOffTheEndScreenStaysSilentUntilSwitchedOn) {
    switchMusic(*app);
    app->game.requests.stopMusic = true;
    carryOutRequests(*app);
    EXPECT_EQ(music(), sf::SoundSource::Stopped) << "the end stops the music whatever the switch says";
    gameState = GameEnd;
    updateGameEndScreen(*app);
    EXPECT_EQ(music(), sf::SoundSource::Stopped);
    EXPECT_FALSE(app->game.endMusicStarted);
    handleAudioKey(*app, sf::Keyboard::M);
    EXPECT_EQ(music(), sf::SoundSource::Playing);
    EXPECT_LT(musicOffset(), 1.0f);
}

} // namespace
} // namespace viewtest
