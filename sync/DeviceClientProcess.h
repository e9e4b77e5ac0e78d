#pragma once
// The framework process behind a device client: a plain Process that reports discovery replies and
// closed transfers to its listener and offers the operations the client calls through its link.
// Includes the networking headers: only framework-side files include this one.

#include "sync/DeviceClientLink.h"
#include "vireo/Process.h"

class DeviceClientProcess final : public vireo::Process, public DeviceClientLink {
public:
    // The process made from the command line; no network work.
    DeviceClientProcess(int argc, const char* const* argv);

    // DeviceClientLink.
    void SetListener(DeviceClientLinkListener* listener) override { m_listener = listener; }
    void StartNetworking() override;
    void StopNetworking() override;
    int Init() override { return Process::Init(); }
    int HandleEvents(std::chrono::milliseconds wait) override;
    void Pause(std::chrono::milliseconds time) override;
    void Wake() override { Process::Wake(); }
    bool Send(vireo::Message& message) override { return Process::Send(message); }
    vireo::Message MakeMessage(const std::string& target, const std::string& name) override
    {
        return Process::MakeMessage(target, name);
    }
    vireo::Message MakeIdentityMessage() override { return Process::MakeIdentityMessage(); }
    void Discover() override { Process::Discover(); }
    bool HandleIdentity(vireo::Message message) override { return OnProcessIdentity(std::move(message)); }
    bool RetryFile(vireo::Message message) override { return OnFileRetry(std::move(message)); }
    std::string Name() const override { return Process::Name(); }
    void SetProperty(const std::string& key, const std::string& value) override { Process::SetProperty(key, value); }
    std::string GetProperty(const std::string& key, const std::string& def) const override
    {
        return Process::GetProperty(key, def);
    }
    bool HasProperty(const std::string& key) const override { return Process::HasProperty(key); }
    vireo::Dispatcher& Commands() override { return *this; }
    int GetFile(const std::string& peer, const std::string& source, const std::string& destination,
        bool binary) override
    {
        return Process::GetFile(peer, source, destination, binary);
    }
    int PutFileWithProgress(const std::string& peer, const std::string& source, const std::string& destination,
        bool binary, DeviceClientProgress progress) override
    {
        return Process::PutFileWithProgress(peer, source, destination, binary, progress);
    }
    bool CloseTransfer(int localID) override { return Process::CloseTransfer(localID); }

    // Process: the framework's own handling first, then the listener.
    void OnDiscovered(vireo::AttributeValueMap& attributes) override;
    void OnTransferComplete(int transferId, int status) override;

private:
    DeviceClientLinkListener* m_listener { nullptr };
};
