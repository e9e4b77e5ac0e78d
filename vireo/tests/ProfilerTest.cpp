#include "vireo/Profiler.h"

#include <filesystem>

#include "platform/base/Clock.h"
#include "vireo/Process.h"
#include "vireo/tests/support/ProcessHarness.h"

#include <gtest/gtest.h>

using namespace vireo;
using namespace vireo::test;
namespace fs = std::filesystem;

namespace {

// A process with a hand-played peer "Peer", its profiler, and a manual clock for the intervals.
class Profiling : public ::testing::Test {
protected:
    std::shared_ptr<platform::ManualClock> clock { std::make_shared<platform::ManualClock>() };
    platform::ScopedClock scope { clock };
    RawPeer peer;
    std::unique_ptr<TestProcess> process;
    Profiler* profiler { nullptr };

    void SetUp() override { Start({}); }

    void Start(std::vector<std::string> args)
    {
        const std::string port = std::to_string(FreeUdpPort());
        args.push_back("port=" + port);
        args.push_back("router.port=" + port);
        process = MakeProcess("P", std::move(args));
        ASSERT_EQ(process->Init(), 0);
        process->Clients()["Peer"] = peer.Address();
        profiler = &process->MessageProfiler();
    }

    // Writes a rules file with the entries under "Spec" and loads it, enabled.
    void Rules(std::initializer_list<std::pair<std::string, std::string>> spec, const std::string& file = "rules.prp")
    {
        Properties rules;
        for (const auto& [key, value] : spec)
            rules.SetString("Spec." + key, value);
        rules.Save(file);
        profiler->LoadRules(file, true);
    }

    void Seconds(int n) { clock->Advance(std::chrono::seconds(n)); }
    void See(const std::string& name, std::initializer_list<std::pair<std::string, std::string>> args = {})
    {
        Message message("Library", name);
        for (const auto& [key, value] : args)
            message.SetArg(key, value);
        profiler->ProfileMessage(message);
    }
    int Stat(const std::string& key) const { return profiler->ProfileData().GetInt(key, -1); }

    std::vector<Message> Answers()
    {
        std::vector<Message> messages;
        for (const std::string& text : peer.ReceiveAll(20))
            messages.emplace_back(VireoURI(text));
        return messages;
    }
};

} // namespace

TEST_F(Profiling, WithoutRulesNothingIsCountedAndTheReportHasNoName)
{
    EXPECT_FALSE(profiler->IsEnabled()) << "the flag starts defined, and off";
    See("Library.query");
    EXPECT_TRUE(profiler->ProfileData().Empty());
    process->Receive(Message("P", "Profiler.get", "sender", "Peer"));
    const auto answers = Answers();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].Name(), "Profiler.report");
    EXPECT_TRUE(answers[0].Has("filename"));
    EXPECT_EQ(answers[0].GetString("filename", "x"), "");
}

TEST_F(Profiling, AStartAndAStopThreeSecondsLater)
{
    Rules({ { "query.start", "#Library.query" }, { "query.stop", "#Library.result" }, { "query.enable", "true" },
        { "off.start", "#Library.query" }, { "odd", "#Library.query" } });
    See("Library.query");
    Seconds(3);
    See("Library.other");
    See("Library.result");
    EXPECT_EQ(Stat("query.count.start"), 1);
    EXPECT_EQ(Stat("query.count.stop"), 1);
    EXPECT_EQ(Stat("query.time"), 3);
    EXPECT_EQ(profiler->ProfileData().Size(), 3u) << "a measurement not enabled and a key without start or stop count nothing";

    // A stop with nothing open counts under the empty subkey and adds no time.
    See("Library.result");
    EXPECT_EQ(Stat("query.count.stop"), 2);
    EXPECT_EQ(Stat("query.time"), 3);
}

TEST_F(Profiling, IntervalsSplitByAnArgument)
{
    Rules({ { "query.start", "#Library.query" }, { "query.stop", "#Library.result" }, { "query.enable", "true" },
        { "query.subkeyArg", "mtype" } });
    See("Library.query", { { "mtype", "music" } });
    EXPECT_EQ(Stat("query.count.start.mtype.music"), 1);
    Seconds(2);
    // Another subkey's start closes the open interval and opens its own.
    See("Library.query", { { "mtype", "radio" } });
    EXPECT_EQ(Stat("query.time.mtype.music"), 2);
    Seconds(1);
    // A second start of the open subkey counts, but the interval keeps its first start time.
    See("Library.query", { { "mtype", "radio" } });
    EXPECT_EQ(Stat("query.count.start.mtype.radio"), 2);
    Seconds(4);
    See("Library.result");
    EXPECT_EQ(Stat("query.count.stop.mtype.radio"), 1);
    EXPECT_EQ(Stat("query.time.mtype.radio"), 5);
}

TEST_F(Profiling, WhichMessagesARuleSelects)
{
    Rules({
        { "tagged.start", "?mtype#Library.query" },
        { "tagged.enable", "true" },
        { "music.start", "?mtype=music#Library.query" },
        { "music.enable", "true" },
        { "added.start", "?type=Music.added#Event.notify" },
        { "added.enable", "true" },
        { "elsewhere.start", "Radio#Library.query" },
        { "elsewhere.enable", "true" },
        { "late.start.stop", "#Library.done" },
        { "late.start.enable", "true" },
    });
    See("Library.query");
    See("Library.query", { { "mtype", "radio" } });
    See("Library.query", { { "mtype", "music" } });
    profiler->ProfileMessage(Event("Library", "Library", "Music.added"));
    profiler->ProfileMessage(Event("Library", "Library", "Music.removed"));
    See("Library.done");
    EXPECT_EQ(Stat("tagged.count.start.mtype.radio"), -1) << "no split without subkeyArg";
    EXPECT_EQ(Stat("tagged.count.start"), 2) << "an argument without a value asks only for its presence";
    EXPECT_EQ(Stat("music.count.start"), 1);
    EXPECT_EQ(Stat("added.count.start"), 1);
    EXPECT_EQ(Stat("elsewhere.count.start"), -1) << "the path must match";
    EXPECT_EQ(Stat("late.start.count.stop"), 1) << "\".stop\" anywhere makes a stop rule";
}

TEST_F(Profiling, ReportsAddUpAndTheRulesFileKeepsOnlyWhatIsNew)
{
    Rules({ { "query.start", "#Library.query" }, { "query.enable", "true" } });
    EXPECT_EQ(profiler->ReportFileName(), "o_rules.prp");
    See("Library.query");
    See("Library.query");
    EXPECT_EQ(profiler->WriteReport(), "o_rules.prp");
    EXPECT_EQ(Properties("rules.prp").SubMap("Stats").GetInt("query.count.start", 0), 0);
    See("Library.query");
    process->Receive(Message("P", "Profiler.get", "sender", "Peer"));
    const auto answers = Answers();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_EQ(answers[0].GetString("filename"), "o_rules.prp");
    const Properties report("o_rules.prp");
    EXPECT_EQ(report.GetInt("Stats.query.count.start", 0), 3);
    EXPECT_EQ(report.GetString("Spec.query.start"), "#Library.query");
    EXPECT_EQ(Properties("rules.prp").SubMap("Stats").GetInt("query.count.start", 0), 0);
    EXPECT_EQ(Properties("rules.prp").GetString("Spec.query.start"), "#Library.query") << "the rules stay";

    process->Receive(Message("P", "Profiler.delete"));
    EXPECT_FALSE(fs::exists("o_rules.prp"));

    fs::create_directories("sub");
    Rules({ { "query.start", "#Library.query" }, { "query.enable", "true" } }, "sub/rules.prp");
    EXPECT_EQ(profiler->ReportFileName(), "o_sub/rules.prp");
}

TEST_F(Profiling, StatisticsReachTheRulesFileAndSurviveAReload)
{
    Rules({ { "query.start", "#Library.query" }, { "query.enable", "true" } });
    See("Library.query");
    Seconds(4);
    process->Receive(Message("P", "Profiler.backup"));
    EXPECT_EQ(Properties("rules.prp").GetInt("Stats.query.time", 0), 4);
    Seconds(1);
    process->Receive(Event("P", "Clock", "Time.change"));
    EXPECT_EQ(Stat("query.time"), 4) << "only a change with a delta saves";
    Message change = Event("P", "Clock", "Time.change");
    change.SetArg("delta", 3600);
    process->Receive(change);
    EXPECT_EQ(Stat("query.time"), 6) << "one second, plus one of correction";

    profiler->LoadRules("rules.prp", true);
    EXPECT_EQ(Stat("query.count.start"), 1);
    EXPECT_EQ(Stat("query.time"), 6);
}

TEST_F(Profiling, CommandsTurnProfilingOnAndOff)
{
    fs::create_directories("srv");
    fs::create_directories("o_srv");
    Start({ "VFTP.folders=srv,o_srv" });
    Properties rules;
    rules.SetString("Spec.query.start", "#Library.query");
    rules.SetString("Spec.query.enable", "true");
    rules.Save("srv/rules.prp");

    process->Receive(Message("P", "Profiler.init"));
    ASSERT_EQ(process->unrecognised.size(), 1u) << "no file name, not handled";
    process->Receive(Message("P", "Profiler.init", "filename", "srv/rules.prp"));
    EXPECT_TRUE(profiler->IsEnabled());
    process->Receive(Message("P", "Profiler.enable", "state", "false"));
    EXPECT_FALSE(profiler->IsEnabled());
    See("Library.query");
    EXPECT_TRUE(profiler->ProfileData().Empty());
    Message init("P", "Profiler.init", "filename", "srv/rules.prp");
    init.SetArg("state", true);
    process->Receive(init);
    EXPECT_FALSE(profiler->IsEnabled()) << "\"state\" true disables";
    process->Receive(Message("P", "Profiler.enable", "state", "true"));

    // Messages the process sends and handles pass the hook.
    Message sent("Peer", "Library.query");
    ASSERT_TRUE(process->Send(sent));
    process->Record("Library.query");
    process->Receive(Message("P", "Library.query"));
    EXPECT_EQ(Stat("query.count.start"), 2);
}

TEST_F(Profiling, ARemoteRequestNamesOnlyFilesOfTheTransferFolders)
{
    fs::create_directories("srv");
    fs::create_directories("o_srv");
    Start({ "VFTP.folders=srv,o_srv" });
    Properties rules;
    rules.SetString("Spec.query.start", "#Library.query");
    rules.SetString("Spec.query.enable", "true");
    rules.Save("rules.prp");
    rules.Save("srv/rules.prp");

    process->Receive(Message("P", "Profiler.init", "filename", "rules.prp"));
    process->Receive(Message("P", "Profiler.init", "filename", "../rules.prp"));
    EXPECT_EQ(process->unrecognised.size(), 2u);
    EXPECT_TRUE(profiler->RulesFileName().empty());
    process->Receive(Message("P", "Profiler.init", "filename", "srv/rules.prp"));
    EXPECT_EQ(profiler->RulesFileName(), "srv/rules.prp");
    EXPECT_TRUE(profiler->IsEnabled());

    // The process's own setting is no remote request.
    Start({ "Profiler.spec=rules.prp" });
    EXPECT_EQ(profiler->RulesFileName(), "rules.prp");
    EXPECT_TRUE(profiler->IsEnabled());
}
