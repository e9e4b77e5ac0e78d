#pragma once
// Debug output: the platform's debugger channel. Lines go to stderr when the environment variable
// TUNESTEWARD_DEBUG is set, and to a capture hook when a test installs one.

#include <functional>
#include <string_view>

#include "platform/base/WinTypes.h"

// Sends a text to the debugger channel; a null pointer is ignored.
void OutputDebugStringA(LPCSTR lpOutputString);
inline void OutputDebugString(LPCSTR lpOutputString) { OutputDebugStringA(lpOutputString); }

namespace platform {

using DebugOutputHook = std::function<void(std::string_view)>;
// Installs a hook that receives every debug text (an empty function removes it); returns the previous hook.
DebugOutputHook SetDebugOutputHook(DebugOutputHook hook);

} // namespace platform
