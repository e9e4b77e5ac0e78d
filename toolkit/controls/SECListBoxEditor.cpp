// The list-box editor's set-up, its commands on the list and the hooks' base behaviour.

#include "toolkit/controls/SECListBoxEditor.h"

#include <algorithm>

#include "platform/afx/AfxState.h"
#include "toolkit/controls/SECControlIds.h"
#include "toolkit/controls/SECDialogItems.h"
#include "toolkit/controls/SECListBoxEdit.h"
#include "toolkit/controls/SECListBoxEditorHelper.h"
#include "toolkit/controls/SECListBoxSelection.h"

IMPLEMENT_DYNAMIC(SECListBoxEditor, CWnd)

namespace {

constexpr UINT kButtonBitmaps[] = { IDB_SEC_LBEDIT_NEW, IDB_SEC_LBEDIT_DELETE, IDB_SEC_LBEDIT_UP, IDB_SEC_LBEDIT_DOWN };

bool IsBlank(CString text)
{
    return text.TrimRight(' ').IsEmpty();
}

} // namespace

SECListBoxEditor::SECListBoxEditor() = default;

// The edit goes before the list box it stands in.
SECListBoxEditor::~SECListBoxEditor()
{
    m_pEdit.reset();
}

BOOL SECListBoxEditor::Initialize(UINT nListBoxID, CWnd* pParent, DWORD dwFlags)
{
    return Initialize(pParent, nListBoxID, dwFlags);
}

BOOL SECListBoxEditor::Initialize(CWnd* pParent, UINT nListBoxID, DWORD dwFlags)
{
    CWnd* pList = pParent ? pParent->GetDlgItem(static_cast<int>(nListBoxID)) : nullptr;
    if (!pList || m_bInitialized)
        return FALSE;
    m_dwFlags = dwFlags;

    const UINT nHeaderID = SECFindFreeControlID(*pParent);
    if (!Create("static", "", WS_CHILD | SS_SUNKEN, CRect(0, 0, 0, 0), pParent, nHeaderID))
        return FALSE;
    SetFont(pParent->GetFont(), FALSE);
    for (int i = 0; i < buttonCount; ++i)
        m_bmpButtons[static_cast<size_t>(i)].Attach(static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(),
            MAKEINTRESOURCE(kButtonBitmaps[i]), IMAGE_BITMAP, 0, 0, LR_LOADMAP3DCOLORS)));

    // The header takes the list's place and the list moves below it, both in the list's place in the
    // tab order.
    m_nHeaderHeight = CalcHeaderHeight();
    CRect rect;
    pList->GetWindowRect(rect);
    pParent->ScreenToClient(rect);
    CWnd* pBefore = pList->GetWindow(GW_HWNDPREV);
    SetWindowPos(pBefore, rect.left, rect.top, rect.Width(), m_nHeaderHeight, SWP_NOACTIVATE);
    const int nListTop = rect.top + m_nHeaderHeight + 2 * ::GetSystemMetrics(SM_CYBORDER);
    pList->SetWindowPos(this, rect.left, nListTop, rect.Width(), std::max(0, static_cast<int>(rect.bottom) - nListTop), SWP_NOACTIVATE);

    SetButtons(dwFlags);
    m_pListBox = std::make_unique<SECListBoxEditorHelper>(this);
    if (!m_pListBox->SubclassWindow(pList->GetSafeHwnd())) {
        m_pListBox.reset();
        DestroyWindow();
        return FALSE;
    }
    LayoutButtons();

    if ((dwFlags & SEC_LBE_BUTTONS) && (dwFlags & SEC_LBE_TOOLTIPS) && m_wndToolTip.Create(this, TTS_ALWAYSTIP)) {
        for (int i = 0; i < buttonCount; ++i)
            if (m_bButtonPresent[static_cast<size_t>(i)])
                m_wndToolTip.AddTool(this, IDS_SEC_LBEDIT_NEW + static_cast<UINT>(i), &m_rcButtons[static_cast<size_t>(i)], IDS_SEC_LBEDIT_NEW + static_cast<UINT>(i));
        m_wndToolTip.Activate(TRUE);
    }

    if (!(dwFlags & SEC_LBE_NOPLACEHOLDER)) {
        const int nCount = m_pListBox->GetCount();
        if (nCount == 0 || m_pListBox->GetTextLen(nCount - 1) > 0)
            m_pListBox->AddString("");
    }
    Notify(kSelChange, TRUE);
    ShowWindow(SW_SHOW);
    m_bInitialized = TRUE;
    return TRUE;
}

void SECListBoxEditor::SetButtons(DWORD dwFlags)
{
    m_bButtonPresent[buttonNew] = (dwFlags & SEC_LBE_NEWBUTTON) != 0;
    m_bButtonPresent[buttonDelete] = (dwFlags & SEC_LBE_DELETEBUTTON) != 0;
    m_bButtonPresent[buttonUp] = (dwFlags & SEC_LBE_UPBUTTON) != 0;
    m_bButtonPresent[buttonDown] = (dwFlags & SEC_LBE_DOWNBUTTON) != 0;
}

void SECListBoxEditor::Notify(UINT nCode, BOOL bPost)
{
    if (!m_pListBox || !m_pListBox->GetSafeHwnd())
        return;
    const HWND hParent = ::GetParent(m_pListBox->GetSafeHwnd());
    const WPARAM wParam = MAKEWPARAM(m_pListBox->GetDlgCtrlID(), nCode);
    const auto lParam = reinterpret_cast<LPARAM>(m_pListBox->GetSafeHwnd());
    if (bPost)
        ::PostMessage(hParent, WM_COMMAND, wParam, lParam);
    else
        ::SendMessage(hParent, WM_COMMAND, wParam, lParam);
}

BOOL SECListBoxEditor::IsPlaceholder(int nIndex) const
{
    return !(m_dwFlags & SEC_LBE_NOPLACEHOLDER) && nIndex >= 0 && nIndex == m_pListBox->GetCount() - 1
        && m_pListBox->GetTextLen(nIndex) == 0;
}

int SECListBoxEditor::GetSelectedItem() const
{
    return m_pListBox ? SECGetSelectedItem(*m_pListBox) : LB_ERR;
}

BOOL SECListBoxEditor::AddNewItem()
{
    if (!m_pListBox || m_pEdit)
        return FALSE;
    CListBox& list = *m_pListBox;
    const int nCount = list.GetCount();
    if (nCount == 0 || list.GetTextLen(nCount - 1) > 0)
        list.AddString("");
    // Without SEC_LBE_NOPLACEHOLDER one more empty item stays behind the new one.
    const int nNew = (m_dwFlags & SEC_LBE_NOPLACEHOLDER) ? list.GetCount() : list.AddString("");
    StartEdit(nNew - 1, TRUE, "");
    m_bAdding = TRUE;
    return TRUE;
}

BOOL SECListBoxEditor::DeleteSelectedItems()
{
    if (!m_pListBox)
        return FALSE;
    if (!SECIsMultiSelect(*m_pListBox))
        return DeleteItem(m_pListBox->GetCurSel());
    BOOL bDeleted = FALSE;
    int nFirst = LB_ERR;
    while (m_pListBox->GetSelCount() > 0 && m_pListBox->GetSelItems(1, &nFirst) == 1) {
        bDeleted = DeleteItem(nFirst);
        if (!bDeleted)
            break;
    }
    return bDeleted;
}

BOOL SECListBoxEditor::DeleteItem(int nIndex)
{
    if (!m_pListBox || nIndex < 0 || nIndex >= m_pListBox->GetCount() || IsPlaceholder(nIndex))
        return FALSE;
    CString text;
    m_pListBox->GetText(nIndex, text);
    if (!OnItemDelete(nIndex, text))
        return FALSE;
    m_pListBox->SetRedraw(FALSE);
    m_pListBox->DeleteString(static_cast<UINT>(nIndex));
    if (!SECIsMultiSelect(*m_pListBox))
        m_pListBox->SetCurSel(nIndex);
    m_pListBox->SetRedraw(TRUE);
    m_nLastFrom = nIndex;
    Notify(kItemDeleted, FALSE);
    return TRUE;
}

BOOL SECListBoxEditor::MoveItemUp()
{
    return MoveSelectedItem(-1);
}

BOOL SECListBoxEditor::MoveItemDown()
{
    return MoveSelectedItem(1);
}

BOOL SECListBoxEditor::MoveSelectedItem(int nDirection)
{
    const int nSel = GetSelectedItem();
    if (nSel == LB_ERR || m_pEdit)
        return FALSE;
    // Nothing moves onto or past the empty last item.
    const int nEnd = m_pListBox->GetCount() - ((m_dwFlags & SEC_LBE_NOPLACEHOLDER) ? 0 : 1);
    const int nTo = nSel + nDirection;
    if (nSel >= nEnd || nTo < 0 || nTo >= nEnd)
        return FALSE;
    CString text;
    m_pListBox->GetText(nSel, text);
    m_pListBox->SetRedraw(FALSE);
    ShiftItemUp(std::max(nSel, nTo));
    SECSelectItem(*m_pListBox, nTo);
    m_pListBox->SetRedraw(TRUE);
    OnItemMoved(nSel, nTo, text, FALSE);
    return TRUE;
}

void SECListBoxEditor::ShiftItemUp(int nIndex)
{
    if (!m_pListBox || nIndex < 1 || nIndex >= m_pListBox->GetCount())
        return;
    CString text;
    m_pListBox->GetText(nIndex, text);
    const DWORD_PTR dwData = m_pListBox->GetItemData(nIndex);
    m_pListBox->DeleteString(static_cast<UINT>(nIndex));
    const int nNew = m_pListBox->InsertString(nIndex - 1, text);
    if (nNew >= 0)
        m_pListBox->SetItemData(nNew, dwData);
}

void SECListBoxEditor::OnBeginEdit()
{
    Notify(kSelChange, TRUE);
}

void SECListBoxEditor::OnEndEdit()
{
    if (m_pListBox && GetSelectedItem() == LB_ERR && m_pListBox->GetCount() > 0)
        SECSelectItem(*m_pListBox, m_pListBox->GetCount() - 1);
    Notify(kSelChange, TRUE);
}

void SECListBoxEditor::OnItemChanged(int nIndex, CString, CString strNewText)
{
    if (IsBlank(strNewText)) {
        DeleteItem(nIndex);
        return;
    }
    if (!(m_dwFlags & SEC_LBE_NOPLACEHOLDER) && nIndex == m_pListBox->GetCount() - 1)
        m_pListBox->AddString("");
}

void SECListBoxEditor::OnItemAdded(int nIndex, CString strText)
{
    if (IsBlank(strText))
        DeleteItem(nIndex);
}

void SECListBoxEditor::OnItemMoved(int nFrom, int nTo, CString, BOOL)
{
    m_nLastFrom = nFrom;
    m_nLastTo = nTo;
    Notify(kItemMoved, FALSE);
}

BOOL SECListBoxEditor::OnItemDelete(int, CString)
{
    return TRUE;
}
