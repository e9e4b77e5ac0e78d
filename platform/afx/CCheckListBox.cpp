#include "platform/afx/CCheckListBox.h"

#include <algorithm>
#include <string>

#include "platform/gdi/FrameDrawing.h"
#include "platform/gdi/WinGdi.h"

IMPLEMENT_DYNAMIC(CCheckListBox, CListBox)

BEGIN_MESSAGE_MAP(CCheckListBox, CListBox)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_KEYDOWN()
ON_MESSAGE(LB_ADDSTRING, OnAddString)
ON_MESSAGE(LB_INSERTSTRING, OnInsertString)
ON_MESSAGE(LB_DELETESTRING, OnDeleteString)
ON_MESSAGE(LB_RESETCONTENT, OnResetContent)
END_MESSAGE_MAP()

namespace {

constexpr int kBoxSize = 13; // the check box's side
constexpr int kBoxMargin = 2; // space left of the box and between the box and the text

bool ValidCheck(int nCheck) { return nCheck >= 0 && nCheck <= 2; }

} // namespace

BOOL CCheckListBox::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    dwStyle = (dwStyle & ~LBS_OWNERDRAWVARIABLE) | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
    return CListBox::Create(dwStyle, rect, pParentWnd, nID);
}

void CCheckListBox::PreSubclassWindow()
{
    // A dialog's list box may hold items already: they start unchecked.
    m_checks.assign(static_cast<size_t>(std::max(GetCount(), 0)), 0);
}

void CCheckListBox::SetCheck(int nIndex, int nCheck)
{
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_checks.size() || !ValidCheck(nCheck))
        return;
    m_checks[static_cast<size_t>(nIndex)] = nCheck;
    CRect item;
    if (GetItemRect(nIndex, &item) != LB_ERR)
        InvalidateRect(&item, FALSE);
}

int CCheckListBox::GetCheck(int nIndex) const
{
    if (nIndex < 0 || static_cast<size_t>(nIndex) >= m_checks.size())
        return LB_ERR;
    return m_checks[static_cast<size_t>(nIndex)];
}

CRect CCheckListBox::CheckBox(const RECT& item)
{
    const int height = item.bottom - item.top;
    const int side = std::max(std::min(kBoxSize, height - 2), 0);
    const int top = item.top + (height - side) / 2;
    return CRect(item.left + kBoxMargin, top, item.left + kBoxMargin + side, top + side);
}

void CCheckListBox::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const DRAWITEMSTRUCT& dis = *lpDrawItemStruct;
    const int index = static_cast<int>(dis.itemID);
    if (index < 0 || index >= GetCount())
        return;
    CRect box = CheckBox(dis.rcItem);
    const int check = std::max(GetCheck(index), 0);
    UINT state = DFCS_BUTTONCHECK | (check ? DFCS_CHECKED : 0) | (check == 2 ? DFCS_BUTTON3STATE : 0);
    if (dis.itemState & ODS_DISABLED)
        state |= DFCS_INACTIVE;
    ::DrawFrameControl(dis.hDC, &box, DFC_BUTTON, state);

    // The text and its selection band start after the box.
    CRect text(box.right + kBoxMargin, dis.rcItem.top, dis.rcItem.right, dis.rcItem.bottom);
    const bool selected = (dis.itemState & ODS_SELECTED) != 0;
    ::FillRect(dis.hDC, &text, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    CString label;
    GetText(index, label);
    ::SetBkMode(dis.hDC, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dis.hDC,
        ::GetSysColor((dis.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    CRect inner = text;
    inner.left += 1;
    ::DrawText(dis.hDC, label, label.GetLength(), &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    ::SetTextColor(dis.hDC, oldColour);
    if (dis.itemState & ODS_FOCUS)
        ::DrawFocusRect(dis.hDC, &text);
}

void CCheckListBox::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = std::max<UINT>(lpMeasureItemStruct->itemHeight, kBoxSize + 2);
}

BOOL CCheckListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_DRAWITEM:
        DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        break;
    case WM_MEASUREITEM:
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        break;
    default:
        return CListBox::OnChildNotify(message, wParam, lParam, pResult);
    }
    if (pResult)
        *pResult = TRUE;
    return TRUE;
}

void CCheckListBox::ClickAt(CPoint point)
{
    BOOL outside = TRUE;
    const int index = static_cast<int>(ItemFromPoint(point, outside));
    CRect item;
    if (outside || GetItemRect(index, &item) == LB_ERR)
        return;
    // The box and the margin around it answer, so a click need not hit the square exactly.
    CRect box = CheckBox(item);
    if (point.x >= item.left && point.x < box.right + kBoxMargin)
        Toggle(index);
}

void CCheckListBox::Toggle(int nIndex)
{
    const int check = GetCheck(nIndex);
    if (check == LB_ERR)
        return;
    SetCheck(nIndex, check == 1 ? 0 : 1);
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), CLBN_CHKCHANGE), reinterpret_cast<LPARAM>(m_hWnd));
}

void CCheckListBox::OnLButtonDown(UINT, CPoint point)
{
    // The list selects the item first, so the parent's handler sees it selected.
    Default();
    ClickAt(point);
}

void CCheckListBox::OnLButtonDblClk(UINT, CPoint point)
{
    Default();
    ClickAt(point);
}

void CCheckListBox::OnKeyDown(UINT nChar, UINT, UINT)
{
    Default();
    if (nChar == VK_SPACE)
        Toggle(static_cast<int>(SendMessage(LB_GETCARETINDEX)));
}

LRESULT CCheckListBox::Inserted(LRESULT index)
{
    if (index >= 0 && static_cast<size_t>(index) <= m_checks.size())
        m_checks.insert(m_checks.begin() + index, 0);
    return index;
}

LRESULT CCheckListBox::OnAddString(WPARAM, LPARAM) { return Inserted(Default()); }

LRESULT CCheckListBox::OnInsertString(WPARAM, LPARAM) { return Inserted(Default()); }

LRESULT CCheckListBox::OnDeleteString(WPARAM wParam, LPARAM)
{
    const LRESULT left = Default();
    const auto index = static_cast<size_t>(wParam);
    if (left != LB_ERR && index < m_checks.size())
        m_checks.erase(m_checks.begin() + static_cast<std::ptrdiff_t>(index));
    return left;
}

LRESULT CCheckListBox::OnResetContent(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    m_checks.clear();
    return result;
}
