// Whole-file rewrites of the high-score file that a crash, a full disk or the file's own permissions
// cannot turn into a lost or a replaced file.
#pragma once

#include <string>

// The temporary file a rewrite of path goes through; it sits beside path so the rename stays on one
// file system.
std::string temporaryPathFor(const std::string& path);

// Rewrites the file that path names, following symbolic links to it. The new content goes to the
// temporary file, is flushed to disk and renamed over the old file, which keeps the old file's
// permission bits; a crash or a full disk at any point leaves either the old file or the new one whole.
// A file the player may not write is not replaced. In a folder the player may not write, an existing
// file is rewritten in place instead. False when nothing was written (the old file is then untouched
// and the temporary file removed).
bool replaceFileContent(const std::string& path, const std::string& content);
