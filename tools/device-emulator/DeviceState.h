#pragma once
// What the processes of one emulated device share: its library, the owner's details, the room
// reserved for incoming files, the request rules, and where its files lie for transfers.

#include <filesystem>
#include <string>

#include "tools/device-emulator/DeviceLibrary.h"
#include "tools/device-emulator/FileSpace.h"
#include "tools/device-emulator/RequestRules.h"
#include "tools/device-emulator/SetupValues.h"

namespace emulator {

struct DeviceState {
    explicit DeviceState(const std::filesystem::path& folder)
        : library(folder)
        , setup(folder)
        , space(folder)
    {
    }

    DeviceLibrary library;
    SetupValues setup;
    FileSpace space;
    RequestRules rules;
    // The library folder relative to the current directory, as transfer paths are resolved.
    std::string transferFolder { "." };
    // The firmware revision reported to clients; 0 reports none.
    int revision { 0 };
};

} // namespace emulator
