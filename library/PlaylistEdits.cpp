#include "library/PlaylistEdits.h"

#include "library/AppRoutines.h"
#include "library/ChangeTracking.h"
#include "library/GroupEdits.h"
#include "library/LibraryEditHost.h"
#include "library/_ADOConnectionHelper.h"

#include "platform/ado/AdoConstants.h"

namespace {

// The track of the live entry at that play order; false when there is none.
bool TrackAtPlayOrder(LONG playlistId, LONG playOrder, LONG& trackId)
{
    const _variant_t parameters[] = { _variant_t(playlistId), _variant_t(playOrder) };
    return VariantToLong(
        theLibraryConnection.RunStoredQueryScalar("qTrackIDForPlaylistIDAndPlayOrder", parameters, 2, adCmdStoredProc),
        trackId);
}

bool Execute(const CString& sql) { return theLibraryConnection.ExecuteSql(sql, nullptr, adCmdUnknown); }

} // namespace

bool AddTrackToPlaylist(long playlistId, long trackId)
{
    if (!LiveRowExists("tPlaylists", "PlaylistID", playlistId)
        || !LiveRowExists("tMusicTracks", "AlbumTrackID", trackId))
        return false;
    LONG highest = 0;
    const LONG playOrder = VariantToLong(MaxPlayOrder(playlistId), highest) ? highest + 1 : 1;
    const _variant_t parameters[]
        = { _variant_t(static_cast<LONG>(playlistId)), _variant_t(static_cast<LONG>(trackId)), _variant_t(playOrder) };
    if (!theLibraryConnection.RunStoredQuery("qAddTrackToPlaylist", parameters, 3, nullptr, nullptr, adCmdUnknown))
        return false;
    SetLibraryModified(true);
    return true;
}

bool AddTrackToPlaylistByName(LPCTSTR playlistName, long trackId)
{
    LONG playlistId = 0;
    if (!VariantToLong(PlaylistIdForName(playlistName), playlistId))
        return false;
    return AddTrackToPlaylist(playlistId, trackId);
}

bool DeleteTrackFromPlaylist(LibraryEditHost& host, LPCTSTR playlistName, long playOrder, bool requery)
{
    LONG playlistId = 0;
    LONG trackId = 0;
    const LONG order = static_cast<LONG>(playOrder);
    if (!VariantToLong(PlaylistIdForName(playlistName), playlistId) || !TrackAtPlayOrder(playlistId, order, trackId))
        return false;
    const _variant_t parameters[] = { _variant_t(playlistId), _variant_t(trackId) };
    if (!theLibraryConnection.RunStoredQuery("qDeleteTrackFromPlaylist", parameters, 2, nullptr, nullptr, adCmdUnknown))
        return false;
    // Close the gap: later entries, deleted ones too, move up by one without being stamped.
    CString sql;
    sql.Format("UPDATE [tPlaylistTracks] SET tPlaylistTracks.PlayOrder = (tPlaylistTracks.PlayOrder - 1) WHERE "
               "(tPlaylistTracks.PlaylistID=%ld) AND (tPlaylistTracks.PlayOrder > %ld)",
        playlistId, order);
    if (!Execute(sql))
        return false;
    SetLibraryModified(true);
    if (requery)
        host.RequeryView();
    return true;
}

bool MovePlaylistTrack(LibraryEditHost& host, long playlistId, long playOrder, bool up, bool requery)
{
    const LONG playlist = static_cast<LONG>(playlistId);
    const LONG p = static_cast<LONG>(playOrder);
    LONG last = 0;
    if (!VariantToLong(MaxPlayOrder(playlist), last))
        return false;
    if ((up && last == 0) || (!up && p == last))
        return true;
    const LONG q = up ? p - 1 : p + 1;
    LONG a = 0;
    LONG b = 0;
    if (!TrackAtPlayOrder(playlist, p, a) || !TrackAtPlayOrder(playlist, q, b))
        return false;
    // The same track at both places: swapping would change nothing, and the second statement would
    // catch both entries and give them one play order.
    if (a != b) {
        CString sql;
        const char* swap = "UPDATE [tPlaylistTracks] SET tPlaylistTracks.PlayOrder = %ld WHERE "
                           "(tPlaylistTracks.PlaylistID=%ld) AND (tPlaylistTracks.AlbumTrackID=%ld) AND "
                           "(tPlaylistTracks.PlayOrder=%ld)";
        sql.Format(swap, q, playlist, a, p);
        if (!Execute(sql))
            return false;
        sql.Format(swap, p, playlist, b, q);
        if (!Execute(sql))
            return false;
        // The entries are renumbered unstamped; the playlist row carries the change, or the next
        // synchronisation would not send the new order and the device's order would come back.
        if (!MarkRowModified("tPlaylists", "PlaylistID", playlist))
            return false;
    }
    SetLibraryModified(true);
    if (requery)
        host.RequeryView();
    return true;
}
