#pragma once
// Folders and file records of the library.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

// True when the path exists and is a folder.
bool IsDirectory(LPCTSTR path);
// Makes the folder and its missing parents. True when the folder exists afterwards or nothing needed
// doing (an empty path, a drive); false when making it failed.
bool CreateDirectoryPath(LPCTSTR path);
