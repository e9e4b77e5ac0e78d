#pragma once
// Folders and file records of the library.

#include "platform/afx/CString.h"
#include "platform/afx/CStringList.h"
#include "platform/base/WinTypes.h"

// True when the path exists and is a folder.
bool IsDirectory(LPCTSTR path);
// Makes the folder and its missing parents. True when the folder exists afterwards or nothing needed
// doing (an empty path, a drive); false when making it failed.
bool CreateDirectoryPath(LPCTSTR path);
// Runs a file-record query (qAddFile, qAddSearchFile) on theLibraryConnection for one file: its
// name with extension, size, last-modified, creation and last-access times, and folder. False when
// the file's status cannot be read or the query fails.
bool AddFileRecord(LPCTSTR path, LPCTSTR queryName);
// AddFileRecord for every path of the list; the single results do not count. True.
bool AddFileRecords(const CStringList& paths, LPCTSTR queryName);
// AddFileRecords over every entry that matches a folder pattern such as "C:\Music\*.mp3".
bool AddMatchingFiles(LPCTSTR pattern, LPCTSTR queryName);
