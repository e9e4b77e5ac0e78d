#include "library/PlaylistImport.h"

#include "library/GroupEdits.h"
#include "library/ImportBatch.h"
#include "library/MusicImport.h"
#include "library/MusicImportHost.h"
#include "library/MusicImportStrings.h"
#include "library/PathRoutines.h"
#include "library/PlaylistEdits.h"
#include "library/PlaylistReader.h"

#include "platform/afx/AfxMessageBox.h"
#include "platform/base/FileApi.h"
#include "platform/base/MessageBox.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<FILE, FileCloser>;

bool IsFile(LPCTSTR path)
{
    const DWORD attributes = GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

bool ImportPlaylistFile(MusicImportHost& host, LPCTSTR path)
{
    const FileHandle file { platform::OpenFile(path, "rt") };
    if (!file) {
        const ImportBatch::Prompt prompt;
        AfxMessageBox(IDS_PLAYLIST_OPEN_FAILED, MB_OK);
        return false;
    }
    CString status;
    status.FormatMessage(IDS_IMPORTING_PLAYLIST, path);
    host.SetStatusText(status);

    long playlistId = 0;
    bool existed = false;
    if (!AddPlaylist(FileNameOfPath(path), &playlistId, &existed)) {
        host.SetStatusText(nullptr);
        return false;
    }
    if (!existed)
        host.RefreshPlaylists();
    host.BeginWaitCursor();
    host.SetYesToAll(false);

    // The playlist's tracks are one batch with the playlist's own rows.
    ImportBatch batch;
    PlaylistReader reader(file.get(), FolderOfPath(path));
    for (;;) {
        CString filePath;
        const PlaylistReader::Result read = reader.Next(filePath);
        if (read == PlaylistReader::Result::End)
            break;
        if (read == PlaylistReader::Result::Error) {
            const ImportBatch::Prompt prompt;
            AfxMessageBox(IDS_PLAYLIST_READ_ERROR, MB_OK);
            break;
        }
        if (!IsFile(filePath))
            continue;
        if (ExtensionOfPath(filePath).CompareNoCase(".mp3") == 0) {
            CString adding;
            adding.FormatMessage(IDS_ADDING_MP3_FILE, filePath.GetString());
            host.SetStatusText(adding);
        }
        long trackId = 0;
        if (AddFileToLibrary(host, filePath, kAlbumFromTags, &trackId) == 1 && trackId != 0) {
            AddTrackToPlaylist(playlistId, trackId);
            host.RestoreWaitCursor();
        }
    }

    host.EndWaitCursor();
    host.SetStatusText(nullptr);
    return true;
}
