#include "bench/FreeUdpPort.h"

#include <ace/INET_Addr.h>
#include <ace/SOCK_Dgram.h>

int FreeUdpPort()
{
    ACE_SOCK_Dgram probe;
    probe.open(ACE_INET_Addr(static_cast<u_short>(0), static_cast<ACE_UINT32>(INADDR_ANY)));
    ACE_INET_Addr local;
    probe.get_local_addr(local);
    probe.close();
    return local.get_port_number();
}
