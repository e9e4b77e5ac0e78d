#include "platform/afx/CRecentFileList.h"

#include <algorithm>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/CaseFold.h"

CRecentFileList::CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize)
    : m_nStart(nStart)
    , m_strSectionName(lpszSection)
    , m_strEntryFormat(lpszEntryFormat)
    , m_nSize(std::max(nSize, 0))
{
}

CString CRecentFileList::operator[](int nIndex) const
{
    return nIndex >= 0 && nIndex < static_cast<int>(m_arrNames.size()) ? m_arrNames[static_cast<size_t>(nIndex)]
                                                                        : CString();
}

void CRecentFileList::Add(LPCTSTR lpszPathName)
{
    if (!lpszPathName || !*lpszPathName || m_nSize == 0)
        return;
    std::erase_if(m_arrNames, [&](const CString& name) { return platform::EqualsNoCase(name.GetString(), lpszPathName); });
    m_arrNames.insert(m_arrNames.begin(), CString(lpszPathName));
    if (static_cast<int>(m_arrNames.size()) > m_nSize)
        m_arrNames.resize(static_cast<size_t>(m_nSize));
}

void CRecentFileList::Remove(int nIndex)
{
    if (nIndex >= 0 && nIndex < static_cast<int>(m_arrNames.size()))
        m_arrNames.erase(m_arrNames.begin() + nIndex);
}

void CRecentFileList::ReadList()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    m_arrNames.clear();
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        CString name = app->GetProfileString(m_strSectionName, entry);
        if (!name.IsEmpty())
            m_arrNames.push_back(name);
    }
}

void CRecentFileList::WriteList()
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    for (int i = 0; i < m_nSize; ++i) {
        CString entry;
        entry.Format(m_strEntryFormat, i + 1);
        const CString name = (*this)[i];
        app->WriteProfileString(m_strSectionName, entry, name.IsEmpty() ? nullptr : name.GetString());
    }
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    if (!pCmdUI)
        return;
    const int index = static_cast<int>(pCmdUI->m_nID) - static_cast<int>(ID_FILE_MRU_FIRST);
    const CString name = (*this)[index];
    if (name.IsEmpty()) {
        pCmdUI->Enable(FALSE);
        return;
    }
    CString text;
    text.Format("&%d %s", index + 1, name.GetString());
    pCmdUI->SetText(text);
    pCmdUI->Enable(TRUE);
}
