#pragma once
// A stand-in for the device client's framework process: it records what the client sends and asks,
// and each pump of the event loop plays the next scripted event (a message handed to the client's
// command table, or a quiet slice) without waiting, so the client's timing rules run in no time.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "sync/DeviceClientLink.h"

namespace sync_test {

class ScriptedLink final : public DeviceClientLink, public vireo::Dispatcher {
public:
    // One pump: 0 when it handled an event, -1 for a quiet slice.
    using Event = std::function<int(ScriptedLink&)>;

    // A slice in which something (not for the client) arrived.
    static Event Busy()
    {
        return [](ScriptedLink&) { return 0; };
    }
    // A slice in which the message reached the client.
    static Event Deliver(vireo::Message message)
    {
        return [message](ScriptedLink& link) {
            link.Dispatch(message);
            return 0;
        };
    }
    // A reply of the name to the client, with arguments and an optional payload.
    static vireo::Message Reply(const std::string& name, const std::map<std::string, std::string>& args = {},
        const std::string& payload = {})
    {
        vireo::Message message("client", name);
        for (const auto& [key, value] : args)
            message.SetArg(key, value);
        if (!payload.empty())
            message.SetPayload(payload);
        return message;
    }

    // A slice with nothing arriving and no end of its own, as a quiet network in a wait without limit:
    // it lasts until another thread wakes the link (a wake that came first ends it at once).
    static Event UntilWoken()
    {
        return [](ScriptedLink& link) {
            std::unique_lock guard(link.m_wakeLock);
            link.asleep = true;
            link.m_woken.wait(guard, [&link] { return link.m_pendingWakes > 0; });
            --link.m_pendingWakes;
            link.asleep = false;
            return 0;
        };
    }

    // Hands the message to the command table's entry for its name; false when there is none.
    bool Dispatch(const vireo::Message& message)
    {
        vireo::DispatchMethod* method = FindMethod(CommandTable(), message.Name());
        if (!method) {
            unhandled.push_back(message.Name());
            return false;
        }
        return method->Invoke(message);
    }

    // The messages the client sent with the name.
    std::vector<vireo::Message> SentNamed(const std::string& name) const
    {
        std::vector<vireo::Message> named;
        for (const vireo::Message& message : sent) {
            if (message.Name() == name)
                named.push_back(message);
        }
        return named;
    }

    // DeviceClientLink.
    void SetListener(DeviceClientLinkListener* value) override { listener = value; }
    void StartNetworking() override { ++networkingStarts; }
    void StopNetworking() override { ++networkingStops; }
    int Init() override
    {
        ++inits;
        return initResult;
    }
    int HandleEvents(std::chrono::milliseconds wait) override
    {
        waits.push_back(wait);
        if (events.empty())
            return -1;
        Event event = std::move(events.front());
        events.pop_front();
        return event(*this);
    }
    void Pause(std::chrono::milliseconds time) override { pauses.push_back(time); }
    void Wake() override
    {
        std::lock_guard guard(m_wakeLock);
        ++m_pendingWakes;
        m_woken.notify_all();
    }
    bool Send(vireo::Message& message) override
    {
        sent.push_back(message);
        if (onSend)
            onSend(message);
        return sendSucceeds;
    }
    vireo::Message MakeMessage(const std::string& target, const std::string& name) override
    {
        return vireo::Message(target, name);
    }
    vireo::Message MakeIdentityMessage() override { return vireo::Message("System", "Process.identity", "name", "client"); }
    void Discover() override { broadcasts.push_back(GetProperty("Socket.broadcastAddress", "")); }
    bool HandleIdentity(vireo::Message) override { return true; }
    bool RetryFile(vireo::Message) override { return retrySucceeds; }
    std::string Name() const override { return "client"; }
    void SetProperty(const std::string& key, const std::string& value) override { properties[key] = value; }
    std::string GetProperty(const std::string& key, const std::string& def) const override
    {
        const auto entry = properties.find(key);
        return entry == properties.end() ? def : entry->second;
    }
    bool HasProperty(const std::string& key) const override { return properties.count(key) != 0; }
    vireo::Dispatcher& Commands() override { return *this; }
    int GetFile(const std::string& peer, const std::string& source, const std::string& destination, bool) override
    {
        transfers.push_back({ peer, source, destination });
        return nextTransferId;
    }
    int PutFileWithProgress(const std::string& peer, const std::string& source, const std::string& destination, bool,
        DeviceClientProgress callback) override
    {
        transfers.push_back({ peer, source, destination });
        progress = callback;
        return nextTransferId;
    }
    bool CloseTransfer(int localID) override
    {
        closed.push_back(localID);
        return true;
    }

    // vireo::Dispatcher (only the command table is used).
    vireo::Event MakeEvent(const std::string&) override { return {}; }
    void RegisterForEvents(const std::string&, const std::string&) override { }
    void UnregisterForEvents(const std::string&, const std::string&) override { }
    vireo::Message MakeMessage(const std::string& target, const std::string& name, const std::string& key,
        const std::string& value) override
    {
        return vireo::Message(target, name, key, value);
    }
    vireo::Message MakeTimerRequestAt(const std::string&, const vireo::VireoTime&, const std::string&) override
    {
        return {};
    }
    vireo::Message MakeTimerRequest(const std::string&, int, int, const std::string&) override { return {}; }
    vireo::Message MakeTimerCancel(const std::string&) override { return {}; }

    struct Transfer {
        std::string peer;
        std::string source;
        std::string destination;
    };

    std::deque<Event> events;
    std::vector<std::chrono::milliseconds> waits;
    std::vector<std::chrono::milliseconds> pauses;
    std::vector<vireo::Message> sent;
    std::vector<std::string> broadcasts;
    std::vector<std::string> unhandled;
    std::vector<Transfer> transfers;
    std::vector<int> closed;
    std::map<std::string, std::string> properties;
    std::function<void(const vireo::Message&)> onSend;
    DeviceClientLinkListener* listener { nullptr };
    DeviceClientProgress progress { nullptr };
    bool sendSucceeds { true };
    bool retrySucceeds { true };
    int nextTransferId { 7 };
    // What Init answers: -1 stands for a process whose socket could not be opened.
    int initResult { 0 };
    int inits { 0 };
    int networkingStarts { 0 };
    int networkingStops { 0 };
    // True while a pump sleeps in UntilWoken; set on the pumping thread, read on any.
    std::atomic<bool> asleep { false };

private:
    std::mutex m_wakeLock;
    std::condition_variable m_woken;
    int m_pendingWakes { 0 };
};

} // namespace sync_test
