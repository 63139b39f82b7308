// MP3 decoding for SFML's audio module, which reads only WAV, OGG and FLAC by itself: a sound file
// reader on libmpg123 that SFML picks for any stream holding MPEG audio frames.
#pragma once

#include <SFML/Audio/SoundFileReader.hpp>

struct mpg123_handle_struct;

// SFML creates and drives its readers through this interface: the one place the game derives a class.
class Mp3Reader : public sf::SoundFileReader {
  public:
    // True if the stream (after an optional ID3v2 tag) starts with MPEG audio frames; WAV, OGG and
    // FLAC streams are refused so that SFML's own readers keep them.
    static bool check(sf::InputStream& stream);

    Mp3Reader() = default;
    Mp3Reader(const Mp3Reader&) = delete;
    Mp3Reader& operator=(const Mp3Reader&) = delete;
    ~Mp3Reader() override;

    bool open(sf::InputStream& stream, Info& info) override;
    void seek(sf::Uint64 sampleOffset) override;
    sf::Uint64 read(sf::Int16* samples, sf::Uint64 maxCount) override;

  private:
    mpg123_handle_struct* handle = nullptr;
    unsigned int channels = 0;
    long sampleRate = 0;
    sf::Uint64 sampleCount = 0; // as announced by open(); reads never go past it
    sf::Uint64 position = 0;    // next sample to be read
};

// Makes SFML's sound buffers, sound files and music accept MP3 files. Safe to call any number of times;
// call it before the first sound is loaded.
void registerMp3Reader();
