// The high-score store's file access on Windows: UTF-16 paths, files opened so that a running copy's
// read never stops another's replace, replaces through MoveFileExW (rename does not replace there),
// LockFileEx, the read-only attribute and CR LF line ends.
#ifdef _WIN32

#include "platform.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <random>
#include <sys/stat.h>
#include <thread>
#include <windows.h>

namespace {

constexpr wchar_t lockSuffix[] = L".lock";
constexpr wchar_t temporaryInfix[] = L".tmp.";
constexpr int uniqueLetters = 6;
constexpr int temporaryTries = 100;
constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// A virus scanner or an indexer may hold the file for a moment; a replace waits that long for it.
constexpr int replaceTries = 50;
constexpr std::chrono::milliseconds retryPause{10};
// The bytes locked lie far past any data, so the locks never stand in the way of reads and writes.
constexpr DWORD lockedByteHigh = 0x7fffffff;

std::wstring widePath(const std::string& path) {
    const int size = MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(), size);
    return wide;
}

// errno's value for the system's error, as the POSIX side reports them.
int errnoFor(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_WRITE_PROTECT:
        return EACCES;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_LOCK_VIOLATION:
        return EWOULDBLOCK;
    default:
        return EIO;
    }
}

// A C runtime descriptor for a file opened with the given access and disposition; every other process
// may read, write, and replace or delete it meanwhile.
int openWith(const std::wstring& path, DWORD access, DWORD disposition, int flags) {
    HANDLE file =
        CreateFileW(path.c_str(), access, shareAll, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        errno = errnoFor(GetLastError());
        return notOpened;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), flags | _O_BINARY | _O_NOINHERIT);
    if (fd == notOpened)
        CloseHandle(file);
    return fd;
}

std::wstring uniqueLettersFrom(std::mt19937& random) {
    static constexpr wchar_t letters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof letters / sizeof *letters) - 2);
    std::wstring unique;
    for (int i = 0; i < uniqueLetters; ++i)
        unique += letters[pick(random)];
    return unique;
}

bool busy(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

std::wstring folderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

} // namespace

int openForReading(const std::string& path) {
    return openWith(widePath(path), GENERIC_READ, OPEN_EXISTING, _O_RDONLY);
}

int openForRewrite(const std::string& path) {
    return openWith(widePath(path), GENERIC_WRITE, OPEN_EXISTING, _O_WRONLY);
}

int createNewFile(const std::string& path) {
    return openWith(widePath(path), GENERIC_WRITE, CREATE_NEW, _O_WRONLY);
}

int createTemporaryBeside(const std::string& path, std::string& temporary) {
    std::mt19937 random(std::random_device{}());
    for (int attempt = 0; attempt < temporaryTries; ++attempt) {
        const std::wstring unique = uniqueLettersFrom(random);
        const int fd =
            openWith(widePath(path) + temporaryInfix + unique, GENERIC_WRITE, CREATE_NEW, _O_WRONLY);
        if (fd != notOpened || errno != EEXIST) {
            temporary = path + ".tmp." + std::string(unique.begin(), unique.end());
            return fd;
        }
    }
    return notOpened;
}

void removeLeftoverTemporaries(const std::string& path) {
    const std::wstring wide = widePath(path), pattern = wide + temporaryInfix + L"*";
    const std::size_t length = wide.size() + (sizeof temporaryInfix / sizeof(wchar_t) - 1) + uniqueLetters;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    const std::wstring folder = folderOf(wide);
    do {
        const std::wstring name = folder + found.cFileName;
        if (name.size() == length)
            DeleteFileW(name.c_str());
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

long readSome(int fd, char* buffer, std::size_t size) {
    return _read(fd, buffer, static_cast<unsigned>(size));
}

long writeSome(int fd, const char* data, std::size_t size) {
    return _write(fd, data, static_cast<unsigned>(size));
}

bool flushToDisk(int fd) {
    return _commit(fd) == 0;
}

bool truncateToEmpty(int fd) {
    return _chsize(fd, 0) == 0;
}

bool closeFile(int fd) {
    return _close(fd) == 0;
}

bool isPlainFile(int fd) {
    struct _stat64 info {};
    return _fstat64(fd, &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFREG;
}

void removeFile(const std::string& path) {
    DeleteFileW(widePath(path).c_str());
}

// Links on Windows need rights players seldom have; the path is taken as it is.
std::string followLinks(const std::string& path) {
    return path;
}

FileFacts factsOf(const std::string& path) {
    FileFacts facts;
    const DWORD attributes = GetFileAttributesW(widePath(path).c_str());
    facts.exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (!facts.exists || (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
        return facts;
    const int fd = openForRewrite(path);
    facts.writablePlainFile = fd != notOpened && isPlainFile(fd);
    if (fd != notOpened)
        _close(fd);
    return facts;
}

// A new file takes the folder's inherited permissions, as the file it replaces had.
bool copyPermissions(int, const FileFacts*) {
    return true;
}

bool replaceFile(const std::string& from, const std::string& to) {
    const std::wstring source = widePath(from), target = widePath(to);
    for (int attempt = 0; attempt < replaceTries; ++attempt) {
        if (MoveFileExW(source.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        const DWORD error = GetLastError();
        errno = errnoFor(error);
        if (!busy(error))
            return false;
        std::this_thread::sleep_for(retryPause);
    }
    return false;
}

std::string withSystemLineEnds(const std::string& text) {
    std::string crlf;
    for (const char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return crlf;
}

int openLockFile(const std::string& path) {
    const int fd = openWith(widePath(path) + lockSuffix, GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS, _O_RDWR);
    if (fd != notOpened || errno != EACCES)
        return fd;
    return openWith(widePath(path), GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING, _O_RDWR);
}

bool tryLockByte(int fd, int byte) {
    OVERLAPPED region{};
    region.Offset = static_cast<DWORD>(byte);
    region.OffsetHigh = lockedByteHigh;
    const HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &region))
        return true;
    errno = errnoFor(GetLastError());
    return false;
}

void unlockByte(int fd, int byte) {
    OVERLAPPED region{};
    region.Offset = static_cast<DWORD>(byte);
    region.OffsetHigh = lockedByteHigh;
    UnlockFileEx(reinterpret_cast<HANDLE>(_get_osfhandle(fd)), 0, 1, 0, &region);
}

#endif
