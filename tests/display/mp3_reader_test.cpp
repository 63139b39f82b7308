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

TEST_F(Mp3ReaderTest, EveryEffectDecodesAtItsGeneratedLengthAndLevelAndSeeksToAnySample) {
    std::ifstream made("tools/audio/sounds.txt"); // each file's rate, channels and frames as generated
    made.ignore(1000, '\n');
    std::string name;
    unsigned rate = 0, channels = 0;
    sf::Uint64 frames = 0;
    int effects = 0;
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
    EXPECT_EQ(effects, 8);
}

TEST_F(Mp3ReaderTest, ProbeFindsFramesBehindAnId3TagAndRefusesEverythingElse) {
    const Bytes plain = readBytes("assets/level_up.mp3");
    Bytes tagged = {'I', 'D', '3', 4, 0, 0, 0, 1, 28, 32}; // 20000 bytes of padding, more than a probe reads
    tagged.resize(tagged.size() + 20000, 0);
    tagged.insert(tagged.end(), plain.begin(), plain.end());
    const std::string text = "Gems fall one at a time into the board.\n";
    const auto probe = [](const Bytes& bytes) {
        sf::MemoryInputStream stream;
        stream.open(bytes.data(), bytes.size());
        return Mp3Reader::check(stream);
    };
    EXPECT_TRUE(probe(plain) && probe(tagged) && opensWithinItsLength(tagged));
    for (const Bytes& refused : {Bytes(text.begin(), text.end()), Bytes()}) {
        EXPECT_FALSE(probe(refused) || opensWithinItsLength(refused)) << refused.size() << " bytes";
    }
}

TEST_F(Mp3ReaderTest, TruncatedFilesDecodeOnlyWhatIsThereAndGarbageFailsOrStops) {
    const Bytes whole = readBytes("assets/applause.mp3");
    const Bytes half(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(whole.size() / 2 + 77));
    sf::InputSoundFile cut;
    ASSERT_TRUE(cut.openFromMemory(half.data(), half.size()));
    const std::size_t decoded = decodeAll(cut).size();
    EXPECT_TRUE(decoded <= cut.getSampleCount() && decoded + mp3FrameSamples >= cut.getSampleCount());
    EXPECT_TRUE(decoded > 132300 / 4 && decoded < 132300 * 3 / 4) << "of the whole file's 132300 samples";
    // Damaged copies: bytes overwritten, cut short. The sanitizers watch the reads.
    std::mt19937 random(1234);
    int opened = 0;
    for (int round = 0; round < 200; ++round) {
        Bytes bytes = whole;
        for (int i = 1 + static_cast<int>(random() % 40); i > 0; --i) {
            bytes[random() % bytes.size()] = static_cast<char>(random() & 0xFF);
        }
        bytes.resize(bytes.size() - random() % (bytes.size() / 2));
        opened += opensWithinItsLength(bytes);
    }
    EXPECT_GT(opened, 100) << "most damage is local: the rest still plays";
}

} // namespace
