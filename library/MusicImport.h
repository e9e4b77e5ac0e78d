#pragma once
// The music import: one file on disk becomes a track of the library under an album found or created,
// optionally copied into the library's music folder first, with its frame data and tags.

#include "platform/base/WinTypes.h"

class MusicImportHost;

// Album ids AddFileToLibrary takes besides a real album's id.
constexpr long kAlbumFromTags = 0;
constexpr long kNewAlbum = -1;

// Adds the file at sourcePath to the album albumId (kAlbumFromTags: the album its tags or the defaults
// name; kNewAlbum: a new "New Album" album). 1 when the file is in the library (added now, or found
// there already: duplicate is then set); 0 when it was not added (refused overwrite, failed copy, failed
// insert); -1 when the user cancelled at the overwrite prompt. trackId receives the track's id.
LONG AddFileToLibrary(
    MusicImportHost& host, LPCTSTR sourcePath, long albumId, long* trackId = nullptr, bool* duplicate = nullptr);

// Imports a dropped or chosen file by its extension: ".mp3" through AddFileToLibrary, ".m3u" as a
// playlist (1 when it was imported); any other file is ignored (0). Clears the "Yes on All" answer first.
LONG ImportFile(MusicImportHost& host, LPCTSTR path, long albumId);
