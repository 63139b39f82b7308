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

bool writeAll(int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        // Signals do not interrupt reads and writes of plain files; a short write is a full disk.
        const ssize_t wrote = write(fd, data + done, size - done);
        if (wrote <= 0)
            return false;
        done += static_cast<std::size_t>(wrote);
    }
    return true;
}

bool copyContent(int from, int to) {
    char buffer[readChunk];
    ssize_t got = 0;
    while ((got = read(from, buffer, sizeof buffer)) > 0) {
        if (!writeAll(to, buffer, static_cast<std::size_t>(got)))
            return false;
    }
    return got == 0 && fsync(to) == 0;
}

} // namespace

FileState readWholeFile(const std::string& path, std::string& content, std::size_t maxBytes) {
    FileState state = FileState::Missing;
    content.clear();
    const int fd = openPlainFile(path, state);
    if (fd == notOpened)
        return state;
    char buffer[readChunk];
    ssize_t got = 0;
    while (state == FileState::Read && (got = read(fd, buffer, sizeof buffer)) > 0) {
        content.append(buffer, static_cast<std::size_t>(got));
        if (content.size() > maxBytes)
            state = FileState::Oversized;
    }
    close(fd);
    if (got < 0)
        state = FileState::Unreadable;
    if (state != FileState::Read)
        content.clear();
    return state;
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
