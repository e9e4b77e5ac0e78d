// Discovery by the device client: one broadcast per address of the mask, each followed by a pause
// and by pumping until a slice is quiet; each new answering address becomes one listed device.

#include <gtest/gtest.h>

#include "sync/DeviceClient.h"
#include "sync/DeviceList.h"
#include "sync/tests/ComApartment.h"
#include "sync/tests/ScriptedLink.h"

using sync_test::ScriptedLink;
using namespace std::chrono_literals;

namespace {

struct Discovery {
    Discovery()
    {
        DeviceList::Clear();
        auto owned = std::make_unique<ScriptedLink>();
        link = owned.get();
        client = std::make_unique<DeviceClient>(std::move(owned));
        link->events.push_back(ScriptedLink::Busy());
    }
    ~Discovery() { DeviceList::Clear(); }

    sync_test::ComApartment apartment;
    ScriptedLink* link { nullptr };
    std::unique_ptr<DeviceClient> client;
};

std::u16string Text(BSTR text)
{
    std::u16string copy = text ? std::u16string(text) : std::u16string();
    SysFreeString(text);
    return copy;
}

} // namespace

TEST(DeviceClientDiscovery, TheMaskIsSplitAtItsCommasUpToTheFirstEmptyPiece)
{
    const struct {
        const char* mask;
        std::vector<std::string> broadcasts;
    } cases[] = {
        { "a,b", { "a", "b" } },
        { "a,,b", { "a", ",b" } },
        { "a,", { "a" } },
        { "", { "" } },
        { ",a", { ",a" } },
    };
    for (const auto& c : cases) {
        Discovery setup;
        ASSERT_TRUE(setup.client->DiscoverDevices(c.mask)) << c.mask;
        EXPECT_EQ(setup.link->broadcasts, c.broadcasts) << c.mask;
        EXPECT_EQ(setup.link->pauses, std::vector<std::chrono::milliseconds>(c.broadcasts.size(), 1000ms)) << c.mask;
    }
}

TEST(DeviceClientDiscovery, EachBroadcastIsFollowedByPumpingUntilASliceIsQuiet)
{
    Discovery setup;
    ASSERT_TRUE(setup.client->Initialize());
    const std::size_t before = setup.link->waits.size();
    setup.link->events.push_back(ScriptedLink::Busy());
    setup.link->events.push_back(ScriptedLink::Busy());
    ASSERT_TRUE(setup.client->DiscoverDevices("a"));
    EXPECT_EQ(setup.link->waits.size() - before, 3u);
    EXPECT_EQ(setup.link->waits.back(), 3000ms);
}

TEST(DeviceClientDiscovery, AClientWithoutASocketDoesNotBroadcastButOneWithASilentRouterDoes)
{
    {
        Discovery setup;
        setup.link->initResult = -1;
        setup.link->events.clear();
        EXPECT_FALSE(setup.client->DiscoverDevices("a"));
        EXPECT_TRUE(setup.link->broadcasts.empty());
    }
    // Where no device is on the network, nobody answers the registration either.
    Discovery setup;
    setup.link->events.clear();
    EXPECT_TRUE(setup.client->DiscoverDevices("a"));
    EXPECT_EQ(setup.link->broadcasts, std::vector<std::string> { "a" });
}

TEST(DeviceClientDiscovery, AnAnswerIsListedOncePerAddressWithoutItsPort)
{
    Discovery setup;
    vireo::AttributeValueMap reply;
    reply.SetString("IPaddress", "10.1.2.3:1500");
    reply.SetString("oemName", "Aldercrest");
    reply.SetString("serialNumber", "SN-9");
    reply.SetString("udn", "box-9");
    setup.link->listener->OnDiscovered(reply);
    reply.SetString("IPaddress", "10.1.2.3");
    setup.link->listener->OnDiscovered(reply);
    ASSERT_EQ(DeviceList::Count(), 1u);

    CComPtr<IQVClient> device;
    device.Attach(DeviceList::Item(0));
    BSTR text = nullptr;
    device->get_IPAddress(&text);
    EXPECT_EQ(Text(text), u"10.1.2.3");
    device->get_FriendlyName(&text);
    EXPECT_EQ(Text(text), u"SN-9");
    device->get_OEMName(&text);
    EXPECT_EQ(Text(text), u"Aldercrest");
}
