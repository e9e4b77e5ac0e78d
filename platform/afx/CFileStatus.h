#pragma once
// What CFile::GetStatus reports about a file and CFile::SetStatus applies to it.

#include "platform/afx/CTime.h"

struct CFileStatus {
    CTime m_ctime; // creation time (the last status change where the file system keeps no creation time)
    CTime m_mtime; // last write
    CTime m_atime; // last access
    ULONGLONG m_size { 0 }; // bytes
    BYTE m_attribute { 0 }; // CFile::Attribute bits
    BYTE m_padding { 0 };
    TCHAR m_szFullName[MAX_PATH] {}; // the full program path
};
