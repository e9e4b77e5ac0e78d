#pragma once
// Handing a document, folder or address to the desktop's opener, which shows it in the program the
// person has chosen for it. Without a desktop (no display, no opener program) nothing is opened.

#include <functional>
#include <string>

namespace platform {

// Opens a POSIX path or an address; true when the opener was started.
using DesktopOpener = std::function<bool(const std::string& target)>;

// Opens target through the current opener.
bool OpenWithDesktop(const std::string& target);
// Replaces the opener (null: the desktop's own); the previous one. Tests use it to see what would open.
DesktopOpener SetDesktopOpener(DesktopOpener opener);

} // namespace platform
