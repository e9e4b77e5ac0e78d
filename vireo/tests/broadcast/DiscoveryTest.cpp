#include "vireo/Process.h"

#include "vireo/tests/support/ProcessHarness.h"

#include <gtest/gtest.h>

using namespace vireo;
using namespace vireo::test;

namespace {

// A router that describes itself, and a client that broadcasts on loopback to the router's port.
struct Neighbourhood {
    int port { FreeUdpPort() };
    std::unique_ptr<TestProcess> router;
    std::unique_ptr<TestProcess> client;

    explicit Neighbourhood(std::vector<std::string> clientArgs = {})
    {
        const std::string p = std::to_string(port);
        router = MakeProcess("System",
            { "port=" + p, "router.port=" + p, "Socket.SO_BROADCAST=1", "Socket.broadcastAddress=127.0.0.1",
                "discovery.productName=Prod", "discovery.serialNumber=S1", "udn=Prod-S1" });
        clientArgs.insert(
            clientArgs.end(), { "router.port=" + p, "Socket.SO_BROADCAST=1", "Socket.broadcastAddress=127.0.0.1" });
        client = MakeProcess("Library", clientArgs);
        EXPECT_EQ(router->Init(), 0);
        EXPECT_EQ(client->Init(), 0);
        PumpQuiet({ router.get(), client.get() });
    }
};

} // namespace

TEST(Discovery, RequestIsAnsweredAndBothSidesRecordEachOther)
{
    Neighbourhood net({ "Process.net.events.music=\"source=Library;type=Music.*\"" });
    net.client->Discover();
    ASSERT_TRUE(PumpUntil({ net.router.get(), net.client.get() }, [&] { return !net.client->discovered.empty(); }));
    PumpQuiet({ net.router.get(), net.client.get() });

    const AttributeValueMap& found = net.client->discovered[0];
    EXPECT_EQ(found.GetString("udn"), "Prod-S1");
    EXPECT_EQ(found.GetString("IPaddress"), "127.0.0.1");
    EXPECT_EQ(found.GetString("serialNumber"), "S1");
    ASSERT_EQ(net.client->Clients().count("//Prod-S1/System"), 1u);
    EXPECT_EQ(net.client->Clients().at("//Prod-S1/System").get_port_number(), net.port);

    // A plain request carries no udn, so the router records the requester under "-".
    EXPECT_EQ(net.router->Clients().count("//-/Library"), 1u);

    // The discovered router was asked for the events the client's configuration lists.
    const auto& registrations = net.router->RegistrationStore();
    ASSERT_EQ(registrations.count("Library"), 1u);
    EXPECT_EQ(registrations.at("Library")->Registrants("Music.added"), StringList { net.client->OwnAddress() });
}

TEST(Discovery, DescriptionsAreRecordedUnderTheirUdnAndAddress)
{
    Neighbourhood net;
    Message description("Library", "Process.discovered", "name", "Peer");
    description.SetArg("productName", "P");
    description.SetArg("serialNumber", "S");
    description.SetArg("host", "127.0.0.2");
    description.SetArg("port", "4321");
    net.client->Receive(description);
    ASSERT_EQ(net.client->discovered.size(), 1u);
    EXPECT_EQ(net.client->discovered[0].GetString("udn"), "P-S");
    EXPECT_EQ(net.client->discovered[0].GetString("IPaddress"), "127.0.0.2");
    EXPECT_EQ(Process::AddressText(net.client->Clients().at("//P-S/Peer")), "127.0.0.2:4321");
}

TEST(Discovery, ConfiguredDiscoveryStartsWhenAllAreReadyAndOnlyForExactWords)
{
    for (const char* word : { "discoverAnnounce", "DiscoverAnnounce" }) {
        Neighbourhood net;
        net.router->SetProperty("Process.discover.init", word);
        net.router->SetProperty("Process.clients", "Library");
        net.client->SetProperty("Process.discover.init", word);
        net.client->SetProperty("Process.clients", "Nobody");
        // The client's own readiness turns 2 when the router reports itself; the combined request
        // then reaches the router, which answers and records the client under the udn it sent.
        Message ready("Library", "Process.ready", "name", "Nobody");
        ready.SetArg("state", true);
        net.client->Receive(ready);
        PumpQuiet({ net.router.get(), net.client.get() });
        const bool exact = std::string(word) == "discoverAnnounce";
        EXPECT_EQ(!net.client->discovered.empty(), exact) << word;
        EXPECT_EQ(net.router->Clients().count("//Prod-S1/Library") == 1, exact) << word;
    }
}
