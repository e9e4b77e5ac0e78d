#pragma once
// The computer's name as the platform reports it.

#include <string>

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

// Longest computer name, in characters without the terminating zero.
constexpr DWORD MAX_COMPUTERNAME_LENGTH = 15;

// The host name up to its first dot, at most MAX_COMPUTERNAME_LENGTH characters, in capitals. *lpnSize is
// the buffer size in, the length without the zero out; when short: FALSE, ERROR_BUFFER_OVERFLOW and the
// size needed (with the zero) in *lpnSize.
BOOL GetComputerName(LPSTR lpBuffer, LPDWORD lpnSize);

namespace platform {

// The name GetComputerName reports.
std::string LocalComputerName();

} // namespace platform
