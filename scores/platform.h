// What differs between the systems the game runs on, for the high-score store's files: opening,
// reading and writing, flushing to the disk, replacing a file in one step, locking and temporary names.
// Paths are UTF-8; descriptors are the C runtime's; every failure leaves errno's value in errno.
#pragma once

#include <cstddef>
#include <string>

// What every opening call returns when it fails.
constexpr int notOpened = -1;

// Non-blocking where the system has pipes, so that a pipe in the file's place cannot hang the game.
int openForReading(const std::string& path);
// Opens an existing file for writing, without creating it or blocking on a pipe.
int openForRewrite(const std::string& path);
// Creates a file that is not there yet; fails with EEXIST when anything has the name.
int createNewFile(const std::string& path);
// Creates a file of a name no other writer uses, beside path (so a replace stays on one disk); its
// name goes to temporary.
int createTemporaryBeside(const std::string& path, std::string& temporary);

// Removes the temporary files of writers that died before they could remove their own. Only safe while
// holding the lock that every writer holds.
void removeLeftoverTemporaries(const std::string& path);

// Byte counts, or -1 on failure.
long readSome(int fd, char* buffer, std::size_t size);
long writeSome(int fd, const char* data, std::size_t size);
bool flushToDisk(int fd);
bool truncateToEmpty(int fd);
bool closeFile(int fd);
bool isPlainFile(int fd);
void removeFile(const std::string& path);

// The file a chain of symbolic links ends at, also when that file does not exist yet.
std::string followLinks(const std::string& path);
// Whether anything is at path, and whether it is a plain file that this player may write.
struct FileFacts {
    bool exists = false;
    bool writablePlainFile = false;
    unsigned permissions = 0;
};
FileFacts factsOf(const std::string& path);
// Gives a new file the permissions of the file it replaces, or a new file's usual ones (old null).
bool copyPermissions(int fd, const FileFacts* old);
// Puts from in place of to in one step: a crash leaves one of the two whole. Then makes the change
// itself last through a power cut.
bool replaceFile(const std::string& from, const std::string& to);

// The text with the system's own line ends.
std::string withSystemLineEnds(const std::string& text);

// The lock file beside path, opened for locking; in a folder where none can be made, the file itself
// (which is then rewritten in place and stays the same file). notOpened when neither can be opened.
int openLockFile(const std::string& path);
// An exclusive lock, between running copies of the game, on one byte (0 or 1) of the open lock file,
// taken without waiting; false when another copy holds it (errno EWOULDBLOCK) or locking failed.
// Closing the file lets its locks go.
bool tryLockByte(int fd, int byte);
void unlockByte(int fd, int byte);
