#pragma once
// How one emulated device is set up: where it listens, where its library lives, what it calls itself
// in discovery answers, and the framework properties its processes get.

#include <string>
#include <utility>
#include <vector>

#include "tools/device-emulator/RequestRules.h"

namespace emulator {

// The router port a device listens on unless told otherwise.
inline constexpr int kDefaultPort = 1500;

struct EmulatorOptions {
    // The router's UDP port; the other processes take ports of the system's choosing.
    int port { kDefaultPort };
    // The library folder; with the in-process device it must lie in the current directory, because
    // the framework resolves transfer paths against that directory.
    std::string folder { "device" };
    // Discovery answers: unique device name, friendly name, serial number, maker and product name.
    std::string udn { "aldercrest-emulator" };
    std::string friendlyName { "Emulated Music Server" };
    std::string serialNumber { "EMU-0001" };
    std::string maker { "Aldercrest" };
    std::string productName { "Music Server" };
    // The firmware revision the device reports ("revNum"); 0 reports none.
    int revision { 2 };
    // Milliseconds the device's thread rests after each event it handled, so that every answer, the
    // acknowledgement of each file packet included, comes at least that late: a slow device.
    int pauseMilliseconds { 0 };
    // Further framework properties (dotted keys such as Process.interMessageGap) for every process.
    std::vector<std::pair<std::string, std::string>> frameworkProperties;
    // Rules read from the arguments; copied into the running device's rules at start.
    std::vector<std::pair<std::string, std::string>> ruleArguments;
};

// Reads key=value arguments: port, folder, udn, name, serial, maker, product, revision, pause, drop, delay,
// refuse, and dotted framework keys. False with a reason on the first bad argument.
bool ParseEmulatorArguments(const std::vector<std::string>& arguments, EmulatorOptions& options, std::string& error);

} // namespace emulator
