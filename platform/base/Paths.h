#pragma once
// The one mapping between the program's paths and the file system's.
//
// The program sees paths of a drive-letter platform: drive Z: is the POSIX root, so /home/u/Music is
// Z:\home\u\Music; "\" and "/" both separate; "." and ".." fold away; relative paths resolve against the
// current directory (always on Z:). Other drive letters and network (UNC) paths do not exist. Names of
// existing files and folders match without regard to case: the exact spelling wins, otherwise the first
// entry of the folder (in directory order) that matches without regard to case; the part of a path that
// does not exist yet keeps the spelling it was given.

#include <optional>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace platform {

// True for the two separators a program path may use.
constexpr bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }

// The absolute program path of a program path, worked out from its text alone (no file is looked at):
// drive letter, backslashes, "." and ".." folded, a trailing separator kept. UNC paths keep their
// "\\server\share" root. Empty for an empty path.
std::string FullProgramPath(std::string_view programPath);

// The POSIX path of a program path, existing names matched without regard to case. Fails with
// ERROR_PATH_NOT_FOUND (in error) for an empty path, another drive than Z: or a UNC path.
std::optional<std::string> MapToNative(std::string_view programPath, DWORD& error);

// The POSIX path of a program path (see MapToNative); empty, with the last error set, when it has none.
std::string ToNativePath(std::string_view programPath);

// The program path ("Z:\...") of a POSIX path; relative paths resolve against the current directory.
std::string ToProgramPath(std::string_view nativePath);

} // namespace platform
