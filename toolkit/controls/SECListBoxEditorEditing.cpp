// The list-box editor's in-place editing: starting an edit over an item and handing its end to the
// hooks.

#include <string>

#include "platform/afx/CClientDC.h"
#include "toolkit/controls/SECDialogItems.h"
#include "toolkit/controls/SECListBoxEdit.h"
#include "toolkit/controls/SECListBoxEditor.h"
#include "toolkit/controls/SECListBoxEditorHelper.h"
#include "toolkit/controls/SECListBoxSelection.h"

void SECListBoxEditor::EditItem(UINT nChar)
{
    if (!m_pListBox || m_pEdit)
        return;
    if (nChar == ' ' || nChar == '\b') {
        if (m_bSpaceAdvance) {
            SECFocusNextTabItem(*m_pListBox, nChar == '\b');
            return;
        }
        nChar = 0;
    }
    // Other control characters (Enter, Esc, ...) are no text to start an item with.
    if ((nChar != 0 && nChar < 0x20) || nChar == 0x7F || nChar > 0xFFFF)
        return;
    const int nSel = GetSelectedItem();
    if (nSel == LB_ERR)
        return;
    m_pListBox->GetText(nSel, m_strStartingText);
    CString initial;
    if (nChar)
        initial = CString(std::u16string(1, static_cast<char16_t>(nChar)).c_str());
    StartEdit(nSel, FALSE, initial);
}

void SECListBoxEditor::StartEdit(int nIndex, BOOL bIsNew, LPCTSTR lpszInitialText)
{
    if (!m_pListBox || m_pEdit)
        return;
    OnBeginEdit();
    const BOOL bBrowse = (m_dwFlags & SEC_LBE_EDITBUTTON) != 0;
    m_pEdit = std::make_unique<SECListBoxEdit>();
    if (!m_pEdit->Create(m_pListBox.get(), nIndex, bIsNew, lpszInitialText, bBrowse ? SECListBoxEdit::kBrowseID : 0,
            m_bSpaceAdvance, m_nSpaceCount)) {
        // Every begin is matched by an end, so a derived editor's hooks stay in step.
        m_pEdit.reset();
        OnEndEdit();
        return;
    }
    if (!bBrowse)
        return;

    CRect rect;
    m_pEdit->GetWindowRect(rect);
    m_pListBox->ScreenToClient(rect);
    int nButtonWidth = 0;
    {
        CClientDC dc(m_pEdit.get());
        CFont* pOldFont = dc.SelectObject(m_pEdit->GetFont());
        nButtonWidth = dc.GetTextExtent("...").cx + 2 * (::GetSystemMetrics(SM_CXBORDER) + dc.GetTextExtent(" ").cx);
        dc.SelectObject(pOldFont);
    }
    CRect button = rect;
    button.left = rect.right - nButtonWidth;
    rect.right = button.left;
    m_pEdit->MoveWindow(rect);
    if (m_wndBrowse.Create("...", WS_CHILD | WS_VISIBLE, button, m_pListBox.get(), SECListBoxEdit::kBrowseID))
        m_wndBrowse.SetFont(m_pListBox->GetFont(), FALSE);
}

void SECListBoxEditor::EndEdit()
{
    if ((m_dwFlags & SEC_LBE_EDITBUTTON) && m_wndBrowse.GetSafeHwnd())
        m_wndBrowse.DestroyWindow();
    if (!m_pEdit)
        return;
    // Taken out first: destroying the edit must not find it again.
    const std::unique_ptr<SECListBoxEdit> pEdit = std::move(m_pEdit);
    pEdit->DestroyWindow();

    const int nSel = GetSelectedItem();
    if (!m_bEditCancelled && nSel != LB_ERR) {
        CString text;
        m_pListBox->GetText(nSel, text);
        const BOOL bLast = nSel == m_pListBox->GetCount() - 1;
        const BOOL bPlaceholder = bLast && !(m_dwFlags & SEC_LBE_NOPLACEHOLDER);
        if (bLast && !m_strStartingText.IsEmpty() && text != m_strStartingText) {
            OnItemChanged(nSel, m_strStartingText, text);
        } else if (m_bAdding || bPlaceholder) {
            OnItemAdded(nSel, text);
            // The list keeps its empty last item, whatever the hook did with the typed one.
            const int nCount = m_pListBox->GetCount();
            if (bPlaceholder && (nCount == 0 || m_pListBox->GetTextLen(nCount - 1) > 0))
                m_pListBox->AddString("");
        } else if (text != m_strStartingText) {
            OnItemChanged(nSel, m_strStartingText, text);
        }
    }
    m_strStartingText.Empty();
    m_bAdding = FALSE;
    OnEndEdit();
}
