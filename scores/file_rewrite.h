// Whole-file rewrites of the high-score file that a crash, a full disk, the file's own permissions or
// another running copy of the game cannot turn into a lost or a replaced file.
#pragma once

#include <chrono>
#include <string>

#include "store_io.h"

// How long a change waits for another running copy of the game to finish its own.
constexpr std::chrono::milliseconds lockWait{2000};

// Held from a change's read of the file to its rewrite, so that two running copies never rewrite the
// file from the same old content. Not held (the change is not made) only when another copy held it for
// all of wait; where no lock can be made at all, the change goes ahead unguarded. Copies take turns: one
// that waits gets the lock before the copy that holds it can take it again.
class StoreLock {
  public:
    explicit StoreLock(const std::string& path, std::chrono::milliseconds wait = lockWait);
    ~StoreLock();
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;
    bool held() const { return !failed(error); }

    WriteError error;

  private:
    int handle;
};

// Rewrites the file that path names, following symbolic links to it, with the system's line ends. The
// new content goes to a temporary file of its own beside it, is flushed to disk and replaces the old
// file, whose permissions it keeps; a crash or a full disk at any point leaves either the old file or
// the new one whole. A file the player may not write is not replaced. In a folder the player may not
// write, an existing file is rewritten in place instead. On failure the old file is untouched and the
// temporary file removed. The caller holds the StoreLock.
WriteError replaceFileContent(const std::string& path, const std::string& content);
