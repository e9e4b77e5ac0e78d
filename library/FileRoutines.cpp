#include "library/FileRoutines.h"

#include "library/PathRoutines.h"
#include "library/_ADOConnectionHelper.h"
#include "platform/afx/CFile.h"
#include "platform/afx/CFileStatus.h"
#include "platform/base/FileApi.h"
#include "platform/base/FileInfo.h"
#include "platform/com/OleAuto.h"
#include "toolkit/controls/SECFileSystem.h"

#include <memory>

namespace {

// A file time as the date the file-record queries store (local time).
_variant_t DateOf(const CTime& time)
{
    SYSTEMTIME local {};
    DATE date = 0;
    if (!time.GetAsSystemTime(local) || !SystemTimeToVariantTime(&local, &date))
        return _variant_t();
    return _variant_t(date, VT_DATE);
}

} // namespace

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

bool AddFileRecord(LPCTSTR path, LPCTSTR queryName)
{
    CFileStatus status;
    if (path == nullptr || !CFile::GetStatus(path, status))
        return false;
    const _variant_t values[] = {
        _variant_t(FileNameWithExtension(path).GetString()),
        _variant_t(static_cast<LONG>(status.m_size)),
        DateOf(status.m_mtime),
        DateOf(status.m_ctime),
        DateOf(status.m_atime),
        _variant_t(FolderOfPath(path).GetString()),
    };
    return theLibraryConnection.RunStoredQuery(queryName, values, 6, nullptr, nullptr, adCmdUnknown);
}

bool AddFileRecords(const CStringList& paths, LPCTSTR queryName)
{
    for (POSITION pos = paths.GetHeadPosition(); pos != nullptr;)
        AddFileRecord(paths.GetNext(pos), queryName);
    return true;
}

bool AddMatchingFiles(LPCTSTR pattern, LPCTSTR queryName)
{
    SECFileSystem fileSystem;
    const std::unique_ptr<CStringList> paths(fileSystem.GetDirectory(pattern, SECFileSystem::allEntries));
    return AddFileRecords(*paths, queryName);
}
