#pragma once
// Starts an emulated device for a test: another test's process may hold the router's port for a moment.

#include <chrono>
#include <string>
#include <thread>

#include "tools/device-emulator/DeviceEmulator.h"

inline bool StartEmulator(emulator::DeviceEmulator& device, std::string& error)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (device.Start(error))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}
