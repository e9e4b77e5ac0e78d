#include <filesystem>
#include <string>
#include <unistd.h>

#include "platform/base/CaseFold.h"
#include "platform/base/HandleTable.h"
#include "platform/base/Paths.h"
#include "platform/base/WinError.h"
#include "platform/shell/DesktopOpener.h"
#include "platform/shell/Process.h"
#include "platform/shell/ShellApi.h"

namespace {

namespace fs = std::filesystem;

// A success result: any value above 32.
constexpr INT_PTR kExecuted = 42;

bool IsAddress(std::string_view file)
{
    const auto colon = file.find(':');
    // "Z:\..." is a drive, not a scheme: schemes are longer than one letter.
    if (colon == std::string_view::npos || colon < 2)
        return false;
    for (char c : file.substr(0, colon)) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        if (!ok)
            return false;
    }
    return true;
}

std::string Quoted(std::string_view text)
{
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    return quoted;
}

INT_PTR ErrorResult(DWORD error)
{
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
        return SE_ERR_FNF;
    case ERROR_PATH_NOT_FOUND:
        return SE_ERR_PNF;
    case ERROR_ACCESS_DENIED:
        return SE_ERR_ACCESSDENIED;
    default:
        return SE_ERR_NOASSOC;
    }
}

// Opens a file as ShellExecute does; the result code, with the program's process in *process when
// wanted and a program was started.
INT_PTR Execute(LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, HANDLE* process)
{
    if (verb && *verb && !platform::EqualsNoCase(verb, "open") && !platform::EqualsNoCase(verb, "explore"))
        return SE_ERR_NOASSOC;
    if (!file || !*file)
        return SE_ERR_FNF;
    if (IsAddress(file))
        return platform::OpenWithDesktop(file) ? kExecuted : SE_ERR_NOASSOC;

    DWORD error = 0;
    const auto native = platform::MapToNative(file, error);
    std::error_code ec;
    if (!native || !fs::exists(*native, ec)) {
        const fs::path parent = native ? fs::path(*native).parent_path() : fs::path();
        return !native || !fs::is_directory(parent, ec) ? SE_ERR_PNF : SE_ERR_FNF;
    }
    const bool program = fs::is_regular_file(*native, ec) && access(native->c_str(), X_OK) == 0;
    if (!program)
        return platform::OpenWithDesktop(*native) ? kExecuted : SE_ERR_NOASSOC;

    std::string commandLine = Quoted(file);
    if (parameters && *parameters) {
        commandLine += ' ';
        commandLine += parameters;
    }
    PROCESS_INFORMATION info;
    if (!CreateProcess(file, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, directory, nullptr, &info))
        return ErrorResult(GetLastError());
    CloseHandle(info.hThread);
    if (process)
        *process = info.hProcess;
    else
        CloseHandle(info.hProcess);
    return kExecuted;
}

} // namespace

HINSTANCE ShellExecute(HWND, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory, INT)
{
    return reinterpret_cast<HINSTANCE>(Execute(lpOperation, lpFile, lpParameters, lpDirectory, nullptr));
}

BOOL ShellExecuteEx(LPSHELLEXECUTEINFO lpExecInfo)
{
    if (!lpExecInfo || lpExecInfo->cbSize != sizeof(SHELLEXECUTEINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    lpExecInfo->hProcess = nullptr;
    HANDLE* process = (lpExecInfo->fMask & SEE_MASK_NOCLOSEPROCESS) ? &lpExecInfo->hProcess : nullptr;
    const INT_PTR result = Execute(lpExecInfo->lpVerb, lpExecInfo->lpFile, lpExecInfo->lpParameters, lpExecInfo->lpDirectory, process);
    lpExecInfo->hInstApp = reinterpret_cast<HINSTANCE>(result);
    if (result <= 32) {
        SetLastError(result == SE_ERR_FNF ? ERROR_FILE_NOT_FOUND : result == SE_ERR_PNF ? ERROR_PATH_NOT_FOUND : ERROR_NO_ASSOCIATION);
        return FALSE;
    }
    return TRUE;
}
