// Line grammar of the high-score file: line splitting, line kinds and the result-line number format.
#include "score_lines.h"

#include <cstdint>
#include <limits>
#include <utility>

namespace {

constexpr char fieldSeparator = ',';

// The blanks that scanf's %d skips in the "C" locale.
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads one %d number at pos: blanks, an optional sign, then at least one digit. The value is built
// in 64 bits and checked against the 32-bit range after every digit, so no input overflows. The
// character at text.size() is '\0', which is no blank, sign, digit or separator: every scan stops at
// the end of the line by itself.
bool readNumber(const std::string& text, std::size_t& pos, std::int32_t& value) {
    while (isBlank(text[pos]))
        ++pos;
    bool negative = false;
    if (text[pos] == '-' || text[pos] == '+') {
        negative = text[pos] == '-';
        ++pos;
    }
    if (!isDigit(text[pos]))
        return false;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t magnitude = 0;
    for (; isDigit(text[pos]); ++pos) {
        magnitude = magnitude * 10 + (text[pos] - '0');
        if (magnitude > limit)
            return false;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

bool readSeparator(const std::string& text, std::size_t& pos) {
    if (text[pos] != fieldSeparator)
        return false;
    ++pos;
    return true;
}

} // namespace

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        while (text.compare(start, byteOrderMark.size(), byteOrderMark) == 0)
            start += byteOrderMark.size();
        if (start >= text.size())
            break;
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        while (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

LineKind classifyLine(const std::string& line) {
    if (line.empty())
        return LineKind::Empty;
    if (line == lastPlayerMarker)
        return LineKind::Marker;
    if (line.find(fieldSeparator) != std::string::npos)
        return LineKind::Result;
    return LineKind::Name;
}

bool parseResultLine(const std::string& line, ModeResult& result) {
    std::size_t pos = 0;
    std::int32_t score = 0;
    std::int32_t levels = 0;
    std::int32_t matches = 0;
    if (!readNumber(line, pos, score) || !readSeparator(line, pos))
        return false;
    if (!readNumber(line, pos, levels) || !readSeparator(line, pos))
        return false;
    if (!readNumber(line, pos, matches))
        return false;
    result.score = score;
    result.levelsCompleted = levels;
    result.matches = matches;
    return true;
}

std::string formatResultLine(const ModeResult& result) {
    return std::to_string(result.score) + fieldSeparator + std::to_string(result.levelsCompleted) +
           fieldSeparator + std::to_string(result.matches);
}
