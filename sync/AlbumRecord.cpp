#include "sync/AlbumRecord.h"

#include "sync/DeviceClientState.h"
#include "sync/RecordReader.h"

using namespace record_reader;

namespace {

// The item of the device's music list that names a playlist rather than an album.
bool IsPlaylistKey(const _bstr_t& key) { return Wide(TextValue(key)) == u"Playlist"; }

// An optional element's text for a slot: a missing element, a failing call or an empty text leaves
// the slot's empty text.
std::optional<_bstr_t> OptionalText(IXMLDOMNode* element, const char* path)
{
    try {
        std::optional<_bstr_t> text = ChildText(element, path);
        return Filled(text) ? text : std::nullopt;
    } catch (const _com_error&) {
        return std::nullopt;
    }
}

// Group names that every album carries and that name no genre.
bool IsCollectionGroup(const std::u16string& name) { return name == u"All" || name == u"MP3s" || name == u"CDs"; }

} // namespace

AlbumRecord::AlbumRecord()
{
    for (int slot = Artist; slot <= Genre; ++slot)
        Value(slot) = TextValue(_bstr_t());
    Value(QVGenreID) = static_cast<LONG>(0);
    Value(QVCDID) = static_cast<LONG>(0);
}

bool AlbumRecord::ParseContainerItem(IXMLDOMNode* item)
{
    if (!item)
        return false;
    try {
        const std::optional<_bstr_t> label = NamedText(Attributes(item), "label");
        if (!label)
            _com_raise_error(E_POINTER);
        Value(ItemLabel) = TextValue(*label);
        if (!HasChildren(item))
            return true;
        IXMLDOMNodePtr ref = Child(item, "./ref");
        if (!ref)
            return true;
        IXMLDOMNamedNodeMapPtr attributes;
        if (FAILED(ref->get_attributes(&attributes)) || !attributes)
            return true;
        const std::optional<_bstr_t> href = NamedText(attributes, "href");
        if (!href)
            _com_raise_error(E_POINTER);
        Value(Href) = TextValue(*href);
        const std::pair<const char*, Slot> keys[] = { { "primarykey", Artist }, { "secondarykey", Title } };
        for (const auto& [name, slot] : keys) {
            const std::optional<_bstr_t> key = NamedText(attributes, name);
            if (!key)
                continue;
            Value(slot) = TextValue(*key);
            if (IsPlaylistKey(*key)) {
                DeviceClientState::CountPlaylistItem();
                return false;
            }
        }
        return true;
    } catch (const _com_error& error) {
        ReportError(error);
        return false;
    }
}

bool AlbumRecord::ParseCdInfo(IXMLDOMNode* element)
{
    if (!element)
        return false;
    try {
        const std::optional<_bstr_t> href = NamedText(Attributes(element), "href");
        if (!href)
            _com_raise_error(E_POINTER);
        Value(Href) = TextValue(*href);
        if (!HasChildren(element)) {
            m_detailsRead = true;
            return true;
        }

        try {
            IXMLDOMNodePtr resource = Child(element, "rsrc");
            const std::optional<_bstr_t> resourceHref = resource ? AttributeText(resource, "href") : std::nullopt;
            if (Filled(resourceHref))
                Value(ResourceHref) = TextValue(*resourceHref);
        } catch (const _com_error&) {
            // An unreadable resource leaves the slot empty like a missing one.
        }
        if (auto text = OptionalText(element, "location"))
            Value(Location) = TextValue(*text);
        if (auto text = OptionalText(element, "cd"))
            Value(Cd) = TextValue(*text);
        if (auto text = OptionalText(element, "toc"))
            Value(Toc) = ColumnValue(*text, "tMusicMain", "TOC");

        IXMLDOMNodePtr title = Child(element, "title");
        if (!title)
            _com_raise_error(E_POINTER);
        Value(Title) = ColumnValue(Text(title), "tMusicMain", "Title");

        const std::tuple<const char*, Slot, const char*> optional[] = {
            { "titlesort", TitleSort, "TitleSort" },
            { "label", Label, "Label" },
            { "year", Year, "Year" },
            { "coverart", CoverArt, "ZUVUdureDaz" },
        };
        for (const auto& [path, slot, column] : optional) {
            if (auto text = OptionalText(element, path))
                Value(slot) = ColumnValue(*text, "tMusicMain", column);
        }

        for (const IXMLDOMNodePtr& group : SelectAll(element, "group")) {
            const std::u16string name = Wide(TextValue(Text(group)));
            if (name.empty())
                continue;
            m_groupNames.push_back(Utf8(TextValue(Text(group))));
            if (!IsCollectionGroup(name))
                Value(Genre) = _variant_t(name.c_str());
        }

        std::vector<IXMLDOMNodePtr> tracks;
        try {
            tracks = SelectAll(element, "track");
        } catch (const _com_error&) {
            // An album without readable tracks keeps what it has.
        }
        for (const IXMLDOMNodePtr& node : tracks) {
            auto track = std::make_unique<TrackRecord>();
            if (track->ParseTrack(node)) {
                const LONG number = track->Number();
                m_tracks[number] = std::move(track);
            }
        }
        m_detailsRead = true;
        return true;
    } catch (const _com_error& error) {
        ReportError(error);
        return false;
    }
}

bool AlbumRecord::IsCdPath() const { return HrefText().find(u"/CDs/") != std::u16string::npos; }

void AlbumRecord::SetFlags()
{
    m_detailsRead = true;
    m_hidden = true;
}

TrackRecord& AlbumRecord::AddTrack(LONG number, const _bstr_t& href, const _bstr_t& title)
{
    auto track = std::make_unique<TrackRecord>();
    track->Value(TrackRecord::TrackNumber) = number;
    track->SetHref(href);
    track->Value(TrackRecord::TrackTitle) = TextValue(title);
    TrackRecord& added = *track;
    m_tracks[number] = std::move(track);
    return added;
}

std::u16string AlbumRecord::HrefText() const { return Wide(Value(Href)); }
