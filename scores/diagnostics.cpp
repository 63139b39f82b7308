// Every line the game writes on its standard streams, and the rule that picks the stream.
#include "diagnostics.h"

#include <iostream>
#include <iterator>
#include <map>

namespace {

enum class Kind { Fault, Refusal };

struct Line {
    Diagnostic line;
    Kind kind;
    const char* text;
};

// In the order of the enumeration; "{}" stands for the next value given.
constexpr Line lines[] = {
    {Diagnostic::NamesNotRead, Kind::Fault, "Не удалось открыть файл {} для чтения!"},
    {Diagnostic::LastPlayerNotUpdated, Kind::Fault,
     "Не удалось открыть файл {} для обновления последнего игрока."},
    {Diagnostic::FileNotChecked, Kind::Fault, "Не удалось открыть файл рекордов для проверки."},
    {Diagnostic::FileUnreadable, Kind::Fault,
     "Не удалось прочитать файл рекордов {}; он оставлен без изменений."},
    {Diagnostic::FileOversized, Kind::Fault,
     "Файл рекордов {} больше {} байт или содержит строку длиннее {} байт; он не прочитан и оставлен без "
     "изменений."},
    {Diagnostic::FileBusy, Kind::Fault, "Файл рекордов {} занят другой копией игры; изменение не выполнено."},
    {Diagnostic::FileNotWritten, Kind::Fault, "Не удалось открыть файл для записи: {}: {}."},
    {Diagnostic::ListNotWritten, Kind::Fault,
     "Не удалось открыть файл для записи обновлённого списка: {}: {}."},
    {Diagnostic::ResultNotSaved, Kind::Fault, "Результат игры не сохранён: {}: {}."},
    {Diagnostic::CopyNotKept, Kind::Fault,
     "Не удалось сохранить копию повреждённого файла рекордов; файл оставлен без изменений: {}: {}."},
    {Diagnostic::FileNotEmptied, Kind::Fault, "Не удалось открыть файл рекордов для очистки: {}: {}."},
    {Diagnostic::FileEmptied, Kind::Fault,
     "Файл рекордов повреждён и очищен; его прежнее содержимое сохранено в {}."},
    {Diagnostic::NameNotStored, Kind::Refusal,
     "Имя игрока не записано в файл рекордов: оно пустое, содержит запятую или перевод строки либо совпадает "
     "с {}."},
    {Diagnostic::NameRefused, Kind::Refusal,
     "Имя игрока не может быть пустым, содержать запятую или перевод строки и совпадать с {}. Новый игрок не "
     "добавлен."},
    {Diagnostic::PlayerExists, Kind::Refusal, "Игрок с именем \"{}\" уже существует в файле рекордов."},
    {Diagnostic::PlayersFull, Kind::Refusal,
     "Максимальное количество игроков ({}) достигнуто. Новый игрок не добавлен."},
    {Diagnostic::NoAssetsFolder, Kind::Fault,
     "Tavrello: no \"assets\" folder in {}; start the game from its own folder (scripts/run does) or with "
     "the "
     "installed tavrello command."},
    {Diagnostic::NoProgramFolder, Kind::Fault,
     "Tavrello: cannot enter the folder of tavrello.exe ({}), where its assets are (error {})."},
    {Diagnostic::NoAudioDevice, Kind::Fault,
     "Tavrello: no audio device could be opened; the game runs without sound."},
    {Diagnostic::AudioDeviceLost, Kind::Fault,
     "Tavrello: the audio device went away; the game goes on without sound."},
};

constexpr bool inEnumerationOrder() {
    for (std::size_t i = 0; i < std::size(lines); ++i) {
        if (lines[i].line != static_cast<Diagnostic>(i))
            return false;
    }
    return std::size(lines) == static_cast<std::size_t>(Diagnostic::AudioDeviceLost) + 1;
}
static_assert(inEnumerationOrder(), "one row per line, in the order of the enumeration");

const Line& lineOf(Diagnostic line) {
    return lines[static_cast<std::size_t>(line)];
}

// Path to the line last reported about it. The settings page reads the file every frame, and this
// memory keeps its report of a lasting cause to one line without the game's help.
std::map<std::string, std::string>& reportedStates() {
    static std::map<std::string, std::string> reported;
    return reported;
}

void writeLine(Diagnostic line, const std::string& text) {
    (onStandardOutput(line) ? std::cout : std::cerr) << text << '\n' << std::flush;
}

} // namespace

std::string diagnosticText(Diagnostic line, const std::vector<std::string>& values) {
    std::string text = lineOf(line).text;
    std::size_t from = 0;
    for (const std::string& value : values) {
        const std::size_t at = text.find("{}", from);
        if (at == std::string::npos)
            break;
        text.replace(at, 2, value);
        from = at + value.size();
    }
    return text;
}

bool onStandardOutput(Diagnostic line) {
    return lineOf(line).kind == Kind::Refusal;
}

void report(Diagnostic line, const std::vector<std::string>& values) {
    writeLine(line, diagnosticText(line, values));
}

void reportWriteError(Diagnostic line, const std::string& path, const WriteError& error) {
    report(line, {path, describe(error)});
}

void reportFileState(const std::string& path, Diagnostic line, const std::vector<std::string>& values) {
    const std::string text = diagnosticText(line, values);
    std::string& last = reportedStates()[path];
    if (last == text)
        return;
    last = text;
    writeLine(line, text);
}

void forgetFileState(const std::string& path) {
    reportedStates().erase(path);
}
