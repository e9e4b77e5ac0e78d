#pragma once
// A UDP port for a test or fuzz target's own process.

#include <ace/INET_Addr.h>
#include <ace/SOCK_Dgram.h>

namespace vireo::test {

// A UDP port that was free a moment ago.
inline int FreeUdpPort()
{
    ACE_SOCK_Dgram probe;
    ACE_INET_Addr any(static_cast<u_short>(0), static_cast<ACE_UINT32>(INADDR_ANY));
    probe.open(any);
    ACE_INET_Addr local;
    probe.get_local_addr(local);
    const int port = local.get_port_number();
    probe.close();
    return port;
}

} // namespace vireo::test
