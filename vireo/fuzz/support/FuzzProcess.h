#pragma once
// A process for the fuzz targets: bound to a free loopback port, its router at its own port and its
// broadcasts to loopback, so nothing a fuzzed message asks for leaves the machine, and quiet below errors.

#include <memory>
#include <string>
#include <vector>

#include "vireo/Process.h"
#include "vireo/tests/support/FreeUdpPort.h"

namespace vireo::fuzz {

// The process, initialised.
inline std::unique_ptr<Process> MakeFuzzProcess()
{
    const std::string port = std::to_string(test::FreeUdpPort());
    std::vector<std::string> args { "Fuzz", "port=" + port, "router.port=" + port, "router.host=127.0.0.1",
        "Socket.broadcastAddress=127.0.0.1", "Process.interMessageGap=0", "Process.interFragmentGap=0",
        "Debug.level=ERROR" };
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    auto process = std::make_unique<Process>(static_cast<int>(argv.size()), argv.data());
    process->Init();
    return process;
}

} // namespace vireo::fuzz
