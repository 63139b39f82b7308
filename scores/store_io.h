// Whole-file reads, crash-safe whole-file rewrites and one-line diagnostics for the high-score store.
#pragma once

#include <iosfwd>
#include <string>

// False when the file cannot be opened or read (a missing file, a directory).
bool readWholeFile(const std::string& path, std::string& content);

// The temporary file a rewrite of path goes through; it sits beside path so the rename stays on one
// file system.
std::string temporaryPathFor(const std::string& path);

// Writes content to the temporary file, flushes it to disk, then renames it over path, so a crash or a
// full disk at any point leaves either the old file or the new one whole. False when anything failed;
// the old file is then untouched and the temporary file removed.
bool replaceFileContent(const std::string& path, const std::string& content);

// Writes one diagnostic line, ends it with '\n' and flushes at once.
void reportLine(std::ostream& stream, const std::string& text);
