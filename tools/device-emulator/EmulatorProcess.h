#pragma once
// One process of the emulated device on the framework: it applies the device's request rules to
// every command it handles, finds where a request wants its answer, and maps the device's file
// references onto the library folder for transfers. The System and Library processes build on it.

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/device-emulator/DeviceState.h"
#include "vireo/Process.h"

namespace emulator {

class EmulatorProcess : public vireo::Process {
public:
    using PropertyList = std::vector<std::pair<std::string, std::string>>;

    // A process of the name with the framework properties; the device state is shared, not owned.
    EmulatorProcess(const std::string& name, const PropertyList& properties, DeviceState& device);

    // Puts every command of the table behind the request rules; called once, after the last
    // registration.
    void ApplyRules();
    // Handles the delayed requests that are due; the wait until the next one, or none.
    std::optional<std::chrono::steady_clock::duration> RunDelayed();
    // Decides by the rules whether a request is handled now; a dropped, delayed or refused request
    // is dealt with here and false returned.
    bool Admit(const vireo::Message& request);

protected:
    DeviceState& Device() { return m_device; }
    // The reply the request asks for: its "return" argument, else the message its payload holds;
    // none when it names no reply.
    static std::optional<vireo::Message> ReplyTo(const vireo::Message& request);
    // Sends the reply with the document as its payload. The payload always travels inside the
    // datagrams: a peer on the same machine may work in another folder and could not read a spill
    // file of ours.
    bool SendReply(vireo::Message reply, const std::string& document = {});
    // The failure answer to a refused request: a nack or failed status for the file commands, the
    // reply without a document for requests that name one; nothing for registrations and the others.
    virtual void Refuse(const vireo::Message& request);
    // The file path of a transfer request as the framework resolves it, below the library folder;
    // empty when the reference leaves the device's root.
    std::string TransferPath(const std::string& reference) const;

    // The properties a peer may set on a process of the device: only the unique device name and the
    // revision that the router hands its clients. Nothing else is taken (a peer must not widen the transfer folders) and
    // nothing is written to a properties file.
    bool OnDeviceProperties(vireo::Message message);
    // "File.open" and "File.delete" with the device's references mapped onto the library folder.
    bool OnDeviceFileOpen(vireo::Message message);
    bool OnDeviceFileDelete(vireo::Message message);

private:
    struct Delayed {
        std::chrono::steady_clock::time_point due;
        vireo::Message request;
    };

    // The framework reads the command line while it is constructed: name first, then key=value items.
    EmulatorProcess(const std::vector<std::string>& arguments, DeviceState& device);

    DeviceState& m_device;
    std::vector<Delayed> m_delayed;
    bool m_bypassRules { false };
};

} // namespace emulator
