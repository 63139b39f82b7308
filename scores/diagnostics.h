// Every line the game writes on its standard streams, in one table, and the one rule for the stream: a
// refusal of what the player asked goes to standard output, anything wrong with a file, a folder or a
// device to standard error. Each line is whole, ends with '\n' and is flushed at once.
#pragma once

#include "store_io.h"

#include <string>
#include <vector>

enum class Diagnostic {
    // The high-score file, in Russian as the game has always written them.
    NamesNotRead,
    LastPlayerNotUpdated,
    FileNotChecked,
    FileUnreadable,
    FileOversized,
    FileBusy,
    FileNotWritten,
    ListNotWritten,
    ResultNotSaved,
    CopyNotKept,
    FileNotEmptied,
    FileEmptied,
    // Refusals of a name the player gave.
    NameNotStored,
    NameRefused,
    PlayerExists,
    PlayersFull,
    // The program's folder and the sound device.
    NoAssetsFolder,
    NoProgramFolder,
    NoAudioDevice,
    AudioDeviceLost,
};

// The line with each "{}" of its text replaced by the next of values; values left over are not used.
std::string diagnosticText(Diagnostic line, const std::vector<std::string>& values = {});
// Whether the line goes to standard output (a refusal) rather than standard error.
bool onStandardOutput(Diagnostic line);
// Writes the line on its stream.
void report(Diagnostic line, const std::vector<std::string>& values = {});
// Writes a line that a write to path failed, ending with the path and the cause the system gave.
void reportWriteError(Diagnostic line, const std::string& path, const WriteError& error);

// Reports a line about the state of the file at path, unless it is the line last reported for that
// path: a reader called every frame then says it once per cause.
void reportFileState(const std::string& path, Diagnostic line, const std::vector<std::string>& values = {});
// The file at path was read: the next line about its state is reported again.
void forgetFileState(const std::string& path);
