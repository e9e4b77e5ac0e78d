#pragma once
// Starting programs: CreateProcess and WinExec over POSIX spawning. A program is named by a program
// path ("Z:\usr\bin\tool", "C:\Program Files\x.exe"); the process handle is a kernel handle that is
// signalled when the program ends.

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"

constexpr DWORD CREATE_NEW_CONSOLE = 0x00000010;
constexpr DWORD CREATE_NEW_PROCESS_GROUP = 0x00000200;
constexpr DWORD DETACHED_PROCESS = 0x00000008;
constexpr DWORD NORMAL_PRIORITY_CLASS = 0x00000020;

constexpr DWORD STARTF_USESHOWWINDOW = 0x00000001;

struct STARTUPINFO {
    DWORD cb { sizeof(STARTUPINFO) };
    LPSTR lpReserved { nullptr };
    LPSTR lpDesktop { nullptr };
    LPSTR lpTitle { nullptr };
    DWORD dwX { 0 };
    DWORD dwY { 0 };
    DWORD dwXSize { 0 };
    DWORD dwYSize { 0 };
    DWORD dwXCountChars { 0 };
    DWORD dwYCountChars { 0 };
    DWORD dwFillAttribute { 0 };
    DWORD dwFlags { 0 };
    WORD wShowWindow { 0 };
    WORD cbReserved2 { 0 };
    LPBYTE lpReserved2 { nullptr };
    HANDLE hStdInput { nullptr };
    HANDLE hStdOutput { nullptr };
    HANDLE hStdError { nullptr };
};
using LPSTARTUPINFO = STARTUPINFO*;

struct PROCESS_INFORMATION {
    HANDLE hProcess { nullptr };
    HANDLE hThread { nullptr };
    DWORD dwProcessId { 0 };
    DWORD dwThreadId { 0 };
};
using LPPROCESS_INFORMATION = PROCESS_INFORMATION*;

// Fills in the start-up information this process was started with (nothing special: a normal window).
void GetStartupInfo(LPSTARTUPINFO lpStartupInfo);
// Starts a program: lpApplicationName, or else the first word of lpCommandLine (quoted, or the
// shortest run of words that names a file), with the rest of the command line as its arguments; runs
// in lpCurrentDirectory when given. Process and thread handles (both signalled at the program's end)
// go to lpProcessInformation and must be closed. FALSE with ERROR_FILE_NOT_FOUND for a missing
// program, ERROR_PATH_NOT_FOUND for a missing folder, ERROR_ACCESS_DENIED for a file that cannot run.
BOOL CreateProcess(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES lpProcessAttributes,
    LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles, DWORD dwCreationFlags, LPVOID lpEnvironment,
    LPCSTR lpCurrentDirectory, LPSTARTUPINFO lpStartupInfo, LPPROCESS_INFORMATION lpProcessInformation);
// The exit code of an ended process, or STILL_ACTIVE (259) while it runs; FALSE for a handle that is
// not a process.
BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);
// Starts a program from a command line; above 31 on success, else ERROR_FILE_NOT_FOUND,
// ERROR_PATH_NOT_FOUND or ERROR_BAD_FORMAT (0 when the command line is null).
UINT WinExec(LPCSTR lpCmdLine, UINT uCmdShow);

constexpr DWORD STILL_ACTIVE = 259;

namespace platform {

// The words of a command line as a started program sees them: blanks separate, double quotes group,
// backslashes are literal except before a quote (2n backslashes and a quote give n backslashes and
// group; 2n+1 give n backslashes and a literal quote). The first word knows no escapes.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Starts a POSIX program with arguments (argv[0] is the program) detached from this process's
// terminal, reaping it when it ends. The process handle (signalled at its end), or null with the last
// error set.
HANDLE SpawnProcess(const std::string& program, const std::vector<std::string>& argv, const std::string& directory);

} // namespace platform
