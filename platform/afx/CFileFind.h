#pragma once
// A folder search by pattern. FindFile starts it; each FindNextFile makes the next entry current and
// returns FALSE when that entry is the last one, so a loop reads:
//     for (BOOL more = finder.FindFile(pattern); more;) { more = finder.FindNextFile(); ... }

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"
#include "platform/afx/CTime.h"
#include "platform/base/FindFile.h"

class CFileFind : public CObject {
    DECLARE_DYNAMIC(CFileFind)
public:
    CFileFind() = default;
    ~CFileFind() override;

    // Starts a search for pstrName ("*.*" in the current folder when null); FALSE when nothing matches.
    virtual BOOL FindFile(LPCTSTR pstrName = nullptr, DWORD dwUnused = 0);
    // Makes the next entry current; FALSE when it is the last (it is still current and can be read).
    virtual BOOL FindNextFile();
    // Ends the search.
    void Close();

    // The current entry: its name, its full path (the folder of the pattern and the name), its name
    // without the extension, and the folder.
    virtual CString GetFileName() const;
    virtual CString GetFilePath() const;
    virtual CString GetFileTitle() const;
    virtual CString GetRoot() const { return m_strRoot; }
    ULONGLONG GetLength() const;
    BOOL GetLastWriteTime(CTime& refTime) const;
    BOOL GetLastAccessTime(CTime& refTime) const;
    BOOL GetCreationTime(CTime& refTime) const;
    BOOL GetLastWriteTime(FILETIME* pTimeStamp) const;
    BOOL GetLastAccessTime(FILETIME* pTimeStamp) const;
    BOOL GetCreationTime(FILETIME* pTimeStamp) const;

    // True for "." and "..".
    virtual BOOL IsDots() const;
    // True when the current entry has any of the FILE_ATTRIBUTE_* bits of dwMask.
    virtual BOOL MatchesMask(DWORD dwMask) const;
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsArchived() const { return MatchesMask(FILE_ATTRIBUTE_ARCHIVE); }
    BOOL IsNormal() const { return MatchesMask(FILE_ATTRIBUTE_NORMAL); }
    BOOL IsTemporary() const { return MatchesMask(FILE_ATTRIBUTE_TEMPORARY); }

private:
    HANDLE m_hContext { INVALID_HANDLE_VALUE };
    WIN32_FIND_DATA m_found {};
    WIN32_FIND_DATA m_next {};
    BOOL m_bHaveFound { FALSE };
    CString m_strRoot;
};
