#include "vireo/FragmentAssembler.h"
#include "vireo/Process.h"

#include <algorithm>
#include <atomic>
#include <random>
#include <set>
#include <thread>

#include "platform/base/Clock.h"
#include "vireo/tests/support/ProcessHarness.h"

#include <gtest/gtest.h>

using namespace vireo;
using namespace vireo::test;

TEST(ProcessWire, TextUpToTheLimitIsOneDatagramAndLongerTextComesInPieces)
{
    auto sender = StandAlone("Sender");
    RawPeer peer;
    sender->Clients()["Raw"] = peer.Address();

    Message fits = MessageOfLength("Raw", 2000);
    ASSERT_EQ(fits.Text().size(), 2000u);
    ASSERT_TRUE(sender->Send(fits));
    const auto one = peer.ReceiveAll();
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0], fits.Text());

    Message over = MessageOfLength("Raw", 2001);
    ASSERT_TRUE(sender->Send(over));
    const auto two = peer.ReceiveAll();
    ASSERT_EQ(two.size(), 2u);
    const Fragment first(two[0]), second(two[1]);
    EXPECT_EQ(first.Count(), 2);
    EXPECT_EQ(first.Index(), 1);
    EXPECT_EQ(second.Index(), 2);
    EXPECT_EQ(first.MessageID(), "Sender-1");
    EXPECT_EQ(first.Body().size(), 1936u);
    EXPECT_EQ(second.Body().size(), 65u);
    EXPECT_EQ(first.Body() + second.Body(), over.Text());
}

TEST(ProcessWire, LongNamesShrinkThePiecesSoNoDatagramExceedsTheLimit)
{
    const std::string longName(180, 'N');
    auto sender = StandAlone(longName);
    auto sink = StandAlone("Sink");
    sink->Record("Test.size");
    RawPeer peer;
    sender->Clients()["Raw"] = peer.Address();
    sender->Clients()["Sink"] = Loopback(*sink);

    Message toPeer = MessageOfLength("Raw", 9000);
    ASSERT_TRUE(sender->Send(toPeer));
    std::string joined;
    for (const std::string& datagram : peer.ReceiveAll()) {
        EXPECT_LE(datagram.size(), kMaxDatagram);
        joined += Fragment(datagram).Body();
    }
    EXPECT_EQ(joined, toPeer.Text());

    Message toSink = MessageOfLength("Sink", 9000);
    ASSERT_TRUE(sender->Send(toSink));
    ASSERT_TRUE(PumpUntil({ sink.get() }, [&] { return !sink->received.empty(); }));
    EXPECT_EQ(sink->received[0].GetString("pad"), toSink.GetString("pad"));
}

TEST(ProcessWire, MessagesOfMoreThanNinetyNinePiecesAreSentWhole)
{
    auto sender = StandAlone("Sender");
    auto sink = StandAlone("Sink", { "Socket.SO_RCVBUF=1048576" });
    sink->Record("Test.size");
    sender->Clients()["Sink"] = Loopback(*sink);

    Message big = MessageOfLength("Sink", 100 * 1936 + 500);
    ASSERT_TRUE(sender->Send(big));
    ASSERT_TRUE(PumpUntil(
        { sink.get() }, [&] { return !sink->received.empty(); }, 2000));
    EXPECT_EQ(sink->received[0].GetString("pad"), big.GetString("pad"));
}

TEST(ProcessWire, SpilledPayloadsTravelByNameOnlyToLoopback)
{
    auto sender = StandAlone("Sender");
    RawPeer local;
    RawPeer other("127.0.0.2");
    sender->Clients()["Local"] = local.Address();
    sender->Clients()["Other"] = other.Address();
    const std::string payload(2500, 'p');

    Message toLocal("Local", "Test.payload");
    toLocal.SetPayload(payload);
    ASSERT_TRUE(toLocal.HasPayloadFile());
    ASSERT_TRUE(sender->Send(toLocal));
    const auto byName = local.ReceiveAll();
    ASSERT_EQ(byName.size(), 1u);
    EXPECT_EQ(byName[0], toLocal.Text());

    Message toOther("Other", "Test.payload");
    toOther.SetPayload(payload);
    ASSERT_TRUE(sender->Send(toOther));
    std::string joined;
    for (const std::string& datagram : other.ReceiveAll())
        joined += Fragment(datagram).Body();
    EXPECT_EQ(joined, toOther.WireText());
    EXPECT_NE(joined.find(payload), std::string::npos);
}

TEST(ProcessWire, HandleEventsSaysWhetherSomethingWasHandled)
{
    auto process = StandAlone("Target");
    process->Record("Test.hello");
    EXPECT_EQ(process->HandleEvents(ACE_Time_Value(0, 1000)), -1);
    RawPeer peer;
    peer.SendTo(Message("Target", "Test.hello").Text(), Loopback(*process));
    EXPECT_EQ(process->HandleEvents(ACE_Time_Value(1)), 0);
    EXPECT_EQ(process->received.size(), 1u);
}

TEST(ProcessWire, NoRouteFailsAndSaysWhy)
{
    auto sender = StandAlone("Sender");
    LogCapture log;
    Message message("Nowhere", "Test.hello");
    EXPECT_FALSE(sender->Send(message));
    EXPECT_TRUE(log.Contains("Sender can't find Nowhere and no other router is known. Send failed for"));
}

TEST(ProcessWire, PiecesJoinByIndexWhateverTheirOrderAndDuplicatesAreDropped)
{
    std::string text(5000, ' ');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char>('a' + i % 26);
    std::vector<Fragment> pieces;
    std::string remaining = text;
    Fragment cutter;
    while (!remaining.empty())
        pieces.push_back(cutter.Next(remaining, "P-1", 2000));
    ASSERT_EQ(pieces.size(), 3u);

    struct Case {
        const char* name;
        std::vector<int> order; // indexes into pieces, as they arrive
        bool complete;
    };
    const Case cases[] = {
        { "in order", { 0, 1, 2 }, true },
        { "last first", { 2, 0, 1 }, true },
        { "reversed with a duplicate", { 2, 2, 1, 0 }, true },
        { "middle lost", { 0, 2 }, false },
        { "late middle completes", { 0, 2, 1 }, true },
    };
    for (const Case& c : cases) {
        FragmentAssembler assembler;
        std::string out;
        int completions = 0;
        for (int i : c.order) {
            if (assembler.Add("peer", pieces[i], out) == FragmentAssembler::Outcome::Complete) {
                ++completions;
                EXPECT_EQ(out, text) << c.name;
            }
        }
        EXPECT_EQ(completions, c.complete ? 1 : 0) << c.name;
        EXPECT_EQ(assembler.Pending(), c.complete ? 0u : 1u) << c.name;
    }
}

TEST(ProcessWire, LyingPieceHeadersAreRefused)
{
    FragmentAssembler assembler;
    std::string out;
    const char* lies[] = {
        "!count=3;index=4;messageID=X-1!body", // index past the count
        "!count=3;index=0;messageID=X-1!body", // no index
        "!count=0;index=0;messageID=X-1!body", // no count
        "!count=-2;index=1;messageID=X-1!body",
        "!count=99999999;index=1;messageID=X-1!body", // more than any sender sends
        "!garbage",
        "!",
    };
    for (const char* lie : lies)
        EXPECT_EQ(assembler.Add("peer", Fragment(lie), out), FragmentAssembler::Outcome::Invalid) << lie;

    // A piece whose count disagrees with the pieces held for the same message is refused, and the
    // held pieces still complete.
    EXPECT_EQ(
        assembler.Add("peer", Fragment("!count=2;index=1;messageID=X-2!ab"), out), FragmentAssembler::Outcome::Held);
    EXPECT_EQ(
        assembler.Add("peer", Fragment("!count=3;index=2;messageID=X-2!zz"), out), FragmentAssembler::Outcome::Invalid);
    EXPECT_EQ(
        assembler.Add("other", Fragment("!count=2;index=2;messageID=X-2!zz"), out), FragmentAssembler::Outcome::Held);
    EXPECT_EQ(assembler.Add("peer", Fragment("!count=2;index=2;messageID=X-2!cd"), out),
        FragmentAssembler::Outcome::Complete);
    EXPECT_EQ(out, "abcd");
}

TEST(ProcessWire, PendingMessagesAreBounded)
{
    FragmentAssembler assembler;
    std::string out;
    for (std::size_t i = 0; i < FragmentAssembler::kMaxPending + 10; ++i)
        assembler.Add("peer", Fragment("!count=2;index=1;messageID=M-" + std::to_string(i) + "!x"), out);
    EXPECT_EQ(assembler.Pending(), FragmentAssembler::kMaxPending);
    // The newest survive, the oldest went.
    const std::string newest = "M-" + std::to_string(FragmentAssembler::kMaxPending + 9);
    EXPECT_EQ(assembler.Add("peer", Fragment("!count=2;index=2;messageID=" + newest + "!y"), out),
        FragmentAssembler::Outcome::Complete);
    EXPECT_EQ(
        assembler.Add("peer", Fragment("!count=2;index=2;messageID=M-0!y"), out), FragmentAssembler::Outcome::Held);
}

// A relay between two processes that drops, duplicates and reorders datagrams: each fragmented
// message arrives whole or not at all.
TEST(ProcessWire, LossyLinkDeliversMessagesWholeOrNotAtAll)
{
    auto sender = StandAlone("Sender");
    auto receiver = StandAlone("Receiver", { "Socket.SO_RCVBUF=1048576" });
    receiver->Record("Test.bulk");
    RawPeer relay;
    sender->Clients()["Receiver"] = relay.Address();

    constexpr int kMessages = 8;
    std::vector<std::string> bodies;
    for (int m = 0; m < kMessages; ++m) {
        std::string body(9000, ' ');
        for (std::size_t i = 0; i < body.size(); ++i)
            body[i] = static_cast<char>('A' + (i * 7 + m) % 26);
        bodies.push_back(body);
        Message message("Receiver", "Test.bulk", "id", std::to_string(m));
        message.SetArg("body", body);
        ASSERT_TRUE(sender->Send(message));
    }

    std::vector<std::string> datagrams = relay.ReceiveAll();
    ASSERT_EQ(datagrams.size(), static_cast<std::size_t>(kMessages * 5));
    std::mt19937 random(1234);
    std::set<std::string> damaged;
    std::vector<std::string> delivered;
    for (std::size_t i = 0; i < datagrams.size(); ++i) {
        const Fragment piece(datagrams[i]);
        if (i % 7 == 3) {
            damaged.insert(piece.MessageID());
            continue;
        }
        delivered.push_back(datagrams[i]);
        if (i % 5 == 1)
            delivered.push_back(datagrams[i]);
    }
    std::shuffle(delivered.begin(), delivered.end(), random);
    for (const std::string& datagram : delivered)
        relay.SendTo(datagram, Loopback(*receiver));
    PumpQuiet({ receiver.get() });

    ASSERT_FALSE(damaged.empty());
    std::set<int> arrived;
    for (const Message& message : receiver->received) {
        const int id = message.GetInt("id", -1);
        ASSERT_GE(id, 0);
        EXPECT_TRUE(arrived.insert(id).second) << "message " << id << " handled twice";
        EXPECT_EQ(message.GetString("body"), bodies[id]);
        EXPECT_FALSE(damaged.count("Sender-" + std::to_string(id + 1))) << "message " << id << " lost a piece";
    }
    EXPECT_EQ(arrived.size(), kMessages - damaged.size());
}

TEST(ProcessWire, GarbageIsDroppedAndTheProcessGoesOn)
{
    auto process = StandAlone("Target");
    process->Record("Test.hello");
    process->Record("Test.size");
    RawPeer peer;
    const ACE_INET_Addr to = Loopback(*process);

    std::mt19937 random(99);
    for (int i = 0; i < 50; ++i) {
        std::string noise(random() % 3000, '\0');
        for (char& c : noise)
            c = static_cast<char>(random());
        peer.SendTo(noise, to);
    }
    for (const char* text :
        { "!count=3;index=9;messageID=x!abc", "!!", "!", "*tr", "vqp://h/Target#No.such.command", "#", "?;;;=", "\"" })
        peer.SendTo(text, to);
    // A whole message longer than a datagram of the wire limit is still read whole.
    Message oversized = MessageOfLength("Target", 3000);
    peer.SendTo(oversized.Text(), to);
    peer.SendTo(Message("Target", "Test.hello", "n", "1").Text(), to);

    ASSERT_TRUE(PumpUntil(
        { process.get() }, [&] { return process->received.size() == 2; }, 1000));
    EXPECT_EQ(process->received[0].GetString("pad"), oversized.GetString("pad"));
    EXPECT_EQ(process->received[1].Name(), "Test.hello");
    EXPECT_FALSE(process->unrecognised.empty());
}

TEST(ProcessWire, HandledMessagesLoseTheirSpillFileUnlessSentOn)
{
    auto process = StandAlone("Target");
    process->Record("Test.payload");
    Message message("Target", "Test.payload");
    message.SetPayload(std::string(5000, 'p'));
    ASSERT_TRUE(message.HasPayloadFile());
    const std::string spill = message.PayloadRef();

    process->Receive(message);
    ASSERT_EQ(process->received.size(), 1u);
    EXPECT_EQ(process->payloads[0], std::string(5000, 'p'));
    EXPECT_TRUE(VireoURI::ReadSpillFile(spill).empty());
}

TEST(ProcessWire, WaitForGapSleepsOnlyWhatIsLeftOfTheGap)
{
    auto clock = std::make_shared<platform::ManualClock>();
    platform::ScopedClock scope(clock);
    const ACE_Time_Value gap(0, 50'000);
    const ACE_Time_Value now = TimeOfDay();
    EXPECT_FALSE(Process::WaitForGap(gap, now - ACE_Time_Value(0, 60'000)));
    EXPECT_FALSE(Process::WaitForGap(gap, now + ACE_Time_Value(0, 10'000)));

    // The clock only moves when told, so a helper moves it while the wait sleeps. The gap is long on
    // that clock, so that the helper cannot have used it up before the wait begins.
    const ACE_Time_Value longGap(10);
    std::atomic<bool> waiting { false };
    std::atomic<bool> done { false };
    std::thread mover([&] {
        while (!waiting)
            std::this_thread::yield();
        while (!done) {
            clock->Advance(std::chrono::milliseconds(20));
            std::this_thread::sleep_for(std::chrono::microseconds(100));
        }
    });
    const auto before = clock->Now();
    waiting = true;
    EXPECT_TRUE(Process::WaitForGap(longGap, now - ACE_Time_Value(0, 20'000)));
    const auto slept = clock->Now() - before;
    done = true;
    mover.join();
    EXPECT_GE(slept, std::chrono::milliseconds(9980));
}

TEST(ProcessRun, RunsUntilTerminated)
{
    const int port = FreeUdpPort();
    auto process = MakeProcess("Runner", { "port=" + std::to_string(port), "router.port=" + std::to_string(port) });
    std::atomic<bool> finished { false };
    int result = -2;
    std::thread runner([&] {
        result = process->Run();
        finished = true;
    });
    RawPeer peer;
    const ACE_INET_Addr to(static_cast<u_short>(port), "127.0.0.1");
    // The loop opens its socket on its own thread; until then a request is lost, so it is repeated.
    for (int i = 0; i < 500 && !finished; ++i) {
        peer.SendTo(Message("Runner", "Process.terminate").Text(), to);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    runner.join();
    EXPECT_EQ(result, 0);
    EXPECT_FALSE(process->IsRunning());
}
