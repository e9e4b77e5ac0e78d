// The desktop program binds to the component's interfaces by slot order: the members after
// IDispatch's seven slots must stay where they are.

#include <cstring>

#include <gtest/gtest.h>

#include "sync/Lumasync.h"

namespace {

// The table slot of a virtual member function (first slot 0), read from its pointer-to-member: the
// Itanium C++ ABI stores it as 1 + the slot's byte offset.
template<class F> std::ptrdiff_t SlotOf(F member)
{
    static_assert(sizeof(F) == 2 * sizeof(std::ptrdiff_t));
    std::ptrdiff_t raw[2];
    std::memcpy(raw, &member, sizeof raw);
    return (raw[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

} // namespace

TEST(InterfaceLayout, MembersSitInTheirFixedSlots)
{
    struct Case {
        std::ptrdiff_t slot;
        std::ptrdiff_t expected;
    };
    const Case cases[] {
        { SlotOf(&IQVClientDevice::SyncTuneStewardFromClientDevice), 7 },
        { SlotOf(&IQVClientDevice::SyncClientDeviceFromTuneSteward), 8 },
        { SlotOf(&IQVClientDevice::put_MusicFolder), 7 + 15 },
        { SlotOf(&IQVClientDevice::put_RadioFolder), 7 + 25 },
        { SlotOf(&IQVClientDevice::put_OEMName), 7 + 31 },
        { SlotOf(&IQVClientDevice::CancelSync), 7 + 34 },
        { SlotOf(&IQVClientDevice::GetDeviceFile), 7 + 37 },
        { SlotOf(&IQVClientDevice::put_DeviceName), 7 + 39 },
        { SlotOf(&IQVClientConnection::ListDevices), 7 },
        { SlotOf(&IQVClientConnection::put_BroadcastMask), 7 + 11 },
        { SlotOf(&IQVClientCollection::get_NumDevices), 8 },
        { SlotOf(&IQVClient::get_UDN), 7 + 5 },
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(cases[i].slot, cases[i].expected) << "case " << i;
}
