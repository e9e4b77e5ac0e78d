#pragma once
// The playlist import: every file an M3U list names goes into the library and into a playlist named
// after the list.

#include "platform/base/WinTypes.h"

class MusicImportHost;

// Imports the files the list names (blank lines and "#" comments skipped; a line without a folder is
// beside the list; missing files are passed over) and appends their tracks to the playlist of the list's
// name, made when missing. True when the playlist was found or made; false when the list cannot be
// opened or the playlist cannot be made.
bool ImportPlaylistFile(MusicImportHost& host, LPCTSTR path);
