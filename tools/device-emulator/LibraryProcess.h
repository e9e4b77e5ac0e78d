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
    // The list documents: music items of an index, music groups, radio groups, stations of an index.
    bool OnMusicQuery(vireo::Message message);
    bool OnMusicGroups(vireo::Message message);
    bool OnRadioGroups(vireo::Message message);
    bool OnRadioQuery(vireo::Message message);
    // The item document of the "href", or an answer without one for an unknown item.
    bool OnRetrieve(vireo::Message message);
    // A new item from the payload document, under a reference of the device's choosing.
    bool OnCreate(vireo::Message message);
    // The payload document in place of the item of the "href"; an unreadable one changes nothing.
    bool OnChange(vireo::Message message);
    // Removes the item of the "href"; stations go by their "identifier".
    bool OnMusicRemove(vireo::Message message);
    bool OnRadioRemove(vireo::Message message);

    // Sends the document to the reply the request names; false when it names none.
    bool Answer(const vireo::Message& request, const std::string& document);
};

} // namespace emulator
