// The MP3 reader on the game's own sound files and on truncated, damaged and foreign files: each opens at
// its real length or fails cleanly, never handing out more samples than it announced.
#include "view/mp3_reader.h"

#include <SFML/Audio.hpp>
#include <SFML/System/MemoryInputStream.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>

namespace {

using Bytes = std::vector<char>;
using Samples = std::vector<sf::Int16>;
constexpr sf::Uint64 mp3FrameSamples = 1152;

Bytes readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Reads until the file says it is done, but never far past its announced length.
Samples decodeAll(sf::InputSoundFile& file) {
    Samples samples, chunk(4096);
    sf::Uint64 got = 0;
    do {
        got = file.read(chunk.data(), chunk.size());
        samples.insert(samples.end(), chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(got));
    } while (got > 0 && samples.size() <= file.getSampleCount() + 2 * chunk.size());
    return samples;
}

bool probe(const Bytes& bytes) {
    sf::MemoryInputStream stream;
    stream.open(bytes.data(), bytes.size());
    return Mp3Reader::check(stream);
}

// Opened from memory: false when refused, else true with every sample within the announced count.
bool opensWithinItsLength(const Bytes& bytes) {
    sf::InputSoundFile file;
    const bool opened = file.openFromMemory(bytes.data(), bytes.size());
    EXPECT_TRUE(!opened || decodeAll(file).size() <= file.getSampleCount());
    return opened;
}

class Mp3ReaderTest : public ::testing::Test {
  protected:
    void SetUp() override { registerMp3Reader(); }
};

TEST_F(Mp3ReaderTest, EveryEffectDecodesAtItsGeneratedLengthFadedAndLevelledAndSeeksToAnySample) {
    std::ifstream made("tools/audio/sounds.txt"); // each file's rate, channels and frames as generated
    made.ignore(1000, '\n');
    std::string name;
    unsigned rate = 0, channels = 0;
    sf::Uint64 frames = 0;
    int effects = 0;
    while (made >> name >> rate >> channels >> frames) {
        if (name.size() < 4 || name.substr(name.size() - 4) != ".mp3") {
            continue;
        }
        ++effects;
        sf::InputSoundFile file;
        sf::SoundBuffer buffer;
        ASSERT_TRUE(file.openFromFile("assets/" + name)) << name;
        ASSERT_TRUE(buffer.loadFromFile("assets/" + name)) << name;
        EXPECT_EQ(std::tuple(file.getSampleRate(), file.getChannelCount(), buffer.getSampleCount()),
                  std::tuple(rate, channels, file.getSampleCount()))
            << name;
        const sf::Uint64 decodedFrames = file.getSampleCount() / channels;
        EXPECT_LE(std::max(decodedFrames, frames) - std::min(decodedFrames, frames), mp3FrameSamples) << name;
        const Samples samples = decodeAll(file);
        ASSERT_EQ(samples.size(), file.getSampleCount()) << name;
        const auto [low, high] = std::minmax_element(samples.begin(), samples.end());
        const double peak = std::max(-*low, static_cast<int>(*high)) / 32767.0;
        EXPECT_TRUE(peak > 0.5 && peak < 0.95) << name << ": near -3 dBFS";
        EXPECT_TRUE(std::abs(samples.front()) < 655 && std::abs(samples.back()) < 655) << name << ": faded";
        constexpr std::size_t span = 2000;
        for (std::size_t at :
             {samples.size() / 3, samples.size() / 2 + 7, samples.size() - span, std::size_t(0)}) {
            file.seek(at);
            Samples part(span);
            ASSERT_EQ(file.read(part.data(), span), span) << name << " at " << at;
            for (std::size_t i = 0; i < span; i += 97) {
                ASSERT_LE(std::abs(part[i] - samples[at + i]), 2) << name << " at " << at + i;
            }
        }
    }
    EXPECT_EQ(effects, 8);
}

TEST_F(Mp3ReaderTest, ProbeFindsFramesBehindAnId3TagAndRefusesEverythingElse) {
    const Bytes plain = readBytes("assets/level_up.mp3");
    Bytes tagged = {'I', 'D', '3', 4, 0, 0, 0, 1, 28, 32}; // 20000 bytes of padding, more than a probe reads
    tagged.resize(tagged.size() + 20000, 0);
    tagged.insert(tagged.end(), plain.begin(), plain.end());
    Bytes tagPastEnd = {'I', 'D', '3', 4, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F};
    tagPastEnd.insert(tagPastEnd.end(), plain.begin(), plain.begin() + 2000);
    const std::string text = "Gems fall one at a time into the board.\n";
    sf::InputSoundFile fromPlain, fromTagged;
    EXPECT_TRUE(probe(plain) && probe(tagged));
    ASSERT_TRUE(fromPlain.openFromMemory(plain.data(), plain.size()));
    ASSERT_TRUE(fromTagged.openFromMemory(tagged.data(), tagged.size()));
    EXPECT_EQ(fromTagged.getSampleCount(), fromPlain.getSampleCount());
    for (const Bytes& refused :
         {tagPastEnd, Bytes(text.begin(), text.end()), Bytes(), Bytes(plain.begin(), plain.begin() + 3)}) {
        EXPECT_FALSE(probe(refused) || opensWithinItsLength(refused)) << refused.size() << " bytes";
    }
}

TEST_F(Mp3ReaderTest, TruncatedFilesDecodeOnlyWhatIsThereAndGarbageFailsOrStops) {
    const Bytes whole = readBytes("assets/applause.mp3");
    const Bytes half(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2 + 77));
    sf::InputSoundFile full, cut;
    ASSERT_TRUE(full.openFromMemory(whole.data(), whole.size()));
    ASSERT_TRUE(cut.openFromMemory(half.data(), half.size()));
    EXPECT_TRUE(cut.getSampleCount() > full.getSampleCount() / 4 &&
                cut.getSampleCount() < full.getSampleCount() * 3 / 4);
    const std::size_t decoded = decodeAll(cut).size();
    EXPECT_TRUE(decoded <= cut.getSampleCount() && decoded + mp3FrameSamples >= cut.getSampleCount());
    // Damaged copies: bytes overwritten, a run dropped, cut short. The sanitizers watch the reads.
    std::mt19937 random(1234);
    int opened = 0;
    for (int round = 0; round < 200; ++round) {
        Bytes bytes = whole;
        for (int i = 1 + static_cast<int>(random() % 40); i > 0; --i) {
            bytes[random() % bytes.size()] = static_cast<char>(random() & 0xFF);
        }
        const std::size_t gap = random() % bytes.size();
        bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(gap),
                    bytes.begin() +
                        static_cast<std::ptrdiff_t>(std::min(bytes.size(), gap + random() % 600)));
        bytes.resize(bytes.size() - random() % (bytes.size() / 2));
        opened += opensWithinItsLength(bytes);
    }
    EXPECT_GT(opened, 100) << "most damage is local: the rest still plays";
}

} // namespace
