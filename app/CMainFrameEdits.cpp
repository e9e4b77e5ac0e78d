// The main frame's part in the library's edits: the edits of the current list row, the album that an
// edit left empty, and the dialogs the edits and commands ask through.
#include "app/CMainFrame.h"

#include "app/COverwriteMessage.h"
#include "app/CMainTreeCtrl.h"
#include "app/CPelicanView.h"
#include "library/ChangeTracking.h"
#include "library/GroupEdits.h"
#include "library/PlaylistEdits.h"
#include "library/TrackEdits.h"

namespace {

CString TextOf(const _variant_t& value)
{
    return value.vt == VT_EMPTY || value.vt == VT_NULL ? CString() : CString(static_cast<const char*>(_bstr_t(value)));
}

} // namespace

bool CMainFrame::AddSelectedTrackToPlaylist(long playlistId)
{
    const long track = GetCurrentAlbumTrackId();
    return track != -1 && AddTrackToPlaylist(playlistId, track);
}

bool CMainFrame::AddSelectedTrackToNamedPlaylist(LPCTSTR playlistName)
{
    const long track = GetCurrentAlbumTrackId();
    return track != -1 && AddTrackToPlaylistByName(playlistName, track);
}

bool CMainFrame::DeleteSelectedTracks()
{
    return DeleteTrackWithConfirmation(EditHost(), GetCurrentAlbumTrackId(), GetCurrentTrackTitle());
}

bool CMainFrame::DeleteSelectedFromPlaylist(LPCTSTR playlistName)
{
    LONG playOrder = 0;
    if (!m_viewRecordset.HasRecordset() || !VariantToLong(m_viewRecordset.GetValue("PlayOrder"), playOrder))
        return false;
    return DeleteTrackFromPlaylist(EditHost(), playlistName, playOrder, true);
}

bool CMainFrame::DeleteFromCurrentPlaylist()
{
    // The list shows the selected playlist, whose name is the selected node's label.
    return DeleteSelectedFromPlaylist(m_selectedNode.text);
}

bool CMainFrame::MoveSelectedTrack(bool up)
{
    LONG playOrder = 0;
    if (!m_viewRecordset.HasRecordset() || !VariantToLong(m_viewRecordset.GetValue("PlayOrder"), playOrder))
        return false;
    const long playlist = GetSelectedRecordId();
    return playlist >= 0 && MovePlaylistTrack(EditHost(), playlist, playOrder, up, true);
}

bool CMainFrame::ChangeSelectedTrackAlbum(long albumId)
{
    const long track = GetCurrentAlbumTrackId();
    return track != -1 && ChangeTrackAlbum(EditHost(), track, albumId, true);
}

bool CMainFrame::ChangeSelectedTrackAlbumByName(LPCTSTR albumTitle)
{
    const long track = GetCurrentAlbumTrackId();
    return track != -1 && ChangeTrackAlbumByName(EditHost(), track, albumTitle, true);
}

long CMainFrame::StationIdOfRow()
{
    LONG id = -1;
    if (!m_viewRecordset.HasRecordset() || !VariantToLong(m_viewRecordset.GetValue("QVRadioID"), id))
        return -1;
    return id;
}

CString CMainFrame::StationNameOfRow()
{
    return m_viewRecordset.HasRecordset() ? TextOf(m_viewRecordset.GetValue("Station")) : CString();
}

bool CMainFrame::DeleteSelectedStations()
{
    return DeleteStationWithConfirmation(EditHost(), StationIdOfRow(), StationNameOfRow());
}

bool CMainFrame::RemoveStationFromGroup(LPCTSTR radioGroupName)
{
    return ::RemoveStationFromGroup(EditHost(), radioGroupName, StationIdOfRow());
}

bool CMainFrame::RemoveStationsFromCurrentGroup() { return RemoveStationFromGroup(m_selectedNode.text); }

int CMainFrame::AskOverwrite(LPCTSTR fileName)
{
    COverwriteMessage prompt(fileName, this);
    return static_cast<int>(prompt.DoModal());
}
