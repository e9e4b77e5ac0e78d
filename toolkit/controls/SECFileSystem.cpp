#include "toolkit/controls/SECFileSystem.h"
#include "platform/base/ErrorModeScope.h"

#include "platform/afx/CFileException.h"
#include "platform/afx/CFileStatus.h"
#include "platform/base/CodePage.h"
#include "platform/base/DriveApi.h"
#include "platform/base/FileApi.h"
#include "platform/base/FileInfo.h"
#include "platform/base/Modules.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>
#include <vector>

IMPLEMENT_DYNAMIC(SECFileSystem, CObject)

namespace {

// The attributes that make an entry something other than a plain file.
constexpr DWORD kNotNormal = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | 0x8 /* volume label */
    | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE;
// Lists handed out grow in blocks of this many entries.
constexpr INT_PTR kListBlockSize = 10;

bool Selected(DWORD entryAttributes, DWORD selection)
{
    if (selection == SECFileSystem::allEntries)
        return true;
    if (selection == 0 || selection == SECFileSystem::normalEntries)
        return (entryAttributes & kNotNormal) == 0;
    return (entryAttributes & selection) != 0;
}

bool IsDotEntry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The index of the path's last separator, or -1.
int LastSeparator(const CString& path)
{
    int i = path.GetLength() - 1;
    while (i >= 0 && !IsSeparator(path[i]))
        --i;
    return i;
}

} // namespace

SECFileSystem::~SECFileSystem() { CloseSearch(); }

void SECFileSystem::CloseSearch()
{
    if (m_hFind != INVALID_HANDLE_VALUE)
        FindClose(m_hFind);
    m_hFind = INVALID_HANDLE_VALUE;
}

BOOL SECFileSystem::FindNext(CString& name, CString& pattern, DWORD attributes)
{
    name.Empty();
    if (!pattern.IsEmpty()) {
        CloseSearch();
        m_hFind = FindFirstFile(pattern, &m_findData);
        pattern.Empty();
        if (m_hFind == INVALID_HANDLE_VALUE)
            return FALSE;
    } else {
        if (m_hFind == INVALID_HANDLE_VALUE || !FindNextFile(m_hFind, &m_findData))
            return FALSE;
    }
    if (!IsDotEntry(m_findData.cFileName) && Selected(m_findData.dwFileAttributes, attributes))
        name = m_findData.cFileName;
    return TRUE;
}

CString* SECFileSystem::FindMatch(LPCTSTR pattern, DWORD attributes)
{
    platform::ErrorModeScope errorMode;
    CString search = pattern != nullptr ? pattern : "";
    CString name;
    while (FindNext(name, search, attributes)) {
        if (!name.IsEmpty())
            return new CString(name);
    }
    return nullptr;
}

CStringList* SECFileSystem::GetDriveList()
{
    auto drives = std::make_unique<CStringList>(kListBlockSize);
    platform::ErrorModeScope errorMode;
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        const char root[] = { letter, ':', '\\', '\0' };
        if (GetDriveType(root) > 1)
            drives->AddTail(root);
    }
    return drives.release();
}

CStringList* SECFileSystem::GetDirectory(LPCTSTR pattern, DWORD attributes)
{
    auto entries = std::make_unique<CStringList>(kListBlockSize);
    const CString folder = GetPath(pattern);
    CString search = pattern != nullptr ? pattern : "";
    if (!search.IsEmpty()) {
        for (std::unique_ptr<CString> match(FindMatch(search, attributes)); match != nullptr;
             match.reset(FindMatch("", attributes)))
            entries->AddTail(folder + *match);
    }
    CloseSearch();
    return entries.release();
}

CStringList* SECFileSystem::GetFileList(LPCTSTR pattern, DWORD attributes, BOOL recursive, CStringList* list)
{
    return GetFileList(pattern, attributes, recursive, list, 0);
}

CStringList* SECFileSystem::GetFileList(LPCTSTR pattern, DWORD attributes, BOOL recursive, CStringList* list, int depth)
{
    std::unique_ptr<CStringList> made;
    if (list == nullptr) {
        made = std::make_unique<CStringList>(kListBlockSize);
        list = made.get();
    }
    std::unique_ptr<CStringList> entries(GetDirectory(pattern, attributes));
    for (POSITION pos = entries->GetHeadPosition(); pos != nullptr;)
        list->AddTail(entries->GetNext(pos));

    if (recursive && depth < kMaxDepth) {
        const CString filePattern = GetFileName(pattern);
        std::unique_ptr<CStringList> folders(GetSubdirList(GetPath(pattern), TRUE));
        for (POSITION pos = folders->GetHeadPosition(); pos != nullptr;) {
            const CString sub = AppendPath(folders->GetNext(pos), filePattern);
            GetFileList(sub, attributes, TRUE, list, depth + 1);
        }
    }
    made.release();
    return list;
}

CStringList* SECFileSystem::GetSubdirList(LPCTSTR folder, BOOL fullPaths)
{
    auto folders = std::make_unique<CStringList>(kListBlockSize);
    const CString base = folder != nullptr ? folder : "";
    for (CString* name = FindMatch(AppendPath(base, "*.*"), FILE_ATTRIBUTE_DIRECTORY); name != nullptr;
         name = FindMatch("", FILE_ATTRIBUTE_DIRECTORY)) {
        const std::unique_ptr<CString> owned(name);
        CFileStatus status;
        if (!CFile::GetStatus(AppendPath(base, *name), status) || (status.m_attribute & CFile::directory) == 0)
            continue;
        CString entry = fullPaths ? base + *name : *name;
        // Names are formatted in a buffer of fixed size: a longer one is cut, never overrun.
        if (entry.GetLength() >= m_nNameBufferLength) {
            const std::string_view cut = platform::CutUtf8(entry.GetString(), static_cast<std::size_t>(m_nNameBufferLength - 1));
            entry = CString(cut.data(), static_cast<int>(cut.size()));
        }
        folders->AddTail(entry);
    }
    CloseSearch();
    return folders.release();
}

CString SECFileSystem::GetFileName(LPCTSTR path)
{
    const CString text = path != nullptr ? path : "";
    return text.Mid(LastSeparator(text) + 1);
}

CString SECFileSystem::GetPath(LPCTSTR path)
{
    const CString text = path != nullptr ? path : "";
    return text.Left(LastSeparator(text) + 1);
}

CString SECFileSystem::AppendPath(LPCTSTR folder, LPCTSTR name)
{
    CString path = folder != nullptr ? folder : "";
    if (!path.IsEmpty() && !IsSeparator(path[path.GetLength() - 1]))
        path += '\\';
    return path + (name != nullptr ? name : "");
}

BOOL SECFileSystem::FileExists(LPCTSTR path)
{
    CFileStatus status;
    return path != nullptr && CFile::GetStatus(path, status);
}

BOOL SECFileSystem::CopyFile(LPCTSTR source, LPCTSTR destination, DWORD bufferSize)
{
    if (source == nullptr || destination == nullptr || bufferSize == 0 || FileExists(destination))
        return FALSE;
    CFile in;
    if (!in.Open(source, CFile::modeRead | CFile::shareDenyWrite))
        return FALSE;
    CFile out;
    if (!out.Open(destination, CFile::modeCreate | CFile::modeWrite)) {
        in.Abort();
        return FALSE;
    }
    std::vector<BYTE> buffer;
    try {
        buffer.resize(bufferSize);
    } catch (const std::bad_alloc&) {
        in.Abort();
        out.Abort();
        ::DeleteFile(destination);
        return FALSE;
    }
    bool copied = false;
    try {
        ULONGLONG remaining = in.GetLength();
        while (remaining > 0) {
            const UINT chunk = static_cast<UINT>(std::min<ULONGLONG>(remaining, bufferSize));
            const UINT read = in.Read(buffer.data(), chunk);
            if (read == 0)
                break; // the source shrank while it was copied
            out.Write(buffer.data(), read);
            remaining -= read;
        }
        copied = remaining == 0;
        out.Close();
    } catch (CFileException* e) {
        e->Delete();
        copied = false;
        out.Abort();
    }
    in.Abort();
    // A partial copy would pass for the whole file later.
    if (!copied)
        ::DeleteFile(destination);
    return copied ? TRUE : FALSE;
}

BOOL SECFileSystem::RenameFile(LPCTSTR oldName, LPCTSTR newName)
{
    if (oldName == nullptr || newName == nullptr)
        return FALSE;
    if (std::strcmp(oldName, newName) == 0)
        return TRUE;
    if (!FileExists(oldName) || FileExists(newName))
        return FALSE;
    try {
        CFile::Rename(oldName, newName);
    } catch (CFileException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL SECFileSystem::DeleteFile(LPCTSTR path)
{
    if (path == nullptr)
        return FALSE;
    try {
        CFile::Remove(path);
    } catch (CFileException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL SECFileSystem::DeleteFiles(LPCTSTR pattern, DWORD attributes)
{
    std::unique_ptr<CStringList> files(GetFileList(pattern, attributes, FALSE));
    BOOL all = TRUE;
    for (POSITION pos = files->GetHeadPosition(); pos != nullptr;) {
        if (!DeleteFile(files->GetNext(pos)))
            all = FALSE;
    }
    return all;
}

BOOL SECFileSystem::CloseFile(CFile* file)
{
    if (file == nullptr)
        return FALSE;
    try {
        file->Close();
    } catch (CFileException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}
