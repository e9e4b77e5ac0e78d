#pragma once
// The message box as a dialog on the screen. When the screen is shown on a real display, every
// MessageBox call of the program comes here; on the memory-only screen (tests) the base layer's
// presenter keeps answering, so that nothing waits for a person who is not there.

#include <string>

#include "platform/user/WinUser.h"

namespace platform::user {

// Runs a modal message box owned by owner (may be null): the text, the buttons of the type's button
// bits with its default button, Enter for the default and Escape for Cancel (or OK when OK is the
// only button). The id of the button chosen; 0 for unknown button bits.
int ShowMessageBoxDialog(HWND owner, const std::string& text, const std::string& caption, UINT type);

} // namespace platform::user
