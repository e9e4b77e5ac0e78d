#pragma once
// Path arithmetic on the program's backslash paths.

#include "platform/afx/CString.h"

// b followed by a.
CString ConcatPath(LPCTSTR a, LPCTSTR b);
// The path without its first len(prefix) characters when it is longer than the prefix, else the path.
CString TailOfPath(LPCTSTR path, LPCTSTR prefix);
// Everything up to and including the last backslash; empty when there is none or it is the first character.
CString FolderOfPath(LPCTSTR path);
// The file name with its extension.
CString FileNameWithExtension(LPCTSTR path);
// The file name without its extension.
CString FileNameOfPath(LPCTSTR path);
// The extension with its full stop; empty when there is none.
CString ExtensionOfPath(LPCTSTR path);
// The part before the last backslash; else the part before the last colon; else the path itself.
CString ParentFolder(LPCTSTR path);
// The name with every blank replaced by "_" and every "#" by "a".
CString MakeFileNameSafe(LPCTSTR fileName);
