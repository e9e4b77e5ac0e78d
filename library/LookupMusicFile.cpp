#include "library/LookupMusicFile.h"

#include "library/ImportBatch.h"
#include "library/MusicImportHost.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"

#include "app/CPelicanApp.h"
#include "platform/base/CodePage.h"
#include "platform/cddb/CDDBControl.h"

#include <cstdlib>
#include <thread>

std::atomic<bool> g_bStopRaiseMatchWindow { false };

namespace {

constexpr LONG kTagModeRead = 1;

// Outside objects report failure by their result; the look-up treats every failure alike.
void Check(HRESULT hr)
{
    if (FAILED(hr))
        _com_raise_error(hr);
}

// The genre query ended in a database error, which the connection class has shown already.
struct GenreQueryFailed { };

CString TextOfBstr(BSTR text)
{
    return text ? CString(platform::Utf16ToUtf8(std::u16string_view(text, SysStringLen(text))).c_str()) : CString();
}

template<class Interface> CString ReadText(Interface* object, HRESULT (Interface::*get)(BSTR*))
{
    BSTR text = nullptr;
    Check((object->*get)(&text));
    const CString result = TextOfBstr(text);
    SysFreeString(text);
    return result;
}

CString ReadFrame(ITagReader* reader, const char16_t* frameId)
{
    BSTR text = nullptr;
    Check(reader->GetFrame(_bstr_t(frameId), &text));
    const CString result = TextOfBstr(text);
    SysFreeString(text);
    return result;
}

_bstr_t ToBstr(LPCTSTR text) { return _bstr_t(text); }

// Runs qSubGenreByName with the name; with firstRowWins the first row counts, otherwise only a single
// row does. True when the ids were taken.
bool MapGenre(LPCTSTR genreName, bool firstRowWins, LONG& genreId, LONG& subGenreId)
{
    const _variant_t name(genreName);
    _ADORecordsetHelper rows;
    if (!theLibraryConnection.RunStoredQuery("qSubGenreByName", &name, 1, rows.ReceivePointer(), nullptr, -1))
        throw GenreQueryFailed {};
    if (rows.IsEOF() || (!firstRowWins && rows.RecordCount() != 1))
        return false;
    const _variant_t genre = rows.GetValue("GenreID");
    const _variant_t subGenre = rows.GetValue("SubGenreID");
    bool mapped = false;
    if (genre.vt == VT_I4) {
        genreId = genre.lVal;
        mapped = true;
    }
    if (subGenre.vt == VT_I4)
        subGenreId = subGenre.lVal;
    return mapped;
}

// The ")" rule: what follows the first ")" of the tag's genre, trimmed.
CString GenreNameOfTag(CString genre)
{
    const int close = genre.Find(')');
    if (close >= 0)
        genre = genre.Mid(close + 1);
    genre.Trim();
    return genre;
}

void ReadTags(LPCTSTR path, MusicFileValues& values, bool& genreMapped)
{
    ITagReaderPtr reader;
    // A batch of files keeps the reader's class object: asking the class registry for each file costs
    // as much as reading the file's tags.
    const KeptClassObject* kept = ImportBatch::TagReaderClass();
    Check(kept != nullptr ? kept->Make(reader) : reader.CreateInstance(CLSID_TagReader, nullptr, CLSCTX_ALL));
    Check(reader->LoadFile(ToBstr(path), kTagModeRead));
    values.albumTitle = ReadText(reader.GetInterfacePtr(), &ITagReader::get_AlbumText);
    values.artist = ReadText(reader.GetInterfacePtr(), &ITagReader::get_ArtistText);
    values.trackTitle = ReadText(reader.GetInterfacePtr(), &ITagReader::get_TrackTitleText);
    values.year = ReadText(reader.GetInterfacePtr(), &ITagReader::get_YearText);
    values.note = ReadText(reader.GetInterfacePtr(), &ITagReader::get_CommentText);
    const CString genre = GenreNameOfTag(ReadText(reader.GetInterfacePtr(), &ITagReader::get_GenreText));
    values.language = ReadFrame(reader, u"TLAN");
    values.trackNumberText = ReadFrame(reader, u"TRCK");
    const long seconds = std::atol(ReadFrame(reader, u"TLEN")) / 1000;
    if (seconds > 0)
        values.trackLengthText.Format("%d", static_cast<int>(seconds));

    const CPelicanApp* app = GetPelicanApp();
    if (!genre.IsEmpty() && !(app && app->m_bIgnoreMp3Tags))
        genreMapped = MapGenre(genre, false, values.genreId, values.subGenreId);
}

// Runs the control's look-up of the disc in the drive while a thread raises its "Match" window; the
// thread is waited for, so it never outlives the host it calls.
IUnknownPtr RunLookupWithRaise(MusicImportHost& host, ICdLookupControl* control, IUnknown* source)
{
    g_bStopRaiseMatchWindow = false;
    std::thread raiser([&host] { RaiseMatchWindow(host); });
    IUnknown* result = nullptr;
    const HRESULT hr = control->RunLookup(source, &result);
    g_bStopRaiseMatchWindow = true;
    raiser.join();
    Check(hr);
    return IUnknownPtr(result, false);
}

bool LookUpDisc(MusicImportHost& host, LPCTSTR path, MusicFileValues& values)
{
    ICdLookupControlPtr control;
    Check(control.CreateInstance(CLSID_CdLookupControl, nullptr, CLSCTX_ALL));
    IFileIdentifierPtr identifier;
    Check(identifier.CreateInstance(CLSID_FileIdentifier, nullptr, CLSCTX_ALL));

    LONG identifiedTrack = 0;
    IDiscInfo* identified = nullptr;
    Check(identifier->IdentifyFile(ToBstr(path), 0, &identifiedTrack, &identified));
    IDiscInfoPtr disc(identified, false);
    if (!disc) {
        IUnknown* rawSource = nullptr;
        Check(control->GetQuerySource(&rawSource));
        const IUnknownPtr source(rawSource, false);
        if (!source)
            return false;
        const IUnknownPtr result = RunLookupWithRaise(host, control, source);
        if (!result)
            return false;
        IDiscInfo* found = nullptr;
        Check(control->GetDiscInfo(result, 0, &found));
        disc.Attach(found);
        if (!disc)
            return true;
    }

    const CString genreIdText = ReadText(disc.GetInterfacePtr(), &IDiscInfo::get_DiscGenreId);
    if (values.albumTitle.IsEmpty())
        values.albumTitle = ReadText(disc.GetInterfacePtr(), &IDiscInfo::get_DiscTitle);
    if (values.artist.IsEmpty())
        values.artist = ReadText(disc.GetInterfacePtr(), &IDiscInfo::get_DiscArtist);
    if (values.year.IsEmpty())
        values.year = ReadText(disc.GetInterfacePtr(), &IDiscInfo::get_DiscYear);

    // The disc's track number wins over the tag's.
    LONG number = 0;
    if (identifiedTrack != 0) {
        number = identifiedTrack;
        values.trackNumberText.Format("%ld", number);
    } else if (!values.trackNumberText.IsEmpty()) {
        number = static_cast<LONG>(std::atol(values.trackNumberText));
    } else {
        values.trackNumberText = "0";
    }
    if (number != 0 && values.trackTitle.IsEmpty()) {
        ITrackInfo* rawTrack = nullptr;
        Check(disc->TrackOf(number, &rawTrack));
        const ITrackInfoPtr track(rawTrack, false);
        if (!track)
            _com_raise_error(E_POINTER);
        values.trackTitle = ReadText(track.GetInterfacePtr(), &ITrackInfo::get_TitleText);
    }

    if (!genreIdText.IsEmpty()) {
        IGenreList* rawGenres = nullptr;
        Check(control->GetGenreList(0, &rawGenres));
        const IGenreListPtr genres(rawGenres, false);
        if (!genres)
            _com_raise_error(E_POINTER);
        BSTR name = nullptr;
        Check(genres->GenreName(ToBstr(genreIdText), &name));
        const CString genreName = TextOfBstr(name);
        SysFreeString(name);
        MapGenre(genreName, true, values.genreId, values.subGenreId);
    }
    return true;
}

} // namespace

UINT RaiseMatchWindow(MusicImportHost& host)
{
    while (!g_bStopRaiseMatchWindow) {
        if (host.RaiseMatchWindow())
            g_bStopRaiseMatchWindow = true;
    }
    return 0;
}

bool LookupMusicFile(MusicImportHost& host, LPCTSTR path, MusicFileValues& values)
{
    const CPelicanApp* app = GetPelicanApp();
    if (!app || !app->m_bCDDBControlPresent)
        return true;
    if (!path || *path == '\0')
        return false;
    try {
        bool genreMapped = false;
        ReadTags(path, values, genreMapped);
        if (!app->m_bUseCDDBControl || genreMapped)
            return true;
        // The look-up may wait for the user's choice of a disc or for the CD database: nothing of the
        // import may hold the library meanwhile.
        const ImportBatch::Prompt prompt;
        return LookUpDisc(host, path, values);
    } catch (const _com_error&) {
        return false;
    } catch (const GenreQueryFailed&) {
        return false;
    }
}
