// The store's one-line diagnostics on the standard streams.
#pragma once

#include <iosfwd>
#include <string>

#include "store_io.h"

// Writes one diagnostic line, ends it with '\n' and flushes at once.
void reportLine(std::ostream& stream, const std::string& text);

// Reports a line about the state of the file at path on the standard error stream, unless it is the
// line last reported for that path: a reader called every frame then says it once per cause.
void reportFileState(const std::string& path, const std::string& text);

// The file at path was read: the next line about its state is reported again.
void forgetFileState(const std::string& path);

// Reports on the standard error stream that a write failed: what (the game's own words), then the
// path and the cause the system gave.
void reportWriteError(const std::string& what, const std::string& path, const WriteError& error);
