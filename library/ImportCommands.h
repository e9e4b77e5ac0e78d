#pragma once
// The loops of the import commands over the files the user chose: Import Music File with its three album
// modes, and the folder view's commands on its tagged files. The shell runs the dialogs and collects the
// paths; progress, status text and refreshes go through the host.

#include "platform/afx/CString.h"

#include <vector>

class MusicImportHost;

// The album modes of the Import Music File dialog.
enum class ImportAlbumMode {
    UseOriginalAlbum = 0, // each file into the album its tags name
    AddToExistingAlbum = 1, // every file into the chosen album
    CreateNewAlbum = 2, // a new album from the first file, the others into it
};

// Import Music File after its dialog's OK: the data-source folder becomes the current directory, the first
// file's folder is remembered as LastMusicImportPath, and every file is added by the mode. A Cancel at an
// overwrite prompt ends the loop.
void ImportMusicFiles(
    MusicImportHost& host, const std::vector<CString>& paths, ImportAlbumMode mode, long chosenAlbumId);

// The folder view's commands on the tagged files.
enum class TaggedFileImport {
    ImportFiles, // Import Tagged Files: each file by its extension
    AddToAlbum, // Add Tagged Files to Album: into the chosen album
    CreateAlbum, // Create Album from Tagged Files: a new album from the first file, the others into it
};

// Imports the tagged files in order with progress; a Cancel at an overwrite prompt ends the loop. The tree's
// items are refreshed at the end whatever happened.
void ImportTaggedFiles(MusicImportHost& host, const std::vector<CString>& paths, TaggedFileImport kind, long albumId);
