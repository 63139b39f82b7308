// MP3 decoding for SFML: stream probing (ID3v2 skip, MPEG frame headers) and a libmpg123-backed reader.
#include "view/mp3_reader.h"

#include <SFML/Audio/SoundFileFactory.hpp>
#include <SFML/System/InputStream.hpp>

#include <mpg123.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t id3HeaderSize = 10;
constexpr std::size_t probeWindow = 8192;
constexpr std::size_t syncSearchSpan = 4096; // a frame found here is followed by its successor in the window
constexpr int maxIdleReads = 8;              // reads that give no samples before a read gives up
constexpr std::size_t sampleBytes = sizeof(sf::Int16);

struct FrameHeader {
    int version = 0; // 3 MPEG-1, 2 MPEG-2, 0 MPEG-2.5
    int layer = 0;   // 1, 2 or 3
    long sampleRate = 0;
    std::size_t length = 0; // bytes, header included
};

// Bit rates in kbit/s by [MPEG-1 or not][layer - 1][index]; index 0 (free format) and 15 are refused.
constexpr int bitRates[2][3][15] = {{{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
                                     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
                                     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
                                    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
                                     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
                                     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};
constexpr long mpeg1Rates[3] = {44100, 48000, 32000};

std::size_t frameLength(const FrameHeader& header, int bitRate, int padding) {
    const long bitsPerSecond = bitRate * 1000L;
    if (header.layer == 1) {
        return static_cast<std::size_t>((12 * bitsPerSecond / header.sampleRate + padding) * 4);
    }
    const long factor = (header.layer == 3 && header.version != 3) ? 72 : 144;
    return static_cast<std::size_t>(factor * bitsPerSecond / header.sampleRate + padding);
}

bool parseFrameHeader(const unsigned char* bytes, FrameHeader& header) {
    if (bytes[0] != 0xFF || (bytes[1] & 0xE0) != 0xE0) {
        return false;
    }
    header.version = (bytes[1] >> 3) & 3;
    header.layer = 4 - ((bytes[1] >> 1) & 3);
    const int bitRateIndex = bytes[2] >> 4;
    const int rateIndex = (bytes[2] >> 2) & 3;
    const bool bad = header.version == 1 || header.layer == 4 || bitRateIndex == 0 || bitRateIndex == 15 ||
                     rateIndex == 3 || (bytes[3] & 3) == 2;
    if (bad) {
        return false;
    }
    const int shift = header.version == 3 ? 0 : (header.version == 2 ? 1 : 2);
    header.sampleRate = mpeg1Rates[rateIndex] >> shift;
    const int bitRate = bitRates[header.version == 3 ? 0 : 1][header.layer - 1][bitRateIndex];
    header.length = frameLength(header, bitRate, (bytes[2] >> 1) & 1);
    return true;
}

bool sameStream(const FrameHeader& a, const FrameHeader& b) {
    return a.version == b.version && a.layer == b.layer && a.sampleRate == b.sampleRate;
}

// A frame counts if the next one follows right after it, or if it runs to the end of a short stream.
bool framesStartAt(const std::vector<unsigned char>& bytes, std::size_t at, bool streamEnded) {
    FrameHeader first;
    if (!parseFrameHeader(&bytes[at], first)) {
        return false;
    }
    const std::size_t next = at + first.length;
    if (next + 4 <= bytes.size()) {
        FrameHeader second;
        return parseFrameHeader(&bytes[next], second) && sameStream(first, second);
    }
    return streamEnded;
}

bool startsWith(const std::vector<unsigned char>& bytes, const char* magic) {
    const std::size_t size = std::strlen(magic);
    return bytes.size() >= size && std::memcmp(bytes.data(), magic, size) == 0;
}

// Bytes before the audio: a whole ID3v2 tag (syncsafe size, optional footer), or none.
sf::Int64 id3TagSize(const std::vector<unsigned char>& head) {
    if (head.size() < id3HeaderSize || !startsWith(head, "ID3")) {
        return 0;
    }
    sf::Int64 size = 0;
    for (std::size_t i = 6; i < id3HeaderSize; ++i) {
        size = (size << 7) | (head[i] & 0x7F);
    }
    const bool footer = (head[5] & 0x10) != 0;
    return static_cast<sf::Int64>(id3HeaderSize) + size +
           (footer ? static_cast<sf::Int64>(id3HeaderSize) : 0);
}

std::vector<unsigned char> readUpTo(sf::InputStream& stream, std::size_t count) {
    std::vector<unsigned char> bytes(count);
    const sf::Int64 got = stream.read(bytes.data(), static_cast<sf::Int64>(count));
    bytes.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return bytes;
}

mpg123_ssize_t readFromStream(void* source, void* buffer, std::size_t bytes) {
    const sf::Int64 got = static_cast<sf::InputStream*>(source)->read(buffer, static_cast<sf::Int64>(bytes));
    return got < 0 ? -1 : static_cast<mpg123_ssize_t>(got);
}

off_t seekInStream(void* source, off_t offset, int whence) {
    auto* stream = static_cast<sf::InputStream*>(source);
    sf::Int64 base = 0;
    if (whence == SEEK_CUR) {
        base = stream->tell();
    } else if (whence == SEEK_END) {
        base = stream->getSize();
    }
    const sf::Int64 target = base + static_cast<sf::Int64>(offset);
    if (base < 0 || target < 0) {
        return -1;
    }
    const sf::Int64 reached = stream->seek(target);
    return reached < 0 ? -1 : static_cast<off_t>(reached);
}

bool libraryReady() {
    static const bool ready = mpg123_init() == MPG123_OK;
    return ready;
}

// Quiet, and 16-bit signed samples whatever the file's rate and channel count.
bool configure(mpg123_handle* handle) {
    if (mpg123_param(handle, MPG123_ADD_FLAGS, MPG123_QUIET, 0.0) != MPG123_OK ||
        mpg123_format_none(handle) != MPG123_OK) {
        return false;
    }
    const long* rates = nullptr;
    std::size_t rateCount = 0;
    mpg123_rates(&rates, &rateCount);
    for (std::size_t i = 0; i < rateCount; ++i) {
        if (mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK) {
            return false;
        }
    }
    return mpg123_replace_reader_handle(handle, readFromStream, seekInStream, nullptr) == MPG123_OK;
}

// A damaged stream may switch rate or channel count part-way; its later samples could not be told apart.
bool formatUnchanged(mpg123_handle* handle, long sampleRate, unsigned int channels) {
    long rate = 0;
    int channelCount = 0;
    int encoding = 0;
    return mpg123_getformat(handle, &rate, &channelCount, &encoding) == MPG123_OK && rate == sampleRate &&
           static_cast<unsigned int>(channelCount) == channels && encoding == MPG123_ENC_SIGNED_16;
}

void release(mpg123_handle*& handle) {
    if (handle == nullptr) {
        return;
    }
    mpg123_close(handle);
    mpg123_delete(handle);
    handle = nullptr;
}

} // namespace

bool Mp3Reader::check(sf::InputStream& stream) {
    std::vector<unsigned char> head = readUpTo(stream, id3HeaderSize);
    if (startsWith(head, "RIFF") || startsWith(head, "OggS") || startsWith(head, "fLaC")) {
        return false;
    }
    const sf::Int64 audioStart = id3TagSize(head);
    if (stream.seek(audioStart) != audioStart) {
        return false;
    }
    const std::vector<unsigned char> bytes = readUpTo(stream, probeWindow);
    const bool streamEnded = bytes.size() < probeWindow;
    for (std::size_t at = 0; at + 4 <= bytes.size() && at < syncSearchSpan; ++at) {
        if (framesStartAt(bytes, at, streamEnded)) {
            return true;
        }
    }
    return false;
}

Mp3Reader::~Mp3Reader() {
    release(handle);
}

bool Mp3Reader::open(sf::InputStream& stream, Info& info) {
    release(handle);
    if (!libraryReady()) {
        return false;
    }
    handle = mpg123_new(nullptr, nullptr);
    if (handle == nullptr || !configure(handle) || mpg123_open_handle(handle, &stream) != MPG123_OK ||
        mpg123_scan(handle) != MPG123_OK) {
        release(handle);
        return false;
    }
    int channelCount = 0;
    int encoding = 0;
    const off_t frames = mpg123_length(handle);
    const bool usable = mpg123_getformat(handle, &sampleRate, &channelCount, &encoding) == MPG123_OK &&
                        encoding == MPG123_ENC_SIGNED_16 && channelCount >= 1 && channelCount <= 2 &&
                        sampleRate > 0 && frames > 0;
    if (!usable) {
        release(handle);
        return false;
    }
    channels = static_cast<unsigned int>(channelCount);
    info.channelCount = channels;
    info.sampleRate = static_cast<unsigned int>(sampleRate);
    sampleCount = static_cast<sf::Uint64>(frames) * channels;
    position = 0;
    info.sampleCount = sampleCount;
    return true;
}

void Mp3Reader::seek(sf::Uint64 sampleOffset) {
    if (handle == nullptr) {
        return;
    }
    const sf::Uint64 frame = std::min(sampleOffset, sampleCount) / channels;
    const off_t reached = mpg123_seek(handle, static_cast<off_t>(frame), SEEK_SET);
    position = reached >= 0 ? static_cast<sf::Uint64>(reached) * channels : sampleCount;
}

// Stops at the announced length, at the end of the stream, on a decoding error, or on a format change.
// Damaged streams can decode to more frames than the length scan found; those extra samples are dropped.
sf::Uint64 Mp3Reader::read(sf::Int16* samples, sf::Uint64 maxCount) {
    if (handle == nullptr) {
        return 0;
    }
    const sf::Uint64 wanted = std::min(maxCount, sampleCount - position);
    sf::Uint64 total = 0;
    int idle = 0;
    while (total < wanted && idle < maxIdleReads) {
        std::size_t done = 0;
        const int result = mpg123_read(handle, samples + total, (wanted - total) * sampleBytes, &done);
        total += done / sampleBytes;
        idle = done == 0 ? idle + 1 : 0;
        const bool goOn = result == MPG123_OK ||
                          (result == MPG123_NEW_FORMAT && formatUnchanged(handle, sampleRate, channels));
        if (!goOn) {
            break;
        }
    }
    position += total;
    return total;
}

void registerMp3Reader() {
    static const bool registered = [] {
        sf::SoundFileFactory::registerReader<Mp3Reader>();
        return true;
    }();
    static_cast<void>(registered);
}
