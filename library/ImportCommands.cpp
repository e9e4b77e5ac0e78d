#include "library/ImportCommands.h"

#include "library/ChangeTracking.h"
#include "library/ImportBatch.h"
#include "library/LibraryLocations.h"
#include "library/MusicImport.h"
#include "library/MusicImportHost.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/PathApi.h"

namespace {

constexpr const char* kSettingsSection = "Settings";
constexpr const char* kLastImportPathEntry = "LastMusicImportPath";

// The album of the track AddFileToLibrary made or found for the first file; 0 when there is none.
long AlbumOfTrack(long trackId)
{
    LONG album = 0;
    return trackId != 0 && VariantToLong(AlbumIdForTrack(trackId), album) ? album : 0;
}

int Percent(std::size_t done, std::size_t total) { return static_cast<int>(100 * done / total); }

} // namespace

void ImportMusicFiles(
    MusicImportHost& host, const std::vector<CString>& paths, ImportAlbumMode mode, long chosenAlbumId)
{
    SetCurrentDirectory(GetDataSourceDirectory());
    host.BeginProgress();
    host.SetYesToAll(false);
    host.BeginWaitCursor();

    long newAlbumId = 0;
    ImportBatch batch;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const CString& path = paths[i];
        host.SetStatusText(path);
        if (i == 0) {
            if (CWinApp* app = AfxGetApp())
                app->WriteProfileString(kSettingsSection, kLastImportPathEntry, path.Left(path.ReverseFind('\\') + 1));
        }
        LONG result = 0;
        switch (mode) {
        case ImportAlbumMode::UseOriginalAlbum:
            result = AddFileToLibrary(host, path, kAlbumFromTags);
            break;
        case ImportAlbumMode::AddToExistingAlbum:
            result = AddFileToLibrary(host, path, chosenAlbumId);
            break;
        case ImportAlbumMode::CreateNewAlbum:
            if (i == 0) {
                long trackId = 0;
                result = AddFileToLibrary(host, path, kNewAlbum, &trackId);
                newAlbumId = AlbumOfTrack(trackId);
            } else {
                result = AddFileToLibrary(host, path, newAlbumId);
            }
            break;
        }
        if (result < 0)
            break;
        host.SetProgress(Percent(i + 1, paths.size()));
        host.RestoreWaitCursor();
    }

    host.EndProgress();
    host.EndWaitCursor();
    host.RequeryView();
    host.SetStatusText(nullptr);
}

void ImportTaggedFiles(MusicImportHost& host, const std::vector<CString>& paths, TaggedFileImport kind, long albumId)
{
    host.SetYesToAll(false);
    host.BeginWaitCursor();
    host.BeginProgress();

    long newAlbumId = 0;
    ImportBatch batch;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const CString& path = paths[i];
        host.SetStatusText(path);
        LONG result = 0;
        switch (kind) {
        case TaggedFileImport::ImportFiles:
            result = ImportFile(host, path, kAlbumFromTags);
            break;
        case TaggedFileImport::AddToAlbum:
            result = ImportFile(host, path, albumId);
            break;
        case TaggedFileImport::CreateAlbum:
            if (i == 0) {
                long trackId = 0;
                result = AddFileToLibrary(host, path, kNewAlbum, &trackId);
                newAlbumId = AlbumOfTrack(trackId);
            } else {
                result = ImportFile(host, path, newAlbumId);
            }
            break;
        }
        if (result < 0)
            break;
        host.SetProgress(Percent(i + 1, paths.size()));
        host.RestoreWaitCursor();
    }

    host.RefreshTree();
    host.EndProgress();
    host.EndWaitCursor();
    host.SetStatusText(nullptr);
}
