// The event loop pumped from threads other than the one that opened the process, as a component's
// worker threads wait for replies on a process that the program's window thread opened.

#include <atomic>
#include <condition_variable>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "vireo/DispatchMethod.h"
#include "vireo/tests/support/ProcessHarness.h"

#include <gtest/gtest.h>

using namespace vireo;
using namespace vireo::test;

namespace {

struct OpenedHere {
    int port { FreeUdpPort() };
    std::unique_ptr<TestProcess> process { MakeProcess("P", { "port=" + std::to_string(port),
        "router.port=" + std::to_string(port) }) };
    RawPeer peer;

    OpenedHere()
    {
        EXPECT_EQ(process->Init(), 0);
        process->Record("Probe");
    }
    void SendProbe(const std::string& id)
    {
        Message probe("P", "Probe");
        probe.SetArg("id", id);
        peer.SendTo(probe.WireText(), ACE_INET_Addr(static_cast<u_short>(port), "127.0.0.1"));
    }
};

// A command handled by a function.
class FunctionMethod final : public DispatchMethod {
public:
    explicit FunctionMethod(std::function<bool(Message)> function)
        : m_function(std::move(function))
    {
    }
    bool Invoke(Message message) override { return m_function(std::move(message)); }

private:
    std::function<bool(Message)> m_function;
};

} // namespace

TEST(EventLoopThreads, AThreadThatDidNotOpenTheProcessWaitsForAndHandlesItsReply)
{
    OpenedHere opened;
    opened.SendProbe("1");
    const int result = std::async(std::launch::async, [&] { return opened.process->HandleEvents(30); }).get();
    EXPECT_EQ(result, 0);
    ASSERT_EQ(opened.process->received.size(), 1u);
    EXPECT_EQ(opened.process->received[0].GetString("id"), "1");

    // And the opening thread may pump again afterwards.
    opened.SendProbe("2");
    EXPECT_EQ(opened.process->HandleEvents(30), 0);
    EXPECT_EQ(opened.process->received.size(), 2u);
}

TEST(EventLoopThreads, AThreadWaitingWhileAnotherPumpsSleepsUntilThatOneHandledAnEvent)
{
    OpenedHere opened;
    std::mutex lock;
    std::condition_variable changed;
    bool holding = false;
    bool release = false;
    // The first probe's handler keeps the pumping thread busy until the test lets it go.
    opened.process->MethodSlot("Hold") = std::make_unique<FunctionMethod>([&](Message) {
        std::unique_lock guard(lock);
        holding = true;
        changed.notify_all();
        changed.wait(guard, [&] { return release; });
        return true;
    });
    Message hold("P", "Hold");
    opened.peer.SendTo(hold.WireText(), ACE_INET_Addr(static_cast<u_short>(opened.port), "127.0.0.1"));

    auto pumping = std::async(std::launch::async, [&] { return opened.process->HandleEvents(30); });
    {
        std::unique_lock guard(lock);
        changed.wait(guard, [&] { return holding; });
    }
    auto waiting = std::async(std::launch::async, [&] { return opened.process->HandleEvents(30); });
    // Should the second thread come to the loop only after the first left it, it pumps this probe itself.
    opened.SendProbe("late");
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    {
        std::lock_guard guard(lock);
        // The handlers of a process never run on two threads at once: the probe waits for the hold.
        EXPECT_TRUE(opened.process->received.empty());
        release = true;
    }
    changed.notify_all();
    EXPECT_EQ(pumping.get(), 0);
    EXPECT_EQ(waiting.get(), 0);
}

TEST(EventLoopThreads, WakeEndsAWaitOnAnotherThreadAsAnEventWould)
{
    OpenedHere opened;
    // Whether the wake comes before the pump starts or while it waits, the pump sees it at once.
    auto waiting = std::async(std::launch::async, [&] { return opened.process->HandleEvents(600); });
    opened.process->Wake();
    EXPECT_EQ(waiting.get(), 0);
    EXPECT_TRUE(opened.process->received.empty()) << "the wake is no message";
}
