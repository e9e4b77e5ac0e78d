#pragma once
// The edit box that lies over a label while the user renames it. It reaches the control that hosts it
// only through SECListClient, so the list and the tree built on it can both host one. Its window exists
// only while a label is edited; its control id is 1 and its parent the host.

#include "platform/afx/CEdit.h"
#include "toolkit/controls/SECListClient.h"

class SECListEdit : public CEdit {
    DECLARE_DYNAMIC(SECListEdit)
public:
    static constexpr UINT controlId = 1;

    explicit SECListEdit(SECListClient* pOwner) : m_pOwner(pOwner) { }
    ~SECListEdit() override = default;

protected:
    // A dialog hands the edit Enter, Escape and Tab.
    afx_msg UINT OnGetDlgCode();
    // Enter commits (unless labels wrap, where it is a line break); Escape cancels.
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    DECLARE_MESSAGE_MAP()

private:
    SECListClient* m_pOwner { nullptr };
};
