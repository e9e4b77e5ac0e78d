#include "library/ChangeTracking.h"

#include "library/_ADOConnectionHelper.h"
#include "library/_ADODatabaseHelper.h"

#include "platform/ado/AdoConstants.h"
#include "platform/base/CodePage.h"
#include "platform/com/OleAuto.h"

namespace {

bool MarkRow(LPCTSTR statement, LPCTSTR table, LPCTSTR keyField, long id)
{
    CString sql;
    sql.Format(statement, table, table, table, table, keyField, static_cast<LONG>(id));
    return theLibraryConnection.ExecuteSql(sql, nullptr, adCmdUnknown);
}

_variant_t LookUp(LPCTSTR query, std::initializer_list<_variant_t> parameters)
{
    return theLibraryConnection.RunStoredQueryScalar(
        query, parameters.begin(), static_cast<int>(parameters.size()), adCmdStoredProc);
}

} // namespace

bool MarkRowDeleted(LPCTSTR table, LPCTSTR keyField, long id)
{
    return MarkRow(
        "UPDATE %s SET %s.[TimeStamp] = Now(), %s.DeleteFlag = True WHERE ([%s].[%s]=%ld)", table, keyField, id);
}

bool MarkRowModified(LPCTSTR table, LPCTSTR keyField, long id)
{
    return MarkRow(
        "UPDATE %s SET %s.[TimeStamp] = Now(), %s.ModifyFlag = True WHERE ([%s].[%s]=%ld)", table, keyField, id);
}

_variant_t PlaylistIdForName(LPCTSTR name)
{
    return LookUp("qPlaylistIDForCustomerIDAndPlaylistName",
        { _variant_t(kLibraryCustomerId), _variant_t(NameForColumn(name, "tPlaylists", "PlaylistName")) });
}

_variant_t GroupIdForName(LPCTSTR name)
{
    return LookUp("qGroupIDForGroupName", { _variant_t(NameForColumn(name, "tGroup", "GroupName")) });
}

_variant_t RadioGroupIdForName(LPCTSTR name)
{
    return LookUp("qGroupIDforIRadioGroupName", { _variant_t(NameForColumn(name, "tIRadioGroup", "GroupName")) });
}

_variant_t AlbumIdForTitleAndArtist(LPCTSTR title, LPCTSTR artist)
{
    return LookUp("qQVCDIDForAlbumTitleAndArtist",
        { _variant_t(NameForColumn(title, "tMusicMain", "Title")),
            _variant_t(NameForColumn(artist, "tMusicMain", "Artist")) });
}

_variant_t AlbumIdForTitle(LPCTSTR title)
{
    return LookUp("qQVCDIDForAlbumName", { _variant_t(NameForColumn(title, "tMusicMain", "Title")) });
}

_variant_t AlbumIdForTrack(long trackId)
{
    return LookUp("qQVCDIDForTrackID", { _variant_t(static_cast<LONG>(trackId)) });
}

_variant_t MaxPlayOrder(long playlistId)
{
    CString criteria;
    criteria.Format("[PlaylistID] = %ld AND [DeleteFlag] <> True", static_cast<LONG>(playlistId));
    _variant_t value;
    _ADOConnectionHelper::DMaxValue("tPlaylistTracks", "PlayOrder", &value, criteria);
    if (value.vt == VT_NULL)
        value.Clear();
    return value;
}

bool LiveRowExists(LPCTSTR table, LPCTSTR keyField, long id)
{
    CString sql;
    sql.Format(
        "SELECT Count(*) FROM [%s] WHERE [%s] = %ld AND [DeleteFlag] <> True;", table, keyField, static_cast<LONG>(id));
    LONG count = 0;
    return VariantToLong(theLibraryConnection.ExecuteScalar(sql, adCmdText), count) && count > 0;
}

bool VariantToLong(const VARIANT& value, LONG& out)
{
    if (value.vt == VT_EMPTY || value.vt == VT_NULL)
        return false;
    VARIANT converted;
    VariantInit(&converted);
    if (FAILED(VariantChangeType(&converted, &value, 0, VT_I4)))
        return false;
    out = converted.lVal;
    return true;
}

CString NameForColumn(LPCTSTR name, LPCTSTR table, LPCTSTR field)
{
    const std::string_view text = name != nullptr ? name : "";
    const long size = _ADODatabaseHelper::FieldSizeOf(table, field);
    if (size <= 0)
        return CString(text.data(), static_cast<int>(text.size()));
    const std::string_view cut = platform::CutUtf8Characters(text, static_cast<std::size_t>(size));
    return CString(cut.data(), static_cast<int>(cut.size()));
}
