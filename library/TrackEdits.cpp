#include "library/TrackEdits.h"

#include "library/AppRoutines.h"
#include "library/ChangeTracking.h"
#include "library/GroupEdits.h"
#include "library/LibraryEditHost.h"
#include "library/RegistryRoutines.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"

#include "platform/ado/AdoConstants.h"

#include <initializer_list>

namespace {

constexpr long kNoSelection = -1;

bool RunAction(LPCTSTR query, std::initializer_list<_variant_t> parameters)
{
    return theLibraryConnection.RunStoredQuery(
        query, parameters.begin(), static_cast<int>(parameters.size()), nullptr, nullptr, adCmdUnknown);
}

_variant_t LookUp(LPCTSTR query, std::initializer_list<_variant_t> parameters)
{
    return theLibraryConnection.RunStoredQueryScalar(
        query, parameters.begin(), static_cast<int>(parameters.size()), adCmdStoredProc);
}

// Offers to delete an album that no longer has any live track.
void OfferToDeleteEmptyAlbum(LibraryEditHost& host, LONG albumId)
{
    LONG remaining = 0;
    if (!VariantToLong(LookUp("qTrackCntInAlbum", { _variant_t(albumId) }), remaining) || remaining != 0)
        return;
    _ADORecordsetHelper album;
    const _variant_t id(albumId);
    if (!theLibraryConnection.RunStoredQuery("qAlbumbyId", &id, 1, album.ReceivePointer(), nullptr, adCmdStoredProc))
        return;
    CString title;
    if (album.HasRecordset() && !album.IsEOF()) {
        const _variant_t value = album.GetValue("Title");
        if (value.vt == VT_BSTR)
            title = CString(value.bstrVal);
    }
    if (host.AskDeleteEmptyAlbum(title))
        host.DeleteAlbum(albumId);
}

// The confirmation step shared by track and station deletes; false when the user cancelled.
bool Confirm(LibraryEditHost& host, CPelicanApp::ConfirmKind kind, LPCTSTR valueName, LPCTSTR name)
{
    CPelicanApp* app = GetPelicanApp();
    if (app == nullptr || app->m_bConfirmDelete[kind] != TRUE)
        return true;
    bool dontAskAgain = false;
    if (!host.ConfirmDelete(kind, name, dontAskAgain))
        return false;
    WriteConfirmFlag(dontAskAgain ? FALSE : TRUE, &app->m_bConfirmDelete[kind], valueName, "ConfirmationFlags");
    return true;
}

} // namespace

bool DeleteTrackFromLibrary(LibraryEditHost& host, long trackId, bool requery)
{
    const LONG track = static_cast<LONG>(trackId);
    // Read before the track is flagged: the look-up skips deleted tracks.
    LONG albumId = 0;
    const bool hasAlbum = VariantToLong(AlbumIdForTrack(track), albumId);
    if (!RunAction("qDeleteTrackFromLibrary", { _variant_t(track) }))
        return false;
    if (!MarkRowDeleted("tPlaylistTracks", "AlbumTrackID", track)
        || !MarkRowDeleted("tGroupList", "AlbumTrackID", track))
        return false;
    if (hasAlbum)
        OfferToDeleteEmptyAlbum(host, albumId);
    if (requery)
        host.RequeryView();
    SetLibraryModified(true);
    return true;
}

bool DeleteTrackWithConfirmation(LibraryEditHost& host, long trackId, LPCTSTR trackTitle)
{
    if (trackId == kNoSelection)
        return false;
    if (!Confirm(host, CPelicanApp::ConfirmTrack, "ConfirmDeleteTrack", trackTitle))
        return false;
    return DeleteTrackFromLibrary(host, trackId, true);
}

bool ChangeTrackAlbum(LibraryEditHost& host, long trackId, long albumId, bool requery)
{
    const LONG track = static_cast<LONG>(trackId);
    const LONG newAlbum = static_cast<LONG>(albumId);
    LONG oldAlbum = 0;
    if (!VariantToLong(AlbumIdForTrack(track), oldAlbum))
        return false;
    if (oldAlbum == newAlbum)
        return true;
    // A track moved to an album that is not there would vanish from every view.
    if (!LiveRowExists("tMusicMain", "QVCDID", newAlbum))
        return false;
    LONG number = 0;
    VariantToLong(LookUp("qTrackNumberForTrackID", { _variant_t(track) }), number);
    LONG clash = 0;
    if (VariantToLong(LookUp("qTrackIDForAlbumTrackNumber", { _variant_t(newAlbum), _variant_t(number) }), clash)) {
        CString criteria;
        criteria.Format("[QVCDID] = %ld AND [DeleteFlag] <> True", newAlbum);
        _variant_t highest;
        _ADOConnectionHelper::DMaxValue("tMusicTracks", "TrackNumber", &highest, criteria);
        LONG highestNumber = 0;
        VariantToLong(highest, highestNumber);
        number = highestNumber + 1;
    }
    if (!RunAction("qChangeTrackAlbum", { _variant_t(newAlbum), _variant_t(track), _variant_t(number) }))
        return false;
    if (!MarkRowModified("tMusicMain", "QVCDID", oldAlbum) || !MarkRowModified("tMusicMain", "QVCDID", newAlbum))
        return false;
    SetLibraryModified(true);
    if (requery)
        host.RequeryView();
    return true;
}

bool ChangeTrackAlbumByName(LibraryEditHost& host, long trackId, LPCTSTR albumTitle, bool requery)
{
    LONG albumId = 0;
    if (!VariantToLong(AlbumIdForTitle(albumTitle), albumId))
        return false;
    return ChangeTrackAlbum(host, trackId, albumId, requery);
}

bool DeleteStation(LibraryEditHost& host, long stationId, bool requery)
{
    const LONG station = static_cast<LONG>(stationId);
    if (!RunAction("qIRadioDelete", { _variant_t(station) }))
        return false;
    if (!MarkRowDeleted("tIRadioGroupList", "QVRadioID", station))
        return false;
    SetLibraryModified(true);
    if (requery)
        host.RequeryView();
    return true;
}

bool DeleteStationWithConfirmation(LibraryEditHost& host, long stationId, LPCTSTR stationName)
{
    if (stationId == kNoSelection)
        return false;
    if (!Confirm(host, CPelicanApp::ConfirmIRStation, "ConfirmDeleteIRStation", stationName))
        return false;
    return DeleteStation(host, stationId, true);
}

bool RemoveStationFromGroup(LibraryEditHost& host, LPCTSTR radioGroupName, long stationId)
{
    if (stationId == kNoSelection || !RemoveStationFromRadioGroup(radioGroupName, stationId))
        return false;
    host.RequeryView();
    return true;
}
