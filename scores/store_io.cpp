// Whole-file reads, crash-safe whole-file rewrites and one-line diagnostics for the high-score store.
#include "store_io.h"

#include <cstdio>
#include <ostream>

#include <unistd.h>

namespace {

constexpr std::size_t readChunk = 4096;
const std::string temporarySuffix = ".tmp";

bool writeAll(std::FILE* file, const std::string& content) {
    if (!content.empty() && std::fwrite(content.data(), 1, content.size(), file) != content.size())
        return false;
    if (std::fflush(file) != 0)
        return false;
    // Without this the rename could reach the disk before the data does, and a power cut would leave an
    // empty file in place of both versions.
    return fsync(fileno(file)) == 0;
}

// Removes a partly written file again, but never touches what it could not open (a directory there).
bool writeNewFile(const std::string& path, const std::string& content) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = writeAll(file, content);
    const bool closed = std::fclose(file) == 0;
    if (written && closed)
        return true;
    std::remove(path.c_str());
    return false;
}

} // namespace

bool readWholeFile(const std::string& path, std::string& content) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return false;
    content.clear();
    char buffer[readChunk];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        content.append(buffer, got);
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    return !failed;
}

std::string temporaryPathFor(const std::string& path) {
    return path + temporarySuffix;
}

bool replaceFileContent(const std::string& path, const std::string& content) {
    const std::string temporary = temporaryPathFor(path);
    if (!writeNewFile(temporary, content))
        return false;
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

void reportLine(std::ostream& stream, const std::string& text) {
    stream << text << '\n' << std::flush;
}
