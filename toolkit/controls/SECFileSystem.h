#pragma once
// File-system helper of the toolkit: drives, folder listings filtered by attributes, recursive file
// lists, path splitting, and copy, rename and delete operations that report failure as FALSE instead
// of raising. Lists handed out are new CStringList objects that the caller deletes.

#include "platform/afx/CFile.h"
#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"
#include "platform/afx/CStringList.h"
#include "platform/base/FindFile.h"

class SECFileSystem : public CObject {
    DECLARE_DYNAMIC(SECFileSystem)
public:
    // Attribute selections of the listings: every entry, or the entries that are plain files (none of
    // hidden, system, volume label, directory and device). Any other value takes the entries that have
    // at least one of its bits.
    static constexpr DWORD allEntries = 0xFFFFFFFF;
    static constexpr DWORD normalEntries = 0x80;

    SECFileSystem() = default;
    ~SECFileSystem() override;

    // With a pattern, starts a new search (and empties the pattern); without, goes on with the running
    // one. FALSE when nothing more is found; TRUE with the entry's name in name when it matches the
    // selection, or an empty name when it does not.
    BOOL FindNext(CString& name, CString& pattern, DWORD attributes);
    // The next name that matches (a new search for a pattern, the running one for ""), or null; the
    // caller deletes the string.
    CString* FindMatch(LPCTSTR pattern, DWORD attributes);
    // The roots of the drives that exist, "a:\" to "z:\".
    CStringList* GetDriveList();
    // The full paths of the entries matching a pattern such as "C:\Music\*.mp3" and the selection;
    // "." and ".." are never listed.
    CStringList* GetDirectory(LPCTSTR pattern, DWORD attributes);
    // GetDirectory appended to list (a new list when null); when recursive, the same file pattern in
    // every sub-folder below, depth first.
    CStringList* GetFileList(LPCTSTR pattern, DWORD attributes, BOOL recursive, CStringList* list = nullptr);
    // The sub-folders of a folder, as folder + name or as the name alone.
    CStringList* GetSubdirList(LPCTSTR folder, BOOL fullPaths);

    // The part after the last "\" or "/" (the whole path when there is none).
    static CString GetFileName(LPCTSTR path);
    // The part up to and including the last "\" or "/" (empty when there is none).
    static CString GetPath(LPCTSTR path);
    // Folder and name joined with one "\" unless the folder is empty or already ends in a separator.
    static CString AppendPath(LPCTSTR folder, LPCTSTR name);
    // TRUE when the file or folder exists.
    static BOOL FileExists(LPCTSTR path);

    // Copies through a buffer of bufferSize bytes. FALSE when the destination exists, either file
    // cannot be opened, the size is 0 or the copy fails; a failed copy leaves no destination behind.
    BOOL CopyFile(LPCTSTR source, LPCTSTR destination, DWORD bufferSize);
    // TRUE at once for equal names (case counts); FALSE when the old file is missing, the new one
    // exists or the rename fails.
    BOOL RenameFile(LPCTSTR oldName, LPCTSTR newName);
    // FALSE when the file cannot be removed.
    BOOL DeleteFile(LPCTSTR path);
    // Deletes every entry of the pattern's folder (not below it) that matches pattern and selection;
    // FALSE when any deletion failed (the others are still tried).
    BOOL DeleteFiles(LPCTSTR pattern, DWORD attributes);
    // Closes a file; FALSE when closing fails.
    BOOL CloseFile(CFile* file);

private:
    // Folders nested deeper than this are not searched: a link that leads back up would never end.
    static constexpr int kMaxDepth = 64;

    CStringList* GetFileList(LPCTSTR pattern, DWORD attributes, BOOL recursive, CStringList* list, int depth);
    void CloseSearch();

    WIN32_FIND_DATA m_findData {};
    HANDLE m_hFind { INVALID_HANDLE_VALUE };
    int m_nNameBufferLength { 1024 };
};
