#pragma once
// Where a library lives on disk and what its files are called. Folders end in a backslash. The
// identity of the open library (maker, device name, data-source folder, art folder, genres) is the
// application object's.

#include "platform/afx/CString.h"

// The folder that holds all library folders: the data-source setting up to and including its last
// backslash. An empty setting is first filled with the current directory and a backslash, so the
// folder stays fixed when the current directory changes later.
CString GetDataSourceDirectory();
// The open library's folder below the data-source folder: the local sample library's device name as
// written, else maker "\" device with the characters a folder name cannot hold replaced by "_".
CString GetLibraryFolderName();
// Data-source folder + library folder name + "\".
CString GetLibraryRoot();
// The library's database file, library root + "Database\Tune Steward.mdb".
CString GetDatabasePath();
// The connection text of the library's database file.
CString GetDatabaseConnectionString();
// Library root + "Music\Covers\".
CString GetCoversPath();
// Library root + "Music\MP3s\".
CString GetMp3Path();
// The local sample library's folder: data-source folder + its device name + "\".
CString GetSampleLibraryRoot();
// Makes the folders a library keeps below its root (database, music, covers, playlists, radio); false
// when one cannot be made.
bool CreateLibraryFolders(const CString& root);
// The folder of the genre pictures: the DefaultArtDirectory setting, else the sample library's covers.
CString GetSampleCoversPath();
// The picture of a genre in the art folder; the art folder's "Default Cover.jpg" when the genre is
// unknown or its picture is missing.
CString GetGenreCoverPath(long genreId);
// Library root + a path relative to it.
CString MakeLibraryPath(LPCTSTR relativePath);
// The path without as many leading characters as the library root has, when it is longer than the
// root (the leading part is not compared); the path itself otherwise.
CString MakeRelativePath(LPCTSTR path);
