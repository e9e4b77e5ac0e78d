#include "platform/afx/CFileFind.h"

#include <algorithm>
#include <cstring>

#include "platform/base/Paths.h"

IMPLEMENT_DYNAMIC(CFileFind, CObject)

CFileFind::~CFileFind() { Close(); }

void CFileFind::Close()
{
    if (m_hContext != INVALID_HANDLE_VALUE)
        ::FindClose(m_hContext);
    m_hContext = INVALID_HANDLE_VALUE;
    m_bHaveFound = FALSE;
    m_strRoot.Empty();
}

BOOL CFileFind::FindFile(LPCTSTR pstrName, DWORD)
{
    Close();
    const CString pattern(pstrName && *pstrName ? pstrName : "*.*");
    m_hContext = ::FindFirstFile(pattern, &m_next);
    if (m_hContext == INVALID_HANDLE_VALUE)
        return FALSE;
    const CString full(platform::FullProgramPath(pattern.GetString()).c_str());
    const int slash = std::max(full.ReverseFind('\\'), full.ReverseFind('/'));
    m_strRoot = slash < 0 ? CString() : full.Left(slash);
    if (m_strRoot.GetLength() == 2 && m_strRoot[1] == ':')
        m_strRoot += '\\';
    return TRUE;
}

BOOL CFileFind::FindNextFile()
{
    if (m_hContext == INVALID_HANDLE_VALUE)
        return FALSE;
    m_found = m_next;
    m_bHaveFound = TRUE;
    return ::FindNextFile(m_hContext, &m_next);
}

CString CFileFind::GetFileName() const { return m_bHaveFound ? CString(m_found.cFileName) : CString(); }

CString CFileFind::GetFilePath() const
{
    if (!m_bHaveFound)
        return CString();
    CString path = m_strRoot;
    if (!path.IsEmpty() && path[path.GetLength() - 1] != '\\' && path[path.GetLength() - 1] != '/')
        path += '\\';
    return path + m_found.cFileName;
}

CString CFileFind::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot <= 0 ? name : name.Left(dot);
}

ULONGLONG CFileFind::GetLength() const
{
    return m_bHaveFound ? (static_cast<ULONGLONG>(m_found.nFileSizeHigh) << 32) | m_found.nFileSizeLow : 0;
}

BOOL CFileFind::GetLastWriteTime(CTime& refTime) const
{
    if (!m_bHaveFound)
        return FALSE;
    refTime = CTime::IsValidFILETIME(m_found.ftLastWriteTime) ? CTime(m_found.ftLastWriteTime) : CTime();
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(CTime& refTime) const
{
    if (!m_bHaveFound)
        return FALSE;
    refTime = CTime::IsValidFILETIME(m_found.ftLastAccessTime) ? CTime(m_found.ftLastAccessTime) : CTime();
    return TRUE;
}

BOOL CFileFind::GetCreationTime(CTime& refTime) const
{
    if (!m_bHaveFound)
        return FALSE;
    refTime = CTime::IsValidFILETIME(m_found.ftCreationTime) ? CTime(m_found.ftCreationTime) : CTime();
    return TRUE;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* pTimeStamp) const
{
    if (!m_bHaveFound || !pTimeStamp)
        return FALSE;
    *pTimeStamp = m_found.ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::GetLastAccessTime(FILETIME* pTimeStamp) const
{
    if (!m_bHaveFound || !pTimeStamp)
        return FALSE;
    *pTimeStamp = m_found.ftLastAccessTime;
    return TRUE;
}

BOOL CFileFind::GetCreationTime(FILETIME* pTimeStamp) const
{
    if (!m_bHaveFound || !pTimeStamp)
        return FALSE;
    *pTimeStamp = m_found.ftCreationTime;
    return TRUE;
}

BOOL CFileFind::IsDots() const
{
    return m_bHaveFound && IsDirectory()
        && (std::strcmp(m_found.cFileName, ".") == 0 || std::strcmp(m_found.cFileName, "..") == 0);
}

BOOL CFileFind::MatchesMask(DWORD dwMask) const { return m_bHaveFound && (m_found.dwFileAttributes & dwMask) != 0; }
