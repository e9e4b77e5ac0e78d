#pragma once
// One category of the customise sheet's commands page: a title, the commands it offers, and the window
// that shows them on the page (owned: it goes with the group).

#include <memory>
#include <vector>

#include "platform/afx/CObject.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CString.h"

class CWnd;
class CPropertyPage;
class SECToolBarManager;

class SECBtnGroup : public CObject {
    DECLARE_DYNAMIC(SECBtnGroup)
public:
    SECBtnGroup(LPCTSTR lpszTitle, const UINT* pIDs, int nCount);
    ~SECBtnGroup() override;

    // Makes the group's window on the page with control id nID; FALSE when it cannot be made.
    virtual BOOL Create(CPropertyPage* pPage, SECToolBarManager* pManager, UINT nID) = 0;
    // Fits the window's contents to the rectangle (page client coordinates).
    virtual void Layout(const CRect& rect) = 0;
    // The group is the one shown (TRUE) or no longer (FALSE).
    virtual void Activate(BOOL bOn) = 0;
    virtual CWnd* GetWnd() const = 0;

    CString m_strTitle;
    std::vector<UINT> m_ids;
};
