// The device client's waits: slices, limits, busy networks, stray and late replies, and the
// initialisation that every request repeats until the device answers.

#include <gtest/gtest.h>

#include "sync/DeviceClient.h"
#include "sync/tests/ComApartment.h"
#include "sync/tests/ScriptedLink.h"

using sync_test::ScriptedLink;
using namespace std::chrono_literals;

namespace {

struct ClientOnScript {
    ClientOnScript()
    {
        auto owned = std::make_unique<ScriptedLink>();
        link = owned.get();
        client = std::make_unique<DeviceClient>(std::move(owned));
        DeviceClient::ReplyFlags().clear();
    }

    sync_test::ComApartment apartment;
    ScriptedLink* link { nullptr };
    std::unique_ptr<DeviceClient> client;
};

} // namespace

TEST(DeviceClientWait, QuietWaitsLastTheLimitInFiveSecondSlicesOfAtLeastElevenSeconds)
{
    const struct {
        int limit;
        std::size_t slices;
    } cases[] = { { 0, 3 }, { 11, 3 }, { 12, 3 }, { 15, 3 }, { 16, 4 }, { 30, 6 } };
    for (const auto& c : cases) {
        ClientOnScript setup;
        EXPECT_FALSE(setup.client->WaitForReply("Music.file.query.results", c.limit)) << c.limit;
        EXPECT_EQ(setup.link->waits.size(), c.slices) << c.limit;
        for (const auto wait : setup.link->waits)
            EXPECT_EQ(wait, 5000ms);
    }
}

TEST(DeviceClientWait, ABusyNetworkKeepsTheWaitGoingPastItsLimitUntilASliceIsQuiet)
{
    ClientOnScript setup;
    for (int i = 0; i < 7; ++i)
        setup.link->events.push_back(ScriptedLink::Busy());
    EXPECT_FALSE(setup.client->WaitForReply("Music.file.query.results", 0));
    EXPECT_EQ(setup.link->waits.size(), 8u);
}

TEST(DeviceClientWait, TheAwaitedReplyEndsTheWaitAndItsFlagIsClearedOnReturn)
{
    ClientOnScript setup;
    setup.client->Initialize();
    setup.link->events.push_back(ScriptedLink::Busy());
    setup.link->events.push_back(ScriptedLink::Deliver(ScriptedLink::Reply("Process.connected")));
    setup.link->events.push_back(ScriptedLink::Busy());
    EXPECT_TRUE(setup.client->WaitForReply("Process.connected", 0));
    EXPECT_EQ(setup.link->waits.size(), 3u); // the initialisation's slice and two of the wait
    EXPECT_FALSE(DeviceClient::ReplyFlags()["Process.connected"]);
    EXPECT_TRUE(setup.client->IsConnected());
}

TEST(DeviceClientWait, AnotherReplySetsOnlyItsOwnFlagAndTheWaitGoesOn)
{
    ClientOnScript setup;
    setup.client->Initialize();
    setup.link->events.push_back(ScriptedLink::Deliver(ScriptedLink::Reply("Radio.delete.query.results")));
    EXPECT_FALSE(setup.client->WaitForReply("Process.connected", 0));
    EXPECT_TRUE(DeviceClient::ReplyFlags()["Radio.delete.query.results"]);
    EXPECT_FALSE(setup.client->IsConnected());
}

TEST(DeviceClientWait, ARequestAfterAFailedInitialisationRunsTheWholeInitialisationAgain)
{
    ClientOnScript setup;
    EXPECT_FALSE(setup.client->WaitUntilReady("media_sys", false)); // nothing answered the first slice
    EXPECT_EQ(setup.link->inits, 1);
    EXPECT_TRUE(setup.link->sent.empty());

    setup.link->events.push_back(ScriptedLink::Busy());
    setup.link->onSend = [&](const vireo::Message& message) {
        if (message.Name() == "Process.identity")
            setup.link->events.push_back(ScriptedLink::Deliver(ScriptedLink::Reply("Process.connected")));
    };
    EXPECT_TRUE(setup.client->WaitUntilReady("media_sys", false));
    EXPECT_EQ(setup.link->inits, 2);
    EXPECT_EQ(setup.link->networkingStarts, 1);
    EXPECT_TRUE(setup.client->IsInitialised());
    EXPECT_TRUE(setup.client->IsConnected());

    // A connected client answers at once; a forced check registers again.
    const std::size_t sent = setup.link->sent.size();
    EXPECT_TRUE(setup.client->WaitUntilReady("AlbumSync", false));
    EXPECT_EQ(setup.link->sent.size(), sent);
    EXPECT_TRUE(setup.client->WaitUntilReady("media_sys", true));
    EXPECT_EQ(setup.link->SentNamed("Process.identity").size(), 2u);
}
