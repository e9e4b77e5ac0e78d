#pragma once
// One track of an album or playlist document of the device: its values as variants, slot by slot.

#include <array>

#include "platform/com/ComDef.h"

struct IXMLDOMNode;

class TrackRecord {
public:
    // The value slots, numbered from 1.
    enum Slot {
        TrackTitle = 1,
        TrackNumber,
        TrackLength,
        Bitrate,
        Href,
        Meta,
        AlbumTrackID,
        Unused,
    };
    static constexpr int kSlotCount = 8;

    // Title and meta empty, numbers 0, href the empty text, desktop key -1.
    TrackRecord();

    // Fills title, number, length, bit rate, href and meta from a "track" element; false when the
    // element's text or attributes cannot be read.
    bool ParseTrack(IXMLDOMNode* track);
    // Sets the href slot.
    void SetHref(const _bstr_t& href);

    // The slot's value (1 to kSlotCount); throws std::out_of_range for any other number.
    _variant_t& Value(int slot) { return m_values.at(static_cast<std::size_t>(slot - 1)); }
    const _variant_t& Value(int slot) const { return m_values.at(static_cast<std::size_t>(slot - 1)); }
    // The track number slot as a number.
    LONG Number() const;

private:
    std::array<_variant_t, kSlotCount> m_values;
};
