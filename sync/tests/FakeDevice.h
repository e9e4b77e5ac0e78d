#pragma once
// A device on loopback for the client's tests: the device's router "System" and its "Library", two
// plain framework processes on ports of their own. Every message they receive that the framework
// does not handle itself is recorded and handed to the test's responder. Kept free of the networking
// headers, so that tests of the client (which include the platform's headers) can use it.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sync/DeviceClientLink.h"

namespace sync_test {

class FakeDevice {
public:
    // The processes of the device, each with the given extra properties; nothing is opened yet.
    explicit FakeDevice(std::vector<std::string> systemArguments = {}, std::vector<std::string> libraryArguments = {});
    ~FakeDevice();
    FakeDevice(const FakeDevice&) = delete;
    FakeDevice& operator=(const FakeDevice&) = delete;

    // Opens both processes' sockets and lets the library register with the router.
    void Start();
    // The router's port.
    int Port() const;
    // The command line of a client of this device (the client's name first).
    std::vector<std::string> ClientArguments(const std::string& name) const;
    // A client link of the framework whose pumps run the device's processes as well, with the
    // slices shortened to a few milliseconds of quiet (tests never sleep through a real slice).
    std::unique_ptr<DeviceClientLink> MakeClientLink(const std::string& name);

    // Sends a message from the device's library (to a client: through the router).
    bool SendFromLibrary(vireo::Message& message);
    bool SendFromSystem(vireo::Message& message);
    // Pumps the device alone until it has been quiet for a moment.
    void PumpQuiet();

    // Called with each request that reaches the device, by the process that got it ("System" or
    // "Library"), after it has been recorded.
    std::function<void(const std::string& process, const vireo::Message& request)> onRequest;
    // The requests that reached the device, in order, with the payload each carried.
    struct Request {
        std::string process;
        vireo::Message message;
        std::string payload;
    };
    std::vector<Request> requests;

private:
    class Impl;
    std::unique_ptr<Impl> m_impl;
};

// True when a framework process of the client, waiting for a long slice with nothing to handle, is
// woken from another thread at once.
bool WakeEndsALongWait();

} // namespace sync_test
