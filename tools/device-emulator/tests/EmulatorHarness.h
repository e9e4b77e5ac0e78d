#pragma once
// A device on loopback and a plain framework process that talks to it, for the emulator's tests.

#include <ace/SOCK_Dgram.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tools/device-emulator/DeviceEmulator.h"
#include "vireo/Process.h"
#include "vireo/tests/support/FreeUdpPort.h"

namespace emulator::test {

using vireo::test::FreeUdpPort;

// The desktop's side: a process that records the messages of the names it is told to expect.
class Peer : public vireo::Process {
public:
    Peer(int argc, const char* const* argv)
        : Process(argc, argv)
    {
    }

    void Record(const std::string& name) { RegisterCommand(name, this, &Peer::OnRecorded); }
    // The messages of the name received so far.
    std::vector<vireo::Message> Received(const std::string& name) const
    {
        std::vector<vireo::Message> found;
        for (const vireo::Message& message : received) {
            if (message.Name() == name)
                found.push_back(message);
        }
        return found;
    }

    void OnDiscovered(vireo::AttributeValueMap& attributes) override
    {
        discovered.push_back(attributes);
        Process::OnDiscovered(attributes);
    }
    void OnTransferComplete(int transferId, int status) override
    {
        completed.emplace_back(transferId, status);
        Process::OnTransferComplete(transferId, status);
    }

    std::vector<vireo::Message> received;
    std::vector<std::string> payloads;
    std::vector<vireo::AttributeValueMap> discovered;
    std::vector<std::pair<int, int>> completed;

private:
    bool OnRecorded(vireo::Message message)
    {
        // Read while the message is handled: a spilled payload's file goes afterwards.
        payloads.push_back(message.Payload());
        received.push_back(std::move(message));
        return true;
    }
};

// A running device in the folder "device" of the test's directory and a peer registered with it.
class EmulatorTestBase {
protected:
    // Starts the device with the extra arguments, then the peer.
    void StartDevice(std::vector<std::string> arguments = {})
    {
        port = FreeUdpPort();
        arguments.insert(arguments.begin(),
            { "port=" + std::to_string(port), "folder=device", "Process.interMessageGap=0",
                "Process.interFragmentGap=0" });
        std::string error;
        EmulatorOptions options;
        if (!ParseEmulatorArguments(arguments, options, error))
            throw std::runtime_error(error);
        device = std::make_unique<DeviceEmulator>(options);
        seed(*device);
        if (!device->Start(error))
            throw std::runtime_error(error);

        const std::vector<std::string> peerArguments { "desk", "Process.interMessageGap=0",
            "Process.interFragmentGap=0", "router.port=" + std::to_string(port), "Socket.broadcastAddress=127.0.0.1" };
        std::vector<const char*> argv;
        for (const std::string& argument : peerArguments)
            argv.push_back(argument.c_str());
        peer = std::make_unique<Peer>(static_cast<int>(argv.size()), argv.data());
        if (peer->Init() != 0)
            throw std::runtime_error("the peer cannot open its socket");
    }

    // Pumps the peer until the condition holds; false when it never did within the rounds.
    bool PumpUntil(const std::function<bool()>& done, int rounds = 2000)
    {
        for (int i = 0; i < rounds; ++i) {
            if (done())
                return true;
            peer->HandleEvents(ACE_Time_Value(0, 5000));
        }
        return done();
    }

    // Sends a request to a device process with its reply message attached as payload or as "return".
    bool Ask(vireo::Message request, const std::string& replyName, bool asReturn = false,
        const std::vector<std::pair<std::string, std::string>>& replyArgs = {})
    {
        peer->Record(replyName);
        vireo::Message reply = peer->MakeMessage(peer->Name(), replyName);
        for (const auto& [key, value] : replyArgs)
            reply.SetArg(key, value);
        if (asReturn)
            request.SetArg("return", reply);
        else
            request.SetPayload(reply.WireText());
        return peer->Send(request);
    }

    // Fills the library before the device starts.
    std::function<void(DeviceEmulator&)> seed = [](DeviceEmulator&) {};
    int port { 0 };
    std::unique_ptr<DeviceEmulator> device;
    std::unique_ptr<Peer> peer;
};

} // namespace emulator::test
