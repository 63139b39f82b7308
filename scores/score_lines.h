// Line grammar of the high-score file: splitting text into lines, telling the four line kinds apart,
// and reading and writing result lines ("score,levelsCompleted,matches").
#pragma once

#include <string>
#include <vector>

#include "score_types.h"

enum class LineKind { Empty, Marker, Result, Name };

// Some editors (Windows Notepad) start a UTF-8 file with it, and files joined together carry theirs
// into the middle: it is no part of any line.
inline const std::string byteOrderMark = "\xEF\xBB\xBF";

// Splits at '\n' like a line-by-line read: the last line may lack its terminator, and trailing '\r'
// characters are dropped so that files written on Windows read the same as ours. Byte-order marks at
// the start of a line are skipped.
std::vector<std::string> splitLines(const std::string& text);

LineKind classifyLine(const std::string& line);

// Reads a result line in the "%d,%d,%d" sense; false when it does not yield three numbers or a number
// lies outside the signed 32-bit range.
bool parseResultLine(const std::string& line, ModeResult& result);

std::string formatResultLine(const ModeResult& result);
