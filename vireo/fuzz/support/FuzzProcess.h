#pragma once
// A process for the fuzz targets: bound to a free loopback port, its router at its own port and its
// broadcasts to loopback, so nothing a fuzzed message asks for leaves the machine, and quiet below errors.

#include <ace/INET_Addr.h>
#include <ace/SOCK_Dgram.h>

#include <memory>
#include <string>
#include <vector>

#include "vireo/Process.h"

namespace vireo::fuzz {

inline int FreeUdpPort()
{
    ACE_SOCK_Dgram probe;
    ACE_INET_Addr any(static_cast<u_short>(0), "127.0.0.1");
    probe.open(any);
    ACE_INET_Addr local;
    probe.get_local_addr(local);
    const int port = local.get_port_number();
    probe.close();
    return port;
}

// The process, initialised; extra holds further key=value settings.
inline std::unique_ptr<Process> MakeFuzzProcess(std::vector<std::string> extra = {})
{
    const std::string port = std::to_string(FreeUdpPort());
    std::vector<std::string> args { "Fuzz", "port=" + port, "router.port=" + port, "router.host=127.0.0.1",
        "Socket.broadcastAddress=127.0.0.1", "Process.interMessageGap=0", "Process.interFragmentGap=0",
        "Debug.level=ERROR" };
    args.insert(args.end(), extra.begin(), extra.end());
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    auto process = std::make_unique<Process>(static_cast<int>(argv.size()), argv.data());
    process->Init();
    return process;
}

} // namespace vireo::fuzz
