// The store's one-line diagnostics on the standard streams.
#include "store_report.h"

#include <iostream>
#include <map>

namespace {

// Path to the line last reported about it. The settings page reads the file every frame, and this
// memory keeps its report of a lasting cause to one line without the game's help.
std::map<std::string, std::string>& reportedStates() {
    static std::map<std::string, std::string> lines;
    return lines;
}

} // namespace

void reportLine(std::ostream& stream, const std::string& text) {
    stream << text << '\n' << std::flush;
}

void reportFileState(const std::string& path, const std::string& text) {
    std::string& last = reportedStates()[path];
    if (last == text)
        return;
    last = text;
    reportLine(std::cerr, text);
}

void forgetFileState(const std::string& path) {
    reportedStates().erase(path);
}

void reportWriteError(const std::string& what, const std::string& path, const WriteError& error) {
    reportLine(std::cerr, what + ": " + path + ": " + describe(error) + ".");
}
