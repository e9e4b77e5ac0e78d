#pragma once
// One music or radio group as the device describes it.

#include <map>
#include <memory>
#include <string>

#include "platform/com/ComDef.h"

struct IXMLDOMNode;

class GroupRecord {
public:
    GroupRecord();

    // Fills the record from a groupinfo document's root element; false when its href is missing.
    bool ParseGroupInfo(IXMLDOMNode* root);

    const _variant_t& Name() const { return m_name; }
    LONG Count() const { return m_count; }
    const _variant_t& Resource() const { return m_resource; }
    const _variant_t& CoverArt() const { return m_coverArt; }
    const _variant_t& Label() const { return m_label; }
    const _variant_t& Href() const { return m_href; }
    const _variant_t& SecondaryKey() const { return m_secondaryKey; }

private:
    friend bool ParseGroupContainer(GroupRecord& record, IXMLDOMNode* item);

    _variant_t m_name;
    LONG m_count { 0 };
    _variant_t m_resource;
    _variant_t m_coverArt;
    _variant_t m_label;
    _variant_t m_href;
    _variant_t m_secondaryKey;
};

// Fills the record from a container document's "item": its label, and from its "ref" the href,
// name and secondary key; false when the item's label cannot be read.
bool ParseGroupContainer(GroupRecord& record, IXMLDOMNode* item);

// The device's groups of one kind by device URL.
using GroupMap = std::map<std::u16string, std::unique_ptr<GroupRecord>>;
