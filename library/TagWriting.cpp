#include "library/TagWriting.h"

#include "library/LibraryLocations.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"

#include "platform/base/FileApi.h"
#include "platform/cddb/CDDBControl.h"

namespace {

constexpr LONG kTagModeWrite = 0;
constexpr int kWriteAccess = 2;

void Check(HRESULT hr)
{
    if (FAILED(hr))
        _com_raise_error(hr);
}

CString FieldText(_ADORecordsetHelper& detail, LPCTSTR field)
{
    const long position = detail.FieldIndex(field);
    return position < 0 ? CString() : detail.ValueToText(position);
}

// The name of the sub-genre with the id held in the text; empty when there is none.
CString SubGenreName(const CString& idText)
{
    if (idText.IsEmpty())
        return {};
    const _variant_t id(static_cast<LONG>(std::atol(idText)));
    const _variant_t name = theLibraryConnection.RunStoredQueryScalar("qSubGenreById", &id, 1, -1);
    if (name.vt == VT_EMPTY || name.vt == VT_NULL)
        return {};
    _variant_t text;
    if (FAILED(VariantChangeType(&text, &name, 0, VT_BSTR)))
        return {};
    return CString(static_cast<const char*>(_bstr_t(text)));
}

} // namespace

bool WriteMp3Tags(LPCTSTR path, _ADORecordsetHelper& detail)
{
    if (!path || *path == '\0')
        return false;
    try {
        ITagReaderPtr reader;
        Check(reader.CreateInstance(CLSID_TagReader, nullptr, CLSCTX_ALL));
        Check(reader->LoadFile(_bstr_t(path), kTagModeWrite));

        using Put = HRESULT (ITagReader::*)(BSTR);
        const struct {
            const char* field;
            Put put;
            const char16_t* frame;
        } targets[] = {
            { "Title", &ITagReader::put_AlbumText, nullptr },
            { "Artist", &ITagReader::put_ArtistText, nullptr },
            { "TrackTitle", &ITagReader::put_TrackTitleText, nullptr },
            { "Label", &ITagReader::put_LabelText, nullptr },
            { "Note", &ITagReader::put_CommentText, nullptr },
            { "Language", nullptr, u"TLAN" },
            { "Year", &ITagReader::put_YearText, nullptr },
        };
        bool changed = false;
        for (const auto& target : targets) {
            const CString text = FieldText(detail, target.field);
            if (text.IsEmpty())
                continue;
            const _bstr_t value(text.GetString());
            Check(target.put ? (reader.GetInterfacePtr()->*target.put)(value)
                             : reader->SetFrame(_bstr_t(target.frame), value));
            changed = true;
        }
        const CString genre = SubGenreName(FieldText(detail, "SecondaryGenreID"));
        if (!genre.IsEmpty()) {
            Check(reader->put_GenreText(_bstr_t(genre.GetString())));
            changed = true;
        }
        if (changed)
            Check(reader->SaveTags());
        return true;
    } catch (const _com_error&) {
        return false;
    }
}

bool WritableTrackFile(long albumTrackId, CString& path)
{
    if (albumTrackId == -1)
        return false;
    const _variant_t id(static_cast<LONG>(albumTrackId));
    const _variant_t stored = theLibraryConnection.RunStoredQueryScalar("qGetFilePathForTrackAlbum", &id, 1, -1);
    if (stored.vt != VT_BSTR)
        return false;
    path = GetLibraryRoot() + CString(static_cast<const char*>(_bstr_t(stored)));
    return _access(path, kWriteAccess) == 0;
}

void WriteTrackMp3Tags(long albumTrackId)
{
    CString path;
    if (!WritableTrackFile(albumTrackId, path))
        return;
    const _variant_t id(static_cast<LONG>(albumTrackId));
    _ADORecordsetHelper detail;
    if (!theLibraryConnection.RunStoredQuery(
            "qMusicTrackDetailByAlbumTrackId", &id, 1, detail.ReceivePointer(), nullptr, -1))
        return;
    WriteMp3Tags(path, detail);
}
