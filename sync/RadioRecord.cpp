#include "sync/RadioRecord.h"

#include "sync/RecordReader.h"

using namespace record_reader;

namespace {

// A decimal child text; the default for an empty or missing one.
LONG NumberOrDefault(const std::optional<_bstr_t>& text, LONG def) { return Filled(text) ? ToLong(*text) : def; }

LONG AsLong(const _variant_t& value) { return value.vt == VT_I4 ? value.lVal : 0; }

} // namespace

RadioRecord::RadioRecord()
{
    for (_variant_t* text : { &label, &href, &name, &identifier, &resource, &callSign, &location, &iconHref,
             &streamUrl, &status, &stereo, &secondaryKey })
        *text = TextValue(_bstr_t());
    for (_variant_t* number : { &urlNumber, &bandwidth, &streamType, &strength })
        *number = static_cast<LONG>(0);
}

LONG RadioRecord::UrlNumber() const { return AsLong(urlNumber); }

LONG RadioRecord::StreamType() const { return AsLong(streamType); }

bool ParseRadioContainer(RadioRecord& record, IXMLDOMNode* item)
{
    if (!item)
        return false;
    try {
        ReadContainerItem(item, record.label, record.href, record.name, record.secondaryKey);
        return true;
    } catch (const _com_error& error) {
        ReportError(error);
        return false;
    }
}

bool RadioRecord::ParseRadioInfo(IXMLDOMNode* root)
{
    if (!root)
        return false;
    try {
        const std::optional<_bstr_t> reference = NamedText(Attributes(root), "href");
        if (!reference)
            _com_raise_error(E_POINTER);
        href = TextValue(*reference);
        if (HasChildren(root)) {
            const std::pair<const char*, _variant_t*> texts[] = { { "identifier", &identifier }, { "name", &name },
                { "resource", &resource }, { "call", &callSign }, { "location", &location },
                { "internet/href", &streamUrl }, { "internet/status", &status }, { "internet/stereo", &stereo } };
            for (const auto& [path, field] : texts) {
                if (auto text = ChildText(root, path))
                    *field = TextValue(*text);
            }
            if (IXMLDOMNodePtr icon = Child(root, "icon")) {
                if (auto iconReference = AttributeText(icon, "href"))
                    iconHref = TextValue(*iconReference);
            }
            for (const IXMLDOMNodePtr& group : SelectAll(root, "group")) {
                const std::string groupName = Utf8(TextValue(Text(group)));
                groupNames.push_back(groupName);
                if (groupName != "All")
                    genreName = groupName;
            }
            urlNumber = NumberOrDefault(ChildText(root, "internet/urlno"), 1);
            bandwidth = NumberOrDefault(ChildText(root, "internet/bandwidth"), 0);
            streamType = NumberOrDefault(ChildText(root, "internet/streamtype"), 0);
            strength = NumberOrDefault(ChildText(root, "internet/strength"), 0);
        }
        filled = true;
        return true;
    } catch (const _com_error& error) {
        ReportError(error);
        return false;
    }
}
