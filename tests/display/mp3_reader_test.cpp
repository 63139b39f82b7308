// Tests for the MP3 reader and the game's sound files: effects decode at the length they were made with,
// foreign and damaged files are handled cleanly, and the music loop opens and joins without a jump.
#include "view/mp3_reader.h"

#include <SFML/Audio.hpp>
#include <SFML/System/MemoryInputStream.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr sf::Uint64 mp3FrameSamples = 1152;
constexpr double fullScale = 32767.0;
const char* const effectFiles[] = {"gem_fall.mp3", "pattern_shift.mp3", "applause.mp3", "defeat.mp3",
                                   "alert.mp3",    "trash_drop.mp3",    "level_up.mp3", "level11_up.mp3"};

struct SoundFacts {
    unsigned int rate = 0;
    unsigned int channels = 0;
    sf::Uint64 frames = 0;
};

// What the sound generator wrote down about each file it produced.
std::map<std::string, SoundFacts> readManifest() {
    std::map<std::string, SoundFacts> facts;
    std::ifstream in("tools/audio/sounds.txt");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name;
        SoundFacts entry;
        if (!line.empty() && line[0] != '#' &&
            fields >> name >> entry.rate >> entry.channels >> entry.frames) {
            facts[name] = entry;
        }
    }
    return facts;
}

std::vector<char> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeBytes(const fs::path& path, const std::vector<char>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Reads until the file says it is done, but never far past its announced length.
std::vector<sf::Int16> decodeAll(sf::InputSoundFile& file) {
    constexpr sf::Uint64 chunk = 4096;
    std::vector<sf::Int16> samples;
    std::vector<sf::Int16> buffer(chunk);
    sf::Uint64 got = 0;
    do {
        got = file.read(buffer.data(), chunk);
        samples.insert(samples.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(got));
    } while (got > 0 && samples.size() <= file.getSampleCount() + 2 * chunk);
    return samples;
}

double peakOf(const std::vector<sf::Int16>& samples) {
    int peak = 0;
    for (sf::Int16 s : samples) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    return peak / fullScale;
}

struct TempDir {
    fs::path path;
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "tavrello-mp3-XXXXXX").string();
        path = mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
    }
    ~TempDir() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

// An ID3v2.4 tag of `bodySize` zero bytes (padding), its size written syncsafe.
std::vector<char> id3Tag(std::size_t bodySize) {
    std::vector<char> tag = {'I', 'D', '3', 4, 0, 0};
    for (int shift = 21; shift >= 0; shift -= 7) {
        tag.push_back(static_cast<char>((bodySize >> shift) & 0x7F));
    }
    tag.resize(tag.size() + bodySize, 0);
    return tag;
}

bool probe(const std::vector<char>& bytes) {
    sf::MemoryInputStream stream;
    stream.open(bytes.data(), bytes.size());
    return Mp3Reader::check(stream);
}

// A loud tone, so that its PCM bytes are full of values that look like MPEG frame syncs.
sf::SoundBuffer loudTone() {
    std::vector<sf::Int16> samples(22050);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<sf::Int16>(32000.0 * std::sin(0.07 * static_cast<double>(i)));
    }
    sf::SoundBuffer buffer;
    buffer.loadFromSamples(samples.data(), samples.size(), 1, 44100);
    return buffer;
}

class Mp3ReaderTest : public ::testing::Test {
  protected:
    void SetUp() override { registerMp3Reader(); }
};

TEST_F(Mp3ReaderTest, EveryEffectDecodesAtItsGeneratedRateChannelsAndLength) {
    const auto manifest = readManifest();
    for (const char* name : effectFiles) {
        SCOPED_TRACE(name);
        ASSERT_EQ(manifest.count(name), 1u);
        const SoundFacts& made = manifest.at(name);
        sf::InputSoundFile file;
        ASSERT_TRUE(file.openFromFile(std::string("assets/") + name));
        EXPECT_EQ(file.getSampleRate(), made.rate);
        ASSERT_EQ(file.getChannelCount(), made.channels);
        const sf::Uint64 frames = file.getSampleCount() / made.channels;
        EXPECT_LE(std::max(frames, made.frames) - std::min(frames, made.frames), mp3FrameSamples);
        const std::vector<sf::Int16> samples = decodeAll(file);
        EXPECT_EQ(samples.size(), file.getSampleCount());
        ASSERT_FALSE(samples.empty());
        EXPECT_GT(peakOf(samples), 0.5);                        // levelled near -3 dBFS, not silent
        EXPECT_LT(peakOf(samples), 0.95);                       // and not clipping
        EXPECT_LT(std::abs(samples.front()) / fullScale, 0.02); // faded in: no click on start
        EXPECT_LT(std::abs(samples.back()) / fullScale, 0.02);  // faded out: no click on stop
    }
}

TEST_F(Mp3ReaderTest, SoundBufferLoadsEveryEffectWithItsDuration) {
    const auto manifest = readManifest();
    for (const char* name : effectFiles) {
        SCOPED_TRACE(name);
        ASSERT_EQ(manifest.count(name), 1u);
        sf::SoundBuffer buffer;
        ASSERT_TRUE(buffer.loadFromFile(std::string("assets/") + name));
        const double seconds = static_cast<double>(manifest.at(name).frames) / manifest.at(name).rate;
        const double frameSeconds = static_cast<double>(mp3FrameSamples) / manifest.at(name).rate;
        EXPECT_NEAR(buffer.getDuration().asSeconds(), seconds, frameSeconds);
        EXPECT_GE(seconds, 0.15);
        EXPECT_LE(seconds, 3.0);
    }
}

TEST_F(Mp3ReaderTest, SeekingResumesAtTheRequestedSample) {
    sf::InputSoundFile file;
    ASSERT_TRUE(file.openFromFile("assets/applause.mp3"));
    const std::vector<sf::Int16> whole = decodeAll(file);
    ASSERT_EQ(whole.size(), file.getSampleCount());
    constexpr std::size_t span = 2000;
    for (std::size_t offset : {std::size_t(0), whole.size() / 3, whole.size() / 2 + 7, whole.size() - span}) {
        SCOPED_TRACE(offset);
        file.seek(offset);
        std::vector<sf::Int16> part(span);
        ASSERT_EQ(file.read(part.data(), span), span);
        int worst = 0;
        for (std::size_t i = 0; i < span; ++i) {
            worst = std::max(worst, std::abs(part[i] - whole[offset + i]));
        }
        EXPECT_LE(worst, 2);
    }
}

TEST_F(Mp3ReaderTest, ProbeFindsFramesBehindAnId3TagAndRefusesNonAudio) {
    const std::vector<char> plain = readBytes("assets/level_up.mp3");
    ASSERT_FALSE(plain.empty());
    EXPECT_TRUE(probe(plain));

    std::vector<char> tagged = id3Tag(20000); // larger than the probe looks at, so it must be skipped
    tagged.insert(tagged.end(), plain.begin(), plain.end());
    EXPECT_TRUE(probe(tagged));
    sf::InputSoundFile fromPlain;
    sf::InputSoundFile fromTagged;
    ASSERT_TRUE(fromPlain.openFromMemory(plain.data(), plain.size()));
    ASSERT_TRUE(fromTagged.openFromMemory(tagged.data(), tagged.size()));
    EXPECT_EQ(fromTagged.getSampleCount(), fromPlain.getSampleCount());

    std::vector<char> tagPastEnd = id3Tag(0);
    tagPastEnd[6] = tagPastEnd[7] = tagPastEnd[8] = tagPastEnd[9] = 0x7F;
    tagPastEnd.insert(tagPastEnd.end(), plain.begin(), plain.begin() + 2000);
    EXPECT_FALSE(probe(tagPastEnd));

    const std::string text = "Gems fall one at a time into the board.\n";
    EXPECT_FALSE(probe(std::vector<char>(text.begin(), text.end())));
    EXPECT_FALSE(probe(std::vector<char>()));
    EXPECT_FALSE(probe(std::vector<char>(plain.begin(), plain.begin() + 3)));
}

// A WAV whose samples are, byte for byte, an MP3 file: MPEG frames right behind the RIFF header.
sf::SoundBuffer mp3BytesAsSamples() {
    const std::vector<char> bytes = readBytes("assets/level_up.mp3");
    std::vector<sf::Int16> samples(bytes.size() / 2);
    std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    sf::SoundBuffer buffer;
    buffer.loadFromSamples(samples.data(), samples.size(), 1, 44100);
    return buffer;
}

TEST_F(Mp3ReaderTest, WavOggAndFlacNamedMp3StillLoadThroughSfmlsOwnReaders) {
    TempDir dir;
    ASSERT_FALSE(dir.path.empty());
    const sf::SoundBuffer tone = loudTone();
    const sf::SoundBuffer disguised = mp3BytesAsSamples();
    ASSERT_GT(disguised.getSampleCount(), 0u);
    const std::pair<const char*, const sf::SoundBuffer*> cases[] = {
        {"wav", &tone}, {"ogg", &tone}, {"flac", &tone}, {"wav", &disguised}};
    for (const auto& [extension, source] : cases) {
        SCOPED_TRACE(std::string(extension) + (source == &tone ? " tone" : " mp3 bytes"));
        const fs::path original = dir.path / (std::string("original.") + extension);
        ASSERT_TRUE(source->saveToFile(original.string()));
        const std::vector<char> bytes = readBytes(original);
        EXPECT_FALSE(probe(bytes));
        const fs::path renamed = dir.path / "renamed.mp3";
        writeBytes(renamed, bytes);
        sf::SoundBuffer loaded;
        ASSERT_TRUE(loaded.loadFromFile(renamed.string()));
        EXPECT_EQ(loaded.getSampleCount(), source->getSampleCount());
        EXPECT_EQ(loaded.getSampleRate(), 44100u);
    }
}

TEST_F(Mp3ReaderTest, TruncatedFileDecodesOnlyWhatIsThere) {
    TempDir dir;
    ASSERT_FALSE(dir.path.empty());
    const std::vector<char> whole = readBytes("assets/applause.mp3");
    sf::InputSoundFile full;
    ASSERT_TRUE(full.openFromMemory(whole.data(), whole.size()));

    const fs::path half = dir.path / "half.mp3";
    writeBytes(half, std::vector<char>(whole.begin(), whole.begin() + whole.size() / 2 + 77));
    sf::InputSoundFile cut;
    ASSERT_TRUE(cut.openFromFile(half.string()));
    EXPECT_LT(cut.getSampleCount(), full.getSampleCount() * 3 / 4);
    EXPECT_GT(cut.getSampleCount(), full.getSampleCount() / 4);
    const std::vector<sf::Int16> samples = decodeAll(cut);
    EXPECT_LE(samples.size(), cut.getSampleCount());
    EXPECT_GE(samples.size() + mp3FrameSamples, cut.getSampleCount());

    const fs::path stub = dir.path / "stub.mp3";
    writeBytes(stub, std::vector<char>(whole.begin(), whole.begin() + 3));
    sf::SoundBuffer nothing;
    EXPECT_FALSE(nothing.loadFromFile(stub.string()));
}

TEST_F(Mp3ReaderTest, TextOrNoiseNamedMp3FailsOrStopsCleanly) {
    TempDir dir;
    ASSERT_FALSE(dir.path.empty());
    const fs::path text = dir.path / "x.mp3";
    const std::string words = "Not a sound at all, just words in a file with the wrong name.\n";
    writeBytes(text, std::vector<char>(words.begin(), words.end()));
    sf::SoundBuffer buffer;
    EXPECT_FALSE(buffer.loadFromFile(text.string()));

    // Real frame headers with random payloads: the decoder may reject it or play noise, but must stop.
    const std::vector<char> real = readBytes("assets/gem_fall.mp3");
    ASSERT_GT(real.size(), 4u);
    std::mt19937 random(1234);
    std::vector<char> noise;
    std::vector<char> header(real.begin(), real.begin() + 4);
    header[2] = static_cast<char>(header[2] & ~0x02); // unpadded 128 kbit/s at 44.1 kHz: 417 bytes a frame
    for (int frame = 0; frame < 60; ++frame) {
        noise.insert(noise.end(), header.begin(), header.end());
        for (int i = 0; i < 413; ++i) {
            noise.push_back(static_cast<char>(random() & 0xFF));
        }
    }
    EXPECT_TRUE(probe(noise));
    sf::InputSoundFile file;
    if (file.openFromMemory(noise.data(), noise.size())) {
        EXPECT_LE(decodeAll(file).size(), file.getSampleCount());
    }
}

// Corrupted copies of a real effect (bytes overwritten, runs dropped, cut short) must never make the
// reader crash, read out of bounds (the sanitizers watch) or hand out more samples than it announced.
TEST_F(Mp3ReaderTest, CorruptedCopiesOpenOrFailWithoutOverrunningTheirLength) {
    const std::vector<char> real = readBytes("assets/trash_drop.mp3");
    ASSERT_GT(real.size(), 1000u);
    std::mt19937 random(20240611);
    int opened = 0;
    for (int round = 0; round < 200; ++round) {
        std::vector<char> bytes = real;
        const int damage = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < damage; ++i) {
            bytes[random() % bytes.size()] = static_cast<char>(random() & 0xFF);
        }
        const std::size_t gap = random() % bytes.size();
        bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(gap),
                    bytes.begin() +
                        static_cast<std::ptrdiff_t>(std::min(bytes.size(), gap + random() % 600)));
        bytes.resize(bytes.size() - random() % (bytes.size() / 2));
        sf::InputSoundFile file;
        if (!file.openFromMemory(bytes.data(), bytes.size())) {
            continue;
        }
        ++opened;
        EXPECT_LE(decodeAll(file).size(), file.getSampleCount()) << "round " << round;
    }
    EXPECT_GT(opened, 100); // most damage is local: the decoder should still play the rest
}

TEST_F(Mp3ReaderTest, MusicIsAStereoLoopOfHalfAMinuteToAMinuteThatJoinsWithoutAJump) {
    const auto manifest = readManifest();
    ASSERT_EQ(manifest.count("tavrelloMusic.ogg"), 1u);
    const SoundFacts& made = manifest.at("tavrelloMusic.ogg");
    sf::Music music;
    ASSERT_TRUE(music.openFromFile("assets/tavrelloMusic.ogg"));
    const float seconds = music.getDuration().asSeconds();
    EXPECT_GE(seconds, 30.0f);
    EXPECT_LE(seconds, 60.0f);
    EXPECT_NEAR(seconds, static_cast<double>(made.frames) / made.rate, 0.001);
    EXPECT_EQ(music.getChannelCount(), made.channels);

    sf::InputSoundFile file;
    ASSERT_TRUE(file.openFromFile("assets/tavrelloMusic.ogg"));
    const std::vector<sf::Int16> samples = decodeAll(file);
    ASSERT_EQ(samples.size(), file.getSampleCount());
    ASSERT_GT(samples.size(), 4u);
    EXPECT_GT(peakOf(samples), 0.8); // levelled near -1 dBFS so it is heard at a low volume
    double stepSum = 0.0;
    for (std::size_t i = 2; i < samples.size(); ++i) {
        stepSum += std::abs(samples[i] - samples[i - 2]);
    }
    const double meanStep = stepSum / static_cast<double>(samples.size() - 2);
    const std::size_t last = samples.size() - 2;
    for (std::size_t channel = 0; channel < 2; ++channel) {
        EXPECT_LT(std::abs(samples[channel] - samples[last + channel]), 3.0 * meanStep);
    }
}

} // namespace
