#include "sync/PlaylistRecord.h"

#include "sync/RecordReader.h"

using namespace record_reader;

PlaylistRecord::PlaylistRecord()
{
    for (int slot = Title; slot <= Version; ++slot)
        Value(slot) = TextValue(_bstr_t());
}

bool PlaylistRecord::ParseContainerItem(IXMLDOMNode* item)
{
    if (!item)
        return false;
    try {
        const std::optional<_bstr_t> label = NamedText(Attributes(item), "label");
        if (!label)
            _com_raise_error(E_POINTER);
        Value(ItemLabel) = TextValue(*label);

        IXMLDOMNamedNodeMapPtr attributes;
        try {
            if (!HasChildren(item))
                return true;
            IXMLDOMNodePtr ref = Child(item, "./ref");
            if (!ref)
                return true;
            attributes = Attributes(ref);
        } catch (const _com_error&) {
            // The optional parts end the reading without failing it.
            return true;
        }
        std::optional<_bstr_t> href;
        try {
            href = NamedText(attributes, "href");
            if (href) {
                Value(Href) = TextValue(*href);
                if (auto key = NamedText(attributes, "primarykey"))
                    Value(PrimaryKey) = TextValue(*key);
                if (auto key = NamedText(attributes, "secondarykey"))
                    Value(Title) = TextValue(*key);
                return true;
            }
        } catch (const _com_error&) {
            return true;
        }
        _com_raise_error(E_POINTER);
    } catch (const _com_error& error) {
        ReportError(error);
        return false;
    }
}

bool PlaylistRecord::ParseSongListInfo(IXMLDOMNode* root)
{
    if (!root)
        return false;
    try {
        IXMLDOMNamedNodeMapPtr attributes = Attributes(root);
        const std::optional<_bstr_t> href = NamedText(attributes, "href");
        if (!href)
            _com_raise_error(E_POINTER);
        Value(Href) = TextValue(*href);
        const std::optional<_bstr_t> version = NamedText(attributes, "version");
        if (Filled(version))
            Value(Version) = TextValue(*version);
        if (HasChildren(root)) {
            if (auto title = ChildText(root, "title"))
                Value(Title) = TextValue(*title);
            if (auto coverArt = ChildText(root, "coverart"))
                Value(CoverArt) = TextValue(*coverArt);
            for (const IXMLDOMNodePtr& node : SelectAll(root, "track")) {
                auto track = std::make_unique<TrackRecord>();
                if (track->ParseTrack(node)) {
                    const LONG number = track->Number();
                    m_tracks[number] = std::move(track);
                }
            }
            for (const IXMLDOMNodePtr& group : SelectAll(root, "group")) {
                const std::string name = Utf8(TextValue(Text(group)));
                if (!name.empty())
                    m_groupNames.push_back(name);
            }
        }
        m_detailsRead = true;
        return true;
    } catch (const _com_error& error) {
        ReportError(error);
        return false;
    }
}

std::u16string PlaylistRecord::HrefText() const { return Wide(Value(Href)); }
