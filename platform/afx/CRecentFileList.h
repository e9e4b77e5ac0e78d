#pragma once
// The most-recently-used file list of the application: newest first, names compared without regard
// to case, kept in the profile section as "File1".."FileN".

#include <vector>

#include "platform/afx/CString.h"

class CCmdUI;

class CRecentFileList {
public:
    // nSize names at most, stored in lpszSection with entries formatted by lpszEntryFormat ("File%d").
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize);

    int GetSize() const { return m_nSize; }
    // The name at nIndex ("" past the names held).
    CString operator[](int nIndex) const;
    // Puts the name first, dropping an earlier copy and the oldest name when full.
    void Add(LPCTSTR lpszPathName);
    void Remove(int nIndex);
    void ReadList();
    void WriteList();
    // Shows the name of the item's entry in the command's text, or disables it when there is none.
    void UpdateMenu(CCmdUI* pCmdUI);

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;

private:
    int m_nSize;
    std::vector<CString> m_arrNames;
};
