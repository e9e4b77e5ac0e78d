#include "library/GroupEdits.h"

#include "library/AppRoutines.h"
#include "library/ChangeTracking.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"

#include "platform/ado/AdoConstants.h"

#include <initializer_list>

namespace {

bool RunAction(LPCTSTR query, std::initializer_list<_variant_t> parameters)
{
    return theLibraryConnection.RunStoredQuery(
        query, parameters.begin(), static_cast<int>(parameters.size()), nullptr, nullptr, adCmdUnknown);
}

// True when the SQL statement gives at least one row; false when it gives none or fails.
bool HasRows(LPCTSTR sql)
{
    _ADORecordsetHelper rows;
    if (!theLibraryConnection.ExecuteSql(sql, rows.ReceivePointer(), adCmdUnknown) || !rows.HasRecordset())
        return false;
    return !rows.IsEOF();
}

// What distinguishes a playlist, a music group and a radio group when they are added.
struct NamedRowKind {
    LPCTSTR table;
    LPCTSTR nameField;
    LPCTSTR keyField;
    _variant_t (*idForName)(LPCTSTR);
    LPCTSTR addQuery;
    bool withCustomer;
};

constexpr NamedRowKind kPlaylist { "tPlaylists", "PlaylistName", "PlaylistID", PlaylistIdForName, "qAddPlaylist",
    true };
constexpr NamedRowKind kGroup { "tGroup", "GroupName", "GroupID", GroupIdForName, "qGroupAdd", false };
constexpr NamedRowKind kRadioGroup { "tIRadioGroup", "GroupName", "GroupID", RadioGroupIdForName, "qIRadioGroupAdd",
    false };

bool AddNamedRow(const NamedRowKind& kind, LPCTSTR name, long* id, bool* existed)
{
    const CString cut = NameForColumn(name, kind.table, kind.nameField);
    if (cut.IsEmpty())
        return false;
    LONG found = 0;
    if (VariantToLong(kind.idForName(cut), found)) {
        if (id != nullptr)
            *id = found;
        if (existed != nullptr)
            *existed = true;
        return true;
    }
    if (existed != nullptr)
        *existed = false;
    const bool added = kind.withCustomer ? RunAction(kind.addQuery, { _variant_t(kLibraryCustomerId), _variant_t(cut) })
                                         : RunAction(kind.addQuery, { _variant_t(cut) });
    if (!added)
        return false;
    // The new row has the highest key of its table.
    _variant_t highest;
    _ADOConnectionHelper::DMaxValue(kind.table, kind.keyField, &highest);
    LONG newId = 0;
    if (id != nullptr && VariantToLong(highest, newId))
        *id = newId;
    SetLibraryModified(true);
    return true;
}

bool RenameNamedRow(const NamedRowKind& kind, LPCTSTR renameQuery, LPCTSTR oldName, LPCTSTR newName)
{
    const CString cut = NameForColumn(newName, kind.table, kind.nameField);
    LONG found = 0;
    if (cut.IsEmpty() || !VariantToLong(kind.idForName(oldName), found))
        return false;
    if (!RunAction(renameQuery, { _variant_t(cut), _variant_t(found) }))
        return false;
    SetLibraryModified(true);
    return true;
}

} // namespace

bool AddPlaylist(LPCTSTR name, long* id, bool* existed) { return AddNamedRow(kPlaylist, name, id, existed); }

bool AddGroup(LPCTSTR name, long* id, bool* existed) { return AddNamedRow(kGroup, name, id, existed); }

bool AddRadioGroup(LPCTSTR name, long* id, bool* existed) { return AddNamedRow(kRadioGroup, name, id, existed); }

bool RenameGroup(LPCTSTR oldName, LPCTSTR newName) { return RenameNamedRow(kGroup, "qGroupRename", oldName, newName); }

bool RenameRadioGroup(LPCTSTR oldName, LPCTSTR newName)
{
    return RenameNamedRow(kRadioGroup, "qIRadioGroupRename", oldName, newName);
}

bool RenameArtist(LPCTSTR oldName, LPCTSTR newName)
{
    const CString cut = NameForColumn(newName, "tMusicMain", "Artist");
    if (cut.IsEmpty())
        return false;
    const CString old = NameForColumn(oldName, "tMusicMain", "Artist");
    if (!RunAction("qRenameArtist", { _variant_t(cut), _variant_t(old) }))
        return false;
    SetLibraryModified(true);
    return true;
}

bool IsInGroup(long groupId, long playlistId, long albumId, long trackId)
{
    CString sql;
    if (playlistId != 0) {
        sql.Format("SELECT * from tGroupList WHERE GroupID = %d AND PlaylistID = %d AND DeleteFlag = False;",
            static_cast<int>(groupId), static_cast<int>(playlistId));
    } else if (albumId != 0) {
        sql.Format("SELECT * from tGroupList WHERE GroupID = %d AND QVCDID = %d AND DeleteFlag = False;",
            static_cast<int>(groupId), static_cast<int>(albumId));
    } else {
        sql.Format("SELECT * from tGroupList WHERE GroupID = %d AND AlbumTrackID = %d AND DeleteFlag = False;",
            static_cast<int>(groupId), static_cast<int>(trackId));
    }
    return HasRows(sql);
}

bool AddToGroup(long groupId, long playlistId, long albumId, long trackId)
{
    // A membership must point at a live group and a live item, or the device would get a dangling one.
    bool itemExists = false;
    if (playlistId != 0)
        itemExists = LiveRowExists("tPlaylists", "PlaylistID", playlistId);
    else if (albumId != 0)
        itemExists = LiveRowExists("tMusicMain", "QVCDID", albumId);
    else if (trackId != 0)
        itemExists = LiveRowExists("tMusicTracks", "AlbumTrackID", trackId);
    if (!itemExists || !LiveRowExists("tGroup", "GroupID", groupId))
        return false;
    if (IsInGroup(groupId, playlistId, albumId, trackId))
        return false;
    if (!RunAction("qAddToGroup",
            { _variant_t(static_cast<LONG>(groupId)), _variant_t(static_cast<LONG>(playlistId)),
                _variant_t(static_cast<LONG>(albumId)), _variant_t(static_cast<LONG>(trackId)) }))
        return false;
    SetLibraryModified(true);
    return true;
}

bool IsStationInRadioGroup(long radioGroupId, long stationId)
{
    CString sql;
    sql.Format("SELECT * from tIRadioGroupList WHERE RadioGroupID = %d AND QVRadioID = %d;",
        static_cast<int>(radioGroupId), static_cast<int>(stationId));
    return HasRows(sql);
}

bool AddStationToRadioGroup(long radioGroupId, long stationId)
{
    if (!LiveRowExists("tIRadioGroup", "GroupID", radioGroupId)
        || !LiveRowExists("tIRadioMain", "QVRadioID", stationId))
        return false;
    if (IsStationInRadioGroup(radioGroupId, stationId))
        return false;
    if (!RunAction("qIRadioStationAddToGroup",
            { _variant_t(static_cast<LONG>(radioGroupId)), _variant_t(static_cast<LONG>(stationId)) }))
        return false;
    SetLibraryModified(true);
    return true;
}

bool RemoveStationFromRadioGroup(LPCTSTR radioGroupName, long stationId)
{
    LONG groupId = 0;
    if (!VariantToLong(RadioGroupIdForName(radioGroupName), groupId))
        return false;
    if (!RunAction("qDeleteIRStationFromGroup", { _variant_t(groupId), _variant_t(static_cast<LONG>(stationId)) }))
        return false;
    SetLibraryModified(true);
    return true;
}
