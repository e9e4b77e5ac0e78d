#include "vireo/FragmentAssembler.h"
#include "vireo/Process.h"
#include "vireo/RecentSends.h"

#include <algorithm>
#include <set>

#include "platform/base/Clock.h"
#include "vireo/tests/support/ProcessHarness.h"

#include <gtest/gtest.h>

using namespace vireo;
using namespace vireo::test;

namespace {

// A client of the router played by hand on a bare socket, as a peer on the device would be: it
// identifies itself, sends texts (cut into pieces of its own when they are long) and joins what the
// router sends it.
class RawClient {
public:
    RawClient(const std::string& name, const Process& router)
        : m_name(name)
        , m_router(Loopback(router))
    {
        Send(Message(kDefaultRouterName, "Process.identity", kNameKey, name).Text());
    }

    void Send(const std::string& text)
    {
        if (text.size() <= kMaxDatagram) {
            m_socket.SendTo(text, m_router);
            return;
        }
        const std::string id = m_name + "-" + std::to_string(++m_pieceCounter);
        std::string remaining = text;
        Fragment cutter;
        while (!remaining.empty())
            m_socket.SendTo(cutter.Next(remaining, id, kMaxDatagram).Text(), m_router);
    }

    // Reads what has arrived so far; true when the text has arrived whole, as often as given.
    bool Arrived(const std::string& text, long times = 1)
    {
        for (const std::string& datagram : m_socket.ReceiveAll(1)) {
            if (!IsFragmentText(datagram)) {
                m_texts.push_back(datagram);
                continue;
            }
            const Fragment piece(datagram);
            pieceIds.insert(piece.MessageID());
            std::string whole;
            if (m_pieces.Add("router", piece, whole) == FragmentAssembler::Outcome::Complete)
                m_texts.push_back(whole);
        }
        return std::count(m_texts.begin(), m_texts.end(), text) >= times;
    }

    // The identifiers of the pieces received.
    std::set<std::string> pieceIds;

private:
    std::string m_name;
    ACE_INET_Addr m_router;
    RawPeer m_socket;
    FragmentAssembler m_pieces;
    std::vector<std::string> m_texts;
    int m_pieceCounter { 0 };
};

// The router is its own router, named as clients expect it.
std::unique_ptr<TestProcess> Router() { return StandAlone(kDefaultRouterName); }

bool Knows(Process& router, const std::string& client)
{
    return PumpUntil({ &router }, [&] { return router.Clients().count(client) == 1; });
}

} // namespace

// A client may address a message to itself through its router; the router hands it back, the same
// text, joined and cut again under its own identifiers when it is long. Sending it again is no loop.
TEST(ProcessForwarding, ClientAddressingItselfThroughTheRouterGetsItBack)
{
    auto router = Router();
    RawClient client("Check", *router);
    ASSERT_TRUE(Knows(*router, "Check"));

    const std::string shortText = Message("Check", "Check.forward", "x", "2").Text();
    client.Send(shortText);
    ASSERT_TRUE(PumpUntil({ router.get() }, [&] { return client.Arrived(shortText); }));
    client.Send(shortText);
    ASSERT_TRUE(PumpUntil({ router.get() }, [&] { return client.Arrived(shortText, 2); }));
    EXPECT_TRUE(client.pieceIds.empty());

    const std::string longText = MessageOfLength("Check", 5000, "Check.forward").Text();
    client.Send(longText);
    ASSERT_TRUE(PumpUntil({ router.get() }, [&] { return client.Arrived(longText); }));
    ASSERT_EQ(client.pieceIds.size(), 1u);
    EXPECT_EQ(client.pieceIds.begin()->rfind("System-", 0), 0u) << *client.pieceIds.begin();
    EXPECT_TRUE(router->unrecognised.empty()) << "the router forwards, it does not dispatch";
}

// A timer's message is delivered later by the router itself, whoever sent the router's last datagram.
TEST(ProcessForwarding, TimersReachTheirTargetWhoeverSentLast)
{
    auto clock = std::make_shared<platform::ManualClock>();
    platform::ScopedClock scope(clock);
    // The requester itself, while it is the router's only sender; a third process that sent the
    // router's last datagram after the request.
    for (const std::string target : { "Check", "Other" }) {
        auto router = Router();
        RawClient requester("Check", *router);
        ASSERT_TRUE(Knows(*router, "Check"));

        Message request(kDefaultRouterName, "Timer.request", "type", "Check.tick");
        request.SetArg("seconds", 1);
        request.SetArg("transient", true);
        request.SetArg(kEventSender, target);
        requester.Send(request.Text());
        ASSERT_TRUE(PumpUntil({ router.get() }, [&] { return !router->Timers().empty(); })) << target;
        std::unique_ptr<RawClient> other;
        if (target == "Other") {
            other = std::make_unique<RawClient>("Other", *router);
            ASSERT_TRUE(Knows(*router, "Other"));
        }
        PumpQuiet({ router.get() });

        const std::string expected = router->Timers().begin()->second.front().Text();
        clock->Advance(std::chrono::seconds(1));
        RawClient& receiver = other ? *other : requester;
        EXPECT_TRUE(PumpUntil({ router.get() }, [&] { return receiver.Arrived(expected); })) << target;
    }
}

// Two processes whose maps point at each other for a name pass a message for it at most once each
// way; the loop is reported once, and both go on working.
TEST(ProcessForwarding, ProcessesWhoseMapsPointAtEachOtherStopPassingAMessage)
{
    for (const std::size_t length : { std::size_t { 100 }, std::size_t { 5000 } }) {
        auto a = StandAlone("A");
        auto b = StandAlone("B");
        a->Clients()["X"] = Loopback(*b);
        b->Clients()["X"] = Loopback(*a);
        a->Clients()["B"] = Loopback(*b);
        b->Clients()["A"] = Loopback(*a);
        LogCapture log;

        Message looping = MessageOfLength("X", length, "Test.loop");
        ASSERT_TRUE(a->Send(looping));
        ASSERT_TRUE(PumpUntil({ a.get(), b.get() }, [&] { return log.Contains("A drops"); })) << length;
        PumpQuiet({ a.get(), b.get() });
        EXPECT_EQ(a->sent["Test.loop"] + b->sent["Test.loop"], 2) << length;
        EXPECT_EQ(a->sent["Test.loop"], 1) << length;
        const std::string& text = log.Text();
        EXPECT_EQ(text.find("drops"), text.rfind("drops")) << text;

        a->Record("Test.ping");
        b->Record("Test.ping");
        Message toA("A", "Test.ping");
        Message toB("B", "Test.ping");
        ASSERT_TRUE(b->Send(toA));
        ASSERT_TRUE(a->Send(toB));
        EXPECT_TRUE(PumpUntil({ a.get(), b.get() }, [&] { return a->received.size() == 1 && b->received.size() == 1; }))
            << length;
    }
}

// The memory behind the loop check: per text and peer, short-lived and bounded.
TEST(RecentSends, RemembersTextsPerPeerForAShortWhile)
{
    auto clock = std::make_shared<platform::ManualClock>();
    platform::ScopedClock scope(clock);
    const ACE_INET_Addr peer(static_cast<u_short>(4000), "127.0.0.1");
    const ACE_INET_Addr other(static_cast<u_short>(4001), "127.0.0.1");
    RecentSends sends;
    sends.Remember("vqp:X#a", peer);
    EXPECT_EQ(sends.CameBack("vqp:X#a", other), RecentSends::Return::None);
    EXPECT_EQ(sends.CameBack("vqp:X#b", peer), RecentSends::Return::None);
    EXPECT_EQ(sends.CameBack("vqp:X#a", peer), RecentSends::Return::First);
    EXPECT_EQ(sends.CameBack("vqp:X#a", peer), RecentSends::Return::Again);

    sends.Remember("vqp:X#b", peer);
    sends.Forget("vqp:X#b", peer);
    EXPECT_EQ(sends.CameBack("vqp:X#b", peer), RecentSends::Return::None);

    clock->Advance(RecentSends::kLifetime + std::chrono::milliseconds(1));
    EXPECT_EQ(sends.CameBack("vqp:X#a", peer), RecentSends::Return::None);
    EXPECT_EQ(sends.Size(), 0u);

    for (std::size_t n = 0; n <= RecentSends::kCapacity; ++n)
        sends.Remember("vqp:X#" + std::to_string(n), peer);
    EXPECT_EQ(sends.Size(), RecentSends::kCapacity);
    EXPECT_EQ(sends.CameBack("vqp:X#0", peer), RecentSends::Return::None) << "the oldest went first";
    EXPECT_EQ(sends.CameBack("vqp:X#1", peer), RecentSends::Return::First);
}
