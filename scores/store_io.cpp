// Reads and copies of the high-score file that never block on a special file in its place, never hold
// more than a bounded amount in memory, and never overwrite a file that exists.
#include "store_io.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t readChunk = 4096;
// What open() returns when it fails.
constexpr int notOpened = -1;

// Non-blocking, so that a pipe in the file's place cannot hang the game; only plain files count.
int openPlainFile(const std::string& path, FileState& state) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd == notOpened) {
        state = errno == ENOENT ? FileState::Missing : FileState::Unreadable;
        return notOpened;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        state = FileState::Unreadable;
        return notOpened;
    }
    state = FileState::Read;
    return fd;
}

// Plain files take a write of this size whole; a shorter write means the disk is full.
bool writeAll(int fd, const char* data, std::size_t size) {
    return write(fd, data, size) == static_cast<ssize_t>(size);
}

bool copyContent(int from, int to) {
    char buffer[readChunk];
    ssize_t got = read(from, buffer, sizeof buffer);
    for (; got > 0; got = read(from, buffer, sizeof buffer)) {
        if (!writeAll(to, buffer, static_cast<std::size_t>(got)))
            return false;
    }
    return got == 0 && fsync(to) == 0;
}

} // namespace

FileState readWholeFile(const std::string& path, std::string& content, std::size_t maxBytes) {
    FileState state = FileState::Missing;
    const int fd = openPlainFile(path, state);
    if (fd == notOpened)
        return state;
    char buffer[readChunk];
    ssize_t got = read(fd, buffer, sizeof buffer);
    for (; got > 0 && content.size() <= maxBytes; got = read(fd, buffer, sizeof buffer))
        content.append(buffer, static_cast<std::size_t>(got));
    close(fd);
    if (got < 0)
        return FileState::Unreadable;
    return content.size() > maxBytes ? FileState::Oversized : FileState::Read;
}

FileState probeFile(const std::string& path, bool& empty) {
    FileState state = FileState::Missing;
    const int fd = openPlainFile(path, state);
    if (fd == notOpened)
        return state;
    char first = 0;
    empty = read(fd, &first, 1) == 0;
    close(fd);
    return state;
}

CopyOutcome copyToNewFile(const std::string& from, const std::string& to) {
    FileState state = FileState::Missing;
    const int source = openPlainFile(from, state);
    if (source == notOpened)
        return CopyOutcome::Failed;
    const int copy = open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (copy == notOpened) {
        const bool taken = errno == EEXIST;
        close(source);
        return taken ? CopyOutcome::NameTaken : CopyOutcome::Failed;
    }
    const bool copied = copyContent(source, copy);
    const bool closed = close(copy) == 0;
    close(source);
    if (copied && closed)
        return CopyOutcome::Copied;
    unlink(to.c_str());
    return CopyOutcome::Failed;
}

bool writeAllAndSync(int fd, const std::string& content) {
    return writeAll(fd, content.data(), content.size()) && fsync(fd) == 0;
}
