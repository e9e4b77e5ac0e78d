#include "library/MusicImport.h"

#include "library/AppRoutines.h"
#include "library/ChangeTracking.h"
#include "library/ConnectionString.h"
#include "library/ImportBatch.h"
#include "library/ImportCopyJournal.h"
#include "library/LibraryLocations.h"
#include "library/LookupMusicFile.h"
#include "library/Mp3Info.h"
#include "library/MusicImportHost.h"
#include "library/MusicImportStrings.h"
#include "library/PathRoutines.h"
#include "library/PlaylistImport.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADODatabaseHelper.h"

#include "app/CPelicanApp.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/afx/COleDateTime.h"
#include "platform/base/FileApi.h"
#include "platform/base/MessageBox.h"

#include <array>
#include <cstdlib>

namespace {

constexpr const char* kUnknownAlbum = "UnknownAlbum";
constexpr const char* kUnknownArtist = "UnknownArtist";
constexpr const char* kUnknownTitle = "UnknownTitle";

// The text cut to the declared size of its column (in characters), never inside a character.
CString CutToField(const CString& text, const char* table, const char* field)
{
    const long size = _ADODatabaseHelper::FieldSizeOf(table, field);
    if (size <= 0)
        return text;
    const char* s = text.GetString();
    long characters = 0;
    int i = 0;
    for (; s[i] != '\0'; ++i) {
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80 && characters++ == size)
            break;
    }
    return text.Left(i);
}

bool FileExists(LPCTSTR path) { return GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

bool IsExtension(LPCTSTR path, LPCTSTR extension) { return ExtensionOfPath(path).CompareNoCase(extension) == 0; }

// The value as a 32-bit integer, when it is one.
bool AsLong(const _variant_t& value, LONG& out)
{
    if (value.vt != VT_I4)
        return false;
    out = value.lVal;
    return true;
}

// The declared type of a parameter that takes the value.
const char* ParameterTypeFor(const _variant_t& value)
{
    switch (value.vt) {
    case VT_BSTR:
        return "Text ( 255 )";
    case VT_DATE:
        return "DateTime";
    case VT_BOOL:
        return "Bit";
    default:
        return "Long";
    }
}

// Inserts one row with its values bound to declared parameters: the statement's text is the same for
// every file, so it is prepared once (with the table's triggers) instead of once per file.
template<std::size_t N>
bool InsertRow(const char* table, const std::array<const char*, N>& names, const std::array<_variant_t, N>& values)
{
    CString declared;
    CString columns;
    CString items;
    for (std::size_t i = 0; i < N; ++i) {
        CString parameter;
        parameter.Format("p%d", static_cast<int>(i));
        const char* separator = i == 0 ? "" : ", ";
        declared += separator + parameter + " " + ParameterTypeFor(values[i]);
        columns += separator + CString("[") + names[i] + "]";
        items += separator + parameter;
    }
    CString sql;
    sql.Format("PARAMETERS %s; INSERT INTO %s (%s) VALUES (%s)", declared.GetString(), table, columns.GetString(),
        items.GetString());
    return theLibraryConnection.RunStoredQuery(sql, values.data(), static_cast<int>(N), nullptr, nullptr, -1);
}

// Today at midnight: the time stamps of imported rows keep the day only, as the engine's date literal did.
_variant_t Today()
{
    const COleDateTime now = COleDateTime::GetCurrentTime();
    return _variant_t(static_cast<DATE>(COleDateTime(now.GetYear(), now.GetMonth(), now.GetDay(), 0, 0, 0)), VT_DATE);
}

// Inserts the album row and reads its new key; 0 when either fails (an inserted row stays).
long InsertAlbum(const CString& title, const CString& artist, const MusicFileValues& values)
{
    static constexpr std::array<const char*, 10> names { "CustomerID", "Title", "Artist", "Year", "Note", "Language",
        "QVGenreID", "SecondaryGenreID", "ModifyFlag", "TimeStamp" };
    const std::array<_variant_t, 10> fields { _variant_t(kLibraryCustomerId), _variant_t(title.GetString()),
        _variant_t(artist.GetString()), _variant_t(CutToField(values.year, "tMusicMain", "Year").GetString()),
        _variant_t(CutToField(values.note, "tMusicMain", "Note").GetString()),
        _variant_t(CutToField(values.language, "tMusicMain", "Language").GetString()), _variant_t(values.genreId),
        _variant_t(values.subGenreId), _variant_t(true), Today() };
    if (!InsertRow("tMusicMain", names, fields))
        return 0;
    SetLibraryModified(true);
    const std::array<_variant_t, 2> keyOf { "QVCDID", "tMusicMain" };
    LONG albumId = 0;
    AsLong(theLibraryConnection.RunStoredQueryScalar(
               "qGetLastAutonumber", keyOf.data(), static_cast<int>(keyOf.size()), -1),
        albumId);
    return albumId;
}

// The album the track goes into; 0 when it could not be made.
long ResolveAlbum(MusicImportHost& host, long albumId, MusicFileValues& values)
{
    if (albumId > 0)
        return albumId;
    CString title = values.albumTitle.IsEmpty() ? CString(kUnknownAlbum) : values.albumTitle;
    CString artist = values.artist;
    if (albumId == kNewAlbum) {
        CString base;
        base.LoadString(IDS_NEW_ALBUM);
        title = host.MakeUniqueAlbumName(base);
        artist.Empty();
    }
    title = CutToField(title, "tMusicMain", "Title");
    if (artist.IsEmpty())
        artist = kUnknownArtist;
    artist = CutToField(artist, "tMusicMain", "Artist");

    LONG found = 0;
    if (AsLong(AlbumIdForTitleAndArtist(title, artist), found))
        return found;
    const long inserted = InsertAlbum(title, artist, values);
    if (inserted != 0)
        host.AddAlbumToTree(inserted, title, artist, values.genreId);
    return inserted;
}

// The track's number: the tag's, 1 when it has none, one past the album's highest when it is taken.
LONG TrackNumberFor(long albumId, const CString& trackNumberText)
{
    LONG number = static_cast<LONG>(std::atol(trackNumberText));
    if (number <= 0)
        number = 1;
    const std::array<_variant_t, 2> parameters { _variant_t(static_cast<LONG>(albumId)), _variant_t(number) };
    LONG clash = 0;
    if (AsLong(theLibraryConnection.RunStoredQueryScalar("qTrackIDForAlbumTrackNumber", parameters.data(), 2, -1),
            clash)) {
        CString criteria;
        criteria.Format("[QVCDID] = %ld AND [DeleteFlag] <> True", static_cast<LONG>(albumId));
        _variant_t highest;
        _ADOConnectionHelper::DMaxValue("tMusicTracks", "TrackNumber", &highest, criteria);
        LONG top = 0;
        AsLong(highest, top);
        number = top + 1;
    }
    return number;
}

bool InsertTrack(
    long albumId, LONG number, const MusicFileValues& values, const CString& bitRateText, const CString& storedPath)
{
    const CString title = CutToField(
        values.trackTitle.IsEmpty() ? CString(kUnknownTitle) : values.trackTitle, "tMusicTracks", "TrackTitle");
    static constexpr std::array<const char*, 8> names { "QVCDID", "TrackNumber", "TrackTitle", "TrackLength",
        "FilePath", "ModifyFlag", "TimeStamp", "Bitrate" };
    const std::array<_variant_t, 8> fields { _variant_t(static_cast<LONG>(albumId)), _variant_t(number),
        _variant_t(title.GetString()), _variant_t(static_cast<LONG>(std::atol(values.trackLengthText))),
        _variant_t(CutToField(storedPath, "tMusicTracks", "FilePath").GetString()), _variant_t(true), Today(),
        _variant_t(static_cast<LONG>(std::atol(bitRateText))) };
    return InsertRow("tMusicTracks", names, fields);
}

} // namespace

LONG AddFileToLibrary(MusicImportHost& host, LPCTSTR sourcePath, long albumId, long* trackId, bool* duplicate)
{
    if (trackId)
        *trackId = 0;
    if (duplicate)
        *duplicate = false;

    ImportBatch batch;
    const CPelicanApp* app = GetPelicanApp();
    const bool copyFiles = app && app->m_bCopyMusicFiles;
    const CString source(sourcePath);
    const CString destination = copyFiles ? GetMp3Path() + FileNameWithExtension(source) : source;
    const CString storedPath = copyFiles ? MakeRelativePath(destination) : source;

    const _variant_t storedValue(storedPath.GetString());
    LONG existing = 0;
    const _variant_t found = theLibraryConnection.RunStoredQueryScalar("qAlbumTrackIDForFilePath", &storedValue, 1, -1);
    if (found.vt != VT_EMPTY && found.vt != VT_NULL) {
        CString message;
        message.FormatMessage(IDS_MUSIC_FILE_EXISTS, destination.GetString());
        {
            const ImportBatch::Prompt prompt;
            AfxMessageBox(message, MB_OK);
        }
        if (trackId && AsLong(found, existing))
            *trackId = existing;
        if (duplicate)
            *duplicate = true;
        return 1;
    }

    const bool copy = copyFiles && source.CompareNoCase(destination) != 0;
    if (copy && FileExists(destination) && !host.YesToAll()) {
        int answer = IDYES;
        {
            const ImportBatch::Prompt prompt;
            answer = host.AskOverwrite(FileNameWithExtension(destination));
        }
        switch (answer) {
        case IDCANCEL:
            return -1;
        case IDNO:
            return 0;
        case IDYESTOALL:
            host.SetYesToAll(true);
            break;
        default:
            break;
        }
    }

    // From here on the file's writes are undone, and its copy deleted, unless the track is stored.
    ImportBatch::File file(batch);
    if (copy) {
        // Written down first: a crash between the copy and the commit would leave a file no track names.
        ImportCopyJournal::Note(destination);
        if (!CopyFile(source, destination, FALSE)) {
            CString message;
            message.FormatMessage(IDS_MUSIC_FILE_COPY_FAILED, source.GetString(), GetMp3Path().GetString());
            const ImportBatch::Prompt prompt;
            AfxMessageBox(message, MB_OK);
            return 0;
        }
        file.SetCopy(destination);
    } else if (!FileExists(source)) {
        // A file that went away after it was chosen would become a track without a file.
        return 0;
    }

    MusicFileValues values;
    CString bitRateText;
    if (IsExtension(source, ".mp3")) {
        host.PumpMessages();
        Mp3Info info;
        ReadMp3Info(destination, info);
        values.trackLengthText.Format("%d", static_cast<int>(info.duration));
        bitRateText.Format("%d", static_cast<int>(info.bitRate / 1000));
        host.SetSyncRunning(true);
        LookupMusicFile(host, destination, values);
        host.SetSyncRunning(false);
    }

    const long album = ResolveAlbum(host, albumId, values);
    if (album == 0)
        return 0;
    const LONG number = TrackNumberFor(album, values.trackNumberText);
    if (!InsertTrack(album, number, values, bitRateText, storedPath) || !file.Keep())
        return 0;
    SetLibraryModified(true);
    if (trackId) {
        _variant_t newest;
        _ADOConnectionHelper::DMaxValue("tMusicTracks", "AlbumTrackID", &newest);
        LONG id = 0;
        AsLong(newest, id);
        *trackId = id;
    }
    return 1;
}

LONG ImportFile(MusicImportHost& host, LPCTSTR path, long albumId)
{
    host.SetYesToAll(false);
    if (IsExtension(path, ".mp3"))
        return AddFileToLibrary(host, path, albumId);
    if (IsExtension(path, ".m3u"))
        return ImportPlaylistFile(host, path) ? 1 : 0;
    return 0;
}
