// Whole-file rewrites of the high-score file that a crash, a full disk, the file's own permissions or
// another running copy of the game cannot turn into a lost or a replaced file.
#include "file_rewrite.h"

#include <cerrno>
#include <thread>

#include "platform.h"

namespace {

constexpr int queueByte = 0;
constexpr int fileByte = 1;
constexpr std::chrono::milliseconds lockRetry{5};

bool lockBefore(int fd, int byte, std::chrono::steady_clock::time_point deadline) {
    while (!tryLockByte(fd, byte)) {
        if (errno != EWOULDBLOCK || std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(lockRetry);
    }
    return true;
}

// old is the file being replaced, or nullptr when there is none yet.
WriteError replaceThroughTemporary(const std::string& target, const std::string& content,
                                   const FileFacts* old) {
    std::string temporary;
    const int fd = createTemporaryBeside(target, temporary);
    if (fd == notOpened)
        return errorAt("create");
    WriteError error = copyPermissions(fd, old) ? writeAllAndSync(fd, content) : errorAt("chmod");
    if (!closeFile(fd) && !failed(error))
        error = errorAt("close");
    if (!failed(error) && !replaceFile(temporary, target))
        error = errorAt("rename");
    if (failed(error))
        removeFile(temporary);
    return error;
}

// Not safe against a crash mid-write, so only used where no temporary file can be made.
WriteError rewriteInPlace(const std::string& target, const std::string& content) {
    const int fd = openForRewrite(target);
    if (fd == notOpened)
        return errorAt("open");
    WriteError error = truncateToEmpty(fd) ? writeAllAndSync(fd, content) : errorAt("truncate");
    if (!closeFile(fd) && !failed(error))
        error = errorAt("close");
    return error;
}

} // namespace

StoreLock::StoreLock(const std::string& path, std::chrono::milliseconds wait)
    : handle(openLockFile(followLinks(path))) {
    if (handle == notOpened)
        return;
    // A copy waiting for the file's byte holds the queue's, so the holder, done, waits behind it.
    const auto deadline = std::chrono::steady_clock::now() + wait;
    const bool queued = lockBefore(handle, queueByte, deadline);
    const bool held = queued && lockBefore(handle, fileByte, deadline);
    const int cause = errno;
    if (queued)
        unlockByte(handle, queueByte);
    if (held)
        return;
    closeFile(handle);
    handle = notOpened;
    if (cause == EWOULDBLOCK)
        error = WriteError{"lock", EWOULDBLOCK};
}

StoreLock::~StoreLock() {
    if (handle != notOpened)
        closeFile(handle);
}

WriteError replaceFileContent(const std::string& path, const std::string& content) {
    const std::string target = followLinks(path);
    const FileFacts old = factsOf(target);
    // A replace would put a new file in place of one the player may not write, or of a folder or pipe.
    if (old.exists && !old.writablePlainFile)
        return WriteError{"open", EACCES};
    const std::string text = withSystemLineEnds(content);
    const WriteError error = replaceThroughTemporary(target, text, old.exists ? &old : nullptr);
    if (error.step == "create" && (error.code == EACCES || error.code == EROFS) && old.exists)
        return rewriteInPlace(target, text);
    return error;
}
