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
    bool OnIdentity(vireo::Message message);
    bool OnSetupGet(vireo::Message message);
    bool OnSetupSet(vireo::Message message);
    bool OnFileCheck(vireo::Message message);
    bool OnFileUnreserve(vireo::Message message);
    bool OnAlbumRemove(vireo::Message message);
};

} // namespace emulator
