#pragma once
// The device's "Library": it answers the queries for albums, playlists, groups and radio stations
// with list documents, hands out item documents, and takes new, changed and removed items.

#include "tools/device-emulator/EmulatorProcess.h"

namespace emulator {

class LibraryProcess final : public EmulatorProcess {
public:
    // The library process; it finds its router through the properties.
    LibraryProcess(const PropertyList& properties, DeviceState& device);

private:
    bool OnMusicQuery(vireo::Message message);
    bool OnMusicGroups(vireo::Message message);
    bool OnRadioGroups(vireo::Message message);
    bool OnRadioQuery(vireo::Message message);
    bool OnRetrieve(vireo::Message message);
    bool OnCreate(vireo::Message message);
    bool OnChange(vireo::Message message);
    bool OnMusicRemove(vireo::Message message);
    bool OnRadioRemove(vireo::Message message);

    // Sends the document to the reply the request names; false when it names none.
    bool Answer(const vireo::Message& request, const std::string& document);
};

} // namespace emulator
