// The high-score store's file access on Linux and other POSIX systems.
#ifndef _WIN32

#include "platform.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Plain characters, so that they hold before any constructor runs.
constexpr char lockSuffix[] = ".lock";
constexpr char temporaryPattern[] = ".tmp.XXXXXX";
constexpr std::size_t temporaryPrefixSize = 5; // ".tmp."
// The kernel's own limit on links followed in one lookup.
constexpr int maxLinkHops = 40;
constexpr mode_t permissionBits = 07777;
constexpr mode_t newFileMode = 0666;

// Without this the rename could still be lost in a power cut, bringing the old file back.
void syncFolderOf(const std::string& file) {
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd == notOpened)
        return;
    fsync(fd);
    close(fd);
}

} // namespace

int openForReading(const std::string& path) {
    return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

int openForRewrite(const std::string& path) {
    return open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
}

int createNewFile(const std::string& path) {
    return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, newFileMode);
}

int createTemporaryBeside(const std::string& path, std::string& temporary) {
    temporary = path + temporaryPattern;
    return mkostemp(temporary.data(), O_CLOEXEC);
}

void removeLeftoverTemporaries(const std::string& path) {
    const std::filesystem::path file(path);
    const std::string name = file.filename().string();
    const std::string prefix = name + std::string(temporaryPattern, temporaryPrefixSize);
    std::error_code unlisted;
    for (const auto& entry : std::filesystem::directory_iterator(
             file.parent_path().empty() ? "." : file.parent_path(), unlisted)) {
        const std::string other = entry.path().filename().string();
        if (other.size() == name.size() + sizeof temporaryPattern - 1 && other.rfind(prefix, 0) == 0)
            unlink(entry.path().c_str());
    }
}

long readSome(int fd, char* buffer, std::size_t size) {
    return static_cast<long>(read(fd, buffer, size));
}

long writeSome(int fd, const char* data, std::size_t size) {
    return static_cast<long>(write(fd, data, size));
}

bool flushToDisk(int fd) {
    return fsync(fd) == 0;
}

bool truncateToEmpty(int fd) {
    return ftruncate(fd, 0) == 0;
}

bool closeFile(int fd) {
    return close(fd) == 0;
}

bool isPlainFile(int fd) {
    struct stat info {};
    return fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
}

void removeFile(const std::string& path) {
    unlink(path.c_str());
}

std::string followLinks(const std::string& path) {
    std::filesystem::path current = path;
    for (int hop = 0; hop < maxLinkHops; ++hop) {
        std::error_code notALink;
        const std::filesystem::path next = std::filesystem::read_symlink(current, notALink);
        if (notALink)
            break;
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    return current.string();
}

FileFacts factsOf(const std::string& path) {
    FileFacts facts;
    struct stat info {};
    facts.exists = stat(path.c_str(), &info) == 0;
    facts.permissions = info.st_mode & permissionBits;
    const int fd = facts.exists && S_ISREG(info.st_mode) ? openForRewrite(path) : notOpened;
    facts.writablePlainFile = fd != notOpened;
    if (fd != notOpened)
        close(fd);
    return facts;
}

bool copyPermissions(int fd, const FileFacts* old) {
    if (old != nullptr)
        return fchmod(fd, old->permissions) == 0;
    // mkstemp makes files only their owner reads; a new file gets what the player's umask allows.
    const mode_t mask = umask(0);
    umask(mask);
    return fchmod(fd, newFileMode & ~mask) == 0;
}

bool replaceFile(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
        return false;
    syncFolderOf(to);
    return true;
}

std::string withSystemLineEnds(const std::string& text) {
    return text;
}

int openLockFile(const std::string& path) {
    const int fd = open((path + lockSuffix).c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, newFileMode);
    if (fd != notOpened || (errno != EACCES && errno != EROFS))
        return fd;
    return open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
}

// Locks of the open file, not of the process: closing another descriptor of the same file (as a read
// of the file itself does) leaves them held.
namespace {

int setByteLock(int fd, int byte, short type) {
    struct flock region {};
    region.l_type = type;
    region.l_whence = SEEK_SET;
    region.l_start = byte;
    region.l_len = 1;
    return fcntl(fd, F_OFD_SETLK, &region);
}

} // namespace

bool tryLockByte(int fd, int byte) {
    if (setByteLock(fd, byte, F_WRLCK) == 0)
        return true;
    if (errno == EAGAIN || errno == EACCES)
        errno = EWOULDBLOCK;
    return false;
}

void unlockByte(int fd, int byte) {
    setByteLock(fd, byte, F_UNLCK);
}

#endif
