#pragma once
// The detail page of a file on disk: its name, size, dates and folder, read-only.

#include "app/CBasePropertyPage.h"
#include "platform/afx/COleDateTime.h"

class CMusicDetailInfoSheet;

class CFileDetailPage : public CBasePropertyPage {
public:
    explicit CFileDetailPage(CMusicDetailInfoSheet* pSheet);

    BOOL OnInitDialog() override;
    // With clear every field empty; otherwise from the bound file row.
    void Load(BOOL clear);

    CMusicDetailInfoSheet* m_pSheet;
    CString m_strName;
    DWORD m_dwSize { 0 };
    COleDateTime m_lastModified;
    COleDateTime m_created;
    COleDateTime m_lastAccessed;
    CString m_strPath;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
