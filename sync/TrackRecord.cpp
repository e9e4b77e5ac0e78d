#include "sync/TrackRecord.h"

#include "sync/RecordReader.h"

using namespace record_reader;

TrackRecord::TrackRecord()
{
    Value(TrackNumber) = static_cast<LONG>(0);
    Value(TrackLength) = static_cast<LONG>(0);
    Value(Bitrate) = static_cast<LONG>(0);
    Value(Href) = TextValue(_bstr_t());
    Value(AlbumTrackID) = static_cast<LONG>(-1);
}

bool TrackRecord::ParseTrack(IXMLDOMNode* track)
{
    try {
        Value(TrackTitle) = ColumnValue(Text(track), "tMusicTracks", "TrackTitle");
        IXMLDOMNamedNodeMapPtr attributes = Attributes(track);
        const std::pair<const char*, Slot> numbers[] = { { "number", TrackNumber }, { "length", TrackLength },
            { "bitrate", Bitrate } };
        for (const auto& [name, slot] : numbers) {
            const std::optional<_bstr_t> text = NamedText(attributes, name);
            if (Filled(text))
                Value(slot) = ToLong(*text);
        }
        const std::pair<const char*, Slot> texts[] = { { "href", Href }, { "meta", Meta } };
        for (const auto& [name, slot] : texts) {
            const std::optional<_bstr_t> text = NamedText(attributes, name);
            Value(slot) = TextValue(Filled(text) ? *text : _bstr_t());
        }
        return true;
    } catch (const _com_error& error) {
        ReportError(error);
        return false;
    }
}

void TrackRecord::SetHref(const _bstr_t& href) { Value(Href) = TextValue(href); }

LONG TrackRecord::Number() const
{
    const _variant_t& number = Value(TrackNumber);
    return number.vt == VT_I4 ? number.lVal : 0;
}
