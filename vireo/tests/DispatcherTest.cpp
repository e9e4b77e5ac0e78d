#include "vireo/Dispatcher.h"
#include "vireo/Handler.h"
#include "vireo/vireo_log.h"

#include "platform/base/Debug.h"

#include <gtest/gtest.h>

using namespace vireo;

namespace {

// A dispatcher that records what it is asked to send; the builders are what a process would make.
class RecordingDispatcher : public Dispatcher {
public:
    bool Send(Message& message) override
    {
        sent.push_back(message.Text());
        return true;
    }
    void RegisterForEvents(const std::string&, const std::string&) override { }
    void UnregisterForEvents(const std::string&, const std::string&) override { }
    Event MakeEvent(const std::string& type) override { return Event("System", "Test", type); }
    Message MakeMessage(const std::string& target, const std::string& name, const std::string& key,
        const std::string& value) override
    {
        return Message(target, name, key, value);
    }
    Message MakeMessage(const std::string& target, const std::string& name) override { return Message(target, name); }
    Message MakeTimerRequestAt(const std::string&, const VireoTime&, const std::string&) override { return {}; }
    Message MakeTimerRequest(const std::string&, int, int, const std::string&) override { return {}; }
    Message MakeTimerCancel(const std::string&) override { return {}; }

    std::vector<std::string> sent;
};

// Counts destructions, so that a replaced table entry can be seen to be freed.
struct CountedMethod : DispatchMethod {
    explicit CountedMethod(int& destroyed)
        : destroyed(destroyed)
    {
    }
    ~CountedMethod() override { ++destroyed; }
    bool Invoke(Message) override { return true; }
    int& destroyed;
};

struct Client {
    bool OnQuery(Message message)
    {
        queries.push_back(message.GetString("id"));
        message.SetArg("id", "changed");
        return result;
    }
    bool OnQueryAgain(Message) { return again = true; }
    bool OnReady(Event event)
    {
        senders.push_back(event.Sender() + " " + event.Type());
        return true;
    }

    bool result { true };
    bool again { false };
    std::vector<std::string> queries;
    std::vector<std::string> senders;
};

class DebugCapture {
public:
    DebugCapture()
    {
        m_previous = platform::SetDebugOutputHook([this](std::string_view text) { m_text += text; });
        SetLogLevel(LogLevel::Trace);
    }
    ~DebugCapture()
    {
        SetLogLevel(kDefaultLogLevel);
        platform::SetDebugOutputHook(m_previous);
    }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
    platform::DebugOutputHook m_previous;
};

} // namespace

TEST(Dispatcher, DispatchCallsTheMethodRegisteredUnderTheName)
{
    RecordingDispatcher dispatcher;
    Handler handler("Library", &dispatcher);
    Client client;
    handler.RegisterCommand("Music.query", &client, &Client::OnQuery);

    DebugCapture capture;
    Message message("Library", "Music.query!<payload/>", "id", "7");
    EXPECT_TRUE(handler.Dispatch(message));
    EXPECT_EQ(client.queries, (std::vector<std::string> { "7" }));
    EXPECT_EQ(message.GetString("id"), "7") << "the handler gets a copy";
    EXPECT_EQ(capture.Text(), "Library found dispatchable method for Music.query.\n");

    client.result = false;
    EXPECT_FALSE(handler.Dispatch(message));
    EXPECT_EQ(client.queries.size(), 2u);
}

TEST(Dispatcher, AMissingNameIsNotDispatchedAndNotLogged)
{
    RecordingDispatcher dispatcher;
    Handler handler("Library", &dispatcher);
    DebugCapture capture;
    EXPECT_FALSE(handler.Dispatch(Message("Library", "Unknown.request")));
    // An entry created empty holds no method and dispatches nothing either.
    dispatcher.MethodSlot("Empty.slot");
    EXPECT_FALSE(handler.Dispatch(Message("Library", "Empty.slot")));
    EXPECT_EQ(capture.Text(), "");
}

TEST(Dispatcher, ALaterRegistrationReplacesAndFreesTheEntry)
{
    RecordingDispatcher dispatcher;
    Handler handler("Library", &dispatcher);
    Client client;
    int destroyed = 0;
    dispatcher.MethodSlot("Music.query") = std::make_unique<CountedMethod>(destroyed);
    handler.RegisterCommand("Music.query", &client, &Client::OnQuery);
    EXPECT_EQ(destroyed, 1);
    handler.RegisterCommand("Music.query", &client, &Client::OnQueryAgain);
    EXPECT_TRUE(handler.Dispatch(Message("Library", "Music.query")));
    EXPECT_TRUE(client.again);
    EXPECT_TRUE(client.queries.empty());
}

TEST(Dispatcher, EventsAreDispatchedByType)
{
    RecordingDispatcher dispatcher;
    Handler handler("Library", &dispatcher);
    Client client;
    handler.RegisterEvent("Process.autoready", &client, &Client::OnReady);
    EXPECT_TRUE(handler.DispatchEvent(Event("Library", "//udn/System", "Process.autoready")));
    EXPECT_FALSE(handler.DispatchEvent(Event("Library", "//udn/System", "Process.other")));
    EXPECT_FALSE(handler.DispatchEvent(Message("Library", "Event.notify")));
    EXPECT_EQ(client.senders, (std::vector<std::string> { "//udn/System Process.autoready" }));
}

TEST(Dispatcher, HandlerSendsThroughTheDispatcher)
{
    RecordingDispatcher dispatcher;
    Handler handler("Library", &dispatcher);
    Message message = dispatcher.MakeMessage("System", "Process.status");
    EXPECT_TRUE(handler.Send(message));
    ASSERT_EQ(dispatcher.sent.size(), 1u);
    EXPECT_EQ(Message(VireoURI(dispatcher.sent[0])).Name(), "Process.status");

    Handler orphan("Loose", nullptr);
    EXPECT_FALSE(orphan.Send(message));
    EXPECT_FALSE(orphan.Dispatch(message));
}
