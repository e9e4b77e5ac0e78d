#include "app/CDetailPage.h"

#include "app/CMusicDetailInfoSheet.h"
#include "app/WindowHelpers.h"
#include "library/AppRoutines.h"

// The pages' edits all have ids in this range.
BEGIN_MESSAGE_MAP(CDetailPage, CBasePropertyPage)
ON_CONTROL_RANGE(EN_CHANGE, 1000, 2999, OnEditChange)
ON_CONTROL_RANGE(EN_KILLFOCUS, 1000, 2999, OnEditKillFocus)
END_MESSAGE_MAP()

CDetailPage::CDetailPage(UINT nIDTemplate, CMusicDetailInfoSheet* pSheet)
    : CBasePropertyPage(nIDTemplate)
    , m_pSheet(pSheet)
{
}

BOOL CDetailPage::PreTranslateMessage(MSG* pMsg)
{
    TurnEnterIntoTab(pMsg);
    return CBasePropertyPage::PreTranslateMessage(pMsg);
}

void CDetailPage::SetReadOnly(BOOL readOnly)
{
    m_bReadOnly = readOnly;
    if (!m_hWnd)
        return;
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CWnd* control = CWnd::FromHandle(child);
        if (IsEditControl(control))
            control->SendMessage(EM_SETREADONLY, readOnly);
    }
}

void CDetailPage::MarkDirty()
{
    if (m_bDirty)
        return;
    SetModified();
    SetLibraryModified(true);
    m_bDirty = TRUE;
}

void CDetailPage::ShowMembers()
{
    if (!m_hWnd)
        return;
    m_bShowing = true;
    UpdateData(FALSE);
    m_bShowing = false;
}

bool CDetailPage::RestoreEmptiedText(int id, const CString& typed, const CString& stored)
{
    if (!typed.IsEmpty() || stored.IsEmpty())
        return false;
    m_bShowing = true;
    SetDlgItemText(id, stored);
    m_bShowing = false;
    return true;
}

void CDetailPage::OnEditChange(UINT id)
{
    if (m_bShowing || m_bReadOnly || !IsEditControl(GetDlgItem(static_cast<int>(id))))
        return;
    MarkDirty();
}

void CDetailPage::OnEditKillFocus(UINT) { OnKillFocusField(); }

void CDetailPage::UpdateSheetRow() { m_pSheet->UpdateCurrentRow(); }
