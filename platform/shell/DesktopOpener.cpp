#include "platform/shell/DesktopOpener.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <unistd.h>
#include <utility>

#include "platform/base/HandleTable.h"
#include "platform/shell/Process.h"

namespace {

std::mutex g_mutex;
platform::DesktopOpener g_opener;

bool HasDisplay()
{
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

// The desktop's opener program on the search path, or empty.
std::string FindOpenerProgram()
{
    const char* path = std::getenv("PATH");
    std::string_view rest(path ? path : "");
    while (!rest.empty()) {
        const auto colon = rest.find(':');
        const std::string folder(rest.substr(0, colon));
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        if (folder.empty())
            continue;
        const std::string candidate = (std::filesystem::path(folder) / "xdg-open").string();
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

bool OpenThroughDesktop(const std::string& target)
{
    if (target.empty() || !HasDisplay())
        return false;
    const std::string opener = FindOpenerProgram();
    if (opener.empty())
        return false;
    HANDLE process = platform::SpawnProcess(opener, { opener, target }, {});
    if (!process)
        return false;
    CloseHandle(process);
    return true;
}

} // namespace

namespace platform {

bool OpenWithDesktop(const std::string& target)
{
    DesktopOpener opener;
    {
        std::lock_guard lock(g_mutex);
        opener = g_opener;
    }
    return opener ? opener(target) : OpenThroughDesktop(target);
}

DesktopOpener SetDesktopOpener(DesktopOpener opener)
{
    std::lock_guard lock(g_mutex);
    return std::exchange(g_opener, std::move(opener));
}

} // namespace platform
