#pragma once
// One album of the device: the values of its container item and of its album document, its group
// names and its tracks by number.

#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/com/ComDef.h"
#include "sync/TrackRecord.h"

struct IXMLDOMNode;

class AlbumRecord {
public:
    // The value slots, numbered from 1.
    enum Slot {
        Artist = 1,
        Href,
        Title,
        ItemLabel,
        ResourceHref,
        Location,
        Cd,
        Toc,
        TitleSort,
        Label,
        Unused,
        Year,
        CoverArt,
        Genre,
        QVGenreID,
        QVCDID,
    };
    static constexpr int kSlotCount = 16;
    using TrackMap = std::map<LONG, std::unique_ptr<TrackRecord>>;

    // Every text slot the empty text, the two desktop keys 0.
    AlbumRecord();

    // Fills label, href, artist and title from an "item" of a container document; false when the
    // item is not an album (a playlist among the music items is counted in the run state) or its
    // required parts cannot be read.
    bool ParseContainerItem(IXMLDOMNode* item);
    // Fills the album from the document element of an album document (cdinfo or mp3info); false
    // when its href or title is missing.
    bool ParseCdInfo(IXMLDOMNode* element);
    // True when the href names a file under the device's "/CDs/" folder (case-sensitive).
    bool IsCdPath() const;
    // Marks the album as read and hidden: its details lie on another device.
    void SetFlags();
    // A track made of the number, href and title, stored under its number (replacing the entry).
    TrackRecord& AddTrack(LONG number, const _bstr_t& href, const _bstr_t& title);

    // The slot's value (1 to kSlotCount); throws std::out_of_range for any other number.
    _variant_t& Value(int slot) { return m_values.at(static_cast<std::size_t>(slot - 1)); }
    const _variant_t& Value(int slot) const { return m_values.at(static_cast<std::size_t>(slot - 1)); }
    // The href slot as a wide text.
    std::u16string HrefText() const;

    const std::vector<std::string>& GroupNames() const { return m_groupNames; }
    TrackMap& Tracks() { return m_tracks; }
    const TrackMap& Tracks() const { return m_tracks; }
    std::size_t TrackCount() const { return m_tracks.size(); }
    bool DetailsRead() const { return m_detailsRead; }
    bool IsHidden() const { return m_hidden; }

private:
    std::array<_variant_t, kSlotCount> m_values;
    std::vector<std::string> m_groupNames;
    TrackMap m_tracks;
    bool m_detailsRead { false };
    bool m_hidden { false };
};
