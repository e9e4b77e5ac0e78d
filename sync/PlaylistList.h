#pragma once
// The device's playlists by device URL, in the order of the URLs' UTF-16 code units.

#include <map>
#include <memory>
#include <string>

#include "sync/PlaylistRecord.h"

struct IXMLDOMDocument;

class PlaylistList : public std::map<std::u16string, std::unique_ptr<PlaylistRecord>> {
public:
    // Adds one record per item of a container document; a playlist already listed keeps its first
    // record. False when the document has no items.
    bool ParseItems(IXMLDOMDocument* document);
};
