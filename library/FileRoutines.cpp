#include "library/FileRoutines.h"

#include "library/PathRoutines.h"
#include "platform/base/FileApi.h"
#include "platform/base/FileInfo.h"

bool IsDirectory(LPCTSTR path)
{
    if (path == nullptr || *path == '\0')
        return false;
    const DWORD attributes = GetFileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateDirectoryPath(LPCTSTR path)
{
    const CString text = path != nullptr ? path : "";
    if (text.IsEmpty())
        return true;
    const CString parent = ParentFolder(text);
    if (text.GetLength() < 3)
        return true; // a drive needs no making
    if (IsDirectory(text))
        return true;
    if (parent == text)
        return true;
    // The parent's own result does not matter: making this folder fails when the parent is missing.
    CreateDirectoryPath(parent);
    if (IsDirectory(text))
        return true;
    return CreateDirectory(text, nullptr) != FALSE;
}
