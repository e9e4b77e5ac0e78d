#pragma once
// Loadable modules over the dynamic loader. A module handle (HMODULE) is the module's load base address,
// the same value the loader reports for any address inside it; GetModuleHandle(NULL) is the executable.
// A name "X.dll" or "X.ocx" (any case, or "X" without extension) stands for the shared library "X.so",
// looked for beside the executable and then in the platform's library folder; a path is mapped like
// every program path, with the same extension rule.

#include <string>

#include "platform/base/WinTypes.h"

constexpr DWORD DONT_RESOLVE_DLL_REFERENCES = 0x1;
constexpr DWORD LOAD_LIBRARY_AS_DATAFILE = 0x2;
constexpr DWORD LOAD_WITH_ALTERED_SEARCH_PATH = 0x8;

constexpr UINT SEM_FAILCRITICALERRORS = 0x0001;
constexpr UINT SEM_NOGPFAULTERRORBOX = 0x0002;
constexpr UINT SEM_NOALIGNMENTFAULTEXCEPT = 0x0004;
constexpr UINT SEM_NOOPENFILEERRORBOX = 0x8000;

// Loads a module, or counts one more use of a module already loaded; NULL with ERROR_MOD_NOT_FOUND when it
// cannot be found or loaded.
HMODULE LoadLibrary(LPCSTR lpLibFileName);
// LoadLibrary; the flags change nothing (a data file is loaded as a module). hFile must be null.
HMODULE LoadLibraryEx(LPCSTR lpLibFileName, HANDLE hFile, DWORD dwFlags);
// An exported function of a module by name, or by ordinal (MAKEINTRESOURCE(n) is the symbol "ordinal_n").
// Only the module's own symbols count; NULL with ERROR_PROC_NOT_FOUND otherwise. A null module is the executable.
FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName);
// Ends one use of a module loaded by LoadLibrary, unloading it after the last; ERROR_INVALID_HANDLE otherwise.
BOOL FreeLibrary(HMODULE hModule);
// The handle of a module already loaded, by file name (extension rule applied) or path, without counting a
// use; null is the executable. NULL with ERROR_MOD_NOT_FOUND when no such module is loaded.
HMODULE GetModuleHandle(LPCSTR lpModuleName);
// The module's file as a program path. When it does not fit, the text is cut (with its terminating zero),
// nSize is returned and the last error is ERROR_INSUFFICIENT_BUFFER. 0 with ERROR_MOD_NOT_FOUND for an
// unknown module.
DWORD GetModuleFileName(HMODULE hModule, LPSTR lpFilename, DWORD nSize);
// Sets the process's error mode and returns the previous one. Nothing here shows error boxes, so the mode
// only travels back to the next caller.
UINT SetErrorMode(UINT uMode);

namespace platform {

// The handle of the module that contains an address (code or data); NULL when no module does.
HMODULE ModuleFromAddress(const void* address);

// The POSIX folder of the executable: the program's folder.
std::string ProgramFolder();

// The POSIX folder of the platform's own libraries.
std::string PlatformLibraryFolder();

// A procedure from GetProcAddress as the function type it really has (through the generic function type, so
// that the compiler accepts the conversion).
template<typename Function> Function ProcCast(FARPROC proc)
{
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

} // namespace platform
