#pragma once
// The device client's view of its framework process: the few operations of the framework that the
// client calls, kept free of the networking headers (which clash with the platform's), so that the
// client, the steps and the component's objects can include it beside the platform headers. The
// framework-side implementation is DeviceClientProcess; tests may put their own link in its place.

#include <chrono>
#include <memory>
#include <string>

#include "vireo/AttributeValueMap.h"
#include "vireo/Dispatcher.h"
#include "vireo/Message.h"

// Told by the link of what the framework reports on its own: discovery replies and closed transfers.
class DeviceClientLinkListener {
public:
    virtual ~DeviceClientLinkListener() = default;

    // A discovery reply's attributes, after the framework has recorded the peer.
    virtual void OnDiscovered(vireo::AttributeValueMap& attributes) = 0;
    // A file transfer closed with the status (0 when it completed), after the framework has logged it.
    virtual void OnTransferComplete(int transferId, int status) = 0;
};

// Told of every file-transfer packet the process receives; false asks to give that transfer up.
using DeviceClientProgress = bool (*)(int localID, int position);

class DeviceClientLink {
public:
    virtual ~DeviceClientLink() = default;

    // The framework process made from the command line (the process name, then key=value properties);
    // no network work.
    static std::unique_ptr<DeviceClientLink> Create(int argc, const char* const* argv);

    // Where discovery replies and closed transfers are reported; null stops the reports.
    virtual void SetListener(DeviceClientLinkListener* listener) = 0;

    // Starts and stops the networking library (balanced calls).
    virtual void StartNetworking() = 0;
    virtual void StopNetworking() = 0;
    // Opens the socket (or keeps the one it has) and registers with the router; 0 when ready.
    virtual int Init() = 0;
    // Handles what arrives within the wait; 0 when at least one event was handled, -1 otherwise.
    virtual int HandleEvents(std::chrono::milliseconds wait) = 0;
    // Blocks the calling thread for the time (between a broadcast and the look at its answers).
    virtual void Pause(std::chrono::milliseconds time) = 0;
    // Ends the wait of a HandleEvents that another thread is in, as an event would; callable from any
    // thread. A link whose waits never block has nothing to wake.
    virtual void Wake() { }

    // Routes and sends the message; false when no route is known.
    virtual bool Send(vireo::Message& message) = 0;
    // A message to the target with the name and no arguments.
    virtual vireo::Message MakeMessage(const std::string& target, const std::string& name) = 0;
    // "Process.identity" to the router with this process's name.
    virtual vireo::Message MakeIdentityMessage() = 0;
    // Broadcasts a discovery request to "Socket.broadcastAddress".
    virtual void Discover() = 0;
    // The framework's router-side handling of "Process.identity".
    virtual bool HandleIdentity(vireo::Message message) = 0;
    // The framework's retry of a file transfer; false when the retry could not be made.
    virtual bool RetryFile(vireo::Message message) = 0;

    // The property "name".
    virtual std::string Name() const = 0;
    virtual void SetProperty(const std::string& key, const std::string& value) = 0;
    virtual std::string GetProperty(const std::string& key, const std::string& def) const = 0;
    virtual bool HasProperty(const std::string& key) const = 0;

    // The process's command table, by message name.
    virtual vireo::Dispatcher& Commands() = 0;

    // Starts fetching the peer's file into the local one (created or truncated); the local id, 0 when
    // the transfer could not start.
    virtual int GetFile(const std::string& peer, const std::string& source, const std::string& destination,
        bool binary) = 0;
    // Keeps the progress callback for every later packet, then starts sending the local file to the
    // peer; the local id, 0 when the transfer could not start.
    virtual int PutFileWithProgress(const std::string& peer, const std::string& source,
        const std::string& destination, bool binary, DeviceClientProgress progress) = 0;
    // Forgets a transfer that the peer refused and closes its local file; false when there is none.
    virtual bool CloseTransfer(int localID) = 0;
};
