#pragma once
// The device's albums by device URL, in the order of the URLs' UTF-16 code units.

#include <map>
#include <memory>
#include <string>

#include "sync/AlbumRecord.h"

struct IXMLDOMDocument;

class AlbumList : public std::map<std::u16string, std::unique_ptr<AlbumRecord>> {
public:
    // Adds one record per album item of a container document; an album already listed keeps its
    // first record. False when the document has no items.
    bool ParseItems(IXMLDOMDocument* document);
    // The entry for the href; else the entry for its part before "?"; else that part followed by
    // "?" and the href's "type=" argument; else end().
    iterator Find(const std::u16string& href);
};
