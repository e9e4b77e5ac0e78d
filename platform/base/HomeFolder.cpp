#include "platform/base/HomeFolder.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace platform {

namespace {

const char* nonEmptyEnv(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

std::filesystem::path userHome()
{
    if (const char* home = nonEmptyEnv("HOME"))
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return std::filesystem::temp_directory_path();
}

} // namespace

std::filesystem::path HomeFolder()
{
    // Read the environment on every call: tests point TUNESTEWARD_HOME at a fresh folder before use.
    std::filesystem::path folder;
    if (const char* home = nonEmptyEnv("TUNESTEWARD_HOME"))
        folder = home;
    else if (const char* data = nonEmptyEnv("XDG_DATA_HOME"))
        folder = std::filesystem::path(data) / "tunesteward";
    else
        folder = userHome() / ".local" / "share" / "tunesteward";

    // A folder that cannot be made shows up as the failure of the first file written into it.
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        std::filesystem::create_directories(folder, ec);
    return folder;
}

} // namespace platform
