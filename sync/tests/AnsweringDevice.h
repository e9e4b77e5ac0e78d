#pragma once
// A device for the step tests that answers the client's requests at once, without a network: it
// stands in for the client's framework process (the link), keeps every request the client sends,
// and answers queries, retrievals, setup reads, file checks and transfers from what the test gave it.

#include "sync/DeviceClientLink.h"
#include "vireo/Dispatcher.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

class AnsweringDevice final : public DeviceClientLink, private vireo::Dispatcher {
public:
    // Documents the device answers with; an empty text is not answered.
    std::string albumList;
    std::string playlistList;
    std::string radioList;
    std::string musicGroupList;
    std::string radioGroupList;
    // Album, playlist and station documents by device URL, for the retrievals.
    std::map<std::string, std::string> documents;
    // The "Setup." values the device holds; answered only when answerSetup is set.
    std::map<std::string, std::string> setup;
    bool answerSetup { true };
    // The device file names handed out for uploads, in order; "File.check" is not answered once
    // they run out.
    std::deque<std::string> fileNames;
    // The status each transfer closes with (0: completed); a device that stalls never closes one.
    int transferCloseStatus { 0 };
    bool stallTransfers { false };
    // Called with each request as it is sent, before it is answered.
    std::function<void(const vireo::Message&)> onSend;
    // Called once when a transfer starts, before it closes (a test cancels the run there).
    std::function<void()> onTransferStart;

    // What the client sent, in order.
    std::vector<vireo::Message> sent;
    // Files sent to the device: local path and device path.
    std::vector<std::pair<std::string, std::string>> uploads;

    // The names of the requests sent, in order ("Music.change"...).
    std::vector<std::string> SentNames() const;
    // The requests of that name.
    std::vector<vireo::Message> Sent(const std::string& name) const;

    // DeviceClientLink.
    void SetListener(DeviceClientLinkListener* listener) override { m_listener = listener; }
    void StartNetworking() override { }
    void StopNetworking() override { }
    // Registering with the router is answered like any device answers it: something arrives.
    int Init() override;
    int HandleEvents(std::chrono::milliseconds wait) override;
    void Pause(std::chrono::milliseconds) override { }
    bool Send(vireo::Message& message) override;
    vireo::Message MakeMessage(const std::string& target, const std::string& name) override;
    vireo::Message MakeIdentityMessage() override;
    void Discover() override { }
    bool HandleIdentity(vireo::Message) override { return true; }
    bool RetryFile(vireo::Message) override { return false; }
    std::string Name() const override { return "steps-test"; }
    void SetProperty(const std::string& key, const std::string& value) override { m_properties[key] = value; }
    std::string GetProperty(const std::string& key, const std::string& def) const override;
    bool HasProperty(const std::string& key) const override { return m_properties.count(key) != 0; }
    vireo::Dispatcher& Commands() override { return *this; }
    int GetFile(const std::string& peer, const std::string& source, const std::string& destination, bool binary) override;
    int PutFileWithProgress(const std::string& peer, const std::string& source, const std::string& destination, bool binary,
        DeviceClientProgress progress) override;
    bool CloseTransfer(int) override { return true; }

private:
    // vireo::Dispatcher: the client's command table lives here; the rest is not used by the client.
    void RegisterForEvents(const std::string&, const std::string&) override { }
    void UnregisterForEvents(const std::string&, const std::string&) override { }
    vireo::Event MakeEvent(const std::string&) override { return {}; }
    vireo::Message MakeMessage(const std::string& target, const std::string& name, const std::string& key,
        const std::string& value) override;
    vireo::Message MakeTimerRequestAt(const std::string&, const vireo::VireoTime&, const std::string&) override { return {}; }
    vireo::Message MakeTimerRequest(const std::string&, int, int, const std::string&) override { return {}; }
    vireo::Message MakeTimerCancel(const std::string&) override { return {}; }

    // Queues the reply message with the document as payload (nothing when the document is empty).
    void Answer(vireo::Message reply, const std::string& document);
    void Answer(const vireo::Message& request);

    DeviceClientLinkListener* m_listener { nullptr };
    std::map<std::string, std::string> m_properties;
    std::deque<std::function<void()>> m_pending;
    int m_nextTransfer { 0 };
};
