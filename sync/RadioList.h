#pragma once
// The device's stations by device URL. Copies share the records: a step may copy the list and keep
// reading its records while the client's list changes.

#include <map>
#include <memory>
#include <string>

#include "sync/RadioRecord.h"

struct IXMLDOMDocument;

class RadioList : public std::map<std::u16string, std::shared_ptr<RadioRecord>> {
public:
    // Adds one record per item of a container document; a station already listed keeps its first
    // record. False when the document has no items.
    bool ParseItems(IXMLDOMDocument* document);
};
