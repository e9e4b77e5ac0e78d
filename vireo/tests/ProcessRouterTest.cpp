#include "vireo/Process.h"

#include "vireo/tests/support/ProcessHarness.h"

#include <gtest/gtest.h>

using namespace vireo;
using namespace vireo::test;

namespace {

// A router on a fresh port and the arguments that make a client use it.
struct Network {
    int port { FreeUdpPort() };
    std::unique_ptr<TestProcess> router { MakeProcess(
        "System", { "port=" + std::to_string(port), "router.port=" + std::to_string(port) }) };

    Network() { EXPECT_EQ(router->Init(), 0); }

    std::unique_ptr<TestProcess> Client(const std::string& name, std::vector<std::string> args = {})
    {
        args.push_back("router.port=" + std::to_string(port));
        auto client = MakeProcess(name, std::move(args));
        EXPECT_EQ(client->Init(), 0);
        return client;
    }
};

} // namespace

TEST(ProcessConstruction, NameComesFromTheProgramPathUnlessGiven)
{
    struct Case {
        std::string argv0;
        std::vector<std::string> args;
        std::string name;
    };
    const Case cases[] = {
        { "C:\\apps\\sync.exe", {}, "sync" },
        { "/opt/sync.exe.bak", {}, "sync" },
        { "SYNC.EXE", {}, "SYNC.EXE" },
        { "/opt/apps/", {}, "VireoProcess" },
        { "/opt/sync", { "name=Library" }, "Library" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeProcess(c.argv0, c.args)->Name(), c.name) << c.argv0;
    EXPECT_EQ(DirectoryOfPath("C:\\apps\\sync.exe"), "C:\\apps\\");
    EXPECT_EQ(DirectoryOfPath("sync.exe"), "");
}

TEST(ProcessConstruction, AddressesEventsAndCommandTable)
{
    auto process = MakeProcess("Library", { "udn=ab-12", "router.name=System" });
    EXPECT_EQ(process->OwnAddress(), "//ab-12/Library");
    const Event event = process->MakeEvent("Process.autoready");
    EXPECT_EQ(event.PathValue(), "System");
    EXPECT_EQ(event.Sender(), "//ab-12/Library");
    EXPECT_EQ(event.Type(), "Process.autoready");
    EXPECT_EQ(MakeProcess("Alone", {})->MakeEvent("x").PathValue(), "Alone");

    // 37 commands of the process and the profiler's six, and the readiness event.
    EXPECT_EQ(process->CommandTable().size(), 37u + 6u);
    for (const char* name : { "Process.identity", "Process.forward", "Timer.request", "Ping.ack", "File.retry",
             "Properties.get", "Log.change" })
        EXPECT_TRUE(process->CommandTable().count(name)) << name;
    EXPECT_TRUE(process->EventTable().count("Process.autoready"));
}

TEST(ProcessConstruction, ScriptLinesAreReadWithoutLineEnds)
{
    {
        std::FILE* file = std::fopen("script.txt", "wb");
        std::fputs("vqp:A#x\r\n\nvqp:B#y", file);
        std::fclose(file);
    }
    auto process = MakeProcess("P", { "URIscript=script.txt" });
    EXPECT_EQ(process->ScriptList(), (std::vector<std::string> { "vqp:A#x", "vqp:B#y" }));
}

TEST(ProcessInit, RouterDecision)
{
    LogLevelScope level(LogLevel::Info);
    LogCapture log;
    Network net;
    EXPECT_TRUE(log.Contains("Self address matches router address; making System a router."));
    EXPECT_FALSE(net.router->HasProperty("router.name"));
    EXPECT_FALSE(net.router->HasProperty("router.host"));
    EXPECT_EQ(net.router->Clients().count("System"), 1u) << "own name, as nobody routes for it";

    auto client = net.Client("Library", { "Socket.SO_BROADCAST=1", "Socket.SO_NOSUCH=1" });
    EXPECT_EQ(client->GetProperty("router.name"), "System");
    EXPECT_EQ(client->GetProperty("router.host"), "127.0.0.1");
    EXPECT_EQ(client->GetIntProperty("router.port"), net.port);
    EXPECT_EQ(Process::AddressText(client->Clients().at("System")), "127.0.0.1:" + std::to_string(net.port));
    EXPECT_EQ(client->Clients().count("Library"), 1u);
    EXPECT_TRUE(log.Contains("Library set socket option SO_BROADCAST = 1."));
    EXPECT_TRUE(log.Contains("Library attempts to set unknown socket option SO_NOSUCH."));
}

TEST(ProcessRouter, ClientIdentifiesIsConfirmedAndReportsReady)
{
    Network net;
    net.router->SetProperty("udn", "dev-1");
    auto client = net.Client("Library");
    ASSERT_TRUE(PumpUntil({ net.router.get(), client.get() },
        [&] { return net.router->GetListProperty("Process.readyList") == StringList { "Library" }; }));
    EXPECT_EQ(net.router->GetIntProperty("Process.ready"), 2);
    EXPECT_EQ(client->GetProperty("udn"), "dev-1");
    EXPECT_EQ(net.router->Clients().at("Library").get_port_number(), client->LocalAddress().get_port_number());

    // Identifying again from the same address is answered again, and the registration stays single.
    client->Record("Process.connected");
    Message again = client->MakeIdentityMessage();
    client->Send(again);
    ASSERT_TRUE(PumpUntil({ net.router.get(), client.get() }, [&] { return !client->received.empty(); }));
    const auto& registrations = net.router->RegistrationStore();
    ASSERT_EQ(registrations.count("System"), 1u);
    EXPECT_EQ(registrations.at("System")->Registrants("Process.autoready"), StringList { "Library" });
    EXPECT_EQ(client->received[0].GetString("router.name"), "System");
    EXPECT_FALSE(client->received[0].Has("discovery.serialNumber"));
}

TEST(ProcessRouter, IdentityAskingForDiscoveryGetsTheAttributes)
{
    Network net;
    net.router->SetProperty("discovery.serialNumber", "S1");
    auto client = net.Client("Library");
    client->Record("Process.connected");
    Message identity = client->MakeIdentityMessage();
    identity.SetArg("discovery", "yes");
    client->Send(identity);
    ASSERT_TRUE(PumpUntil({ net.router.get(), client.get() }, [&] {
        return std::any_of(
            client->received.begin(), client->received.end(), [](const Message& m) { return m.Has("serialNumber"); });
    }));
}

TEST(ProcessRouter, MessagesForUnknownTargetsGoThroughTheRouter)
{
    Network net;
    auto a = net.Client("A");
    auto b = net.Client("B");
    b->Record("Test.hello");
    ASSERT_TRUE(PumpUntil({ net.router.get(), a.get(), b.get() },
        [&] { return net.router->Clients().count("A") && net.router->Clients().count("B"); }));
    PumpQuiet({ net.router.get(), a.get(), b.get() });

    Message hello("B", "Test.hello", "x", "1");
    ASSERT_TRUE(a->Send(hello));
    ASSERT_TRUE(PumpUntil({ net.router.get(), b.get() }, [&] { return !b->received.empty(); }));
    EXPECT_EQ(b->received[0].PathValue(), "B");
    EXPECT_EQ(b->received[0].GetString("x"), "1");
    EXPECT_TRUE(net.router->unrecognised.empty()) << "the router forwards, it does not dispatch";

    // "Process.forward" sends the message its argument describes.
    Message forward("System", "Process.forward");
    forward.SetArg("message", Message("B", "Test.hello", "x", "2"));
    ASSERT_TRUE(a->Send(forward));
    ASSERT_TRUE(PumpUntil({ net.router.get(), b.get() }, [&] { return b->received.size() == 2; }));
    EXPECT_EQ(b->received[1].GetString("x"), "2");

    // After "Process.disconnect" the router no longer knows the client.
    Message bye("System", "Process.disconnect", "name", "B");
    a->Send(bye);
    ASSERT_TRUE(PumpUntil({ net.router.get() }, [&] { return !net.router->Clients().count("B"); }));
}

TEST(ProcessRouter, IdentitiesThatWouldTakeOverTheRouterAreIgnored)
{
    Network net;
    const ACE_INET_Addr own = net.router->Clients().at("System");
    for (const char* name : { "System", "" })
        net.router->Receive(Message("System", "Process.identity", "name", name));
    EXPECT_EQ(net.router->Clients().at("System"), own);
    EXPECT_EQ(net.router->Clients().count(""), 0u);
    EXPECT_TRUE(net.router->RegistrationStore().empty());
}

TEST(ProcessRouter, RouterKey)
{
    auto process = MakeProcess("P", { "router.name=System" });
    EXPECT_EQ(process->RouterKey("dev1"), "//dev1/System");
    EXPECT_EQ(MakeProcess("P", {})->RouterKey(""), "P");
}
