#include "platform/shell/Help.h"

#include <filesystem>
#include <string>

#include "platform/base/Paths.h"
#include "platform/shell/DesktopOpener.h"

namespace platform {

std::string_view HelpFileOf(std::string_view fileArgument)
{
    const auto topic = fileArgument.find("::");
    std::string_view file = fileArgument.substr(0, topic);
    file = file.substr(0, file.find('>'));
    while (!file.empty() && (file.back() == ' ' || file.back() == '\t'))
        file.remove_suffix(1);
    return file;
}

bool ShowHelpFile(LPCSTR fileArgument, UINT command)
{
    if (!fileArgument || command == HH_CLOSE_ALL)
        return false;
    const std::string_view file = HelpFileOf(fileArgument);
    if (file.empty())
        return false;
    DWORD error = 0;
    const auto native = MapToNative(file, error);
    std::error_code ec;
    if (!native || !std::filesystem::exists(*native, ec))
        return false;
    // The viewer is the desktop's, which knows no topic numbers: every command opens the file itself.
    return OpenWithDesktop(*native);
}

} // namespace platform

BOOL WinHelp(HWND, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR)
{
    if (uCommand == HELP_QUIT)
        return TRUE;
    return platform::ShowHelpFile(lpszHelp, HH_DISPLAY_TOPIC) ? TRUE : FALSE;
}
