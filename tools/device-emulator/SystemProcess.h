#pragma once
// The device's router "System": it registers the other processes and the desktop's client, answers
// discovery, keeps the owner's details, reserves room for files the desktop sends, moves files in
// and out of the library folder, and removes albums.

#include "tools/device-emulator/EmulatorProcess.h"

namespace emulator {

class SystemProcess final : public EmulatorProcess {
public:
    // The router on the port, with the discovery attributes of the options; nothing is opened yet.
    SystemProcess(const PropertyList& properties, DeviceState& device);

protected:
    void Refuse(const vireo::Message& request) override;

private:
    // The framework's registration, preceded by the device's revision for the client.
    bool OnIdentity(vireo::Message message);
    // The owner's details asked for (with the router's own properties for other keys), and the
    // "Setup." values a client sets.
    bool OnSetupGet(vireo::Message message);
    bool OnSetupSet(vireo::Message message);
    // Reserves a place for a file the client is about to send and names it in the answer.
    bool OnFileCheck(vireo::Message message);
    // Ends the reservation of a "spaceID".
    bool OnFileUnreserve(vireo::Message message);
    // Removes the albums named by "href" or "1.href", "2.href", ...
    bool OnAlbumRemove(vireo::Message message);
};

} // namespace emulator
