// The check of the high-score file at start-up, which empties a file the game did not write after
// keeping a copy of it beside the file.
#include "startup_check.h"

#include <cerrno>

#include "diagnostics.h"
#include "file_rewrite.h"
#include "highscore_file.h"
#include "platform.h"
#include "score_lines.h"

namespace {

const std::string backupSuffix = ".bak";
// Far more damaged files than any player keeps; past them the file is left as it is.
constexpr int maxCopies = 1000;

// The start-up rule: a marker must be present, every result line must read as three numbers, and
// each block of result lines (the one before the first name included) must hold 0 or resultSlots
// lines. Nothing after the marker is examined.
bool isWellFormed(const std::vector<std::string>& lines) {
    int count = 0;
    ModeResult ignored;
    for (const std::string& line : lines) {
        switch (classifyLine(line)) {
        case LineKind::Empty:
            break;
        case LineKind::Marker:
            return count == 0 || count == resultSlots;
        case LineKind::Result:
            if (!parseResultLine(line, ignored))
                return false;
            ++count;
            break;
        case LineKind::Name:
            if (count != 0 && count != resultSlots)
                return false;
            count = 0;
            break;
        }
    }
    return false;
}

// Copies the file to the first free copy name, so an earlier copy is never overwritten; copy holds the
// name used, or the one that failed.
WriteError keepCopyOf(const std::string& path, std::string& copy) {
    WriteError error;
    for (int number = 0; number < maxCopies; ++number) {
        copy = backupPathFor(path, number);
        error = copyToNewFile(path, copy);
        if (error.code != EEXIST)
            return error;
    }
    return error;
}

void emptyMalformedFile(const std::string& path) {
    std::string copy;
    WriteError error = keepCopyOf(path, copy);
    if (failed(error)) {
        reportWriteError(Diagnostic::CopyNotKept, copy, error);
        return;
    }
    error = replaceFileContent(path, std::string());
    if (failed(error)) {
        reportWriteError(Diagnostic::FileNotEmptied, path, error);
        return;
    }
    report(Diagnostic::FileEmptied, {copy});
}

} // namespace

std::string backupPathFor(const std::string& path, int copyNumber) {
    if (copyNumber == 0)
        return path + backupSuffix;
    return path + backupSuffix + "." + std::to_string(copyNumber);
}

void validateHighScoreFile(const std::string& path) {
    // Another copy may be rewriting the file; its read, copies and emptying must not cross that.
    const StoreLock lock(path);
    if (!lock.held()) {
        reportBusyFile(path);
        return;
    }
    removeLeftoverTemporaries(followLinks(path));
    std::vector<std::string> lines;
    const FileState state = readScoreLines(path, lines);
    if (state == FileState::Missing) {
        reportFileState(path, Diagnostic::FileNotChecked);
        return;
    }
    if (state == FileState::Unreadable) {
        reportUnusableFile(path, state, true);
        return;
    }
    // An empty file is already what the check would leave; copying it would only add a useless copy.
    if (state == FileState::Read && (lines.empty() || isWellFormed(lines)))
        return;
    emptyMalformedFile(path);
}
