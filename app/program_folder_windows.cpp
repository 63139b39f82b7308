// The game's folders on Windows, found through the system's wide-character calls so that folders
// named with any letters work.
#ifdef _WIN32

#include "app/program_folder.h"
#include "scores/diagnostics.h"

#include <string>

#include <shlobj.h>
#include <windows.h>

namespace {

const wchar_t* const scoresFolderName = L"Tavrello";
const wchar_t* const scoresFileName = L"highscore.txt";

std::string toUtf8(const std::wstring& wide) {
    if (wide.empty()) {
        return {};
    }
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), narrow.data(), size, nullptr,
                        nullptr);
    return narrow;
}

// The folder of the running program, without a trailing separator; empty if Windows cannot say.
std::wstring programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    const size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring{} : path.substr(0, separator);
}

// Whether a new file can be made in folder: the only reliable test, as rights come from access lists.
bool takesNewFiles(const std::wstring& folder) {
    const std::wstring probe = folder + L"\\.tavrello-write-check-" + std::to_wstring(GetCurrentProcessId());
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(file);
    return true;
}

std::wstring localAppDataFolder() {
    PWSTR path = nullptr;
    std::wstring folder;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, KF_FLAG_CREATE, nullptr, &path))) {
        folder = path;
    }
    CoTaskMemFree(path);
    return folder;
}

} // namespace

bool enterProgramFolder() {
    const std::wstring folder = programFolder();
    if (folder.empty() || !SetCurrentDirectoryW(folder.c_str())) {
        report(Diagnostic::NoProgramFolder, {toUtf8(folder), std::to_string(GetLastError())});
        return false;
    }
    return true;
}

std::string highScorePathForPlayer() {
    const std::wstring beside = programFolder();
    if (!beside.empty() && takesNewFiles(beside)) {
        // The working folder since enterProgramFolder: a short path that needs no conversion.
        return toUtf8(scoresFileName);
    }
    const std::wstring local = localAppDataFolder();
    if (local.empty()) {
        // The store then reports, once, that it cannot write here; the game plays on.
        return toUtf8(beside + L"\\" + scoresFileName);
    }
    const std::wstring folder = local + L"\\" + scoresFolderName;
    CreateDirectoryW(folder.c_str(), nullptr);
    return toUtf8(folder + L"\\" + scoresFileName);
}

#endif
