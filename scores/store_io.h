// Reads and copies of the high-score file that never block on a special file in its place, never hold
// more than a bounded amount in memory, and never overwrite a file that exists.
#pragma once

#include <cstddef>
#include <string>

// Missing: nothing at the path. Unreadable: something is there but cannot be read as a plain file
// (no permission, a directory, a pipe). Oversized: larger than the reader's bound.
enum class FileState { Read, Missing, Unreadable, Oversized };

// Appends the whole file to content when it holds at most maxBytes; content has no meaning unless the
// state is Read.
FileState readWholeFile(const std::string& path, std::string& content, std::size_t maxBytes);

// Opens the file and reads its first byte; empty tells whether there was none (only set when Read).
FileState probeFile(const std::string& path, bool& empty);

enum class CopyOutcome { Copied, NameTaken, Failed };

// Copies the file to a new file named to, streaming it; NameTaken when anything is already there.
CopyOutcome copyToNewFile(const std::string& from, const std::string& to);

// Writes all of content (retrying short writes) and flushes it to the disk.
bool writeAllAndSync(int fd, const std::string& content);
