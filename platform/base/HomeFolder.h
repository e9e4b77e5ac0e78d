#pragma once
// The folder that holds the registry hives and the system profile (win.ini) of this installation.

#include <filesystem>

namespace platform {

// $TUNESTEWARD_HOME, else $XDG_DATA_HOME/tunesteward, else ~/.local/share/tunesteward; created when missing.
std::filesystem::path HomeFolder();

} // namespace platform
