#include "bench/FreeUdpPort.h"

#include "vireo/tests/support/FreeUdpPort.h"

int FreeUdpPort() { return vireo::test::FreeUdpPort(); }
