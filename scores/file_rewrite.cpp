// Whole-file rewrites of the high-score file that a crash, a full disk or the file's own permissions
// cannot turn into a lost or a replaced file.
#include "file_rewrite.h"

#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store_io.h"

namespace {

const std::string temporarySuffix = ".tmp";
// The kernel's own limit on links followed in one lookup.
constexpr int maxLinkHops = 40;
constexpr mode_t permissionBits = 07777;
// What open() returns when it fails.
constexpr int notOpened = -1;

enum class Outcome { Replaced, FolderLocked, Failed };

// The file a chain of symbolic links ends at, also when that file does not exist yet.
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

// Without this the rename could still be lost in a power cut, bringing the old file back.
void syncFolderOf(const std::string& file) {
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd == notOpened)
        return;
    fsync(fd);
    close(fd);
}

bool isWritableFile(const std::string& path) {
    const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd == notOpened)
        return false;
    close(fd);
    return true;
}

// old is the file being replaced, or nullptr when there is none yet.
Outcome replaceThroughTemporary(const std::string& target, const std::string& content,
                                const struct stat* old) {
    const std::string temporary = temporaryPathFor(target);
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd == notOpened)
        return errno == EACCES ? Outcome::FolderLocked : Outcome::Failed;
    const bool kept = old == nullptr || fchmod(fd, old->st_mode & permissionBits) == 0;
    const bool written = kept && writeAllAndSync(fd, content);
    const bool closed = close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return Outcome::Failed;
    }
    syncFolderOf(target);
    return Outcome::Replaced;
}

// Not safe against a crash mid-write, so only used where no temporary file can be made.
bool rewriteInPlace(const std::string& target, const std::string& content) {
    const int fd = open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd == notOpened)
        return false;
    const bool written = ftruncate(fd, 0) == 0 && writeAllAndSync(fd, content);
    const bool closed = close(fd) == 0;
    return written && closed;
}

} // namespace

std::string temporaryPathFor(const std::string& path) {
    return path + temporarySuffix;
}

bool replaceFileContent(const std::string& path, const std::string& content) {
    const std::string target = followLinks(path);
    struct stat old {};
    const bool exists = stat(target.c_str(), &old) == 0;
    // The rename would replace a file the player may not write, or a directory, device or pipe.
    if (exists && (!S_ISREG(old.st_mode) || !isWritableFile(target)))
        return false;
    const Outcome outcome = replaceThroughTemporary(target, content, exists ? &old : nullptr);
    if (outcome == Outcome::FolderLocked && exists)
        return rewriteInPlace(target, content);
    return outcome == Outcome::Replaced;
}
