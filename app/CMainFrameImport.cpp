// The main frame's music commands: importing music files and playlists through their file dialogs, the
// folder view's import commands on the current or the tagged files, dropped files, and writing a
// track's fields back into its file's tags.
#include "app/CMainFrame.h"

#include <string>
#include <vector>

#include "app/CMFileDialog.h"
#include "app/CPelicanApp.h"
#include "app/CPelicanView.h"
#include "app/TuneStewardIds.h"
#include "library/ChangeTracking.h"
#include "library/ImportBatch.h"
#include "library/ImportCommands.h"
#include "library/LibraryLocations.h"
#include "library/MusicImport.h"
#include "library/PlaylistImport.h"
#include "library/TagWriting.h"
#include "platform/afx/CFileDialog.h"
#include "platform/base/PathApi.h"
#include "platform/shell/ShellApi.h"

namespace {

// Long names, the file must exist, several files, no read-only box.
constexpr DWORD kMusicDialogFlags = 0x201204;
// The longest dropped path taken; a longer one is left out rather than cut to another file's name.
constexpr UINT kMaxDroppedPath = 255;

} // namespace

void CMainFrame::OnImportMusicFile()
{
    const CString filter(MAKEINTRESOURCE(IDS_MUSIC_FILE_FILTER));
    const CString title(MAKEINTRESOURCE(IDS_MUSIC_FILE_IMPORT_TITLE));
    CWinApp* app = AfxGetApp();
    const CString folder = app ? app->GetProfileString("Settings", "LastMusicImportPath", "") : CString();
    CMFileDialog dialog(TRUE, nullptr, nullptr, kMusicDialogFlags, filter, this);
    dialog.m_ofn.lpstrTitle = title;
    dialog.m_ofn.lpstrInitialDir = folder.IsEmpty() ? nullptr : folder.GetString();
    if (dialog.DoModal() != IDOK)
        return;
    ImportMusicFiles(ImportHost(), dialog.SelectedPaths(), static_cast<ImportAlbumMode>(dialog.m_nMode), dialog.m_nAlbumId);
}

void CMainFrame::OnImportPlaylist()
{
    const CString filter(MAKEINTRESOURCE(IDS_PLAYLIST_FILTER));
    const CString title(MAKEINTRESOURCE(IDS_PLAYLIST_IMPORT_TITLE));
    CFileDialog dialog(TRUE, "m3u", nullptr, OFN_HIDEREADONLY, filter, this);
    dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return;
    SetCurrentDirectory(GetDataSourceDirectory());
    ImportPlaylistFile(ImportHost(), dialog.GetPathName());
}

void CMainFrame::OnWriteMp3Tags()
{
    const long track = GetCurrentAlbumTrackId();
    if (track != -1)
        WriteTrackMp3Tags(track);
}

void CMainFrame::OnImportFolderFile()
{
    const CString path = GetCurrentFilePath();
    if (!path.IsEmpty() && ImportFile(ImportHost(), path, kAlbumFromTags) == 1)
        ImportHost().RefreshTree();
}

void CMainFrame::OnAddFolderFileToAlbum()
{
    long album = 0;
    if (!ChooseRecord(IDS_SELECT_ALBUM, "qAlbumTitleList", album))
        return;
    const CString path = GetCurrentFilePath();
    if (!path.IsEmpty() && ImportFile(ImportHost(), path, album) == 1)
        ImportHost().RefreshTree();
}

void CMainFrame::OnImportTaggedFiles() { ImportTagged(TaggedFileImport::ImportFiles, kAlbumFromTags); }

void CMainFrame::OnAddTaggedToAlbum()
{
    long album = 0;
    if (ChooseRecord(IDS_SELECT_ALBUM, "qAlbumTitleList", album))
        ImportTagged(TaggedFileImport::AddToAlbum, album);
}

void CMainFrame::OnCreateAlbumFromTagged() { ImportTagged(TaggedFileImport::CreateAlbum, kNewAlbum); }

void CMainFrame::ImportTagged(TaggedFileImport kind, long albumId)
{
    std::vector<CString> paths;
    CString path;
    for (bool more = GetFirstTaggedFile(path); more; more = GetNextTaggedFile(path))
        paths.push_back(path);
    ImportTaggedFiles(ImportHost(), paths, kind, albumId);
}

bool CMainFrame::GetFirstTaggedFile(CString& path)
{
    if (!m_viewRecordset.HasRecordset())
        return false;
    m_nCurrentRow = -1;
    return GetNextTaggedFile(path);
}

bool CMainFrame::GetNextTaggedFile(CString& path)
{
    CPelicanView* list = GetListView();
    int row = m_nCurrentRow;
    if (!list || !m_viewRecordset.HasRecordset() || !list->GetNextTaggedItem(row) || !m_viewRecordset.MoveToRow(row))
        return false;
    m_nCurrentRow = row;
    const bool complete = ReadCurrentFilePath(path);
    if (list->GetCurrentRow() >= 0)
        m_viewRecordset.MoveToRow(list->GetCurrentRow());
    return complete;
}

void CMainFrame::OnDropFiles(HDROP hDropInfo)
{
    if (!IsLibraryOpen()) {
        DragFinish(hDropInfo);
        return;
    }
    BeginWaitCursor();
    bool imported = false;
    {
        // The dropped files make one batch of the library's writes.
        ImportBatch batch;
        const UINT count = DragQueryFile(hDropInfo, 0xFFFFFFFF, nullptr, 0);
        for (UINT i = 0; i < count; ++i) {
            if (DragQueryFile(hDropInfo, i, nullptr, 0) > kMaxDroppedPath)
                continue;
            char path[kMaxDroppedPath + 1] {};
            DragQueryFile(hDropInfo, i, path, sizeof path);
            if (ImportFile(ImportHost(), path, kAlbumFromTags) == 1)
                imported = true;
        }
    }
    DragFinish(hDropInfo);
    if (imported)
        RequeryView();
    EndWaitCursor();
}
