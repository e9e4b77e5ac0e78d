#pragma once
// One playlist of the device: the values of its container item and of its songlistinfo document,
// its tracks by number and its group names.

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/ComDef.h"
#include "sync/TrackRecord.h"

struct IXMLDOMNode;

class PlaylistRecord {
public:
    // The value slots, numbered from 1.
    enum Slot {
        Title = 1,
        Href,
        ItemLabel,
        PrimaryKey,
        Unused,
        CoverArt,
        Version,
    };
    static constexpr int kSlotCount = 7;
    using TrackMap = std::map<LONG, std::unique_ptr<TrackRecord>>;

    // Every slot the empty text, the desktop key 0.
    PlaylistRecord();

    // Fills label, href, primary key and title from a container document's "item"; false when the
    // item has no label or its "ref" has no href.
    bool ParseContainerItem(IXMLDOMNode* item);
    // Fills the playlist from a songlistinfo document's root element; false when its href is missing.
    bool ParseSongListInfo(IXMLDOMNode* root);

    // The slot's value (1 to kSlotCount); throws std::out_of_range for any other number.
    _variant_t& Value(int slot) { return m_values.at(static_cast<std::size_t>(slot - 1)); }
    const _variant_t& Value(int slot) const { return m_values.at(static_cast<std::size_t>(slot - 1)); }
    // The href slot as a wide text.
    std::u16string HrefText() const;

    TrackMap& Tracks() { return m_tracks; }
    const TrackMap& Tracks() const { return m_tracks; }
    // The desktop key the device-to-desktop direction gave the playlist.
    _variant_t& DesktopKey() { return m_desktopKey; }
    const std::vector<std::string>& GroupNames() const { return m_groupNames; }
    bool DetailsRead() const { return m_detailsRead; }

private:
    std::array<_variant_t, kSlotCount> m_values;
    TrackMap m_tracks;
    _variant_t m_desktopKey { static_cast<LONG>(0) };
    std::vector<std::string> m_groupNames;
    bool m_detailsRead { false };
};
