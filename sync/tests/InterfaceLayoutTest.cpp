// The desktop program binds to the component's interfaces by slot order: the members after
// IDispatch's seven slots must stay where they are. Late binders read the members from the type
// library, which must agree with the dispatch tables the objects answer from.

#include <cstring>
#include <set>
#include <string>
#include <tuple>

#include <gtest/gtest.h>

#include "platform/base/CodePage.h"
#include "platform/base/Modules.h"
#include "platform/base/Resources.h"
#include "platform/com/TypeLib.h"
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

// Name, dispatch identifier and help string of each member of the dispatch table, a property read
// and written counted once.
template<class Interface> std::set<std::tuple<std::string, DISPID, std::string>> TableMembers()
{
    std::set<std::tuple<std::string, DISPID, std::string>> members;
    for (const platform::DispMember& member : platform::DispatchTable<Interface>::Members()) {
        const std::string name = platform::Utf16ToUtf8(member.name);
        members.emplace(name, member.dispid, (member.kind == DISPATCH_METHOD ? "method " : "property ") + name);
    }
    return members;
}

std::set<std::tuple<std::string, DISPID, std::string>> LibraryMembers(const platform::TypeLibInfo::Interface& itf)
{
    std::set<std::tuple<std::string, DISPID, std::string>> members;
    for (const auto& member : itf.members)
        members.emplace(member.name, member.dispid, member.helpString);
    return members;
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

TEST(InterfaceLayout, TheTypeLibraryListsTheMembersTheObjectsDispatch)
{
    const HMODULE module = GetModuleHandle(nullptr);
    HRSRC found = FindResource(module, MAKEINTRESOURCE(1), "TYPELIB");
    ASSERT_NE(found, nullptr);
    const auto* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(data, nullptr);
    platform::TypeLibInfo library;
    std::string error;
    ASSERT_TRUE(platform::ParseTypeLibText(std::string(data, SizeofResource(module, found)), library, &error))
        << error;
    ASSERT_EQ(library.interfaces.size(), 3u);
    for (const auto& itf : library.interfaces) {
        if (itf.iid == platform::IidOf<IQVClientCollection>())
            EXPECT_EQ(LibraryMembers(itf), TableMembers<IQVClientCollection>());
        else if (itf.iid == platform::IidOf<IQVClientConnection>())
            EXPECT_EQ(LibraryMembers(itf), TableMembers<IQVClientConnection>());
        else
            EXPECT_TRUE(itf.iid == platform::IidOf<IQVClientQuery>() && itf.members.empty()) << itf.name;
    }
}
