#pragma once
// Reads an M3U list: the paths of the files it names, in order. Blank lines and "#" comments are
// skipped; a line without a folder names a file beside the list.

#include <cstdio>

#include "platform/afx/CString.h"

// Lines of a list are read in pieces of at most this many bytes (a longer line gives several pieces).
constexpr int kPlaylistLinePiece = 254;

class PlaylistReader {
public:
    enum class Result { Entry, End, Error };

    // Reads from file (not owned), which must stay open while this reader is used; listFolder ends
    // with a separator.
    PlaylistReader(std::FILE* file, CString listFolder);

    // The path of the next entry; End after the last, Error when the file cannot be read further.
    Result Next(CString& path);

private:
    // Reads the next piece of a line: up to kPlaylistLinePiece bytes, never ending inside a character.
    Result ReadPiece(CString& line);
    // A line with a folder part as it is; a bare name, or one behind a single leading separator, beside
    // the list.
    CString PathOfLine(const CString& line) const;

    std::FILE* m_file { nullptr };
    CString m_listFolder;
};
