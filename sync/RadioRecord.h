#pragma once
// One internet-radio station as the device describes it.

#include <string>
#include <vector>

#include "platform/com/ComDef.h"

struct IXMLDOMNode;

struct RadioRecord {
    RadioRecord();

    // Fills the station from a radioinfo document's root element; false when its href is missing.
    bool ParseRadioInfo(IXMLDOMNode* root);

    _variant_t label;
    _variant_t href;
    _variant_t name;
    std::vector<std::string> groupNames;
    _variant_t identifier;
    _variant_t resource;
    _variant_t callSign;
    _variant_t location;
    _variant_t iconHref;
    _variant_t streamUrl;
    _variant_t urlNumber;
    _variant_t bandwidth;
    _variant_t status;
    _variant_t streamType;
    _variant_t stereo;
    _variant_t strength;
    _variant_t secondaryKey;
    // The last group name that is not "All".
    std::string genreName;
    // The desktop keys the radio step gives the station (QVRadioID) and its genre.
    _variant_t stationKey;
    _variant_t category;
    // Set once the station's document has been read.
    bool filled { false };

    const _variant_t& StreamUrl() const { return streamUrl; }
    LONG UrlNumber() const;
    LONG StreamType() const;
    const _variant_t& StationKey() const { return stationKey; }
    const _variant_t& Category() const { return category; }
};

// Fills the record from a container document's "item": its label, and from its "ref" the href,
// name and secondary key; false when the item's label cannot be read.
bool ParseRadioContainer(RadioRecord& record, IXMLDOMNode* item);
