#include "vireo/Process.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/base/Clock.h"
#include "vireo/TimeZone.h"
#include "vireo/tests/support/ProcessHarness.h"

#include <gtest/gtest.h>

using namespace vireo;
using namespace vireo::test;

namespace {

// A process on its own port with a hand-played peer "Peer" in its client map: what the process
// sends to Peer can be read back as messages.
struct Bench {
    int port { FreeUdpPort() };
    std::unique_ptr<TestProcess> process;
    RawPeer peer;

    explicit Bench(const std::string& name = "P", std::vector<std::string> args = {})
    {
        args.push_back("port=" + std::to_string(port));
        args.push_back("router.port=" + std::to_string(port));
        process = MakeProcess(name, std::move(args));
        EXPECT_EQ(process->Init(), 0);
        process->Clients()["Peer"] = peer.Address();
    }

    std::vector<Message> Sent()
    {
        std::vector<Message> messages;
        for (const std::string& text : peer.ReceiveAll(20))
            messages.emplace_back(VireoURI(text));
        return messages;
    }
};

std::string ReadFile(const std::string& name)
{
    std::ifstream file(name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

Message To(const std::string& target, const std::string& name,
    std::initializer_list<std::pair<std::string, std::string>> args = {})
{
    Message message(target, name);
    for (const auto& [key, value] : args)
        message.SetArg(key, value);
    return message;
}

} // namespace

TEST(ProcessEvents, EventsReachTheirRegistrantsButNeverTheirSender)
{
    Bench bench;
    Process& p = *bench.process;
    bench.process->Receive(
        To("P", "Event.register", { { "source", "A" }, { "sender", "Peer" }, { "type", "Music.*" } }));

    Event added("P", "//h/A", "Music.added");
    EXPECT_EQ(p.ForwardEvent(added), 1);
    const auto sent = bench.Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].PathValue(), "Peer");
    EXPECT_EQ(Event(sent[0]).Type(), "Music.added");
    EXPECT_EQ(p.ForwardEvent(Event("P", "//h/A", "Radio.added")), 0);

    // A registrant that raised the event itself does not get it back.
    LogLevelScope level(LogLevel::Debug);
    LogCapture log;
    p.AddRegistration("Peer", "Peer", "x");
    EXPECT_EQ(p.ForwardEvent(Event("P", "Peer", "x")), 1);
    EXPECT_TRUE(bench.Sent().empty());
    EXPECT_TRUE(log.Contains("Blocking forwarding of event"));

    bench.process->Receive(
        To("P", "Event.unregister", { { "source", "A" }, { "sender", "Peer" }, { "type", "Music.*" } }));
    EXPECT_EQ(p.RegistrationStore().count("A"), 0u);
    p.RemoveRegistration("Never", "Peer", "x");
    EXPECT_EQ(p.RegistrationStore().size(), 1u);
}

TEST(ProcessReady, ReadinessFollowsTheExpectedClients)
{
    Bench bench("P", { "Process.clients=A,B" });
    Process& p = *bench.process;
    p.AddRegistration("P", "Peer", "Process.autoready");
    const auto report = [&](const std::string& name, bool state) {
        bench.process->Receive(To("P", "Process.ready", { { "name", name }, { "state", state ? "true" : "false" } }));
    };

    report("A", true);
    EXPECT_EQ(p.GetIntProperty("Process.ready"), 1);
    EXPECT_TRUE(bench.Sent().empty());
    report("A", true);
    report("P", false);
    EXPECT_EQ(p.GetListProperty("Process.readyList"), StringList { "A" });
    report("B", true);
    EXPECT_EQ(p.GetIntProperty("Process.ready"), 2);
    auto sent = bench.Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(Event(sent[0]).Type(), "Process.autoready");
    EXPECT_TRUE(sent[0].GetBool("state"));
    report("A", false);
    EXPECT_EQ(p.GetIntProperty("Process.ready"), 1);
    sent = bench.Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_FALSE(sent[0].GetBool("state", true));
}

TEST(ProcessReady, NothingExpectedMeansAllReady)
{
    Bench bench;
    bench.process->Receive(To("P", "Process.ready", { { "name", "X" }, { "state", "true" } }));
    EXPECT_EQ(bench.process->GetIntProperty("Process.ready"), 2);
}

TEST(ProcessReady, ReservationClearsFilesAndCompletesWhenNoneIsReady)
{
    Bench bench("P", { "Process.clients=A" });
    Process& p = *bench.process;
    std::filesystem::create_directory("7.0.2");
    p.SaveProperties();
    ASSERT_FALSE(ReadFile("P.prp").empty());
    bench.process->Receive(To("P", "Process.ready", { { "name", "A" }, { "state", "true" } }));

    bench.process->Receive(To("P", "Process.reserve.request",
        { { "Process.reserver", "Peer" }, { "clear", "Properties.file,Properties.backupFile" } }));
    EXPECT_EQ(p.GetIntProperty("Process.ready"), 1);
    EXPECT_EQ(ReadFile("P.prp"), "");
    EXPECT_EQ(ReadFile("7.0.2/P.prp"), "");

    bench.process->Receive(To("P", "Process.ready", { { "name", "A" }, { "state", "false" } }));
    EXPECT_EQ(p.GetIntProperty("Process.ready"), 0);
    const auto sent = bench.Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Name(), "Process.reserve.complete");
}

TEST(ProcessProperties, SetSavesBothFilesAndGetReports)
{
    Bench bench;
    Process& p = *bench.process;
    std::filesystem::create_directory("7.0.2");
    bench.process->Receive(To("P", "Properties.set", { { "udn", "X" } }));
    EXPECT_EQ(p.GetProperty("udn"), "X");
    for (const char* file : { "P.prp", "7.0.2/P.prp" }) {
        EXPECT_NE(ReadFile(file).find("udn=X\n"), std::string::npos) << file;
        EXPECT_NE(ReadFile(file).find("~~~.Properties.LoadComplete=true\n"), std::string::npos) << file;
    }

    bench.process->Receive(
        To("P", "Properties.get", { { "sender", "Peer" }, { "handler", "h" }, { "attributes", "udn,absent" } }));
    bench.process->Receive(To("P", "Properties.get", { { "sender", "Peer" } }));
    const auto sent = bench.Sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].Name(), "Properties.report.h");
    EXPECT_EQ(sent[0].GetString("udn"), "X");
    EXPECT_TRUE(sent[0].Has("absent"));
    EXPECT_FALSE(sent[0].Has("name"));
    EXPECT_EQ(sent[0].GetString("handler"), "h");
    EXPECT_EQ(sent[1].Name(), "Properties.report");
    EXPECT_EQ(sent[1].GetString("name"), "P");
}

TEST(ProcessProperties, RemoteRequestsStayInTheProcessFolder)
{
    std::filesystem::create_directories("inner");
    std::filesystem::current_path("inner");
    {
        std::ofstream secret("../secret.prp");
        secret << "secret=1\n";
    }
    Bench bench;
    Process& p = *bench.process;
    bench.process->Receive(To("P", "Properties.chain", { { "Properties.chain", "../secret.prp" } }));
    bench.process->Receive(To("P", "Properties.init", { { "Properties.chain", "/etc/hostname" } }));
    EXPECT_FALSE(p.HasProperty("secret"));
    EXPECT_EQ(p.Name(), "P");

    bench.process->Receive(To("P", "Properties.set", { { "name", "../evil" } }));
    EXPECT_FALSE(std::filesystem::exists("../evil.prp"));
    std::filesystem::current_path("..");
}

TEST(ProcessProperties, LogControl)
{
    LogLevelScope level(LogLevel::Notice);
    Bench bench;
    Process& p = *bench.process;
    bench.process->Receive(To("P", "Debug.change"));
    EXPECT_EQ(p.GetProperty("Debug.level"), "NOTICE");
    for (int slot : { 0, 1, 2 }) {
        EXPECT_EQ(SinkLevel(slot), 4);
        EXPECT_EQ(SinkFieldMask(slot), 15);
    }
    bench.process->Receive(To("P", "Debug.change", { { "debug", "true" } }));
    EXPECT_EQ(GetLogLevel(), static_cast<int>(LogLevel::Debug));

    bench.process->Receive(To("P", "Log.change", { { "file", "ERROR" }, { "fields", "DATETIME,MESSAGE" } }));
    EXPECT_EQ(SinkLevel(1), 6);
    EXPECT_EQ(SinkFieldMask(1), 9);
    EXPECT_EQ(SinkLevel(0), 2);

    EXPECT_EQ(LevelFromName("ERROR"), 6);
    EXPECT_EQ(LevelFromName("error"), 4);
    EXPECT_EQ(LevelFromName(""), 4);
    EXPECT_EQ(FieldsFromText("MESSAGE,DATETIME"), 9);
    EXPECT_EQ(FieldsFromText("BOGUS"), 0);
}

TEST(ProcessProperties, TerminateStopsAndSavesOnlyWhenAsked)
{
    std::filesystem::remove("P.prp");
    Bench bench;
    bench.process->Receive(To("P", "Process.terminate"));
    EXPECT_FALSE(bench.process->IsRunning());
    EXPECT_FALSE(std::filesystem::exists("P.prp"));
    bench.process->Receive(To("P", "Process.terminate", { { "Process.save", "true" } }));
    EXPECT_TRUE(std::filesystem::exists("P.prp"));
}

class ProcessTimers : public ::testing::Test {
protected:
    std::shared_ptr<platform::ManualClock> clock { std::make_shared<platform::ManualClock>() };
    platform::ScopedClock scope { clock };
    Bench bench;
    Process& p { *bench.process };

    void Advance(int seconds) { clock->Advance(std::chrono::seconds(seconds)); }
    void Request(std::initializer_list<std::pair<std::string, std::string>> args)
    {
        bench.process->Receive(To("P", "Timer.request", args));
    }
    std::size_t Pending() const
    {
        std::size_t n = 0;
        for (const auto& [due, list] : p.Timers())
            n += list.size();
        return n;
    }
};

TEST_F(ProcessTimers, SameIdReplacesAndAllClears)
{
    Request({ { "type", "Test.tick" }, { "seconds", "5" }, { "id", "t1" } });
    Request({ { "type", "Test.tick" }, { "seconds", "9" }, { "id", "t1" } });
    EXPECT_EQ(Pending(), 1u);
    EXPECT_EQ(p.GetMapProperty("Timer").Keys(), StringList { "t1" });
    Request({ { "type", "Test.tock" }, { "seconds", "3" }, { "id", "t2" } });
    Request({ { "type", "Test.tock" }, { "seconds", "3" }, { "id", "t3" }, { "transient", "true" } });
    EXPECT_EQ(Pending(), 3u);
    EXPECT_EQ(p.GetMapProperty("Timer").Size(), 2u) << "the transient timer is not kept";

    Request({ { "id", "ALL" } });
    EXPECT_EQ(Pending(), 0u);
    EXPECT_TRUE(p.GetMapProperty("Timer").Empty());
    EXPECT_EQ(p.FireDueTimers().sec(), 300);
}

TEST_F(ProcessTimers, DueTimersFireInOrderAndPeriodicOnesComeBack)
{
    bench.process->Record("Test.tick");
    bench.process->Record("Test.first");
    bench.process->Record("Test.second");
    Request({ { "type", "Test.first" }, { "seconds", "2" } });
    Request({ { "type", "Test.second" }, { "seconds", "2" } });
    Request({ { "type", "Test.tick" }, { "seconds", "5" }, { "period", "00:00:10" }, { "id", "tick" } });

    EXPECT_EQ(p.FireDueTimers().sec(), 2);
    Advance(2);
    EXPECT_EQ(p.FireDueTimers().sec(), 3);
    ASSERT_EQ(bench.process->received.size(), 2u);
    EXPECT_EQ(bench.process->received[0].Name(), "Test.first");
    EXPECT_EQ(bench.process->received[1].Name(), "Test.second");

    int ticks = 0;
    for (int second = 3; second <= 26; ++second) {
        Advance(1);
        p.FireDueTimers();
        ticks = static_cast<int>(bench.process->received.size()) - 2;
        // Due at 5, 15 and 25 seconds after the request.
        EXPECT_EQ(ticks, second < 5 ? 0 : second < 15 ? 1 : second < 25 ? 2 : 3) << second;
    }
    EXPECT_EQ(p.GetMapProperty("Timer").Keys(), StringList { "tick" }) << "a re-armed timer is kept again";
}

// A repeating timer comes back one period after it fired, whatever the zone of the time-zone file.
TEST_F(ProcessTimers, PeriodicTimersIgnoreTheZoneOffset)
{
    {
        std::ofstream zones(kTimeZoneFile);
        zones << "currentLocalTimeZone=EST\nZones=EST\nZone.EST.GMTOffset=-5:00\n";
    }
    // The zone is read once per process; when another test read it first, it is not this one.
    if (TimeZone::Current().Hours() != -5)
        GTEST_SKIP() << "the time zone was loaded before this test wrote its file";
    bench.process->Record("Test.tick");
    Request({ { "type", "Test.tick" }, { "seconds", "1" }, { "period", "00:00:10" } });
    Advance(1);
    p.FireDueTimers();
    ASSERT_EQ(bench.process->received.size(), 1u);
    ASSERT_EQ(p.Timers().size(), 1u);
    EXPECT_EQ(p.Timers().begin()->first, static_cast<long long>(TimeOfDay().sec()) + 10);
}

TEST_F(ProcessTimers, AFiringAllTimerCancelsEveryTimer)
{
    Request({ { "type", "Test.none" }, { "seconds", "1" }, { "id", "ALL" }, { "transient", "true" } });
    Request({ { "type", "Test.later" }, { "seconds", "50" }, { "id", "later" } });
    // The request with id ALL cancelled everything before it was added, so it stands alone until the
    // second one; when it fires it cancels that one too.
    Advance(1);
    p.FireDueTimers();
    EXPECT_EQ(Pending(), 0u);
    EXPECT_TRUE(p.GetMapProperty("Timer").Empty());
}

TEST_F(ProcessTimers, KeptTimersComeBackAfterARestart)
{
    Request({ { "type", "Test.tick" }, { "seconds", "30" }, { "id", "kept" } });
    std::filesystem::create_directory("7.0.2");
    p.SaveProperties();
    auto restarted = MakeProcess("P", { "Properties.chain=P.prp" });
    restarted->ReloadTimers();
    ASSERT_EQ(restarted->Timers().size(), 1u);
    EXPECT_EQ(restarted->Timers().begin()->second[0].Name(), "Test.tick");
}

TEST(ProcessPing, PaddingIsMadeOfNumberedRulers)
{
    const std::string ruler
        = ".......10*.......20*.......30*.......40*.......50*.......60*.......70*.......80*.......90*......100\n";
    const std::string padding = MakePingPadding(150);
    EXPECT_EQ(padding, "\n0" + ruler.substr(1) + ("1" + ruler.substr(1)).substr(0, 49));
    for (int n : { 1, 2, 100, 101, 102, 1234 })
        EXPECT_EQ(MakePingPadding(n).size(), static_cast<std::size_t>(n)) << n;
    EXPECT_EQ(MakePingPadding(1), "\n");
    EXPECT_EQ(MakePingPadding(1500).substr(1 + 12 * 100, 8), "12.....1");
}

TEST(ProcessPing, RequestsArePaddedToThePacketSizeAndCarryTheExtraArguments)
{
    Bench bench;
    bench.process->Receive(To(
        "P", "Ping.start", { { "count", "2" }, { "target", "Peer" }, { "packetSize", "500" }, { "argCount", "2" } }));
    const std::vector<std::string> requests = bench.peer.ReceiveAll(20);
    ASSERT_EQ(requests.size(), 1u) << "one request at a time";
    EXPECT_EQ(requests[0].size(), 500u);
    const Message request { VireoURI(requests[0]) };
    EXPECT_EQ(request.GetString("Ping.arg.2"), "Ping.val.2");
    EXPECT_EQ(request.GetInt("index"), 1);
    EXPECT_NE(bench.process->PingReport().find("avg:   -1 usec"), std::string::npos);

    // A late answer changes nothing; the right one sends the next request.
    bench.process->Receive(To("P", "Ping.ack", { { "index", "7" } }));
    EXPECT_TRUE(bench.peer.ReceiveAll(20).empty());
    bench.process->Receive(To("P", "Ping.ack", { { "index", "1" } }));
    EXPECT_EQ(bench.peer.ReceiveAll(20).size(), 1u);
}

TEST(ProcessPing, RunBetweenTwoProcessesReports)
{
    Bench pinger("Pinger");
    Bench target("Target");
    pinger.process->Clients()["Target"] = ACE_INET_Addr(static_cast<u_short>(target.port), "127.0.0.1");
    target.process->Clients()["Pinger"] = ACE_INET_Addr(static_cast<u_short>(pinger.port), "127.0.0.1");
    pinger.process->Receive(
        To("Pinger", "Ping.start", { { "count", "3" }, { "target", "Target" }, { "Ping.sender", "Peer" } }));
    std::vector<Message> reports;
    ASSERT_TRUE(PumpUntil({ pinger.process.get(), target.process.get() }, [&] {
        for (Message& m : pinger.Sent())
            reports.push_back(m);
        return !reports.empty();
    }));
    EXPECT_EQ(reports[0].Name(), "Ping.report");
    EXPECT_TRUE(reports[0].GetBool("complete"));
    EXPECT_GE(reports[0].GetInt("avgMics", -1), 0);
    EXPECT_NE(pinger.process->PingReport().find("count: 3"), std::string::npos);
}
