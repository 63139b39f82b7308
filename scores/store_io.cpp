// Reads, copies and writes of the high-score file that never block on a special file in its place, never
// hold more than a bounded amount in memory, never overwrite a file that exists, and say why they failed.
#include "store_io.h"

#include <cctype>
#include <cerrno>
#include <cstring>

#include "platform.h"

namespace {

constexpr std::size_t readChunk = 4096;

// Only plain files count.
int openPlainFile(const std::string& path, FileState& state) {
    const int fd = openForReading(path);
    if (fd == notOpened) {
        state = errno == ENOENT ? FileState::Missing : FileState::Unreadable;
        return notOpened;
    }
    if (!isPlainFile(fd)) {
        closeFile(fd);
        state = FileState::Unreadable;
        return notOpened;
    }
    state = FileState::Read;
    return fd;
}

// A write may take fewer bytes than asked (a signal, a nearly full disk); the rest is written again,
// and a full disk then reports itself on the next write.
WriteError writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const long written = writeSome(fd, data, size);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errorAt("write") : WriteError{"write", ENOSPC};
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return WriteError{};
}

WriteError copyContent(int from, int to) {
    char buffer[readChunk];
    long got = readSome(from, buffer, sizeof buffer);
    for (; got > 0; got = readSome(from, buffer, sizeof buffer)) {
        const WriteError error = writeAll(to, buffer, static_cast<std::size_t>(got));
        if (failed(error))
            return error;
    }
    if (got < 0)
        return errorAt("read");
    return flushToDisk(to) ? WriteError{} : errorAt("fsync");
}

} // namespace

WriteError errorAt(const std::string& step) {
    return WriteError{step, errno == 0 ? EIO : errno};
}

std::string describe(const WriteError& error) {
    std::string cause = std::strerror(error.code);
    if (!cause.empty())
        cause[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(cause[0])));
    return error.step + ": " + cause;
}

std::string causeForPlayer(const WriteError& error) {
    switch (error.code) {
    case ENOSPC:
#ifdef EDQUOT // a quota; Windows reports it as a full disk
    case EDQUOT:
#endif
    case EFBIG:
        return "the disk is full";
    case EACCES:
    case EPERM:
    case EROFS:
        return error.step == "create" ? "the folder is read-only" : "the file is read-only";
    case EWOULDBLOCK:
        return "another copy of the game holds the file";
    default:
        return "the file cannot be written";
    }
}

FileState readWholeFile(const std::string& path, std::string& content, std::size_t maxBytes) {
    FileState state = FileState::Missing;
    const int fd = openPlainFile(path, state);
    if (fd == notOpened)
        return state;
    char buffer[readChunk];
    long got = readSome(fd, buffer, sizeof buffer);
    for (; got > 0 && content.size() <= maxBytes; got = readSome(fd, buffer, sizeof buffer))
        content.append(buffer, static_cast<std::size_t>(got));
    closeFile(fd);
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
    empty = readSome(fd, &first, 1) == 0;
    closeFile(fd);
    return state;
}

WriteError copyToNewFile(const std::string& from, const std::string& to) {
    FileState state = FileState::Missing;
    const int source = openPlainFile(from, state);
    if (source == notOpened)
        return errorAt("open");
    const int copy = createNewFile(to);
    if (copy == notOpened) {
        const WriteError error = errorAt("create");
        closeFile(source);
        return error;
    }
    WriteError error = copyContent(source, copy);
    if (!closeFile(copy) && !failed(error))
        error = errorAt("close");
    closeFile(source);
    if (failed(error))
        removeFile(to);
    return error;
}

WriteError writeAllAndSync(int fd, const std::string& content) {
    const WriteError error = writeAll(fd, content.data(), content.size());
    if (failed(error))
        return error;
    return flushToDisk(fd) ? WriteError{} : errorAt("fsync");
}
