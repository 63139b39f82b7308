// Reads, copies and writes of the high-score file that never block on a special file in its place, never
// hold more than a bounded amount in memory, never overwrite a file that exists, and say why they failed.
#pragma once

#include <cstddef>
#include <string>

// Missing: nothing at the path. Unreadable: something is there but cannot be read as a plain file
// (no permission, a directory, a pipe). Oversized: larger than the reader's bound.
enum class FileState { Read, Missing, Unreadable, Oversized };

// Why a write did not happen: the step that failed ("write", "rename") and the system's error number
// (errno's values on every system); code 0 means it did happen.
struct WriteError {
    std::string step;
    int code = 0;
};

inline bool failed(const WriteError& error) {
    return error.code != 0;
}
// The error as errno left it after the step.
WriteError errorAt(const std::string& step);
// "write: no space left on device": the step and the system's own words for the cause.
std::string describe(const WriteError& error);
// A few plain words for the player: "the disk is full", "the file is read-only".
std::string causeForPlayer(const WriteError& error);

// Appends the whole file to content when it holds at most maxBytes; content has no meaning unless the
// state is Read.
FileState readWholeFile(const std::string& path, std::string& content, std::size_t maxBytes);

// Opens the file and reads its first byte; empty tells whether there was none (only set when Read).
FileState probeFile(const std::string& path, bool& empty);

// Copies the file to a new file named to, streaming it and flushing the copy to the disk. A name that
// is taken fails at "create" with EEXIST.
WriteError copyToNewFile(const std::string& from, const std::string& to);

// Writes all of content, writing again after a short write until all is written or the system
// reports an error, then flushes it to the disk.
WriteError writeAllAndSync(int fd, const std::string& content);
