#include "platform/afx/CPropertySheet.h"

#include <algorithm>

#include "platform/afx/AfxState.h"
#include "platform/afx/DialogPlacement.h"
#include "platform/user/WinControls.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
ON_WM_SIZE()
ON_WM_CLOSE()
END_MESSAGE_MAP()

namespace {

constexpr UINT kTabControlId = 0x3020;
// Dialog units: the margin around the tabs, a button and the gap between buttons.
constexpr RECT kMargin { 0, 0, 7, 7 };
constexpr RECT kButton { 0, 0, 50, 14 };
constexpr int kButtonGapDlu = 4;

// A dialog template without items in the sheet's font; the sheet sizes itself once its pages are known.
std::vector<WORD> SheetTemplate(DWORD style, DWORD exStyle)
{
    std::vector<WORD> words;
    auto dword = [&words](DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    };
    dword(style | DS_SETFONT | DS_3DLOOK);
    dword(exStyle | WS_EX_CONTROLPARENT);
    words.insert(words.end(), { 0, 0, 0, 0, 0 }); // no items, at 0,0 with no size
    words.insert(words.end(), { 0, 0, 0 });       // no menu, the dialog class, no title
    words.push_back(8);
    for (const char* face = "MS Sans Serif"; *face; ++face)
        words.push_back(static_cast<WORD>(*face));
    words.push_back(0);
    return words;
}

} // namespace

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet()
{
    for (CPropertyPage* page : m_pages)
        page->m_pSheet = nullptr;
    if (m_hWnd)
        DestroyWindow();
}

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    CString caption;
    caption.LoadString(nIDCaption);
    Construct(caption.GetString(), pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption ? pszCaption : "";
    m_pParentWnd = pParentWnd;
    m_nActive = static_cast<int>(iSelectPage);
    m_psh.nStartPage = iSelectPage;
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    if (nPage < 0 || nPage >= GetPageCount())
        return nullptr;
    return m_pages[static_cast<std::size_t>(nPage)];
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    const auto at = std::find(m_pages.begin(), m_pages.end(), pPage);
    return at == m_pages.end() ? -1 : static_cast<int>(at - m_pages.begin());
}

void CPropertySheet::InsertTab(int nPage)
{
    CPropertyPage* page = m_pages[static_cast<std::size_t>(nPage)];
    CString caption = page->m_strCaption;
    if ((page->m_psp.dwFlags & PSP_USETITLE) && page->m_psp.pszTitle)
        caption = page->m_psp.pszTitle;
    SIZE ignored {};
    if (caption.IsEmpty())
        page->ReadTemplate(caption, ignored);
    m_tabCtrl.InsertItem(nPage, caption.GetString());
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    if (!pPage || GetPageIndex(pPage) >= 0)
        return;
    if (pPage->m_pSheet)
        pPage->m_pSheet->RemovePage(pPage);
    pPage->m_pSheet = this;
    m_pages.push_back(pPage);
    m_psh.nPages = static_cast<UINT>(m_pages.size());
    if (!m_hWnd)
        return;
    InsertTab(GetPageCount() - 1);
    if (m_nActive < 0)
        ShowPage(0);
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    const int index = GetPageIndex(pPage);
    if (index >= 0)
        RemovePage(index);
}

void CPropertySheet::RemovePage(int nPage)
{
    CPropertyPage* page = GetPage(nPage);
    if (!page)
        return;
    if (m_hWnd)
        m_tabCtrl.DeleteItem(nPage);
    if (page->m_hWnd)
        page->DestroyWindow();
    page->m_pSheet = nullptr;
    page->m_bChanged = FALSE;
    m_pages.erase(m_pages.begin() + nPage);
    m_psh.nPages = static_cast<UINT>(m_pages.size());
    if (nPage < m_nActive) {
        --m_nActive;
    } else if (nPage == m_nActive) {
        const int next = std::min(nPage, GetPageCount() - 1);
        m_nActive = -1;
        if (m_hWnd && next >= 0)
            ShowPage(next);
        else
            m_nActive = m_hWnd ? -1 : std::max(next, 0);
    }
    if (m_hWnd)
        PageChanged();
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (!GetPage(nPage))
        return FALSE;
    if (!m_hWnd) {
        m_nActive = nPage;
        return TRUE;
    }
    if (nPage == m_nActive)
        return TRUE;
    CPropertyPage* active = GetActivePage();
    if (active && active->m_hWnd && !active->OnKillActive()) {
        m_tabCtrl.SetCurSel(m_nActive);
        return FALSE;
    }
    return ShowPage(nPage);
}

BOOL CPropertySheet::ShowPage(int nPage)
{
    CPropertyPage* page = GetPage(nPage);
    if (!page)
        return FALSE;
    if (!page->m_hWnd && !page->CreatePage(this))
        return FALSE;
    CPropertyPage* previous = nPage == m_nActive ? nullptr : GetActivePage();
    m_nActive = nPage;
    m_tabCtrl.SetCurSel(nPage);
    Layout();
    page->OnSetActive();
    ::SetWindowPos(page->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    if (previous && previous->m_hWnd)
        previous->ShowWindow(SW_HIDE);
    return TRUE;
}

SIZE CPropertySheet::PageSize() const
{
    SIZE largest {};
    for (CPropertyPage* page : m_pages) {
        CString caption;
        SIZE size {};
        if (!page->ReadTemplate(caption, size))
            continue;
        RECT rect { 0, 0, size.cx, size.cy };
        ::MapDialogRect(m_hWnd, &rect);
        largest.cx = std::max(largest.cx, rect.right);
        largest.cy = std::max(largest.cy, rect.bottom);
    }
    return largest;
}

void CPropertySheet::Layout()
{
    if (!m_tabCtrl.m_hWnd)
        return;
    RECT client;
    GetClientRect(&client);
    RECT margin = kMargin;
    RECT button = kButton;
    ::MapDialogRect(m_hWnd, &margin);
    ::MapDialogRect(m_hWnd, &button);
    RECT gap { 0, 0, kButtonGapDlu, 0 };
    ::MapDialogRect(m_hWnd, &gap);
    const bool framed = !(GetStyle() & WS_CHILD);
    const int edge = framed ? margin.right : 0;
    RECT tabs { client.left + edge, client.top + edge, client.right - edge, client.bottom - edge };
    if (!m_buttons.empty()) {
        tabs.bottom -= button.bottom + margin.bottom;
        int x = client.right - margin.right;
        // Right to left, skipping the hidden ones (Help without PSH_HASHELP).
        for (auto it = m_buttons.rbegin(); it != m_buttons.rend(); ++it) {
            if (!(::GetWindowLong(*it, GWL_STYLE) & WS_VISIBLE))
                continue;
            x -= button.right;
            ::SetWindowPos(*it, nullptr, x, client.bottom - margin.bottom - button.bottom, button.right, button.bottom,
                SWP_NOZORDER | SWP_NOACTIVATE);
            x -= gap.right;
        }
    }
    m_tabCtrl.SetWindowPos(nullptr, tabs.left, tabs.top, tabs.right - tabs.left, tabs.bottom - tabs.top,
        SWP_NOZORDER | SWP_NOACTIVATE);
    RECT panel { 0, 0, tabs.right - tabs.left, tabs.bottom - tabs.top };
    m_tabCtrl.AdjustRect(FALSE, &panel);
    ::OffsetRect(&panel, tabs.left, tabs.top);
    if (CPropertyPage* page = GetActivePage(); page && page->m_hWnd)
        page->SetWindowPos(nullptr, panel.left, panel.top, panel.right - panel.left, panel.bottom - panel.top,
            SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPropertySheet::CreateButtons()
{
    struct Button {
        int id;
        LPCSTR text;
        bool shown;
    };
    const Button buttons[] = {
        { IDOK, "OK", true },
        { IDCANCEL, "Cancel", true },
        { ID_APPLY_NOW, "&Apply", !(m_psh.dwFlags & PSH_NOAPPLYNOW) },
        { IDHELP, "Help", (m_psh.dwFlags & PSH_HASHELP) != 0 },
    };
    const LPARAM font = SendMessage(WM_GETFONT);
    for (const Button& b : buttons) {
        if (b.id == ID_APPLY_NOW && !b.shown)
            continue; // without Apply there is no such button at all
        const DWORD style = WS_CHILD | WS_TABSTOP | (b.id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON)
            | (b.shown ? WS_VISIBLE : 0) | (b.id == ID_APPLY_NOW ? WS_DISABLED : 0);
        HWND hWnd = ::CreateWindowEx(0, WC_BUTTON, b.text, style, 0, 0, 0, 0, m_hWnd,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(b.id)), AfxGetInstanceHandle(), nullptr);
        ::SendMessage(hWnd, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
        m_buttons.push_back(hWnd);
    }
}

BOOL CPropertySheet::OnInitDialog()
{
    SetWindowText(m_strCaption.GetString());
    const RECT none {};
    if (!m_tabCtrl.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS, none, this, kTabControlId))
        return FALSE;
    m_tabCtrl.SendMessage(WM_SETFONT, static_cast<WPARAM>(SendMessage(WM_GETFONT)), FALSE);
    for (int i = 0; i < GetPageCount(); ++i)
        InsertTab(i);
    if (!m_bModeless)
        CreateButtons();

    // The client size that holds the biggest page under the tabs, with the buttons below.
    RECT panel { 0, 0, PageSize().cx, PageSize().cy };
    m_tabCtrl.AdjustRect(TRUE, &panel);
    RECT margin = kMargin;
    RECT button = kButton;
    ::MapDialogRect(m_hWnd, &margin);
    ::MapDialogRect(m_hWnd, &button);
    const bool framed = !(GetStyle() & WS_CHILD);
    const int edge = framed ? margin.right : 0;
    RECT client { 0, 0, panel.right - panel.left + 2 * edge, panel.bottom - panel.top + 2 * edge };
    if (!m_buttons.empty())
        client.bottom += button.bottom + margin.bottom;
    ::AdjustWindowRectEx(&client, GetStyle(), FALSE, GetExStyle());
    SetWindowPos(nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    const int first = std::clamp(m_nActive, 0, std::max(GetPageCount() - 1, 0));
    m_nActive = -1;
    ShowPage(first);
    return TRUE;
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    const afx::DialogPlacement placement(*this);
    const BOOL focusDefault = OnInitDialog();
    placement.CentreIfUnplaced(*this);
    return focusDefault;
}

void CPropertySheet::OnSize(UINT, int, int) { Layout(); }

void CPropertySheet::OnClose() { Cancel(); }

BOOL CPropertySheet::CreateSheet(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (m_pages.empty() || m_hWnd)
        return FALSE;
    m_buttons.clear();
    const std::vector<WORD> words = SheetTemplate(dwStyle, dwExStyle);
    return CreateDlgIndirect(reinterpret_cast<LPCDLGTEMPLATE>(words.data()), pParentWnd, AfxGetResourceHandle());
}

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (dwStyle == static_cast<DWORD>(-1))
        dwStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    if (dwStyle & WS_CHILD)
        dwStyle |= DS_CONTROL | WS_CLIPCHILDREN;
    m_bModeless = true;
    m_pParentWnd = pParentWnd;
    return CreateSheet(pParentWnd, dwStyle, dwExStyle);
}

INT_PTR CPropertySheet::DoModal()
{
    if (m_pages.empty() || m_hWnd)
        return -1;
    m_bModeless = false;
    CWnd* owner = CWnd::GetSafeOwner(m_pParentWnd);
    return RunModal(owner ? owner->m_hWnd : nullptr, [this](CWnd* pOwner) {
        return CreateSheet(pOwner, DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, WS_EX_DLGMODALFRAME);
    });
}

BOOL CPropertySheet::Apply()
{
    CPropertyPage* active = GetActivePage();
    if (active && active->m_hWnd && !active->OnKillActive())
        return FALSE;
    for (int i = 0; i < GetPageCount(); ++i) {
        CPropertyPage* page = m_pages[static_cast<std::size_t>(i)];
        if (!page->m_hWnd)
            continue;
        if (!page->OnApply()) {
            if (i != m_nActive)
                ShowPage(i);
            return FALSE;
        }
    }
    for (CPropertyPage* page : m_pages)
        page->m_bChanged = FALSE;
    PageChanged();
    return TRUE;
}

void CPropertySheet::Cancel()
{
    CPropertyPage* active = GetActivePage();
    if (active && active->m_hWnd && !active->OnQueryCancel())
        return;
    for (CPropertyPage* page : m_pages)
        if (page->m_hWnd)
            page->OnReset();
    EndDialog(IDCANCEL);
}

void CPropertySheet::PageChanged()
{
    HWND apply = ::GetDlgItem(m_hWnd, ID_APPLY_NOW);
    if (!apply)
        return;
    const bool changed = std::any_of(m_pages.begin(), m_pages.end(), [](CPropertyPage* p) { return p->m_bChanged; });
    ::EnableWindow(apply, changed);
}

BOOL CPropertySheet::PressButton(int nButton)
{
    switch (nButton) {
    case PSBTN_OK:
        if (Apply())
            EndDialog(IDOK);
        return TRUE;
    case PSBTN_APPLYNOW:
        Apply();
        return TRUE;
    case PSBTN_CANCEL:
        Cancel();
        return TRUE;
    default:
        return FALSE;
    }
}

void CPropertySheet::EndDialog(int nEndID)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nEndID);
    else if (m_hWnd)
        DestroyWindow();
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const HWND from = reinterpret_cast<HWND>(lParam);
    if (!from || ::GetParent(from) == m_hWnd) {
        switch (LOWORD(wParam)) {
        case IDOK:
            return PressButton(PSBTN_OK);
        case ID_APPLY_NOW:
            return PressButton(PSBTN_APPLYNOW);
        case IDCANCEL:
            return PressButton(PSBTN_CANCEL);
        default:
            break;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->hwndFrom == m_tabCtrl.m_hWnd) {
        if (header->code == TCN_SELCHANGING) {
            CPropertyPage* active = GetActivePage();
            *pResult = active && active->m_hWnd && !active->OnKillActive();
            return TRUE;
        }
        if (header->code == TCN_SELCHANGE) {
            ShowPage(m_tabCtrl.GetCurSel());
            *pResult = 0;
            return TRUE;
        }
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd || !pMsg->hwnd || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return FALSE;
    if (pMsg->message == WM_KEYDOWN && ::GetKeyState(VK_CONTROL) < 0 && GetPageCount() > 0
        && (pMsg->wParam == VK_TAB || pMsg->wParam == VK_NEXT || pMsg->wParam == VK_PRIOR)) {
        const bool back = pMsg->wParam == VK_PRIOR || (pMsg->wParam == VK_TAB && ::GetKeyState(VK_SHIFT) < 0);
        const int count = GetPageCount();
        SetActivePage((m_nActive + (back ? count - 1 : 1)) % count);
        return TRUE;
    }
    return ::IsDialogMessage(m_hWnd, pMsg);
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT)
{
    m_strCaption = lpszText ? lpszText : "";
    if (m_hWnd)
        SetWindowText(m_strCaption.GetString());
}
