#include "library/PlaylistImport.h"

#include "library/GroupEdits.h"
#include "library/ImportBatch.h"
#include "library/MusicImport.h"
#include "library/MusicImportHost.h"
#include "library/MusicImportStrings.h"
#include "library/PathRoutines.h"
#include "library/PlaylistEdits.h"

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

enum class LineResult { Line, End, Error };

// Reads the next piece of a line: up to kPlaylistLinePiece bytes, never ending inside a character.
LineResult ReadPiece(FILE* file, CString& line)
{
    char buffer[kPlaylistLinePiece + 1] {};
    if (!std::fgets(buffer, sizeof buffer, file))
        return std::ferror(file) ? LineResult::Error : LineResult::End;
    std::size_t length = std::strlen(buffer);
    if (length == kPlaylistLinePiece && buffer[length - 1] != '\n') {
        // A character cut at the piece's end is left for the next piece.
        std::size_t start = length;
        while (start > 0 && (static_cast<unsigned char>(buffer[start - 1]) & 0xC0) == 0x80)
            --start;
        if (start > 0 && static_cast<unsigned char>(buffer[start - 1]) >= 0xC0) {
            const unsigned char lead = static_cast<unsigned char>(buffer[start - 1]);
            const std::size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
            const std::size_t have = length - (start - 1);
            if (have < needed && std::fseek(file, -static_cast<long>(have), SEEK_CUR) == 0)
                length = start - 1;
        }
    }
    line = CString(std::string(buffer, length).c_str());
    return LineResult::Line;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A line with a folder part is used as it is; a bare name, or one behind a single leading separator,
// lies beside the list.
CString PathOfLine(const CString& line, const CString& listFolder)
{
    const char* text = line.GetString();
    for (const char* p = text + 1; *p; ++p)
        if (IsSeparator(*p))
            return line;
    return listFolder + (IsSeparator(text[0]) ? line.Mid(1) : line);
}

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
    const CString listFolder = FolderOfPath(path);
    for (;;) {
        CString line;
        const LineResult read = ReadPiece(file.get(), line);
        if (read == LineResult::End)
            break;
        if (read == LineResult::Error) {
            const ImportBatch::Prompt prompt;
            AfxMessageBox(IDS_PLAYLIST_READ_ERROR, MB_OK);
            break;
        }
        line.Trim();
        if (line.IsEmpty() || line[0] == '#')
            continue;
        const CString filePath = PathOfLine(line, listFolder);
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
