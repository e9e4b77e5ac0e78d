#include "platform/shell/Process.h"

#include <cerrno>
#include <filesystem>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/base/CaseFold.h"
#include "platform/base/HandleTable.h"
#include "platform/base/Modules.h"
#include "platform/base/Paths.h"
#include "platform/base/WinError.h"
#include "platform/shell/ChildProcess.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsRunnable(const std::string& native)
{
    std::error_code ec;
    return fs::is_regular_file(native, ec) && access(native.c_str(), X_OK) == 0;
}

bool Exists(const std::string& native)
{
    std::error_code ec;
    return fs::is_regular_file(native, ec);
}

// The program's name as given, then without a ".exe" the original platform's names carry.
std::vector<std::string> NameForms(const std::string& name)
{
    std::vector<std::string> forms { name };
    if (name.size() > 4 && platform::EqualsNoCase(name.substr(name.size() - 4), ".exe"))
        forms.push_back(name.substr(0, name.size() - 4));
    return forms;
}

// The POSIX file of a program named by a program path, or by a bare name looked for in the program's
// folder, the current folder and the search path. Null when there is no such file.
std::optional<std::string> FindProgram(const std::string& name)
{
    if (name.empty())
        return std::nullopt;
    const bool bare = name.find_first_of("\\/:") == std::string::npos;
    std::vector<std::string> folders;
    if (bare) {
        folders.push_back(platform::ProgramFolder());
        std::error_code ec;
        folders.push_back(fs::current_path(ec).string());
        if (const char* path = std::getenv("PATH")) {
            std::string_view rest(path);
            while (!rest.empty()) {
                const auto colon = rest.find(':');
                folders.emplace_back(rest.substr(0, colon));
                rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
            }
        }
    }
    for (const std::string& form : NameForms(name)) {
        if (bare) {
            for (const std::string& folder : folders) {
                if (folder.empty())
                    continue;
                const std::string candidate = (fs::path(folder) / form).string();
                if (Exists(candidate))
                    return candidate;
            }
            continue;
        }
        DWORD error = 0;
        const auto native = platform::MapToNative(form, error);
        if (native && Exists(*native))
            return native;
    }
    return std::nullopt;
}

// Takes the word at the front of text by the rules of every word but the first.
std::string TakeArgument(std::string_view& text)
{
    std::string word;
    bool quoted = false;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (!quoted && IsBlank(c))
            break;
        if (c == '\\') {
            size_t run = 0;
            while (i < text.size() && text[i] == '\\') {
                ++run;
                ++i;
            }
            if (i < text.size() && text[i] == '"') {
                word.append(run / 2, '\\');
                if (run % 2 == 1) {
                    word.push_back('"');
                    ++i;
                }
            } else {
                word.append(run, '\\');
            }
            continue;
        }
        if (c == '"') {
            // Two quotes inside a quoted word stand for one quote.
            if (quoted && i + 1 < text.size() && text[i + 1] == '"') {
                word.push_back('"');
                i += 2;
                continue;
            }
            quoted = !quoted;
            ++i;
            continue;
        }
        word.push_back(c);
        ++i;
    }
    text.remove_prefix(i);
    return word;
}

std::vector<std::string> SplitArguments(std::string_view rest)
{
    std::vector<std::string> words;
    for (;;) {
        while (!rest.empty() && IsBlank(rest.front()))
            rest.remove_prefix(1);
        if (rest.empty())
            return words;
        words.push_back(TakeArgument(rest));
    }
}

struct Launch {
    std::string program; // POSIX file
    std::vector<std::string> argv;
};

// Works out the program and its arguments; the last error is set when there is no program.
std::optional<Launch> PrepareLaunch(LPCSTR applicationName, LPCSTR commandLine)
{
    const std::string line = commandLine ? commandLine : "";
    std::string_view text(line);
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);

    Launch launch;
    std::optional<std::string> found;
    std::string_view rest;
    if (applicationName && *applicationName) {
        found = FindProgram(applicationName);
        // The command line's first word is the program's own name, not an argument.
        if (!text.empty() && text.front() == '"') {
            const auto close = text.find('"', 1);
            rest = close == std::string_view::npos ? std::string_view() : text.substr(close + 1);
        } else {
            const auto blank = text.find_first_of(" \t");
            rest = blank == std::string_view::npos ? std::string_view() : text.substr(blank);
        }
    } else if (!text.empty() && text.front() == '"') {
        const auto close = text.find('"', 1);
        const std::string_view name = text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
        found = FindProgram(std::string(name));
        rest = close == std::string_view::npos ? std::string_view() : text.substr(close + 1);
    } else {
        // An unquoted name may hold blanks: the shortest run of words that names a file wins.
        size_t end = 0;
        while (!found && end != std::string_view::npos) {
            end = text.find_first_of(" \t", end == 0 ? 0 : end + 1);
            const std::string_view name = text.substr(0, end);
            found = FindProgram(std::string(name));
            if (found)
                rest = end == std::string_view::npos ? std::string_view() : text.substr(end);
        }
    }
    if (!found) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return std::nullopt;
    }
    if (!IsRunnable(*found)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return std::nullopt;
    }
    launch.program = *found;
    launch.argv.push_back(*found);
    for (auto& word : SplitArguments(rest))
        launch.argv.push_back(std::move(word));
    return launch;
}

} // namespace

namespace platform {

std::vector<std::string> SplitCommandLine(std::string_view commandLine)
{
    std::string_view text = commandLine;
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    if (text.empty())
        return {};
    std::vector<std::string> words;
    if (text.front() == '"') {
        const auto close = text.find('"', 1);
        words.emplace_back(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
        text = close == std::string_view::npos ? std::string_view() : text.substr(close + 1);
    } else {
        const auto blank = text.find_first_of(" \t");
        words.emplace_back(text.substr(0, blank));
        text = blank == std::string_view::npos ? std::string_view() : text.substr(blank);
    }
    for (auto& word : SplitArguments(text))
        words.push_back(std::move(word));
    return words;
}

HANDLE SpawnProcess(const std::string& program, const std::vector<std::string>& argv, const std::string& directory)
{
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!directory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // The started program belongs to no terminal of ours, as a program with its own console.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t pid = 0;
    const int result = posix_spawn(&pid, program.c_str(), &actions, &attributes, args.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) {
        SetLastError(result == ENOENT ? ERROR_FILE_NOT_FOUND : result == ENOEXEC ? ERROR_BAD_FORMAT : ERROR_ACCESS_DENIED);
        return nullptr;
    }

    auto child = std::make_shared<ChildProcess>(pid);
    // The reaper owns a share, so the program is reaped and its end recorded even when every handle
    // is closed first.
    std::thread([child] {
        int status = 0;
        while (waitpid(child->Pid(), &status, 0) < 0 && errno == EINTR) {
        }
        const DWORD code = WIFEXITED(status) ? static_cast<DWORD>(WEXITSTATUS(status)) : 128u + static_cast<DWORD>(WTERMSIG(status));
        child->End(code);
    }).detach();
    return HandleTable::Instance().Add(child);
}

} // namespace platform

void GetStartupInfo(LPSTARTUPINFO lpStartupInfo)
{
    if (!lpStartupInfo)
        return;
    *lpStartupInfo = STARTUPINFO {};
}

BOOL CreateProcess(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
    DWORD, LPVOID, LPCSTR lpCurrentDirectory, LPSTARTUPINFO, LPPROCESS_INFORMATION lpProcessInformation)
{
    if ((!lpApplicationName || !*lpApplicationName) && (!lpCommandLine || !*lpCommandLine)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto launch = PrepareLaunch(lpApplicationName, lpCommandLine);
    if (!launch)
        return FALSE;
    std::string directory;
    if (lpCurrentDirectory && *lpCurrentDirectory) {
        DWORD error = 0;
        const auto native = platform::MapToNative(lpCurrentDirectory, error);
        std::error_code ec;
        if (!native || !fs::is_directory(*native, ec)) {
            SetLastError(ERROR_PATH_NOT_FOUND);
            return FALSE;
        }
        directory = *native;
    }
    HANDLE process = platform::SpawnProcess(launch->program, launch->argv, directory);
    if (!process)
        return FALSE;
    auto child = platform::HandleTable::Instance().FindAs<platform::ChildProcess>(process);
    if (lpProcessInformation) {
        lpProcessInformation->hProcess = process;
        // The program's first thread ends with it: a second handle on the same object.
        lpProcessInformation->hThread = platform::HandleTable::Instance().Add(child);
        lpProcessInformation->dwProcessId = static_cast<DWORD>(child->Pid());
        lpProcessInformation->dwThreadId = static_cast<DWORD>(child->Pid());
    } else {
        CloseHandle(process);
    }
    return TRUE;
}

BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode)
{
    auto child = platform::HandleTable::Instance().FindAs<platform::ChildProcess>(hProcess);
    if (!child || !lpExitCode) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    *lpExitCode = child->ExitCode();
    return TRUE;
}

UINT WinExec(LPCSTR lpCmdLine, UINT)
{
    if (!lpCmdLine)
        return 0;
    std::string line(lpCmdLine);
    PROCESS_INFORMATION info;
    if (!CreateProcess(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &info)) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? error : ERROR_BAD_FORMAT;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return 33;
}
