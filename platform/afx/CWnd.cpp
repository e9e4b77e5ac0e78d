#include "platform/afx/CWnd.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <set>
#include <string>
#include <utility>

#include "platform/afx/AfxHandleMap.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/AfxThreadState.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CScrollBar.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/Thread.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

namespace {

afx::HandleMap<CWnd, HWND>& Map()
{
    thread_local afx::HandleMap<CWnd, HWND> map(
        [](HWND handle) {
            auto wnd = std::make_unique<CWnd>();
            wnd->m_hWnd = handle;
            return wnd;
        },
        [](CWnd& wnd) { wnd.m_hWnd = nullptr; });
    return map;
}

// Button and dialog-code values of the standard controls (the controls' own headers hold them too).
constexpr UINT kButtonGetCheck = 0x00F0;
constexpr UINT kButtonSetCheck = 0x00F1;
constexpr LRESULT kDialogCodeButton = 0x2000;

template<typename Handler> Handler As(AFX_PMSG pfn) { return std::bit_cast<Handler>(pfn); }

// Looks an ON_REGISTERED_MESSAGE entry up by the message number its variable holds.
const AFX_MSGMAP_ENTRY* FindRegisteredEntry(const AFX_MSGMAP* pMap, UINT message)
{
    for (; pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = pMap->lpEntries; entry && entry->nSig != AfxSig_end; ++entry) {
            if (entry->nMessage == afx::kRegisteredMessage && *reinterpret_cast<const UINT*>(entry->nSig) == message)
                return entry;
        }
    }
    return nullptr;
}

// The enabled state of a command as its update handlers see it.
class CTestCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override { }
    void SetRadio(BOOL) override { }
    void SetText(LPCTSTR) override { }
};

// Enables or disables a dialog control as its update handler says.
class CControlCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        HWND control = m_pOther ? m_pOther->m_hWnd : nullptr;
        if (!control)
            return;
        // Focus must not stay on a control being disabled.
        if (!bOn && ::GetFocus() == control)
            ::SendMessage(::GetParent(control), WM_NEXTDLGCTL, 0, FALSE);
        ::EnableWindow(control, bOn);
    }
    void SetCheck(int nCheck) override
    {
        if (m_pOther)
            m_pOther->SendMessage(kButtonSetCheck, static_cast<WPARAM>(nCheck), 0);
    }
    void SetText(LPCTSTR lpszText) override
    {
        if (!m_pOther || !lpszText)
            return;
        // Every idle time sets the text again: only a change may repaint the control.
        CString current;
        m_pOther->GetWindowText(current);
        if (current != lpszText)
            m_pOther->SetWindowText(lpszText);
    }
};

std::set<std::string>& RegisteredClassNames()
{
    static std::set<std::string> names;
    return names;
}

} // namespace

// Creation and the maps.

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd && Map().LookupPermanent(m_hWnd) == this)
        DestroyWindow();
    if (m_hWnd)
        Detach();
}

CWnd* CWnd::FromHandle(HWND hWnd) { return Map().FromHandle(hWnd); }

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return hWnd ? Map().LookupPermanent(hWnd) : nullptr; }

void CWnd::DeleteTempMap() { Map().DeleteTemp(); }

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd || Map().LookupPermanent(hWndNew))
        return FALSE;
    m_hWnd = hWndNew;
    Map().SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd)
        Map().RemoveHandle(hWnd, this);
    m_hWnd = nullptr;
    return hWnd;
}

void CWnd::SubclassAttached(HWND hWnd)
{
    m_hWnd = hWnd;
    Map().SetPermanent(hWnd, this);
    PreSubclassWindow();
    auto current = reinterpret_cast<WNDPROC>(::GetWindowLongPtr(hWnd, GWLP_WNDPROC));
    if (current != &AfxWndProc) {
        m_pfnSuper = current;
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc));
    }
}

LRESULT CWnd::CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (code == HCBT_CREATEWND && state->m_pWndInit) {
        CWnd* wnd = state->m_pWndInit;
        state->m_pWndInit = nullptr;
        wnd->SubclassAttached(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(state->m_hHookOldCbtFilter, code, wParam, lParam);
}

void CWnd::HookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_nCreateHookDepth++ == 0)
        state->m_hHookOldCbtFilter = ::SetWindowsHookEx(WH_CBT, &CWnd::CbtFilterHook, nullptr, ::GetCurrentThreadId());
    state->m_pWndInit = pWnd;
}

void CWnd::UnhookWindowCreate()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    state->m_pWndInit = nullptr;
    if (--state->m_nCreateHookDepth == 0 && state->m_hHookOldCbtFilter) {
        ::UnhookWindowsHookEx(state->m_hHookOldCbtFilter);
        state->m_hHookOldCbtFilter = nullptr;
    }
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AFX_WND;
    return TRUE;
}

BOOL afx::RegisterStandardClass(LPCTSTR lpszClassName)
{
    if (!lpszClassName || IS_INTRESOURCE(lpszClassName))
        return FALSE;
    WNDCLASS wndClass;
    wndClass.lpfnWndProc = ::DefWindowProc;
    wndClass.hInstance = AfxGetInstanceHandle();
    wndClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    const std::string name(lpszClassName);
    if (name == AFX_WND) {
        wndClass.style = CS_DBLCLKS;
    } else if (name == AFX_WNDCONTROLBAR) {
        wndClass.style = CS_DBLCLKS;
        wndClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    } else if (name == AFX_WNDFRAMEORVIEW || name == AFX_WNDMDIFRAME) {
        wndClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wndClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    } else {
        return FALSE;
    }
    wndClass.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wndClass);
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
    UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
    CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, afx::Extent(rect.left, rect.right),
        afx::Extent(rect.top, rect.bottom), pParentWnd ? pParentWnd->m_hWnd : nullptr,
        reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd)
        return FALSE;
    CREATESTRUCT cs;
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    // The class library's own classes are registered when first used.
    afx::RegisterStandardClass(cs.lpszClass);
    AFX_THREAD_STATE* state = AfxGetThreadState();
    CWnd* outerInit = state->m_pWndInit;
    HookWindowCreate(this);
    const bool attachedBefore = m_hWnd != nullptr;
    HWND hWnd = ::CreateWindowEx(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style), cs.x, cs.y,
        cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    const bool hookMissed = state->m_pWndInit == this;
    UnhookWindowCreate();
    state->m_pWndInit = outerInit;
    if (hookMissed && !attachedBefore) {
        // The window manager refused before creation began: nothing was attached.
        PostNcDestroy();
        return FALSE;
    }
    // A window destroyed during creation has already been through OnNcDestroy and PostNcDestroy.
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND hWnd = m_hWnd;
    const bool permanent = Map().LookupPermanent(hWnd) == this;
    const BOOL result = ::DestroyWindow(hWnd);
    // A window that was not ours to begin with, or whose object was a temporary one, leaves no entry.
    if (!permanent && m_hWnd == hWnd)
        Detach();
    return result;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd) || m_hWnd || Map().LookupPermanent(hWnd))
        return FALSE;
    SubclassAttached(hWnd);
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (!pParent)
        return FALSE;
    HWND control = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return control && SubclassWindow(control);
}

HWND CWnd::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    if (m_pfnSuper) {
        ::SetWindowLongPtr(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        m_pfnSuper = nullptr;
    }
    return Detach();
}

// Messages.

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    const MSG outer = state->m_lastSentMsg;
    state->m_lastSentMsg.hwnd = hWnd;
    state->m_lastSentMsg.message = nMsg;
    state->m_lastSentMsg.wParam = wParam;
    state->m_lastSentMsg.lParam = lParam;
    const LRESULT result = pWnd->WindowProc(nMsg, wParam, lParam);
    state->m_lastSentMsg = outer;
    return result;
}

LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_QUERYAFXWNDPROC)
        return 1;
    CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
    if (!wnd)
        return ::DefWindowProc(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(wnd, hWnd, nMsg, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProc(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProc(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        result = 1;
    } else if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (!header || !header->hwndFrom || !OnNotify(wParam, lParam, &result))
            return FALSE;
    } else {
        const AFX_MSGMAP_ENTRY* entry = nullptr;
        if (message >= afx::kRegisteredMessage && message <= 0xFFFF) {
            entry = FindRegisteredEntry(GetMessageMap(), message);
        } else {
            UINT lookup = message;
            if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
                lookup = afx::kCtlColorMessage;
            entry = FindMessageEntry(GetMessageMap(), lookup, 0, 0);
        }
        if (!entry || !CallHandler(*entry, message, wParam, lParam, result))
            return FALSE;
    }
    if (pResult)
        *pResult = result;
    return TRUE;
}

BOOL CWnd::CallHandler(const AFX_MSGMAP_ENTRY& entry, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    const AFX_PMSG pfn = entry.pfn;
    if (entry.nMessage == afx::kRegisteredMessage) {
        result = (this->*As<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        return TRUE;
    }
    const UINT low = LOWORD(static_cast<DWORD_PTR>(lParam));
    const UINT high = HIWORD(static_cast<DWORD_PTR>(lParam));
    switch (entry.nSig) {
    case AfxSig_v_v:
        (this->*As<void (CWnd::*)()>(pfn))();
        break;
    case AfxSig_i_CREATE:
        result = (this->*As<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_b_CREATE:
        result = (this->*As<BOOL (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_v_u_ii:
        (this->*As<void (CWnd::*)(UINT, int, int)>(pfn))(
            static_cast<UINT>(wParam), static_cast<int>(low), static_cast<int>(high));
        break;
    case AfxSig_v_ii:
        (this->*As<void (CWnd::*)(int, int)>(pfn))(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case AfxSig_v_u_p:
        (this->*As<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), CPoint(lParam));
        break;
    case AfxSig_l_p:
        result = (this->*As<LRESULT (CWnd::*)(CPoint)>(pfn))(CPoint(lParam));
        break;
    case AfxSig_v_u_u_u:
        (this->*As<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(static_cast<UINT>(wParam), low, high);
        break;
    case AfxSig_b_D:
        result = (this->*As<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case AfxSig_b_W_u_u:
        result = (this->*As<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle(reinterpret_cast<HWND>(wParam)), low, high);
        break;
    case AfxSig_i_W_u_u:
        result = (this->*As<int (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(
            FromHandle(reinterpret_cast<HWND>(wParam)), low, high);
        break;
    case AfxSig_v_up:
        (this->*As<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam));
        break;
    case AfxSig_v_u_W_b:
        (this->*As<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(static_cast<DWORD_PTR>(wParam)),
            FromHandle(reinterpret_cast<HWND>(lParam)), HIWORD(static_cast<DWORD_PTR>(wParam)));
        break;
    case AfxSig_b_b:
        result = (this->*As<BOOL (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
        break;
    case AfxSig_v_b:
        (this->*As<void (CWnd::*)(BOOL)>(pfn))(static_cast<BOOL>(wParam));
        break;
    case AfxSig_v_b_u:
        (this->*As<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        break;
    case AfxSig_v_u_l:
        (this->*As<void (CWnd::*)(UINT, LPARAM)>(pfn))(static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig_v_W_p:
        (this->*As<void (CWnd::*)(CWnd*, CPoint)>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam));
        break;
    case AfxSig_b_u_s_p:
        result = (this->*As<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(LOWORD(static_cast<DWORD_PTR>(wParam)),
            static_cast<short>(HIWORD(static_cast<DWORD_PTR>(wParam))), CPoint(lParam));
        break;
    case AfxSig_v_u_u_Scroll:
        (this->*As<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(LOWORD(static_cast<DWORD_PTR>(wParam)),
            HIWORD(static_cast<DWORD_PTR>(wParam)),
            reinterpret_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_v_W: {
        // Capture changes name the new holder in lParam, focus changes the other window in wParam.
        const auto other = reinterpret_cast<HWND>(message == WM_CAPTURECHANGED ? lParam : static_cast<LPARAM>(wParam));
        (this->*As<void (CWnd::*)(CWnd*)>(pfn))(FromHandle(other));
        break;
    }
    case AfxSig_v_M_u_b:
        (this->*As<void (CWnd::*)(CMenu*, UINT, BOOL)>(pfn))(
            CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)), low, static_cast<BOOL>(high));
        break;
    case AfxSig_v_M:
        (this->*As<void (CWnd::*)(CMenu*)>(pfn))(CMenu::FromHandle(reinterpret_cast<HMENU>(wParam)));
        break;
    case AfxSig_v_u_W:
        (this->*As<void (CWnd::*)(UINT, CWnd*)>(pfn))(
            static_cast<UINT>(wParam), FromHandle(reinterpret_cast<HWND>(lParam)));
        break;
    case AfxSig_b_HELPINFO:
        result = (this->*As<BOOL (CWnd::*)(HELPINFO*)>(pfn))(reinterpret_cast<HELPINFO*>(lParam));
        break;
    case AfxSig_v_MINMAX:
        (this->*As<void (CWnd::*)(MINMAXINFO*)>(pfn))(reinterpret_cast<MINMAXINFO*>(lParam));
        break;
    case AfxSig_v_POS:
        (this->*As<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case AfxSig_v_b_NCCALC:
        (this->*As<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))(
            static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case AfxSig_u_v:
        result = (this->*As<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_b_v:
        result = (this->*As<BOOL (CWnd::*)()>(pfn))();
        break;
    case AfxSig_h_D_W_u:
        result = reinterpret_cast<LRESULT>((this->*As<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(pfn))(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), FromHandle(reinterpret_cast<HWND>(lParam)),
            message - WM_CTLCOLORMSGBOX));
        break;
    case AfxSig_v_b_dw:
        (this->*As<void (CWnd::*)(BOOL, DWORD)>(pfn))(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam));
        break;
    case AfxSig_v_u_u_M:
        (this->*As<void (CWnd::*)(UINT, UINT, HMENU)>(pfn))(LOWORD(static_cast<DWORD_PTR>(wParam)),
            HIWORD(static_cast<DWORD_PTR>(wParam)), reinterpret_cast<HMENU>(lParam));
        break;
    case AfxSig_v_u_s:
        (this->*As<void (CWnd::*)(UINT, LPCTSTR)>(pfn))(static_cast<UINT>(wParam), reinterpret_cast<LPCTSTR>(lParam));
        break;
    case AfxSig_v_b_W_W:
        (this->*As<void (CWnd::*)(BOOL, CWnd*, CWnd*)>(pfn))(reinterpret_cast<HWND>(lParam) == m_hWnd,
            FromHandle(reinterpret_cast<HWND>(lParam)), FromHandle(reinterpret_cast<HWND>(wParam)));
        break;
    case AfxSig_l_w_l:
        result = (this->*As<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig_v_i_DRAW:
        (this->*As<void (CWnd::*)(int, LPDRAWITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        result = TRUE;
        break;
    case AfxSig_v_i_MEASURE:
        (this->*As<void (CWnd::*)(int, LPMEASUREITEMSTRUCT)>(pfn))(
            static_cast<int>(wParam), reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        result = TRUE;
        break;
    case AfxSig_v_DRAW:
        (this->*As<void (CWnd::*)(LPDRAWITEMSTRUCT)>(pfn))(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        result = TRUE;
        break;
    case AfxSig_v_MEASURE:
        (this->*As<void (CWnd::*)(LPMEASUREITEMSTRUCT)>(pfn))(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        result = TRUE;
        break;
    case AfxSig_l_u_u_M:
        result = (this->*As<LRESULT (CWnd::*)(UINT, UINT, CMenu*)>(pfn))(LOWORD(static_cast<DWORD_PTR>(wParam)),
            HIWORD(static_cast<DWORD_PTR>(wParam)), CMenu::FromHandle(reinterpret_cast<HMENU>(lParam)));
        break;
    case AfxSig_v_HDROP:
        (this->*As<void (CWnd::*)(HDROP)>(pfn))(reinterpret_cast<HDROP>(wParam));
        break;
    default:
        return FALSE;
    }
    return TRUE;
}

BOOL CWnd::DispatchCommand(const AFX_MSGMAP_ENTRY& entry, UINT nID, int nCode, void* pExtra)
{
    auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
    switch (entry.nSig) {
    case AfxSigNotify_v:
        if (!notify)
            return FALSE;
        (this->*As<void (CWnd::*)(NMHDR*, LRESULT*)>(entry.pfn))(notify->pNMHDR, notify->pResult);
        return TRUE;
    case AfxSigNotify_b:
        return notify && (this->*As<BOOL (CWnd::*)(NMHDR*, LRESULT*)>(entry.pfn))(notify->pNMHDR, notify->pResult);
    case AfxSigNotify_RANGE:
        if (!notify)
            return FALSE;
        (this->*As<void (CWnd::*)(UINT, NMHDR*, LRESULT*)>(entry.pfn))(nID, notify->pNMHDR, notify->pResult);
        return TRUE;
    case AfxSigNotify_EX:
        return notify
            && (this->*As<BOOL (CWnd::*)(UINT, NMHDR*, LRESULT*)>(entry.pfn))(nID, notify->pNMHDR, notify->pResult);
    default:
        return CCmdTarget::DispatchCommand(entry, nID, nCode, pExtra);
    }
}

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_nFlags & WF_TOOLTIPS)
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        CWnd* wnd = FromHandlePermanent(hWnd);
        if (wnd && wnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(static_cast<DWORD_PTR>(wParam));
    const auto hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(static_cast<DWORD_PTR>(wParam));
    if (!hWndCtrl) {
        // A menu item or accelerator whose update handler has it disabled does nothing.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        if (ReflectLastMsg(hWndCtrl))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (!header)
        return FALSE;
    if (ReflectLastMsg(header->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify { pResult, header };
    return OnCmdMsg(static_cast<UINT>(header->idFrom), static_cast<int>(MAKELONG(LOWORD(header->code), WM_NOTIFY)),
        &notify, nullptr);
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    // An owner-drawn control whose class draws it gets the message back; menus and the rest go on.
    if (lpDrawItemStruct && lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct && lpMeasureItemStruct->CtlType != ODT_MENU) {
        const HWND control = ::GetDlgItem(m_hWnd, nIDCtl);
        if (control && ReflectLastMsg(control))
            return;
    }
    Default();
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_COMMAND: {
        const int code = HIWORD(static_cast<DWORD_PTR>(wParam));
        if (!OnCmdMsg(0, static_cast<int>(MAKELONG(code, WM_COMMAND + WM_REFLECT_BASE)), nullptr, nullptr))
            return FALSE;
        if (pResult)
            *pResult = 1;
        return TRUE;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (!header)
            return FALSE;
        LRESULT ignored = 0;
        AFX_NOTIFY notify { pResult ? pResult : &ignored, header };
        return OnCmdMsg(0, static_cast<int>(MAKELONG(LOWORD(header->code), WM_NOTIFY + WM_REFLECT_BASE)), &notify,
            nullptr);
    }
    default:
        // Other notifications (WM_HSCROLL, control colours, drawing) are reflected as their own message.
        if (message + WM_REFLECT_BASE > 0xFFFF)
            return FALSE;
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* child = FromHandlePermanent(hWndChild);
    return child && child->SendChildNotifyLastMsg(pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

// Layout and the window tree.

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD exStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        exStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, exStyle);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
    LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout;
    layout.bStretch = bStretch;
    if (lpRectClient)
        layout.rect = *lpRectClient;
    else
        GetClientRect(&layout.rect);
    layout.hDWP = (nFlags & reposQuery) ? nullptr : ::BeginDeferWindowPos(8);
    if (!(nFlags & reposQuery) && !layout.hDWP)
        return;

    HWND leftOver = nullptr;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const UINT nID = static_cast<UINT>(::GetDlgCtrlID(child));
        if (nID == nIDLeftOver)
            leftOver = child;
        else if (nID >= nIDFirst && nID <= nIDLast && FromHandlePermanent(child))
            ::SendMessage(child, WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    }

    if (nFlags & reposQuery) {
        // The caller learns what is left, or (reposExtra) the client rect grown by its own borders.
        if (lpRectParam) {
            if (bStretch)
                *lpRectParam = layout.rect;
            else {
                lpRectParam->left = lpRectParam->top = 0;
                lpRectParam->right = layout.sizeTotal.cx;
                lpRectParam->bottom = layout.sizeTotal.cy;
            }
        }
        return;
    }

    if (nIDLeftOver != 0 && leftOver) {
        CWnd* pane = FromHandle(leftOver);
        if ((nFlags & reposExtra) && lpRectParam) {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        pane->CalcWindowRect(&layout.rect);
        if (!(nFlags & reposNoPosLeftOver))
            layout.hDWP = ::DeferWindowPos(layout.hDWP, leftOver, nullptr, layout.rect.left, layout.rect.top,
                layout.rect.right - layout.rect.left, layout.rect.bottom - layout.rect.top,
                SWP_NOACTIVATE | SWP_NOZORDER);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND child = ::GetTopWindow(m_hWnd); child;) {
        // The next sibling is taken first: a handler may destroy the child.
        HWND next = ::GetWindow(child, GW_HWNDNEXT);
        if (bOnlyPerm) {
            if (CWnd* wnd = FromHandlePermanent(child))
                AfxCallWndProc(wnd, child, message, wParam, lParam);
        } else {
            ::SendMessage(child, message, wParam, lParam);
        }
        if (bDeep && ::IsWindow(child) && ::GetTopWindow(child)) {
            CWnd* wnd = FromHandle(child);
            wnd->SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
        }
        child = next;
    }
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (!pTarget)
        return;
    CControlCmdUI state;
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        state.m_nID = static_cast<UINT>(::GetDlgCtrlID(child));
        state.m_pOther = FromHandle(child);
        // Controls that answer reflected notifications update themselves.
        if (CWnd* control = FromHandlePermanent(child);
            control && control->OnCmdMsg(0, static_cast<int>(MAKELONG(CN_UPDATE_COMMAND_UI, WM_COMMAND + WM_REFLECT_BASE)),
                           &state, nullptr))
            continue;
        // Ids of static texts and the like are not commands.
        if (state.m_nID == 0 || state.m_nID == 0xFFFF)
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler && (::SendMessage(child, WM_GETDLGCODE, 0, 0) & kDialogCodeButton));
    }
}


CWnd* CWnd::GetTopLevelParent() const
{
    if (!m_hWnd)
        return nullptr;
    HWND top = m_hWnd;
    while (::GetWindowLong(top, GWL_STYLE) & WS_CHILD) {
        HWND parent = ::GetParent(top);
        if (!parent)
            break;
        top = parent;
    }
    return FromHandle(top);
}

CWnd* CWnd::GetTopLevelOwner() const
{
    if (!m_hWnd)
        return nullptr;
    HWND top = m_hWnd;
    for (HWND owner = ::GetWindow(top, GW_OWNER); owner; owner = ::GetWindow(top, GW_OWNER))
        top = owner;
    return FromHandle(top);
}

CWnd* CWnd::GetParentOwner() const
{
    if (!m_hWnd)
        return nullptr;
    HWND parent = m_hWnd;
    while (parent && (::GetWindowLong(parent, GWL_STYLE) & WS_CHILD))
        parent = ::GetParent(parent);
    return FromHandle(parent);
}

CWnd* CWnd::GetOwner() const { return m_hWndOwner ? FromHandle(m_hWndOwner) : GetParent(); }

BOOL CWnd::IsTopParentActive() const
{
    CWnd* top = GetTopLevelParent();
    if (!top)
        return FALSE;
    HWND active = ::GetForegroundWindow();
    // An owned window (a floating bar) being active counts for its owner.
    while (active && active != top->m_hWnd)
        active = ::GetWindow(active, GW_OWNER);
    return active == top->m_hWnd;
}

void CWnd::ActivateTopParent()
{
    CWnd* top = GetTopLevelParent();
    if (top && !top->IsTopParentActive())
        top->SetForegroundWindow();
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND child = ::GetTopWindow(m_hWnd); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(child) == nID && (!bOnlyPerm || FromHandlePermanent(child)))
            return FromHandle(child);
        if (::GetTopWindow(child)) {
            if (CWnd* found = FromHandle(child)->GetDescendantWindow(nID, bOnlyPerm))
                return found;
        }
    }
    return nullptr;
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    HWND owner = pParent ? pParent->m_hWnd : nullptr;
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->m_hWnd : nullptr;
    }
    while (owner && (::GetWindowLong(owner, GWL_STYLE) & WS_CHILD))
        owner = ::GetParent(owner);
    if (pWndTop)
        *pWndTop = owner;
    return FromHandle(owner);
}

BOOL CWnd::HandleFloatingSysCommand(UINT nID, LPARAM lParam)
{
    CWnd* parent = GetTopLevelParent();
    switch (nID & 0xFFF0) {
    case SC_PREVWINDOW:
    case SC_NEXTWINDOW:
        if (LOWORD(static_cast<DWORD_PTR>(lParam)) == VK_F6 && parent) {
            parent->SetFocus();
            return TRUE;
        }
        break;
    case SC_CLOSE:
    case SC_KEYMENU:
        // A floating palette's owner gets what the user meant for the application.
        if ((nID & 0xFFF0) == SC_CLOSE || lParam != 0) {
            if (parent) {
                parent->ActivateTopParent();
                parent->SendMessage(WM_SYSCOMMAND, nID, lParam);
            }
            return TRUE;
        }
        break;
    default:
        break;
    }
    return FALSE;
}

// The window API.

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD style = static_cast<DWORD>(::GetWindowLong(hWnd, GWL_STYLE));
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLong(hWnd, GWL_STYLE, static_cast<LONG>(newStyle));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD style = static_cast<DWORD>(::GetWindowLong(hWnd, GWL_EXSTYLE));
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    ::SetWindowLong(hWnd, GWL_EXSTYLE, static_cast<LONG>(newStyle));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) { return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags); }

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

int CWnd::SetDlgCtrlID(int nID) { return static_cast<int>(::SetWindowLongPtr(m_hWnd, GWLP_ID, nID)); }

CWnd* CWnd::SetParent(CWnd* pWndNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pWndNewParent ? pWndNewParent->m_hWnd : nullptr));
}

void CWnd::ClientToScreen(LPRECT lpRect) const { ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<LPPOINT>(lpRect), 2); }

void CWnd::ScreenToClient(LPRECT lpRect) const { ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2); }

void CWnd::MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const
{
    ::MapWindowPoints(m_hWnd, pwndTo ? pwndTo->m_hWnd : nullptr, lpPoint, nCount);
}

void CWnd::MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const
{
    MapWindowPoints(pwndTo, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
}

void CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    MoveWindow(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    // The special positions (wndTop, wndBottom...) are passed as their handle values.
    HWND after = reinterpret_cast<HWND>(const_cast<CWnd*>(pWndInsertAfter));
    if (pWndInsertAfter && reinterpret_cast<UINT_PTR>(pWndInsertAfter) > 0xFFFF
        && reinterpret_cast<INT_PTR>(pWndInsertAfter) > 0)
        after = pWndInsertAfter->m_hWnd;
    return ::SetWindowPos(m_hWnd, after, x, y, cx, cy, nFlags);
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    CRect rect;
    GetWindowRect(&rect);
    CRect area;
    if (GetStyle() & WS_CHILD) {
        // A child centres in its parent's client area, in the parent's coordinates.
        HWND parent = ::GetParent(m_hWnd);
        ::GetClientRect(parent, &area);
        ::MapWindowPoints(nullptr, parent, reinterpret_cast<LPPOINT>(&rect), 2);
    } else {
        HWND center = pAlternateOwner ? pAlternateOwner->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
        if (center && ::IsWindowVisible(center) && !::IsIconic(center))
            ::GetWindowRect(center, &area);
        else
            ::SystemParametersInfo(SPI_GETWORKAREA, 0, &area, 0);
    }
    int x = area.CenterPoint().x - rect.Width() / 2;
    int y = area.CenterPoint().y - rect.Height() / 2;
    if (!(GetStyle() & WS_CHILD)) {
        // Centred on an owner near the screen's edge, a window would hang off it: it stays on the
        // work area as far as it fits, its top-left corner first.
        RECT work {};
        ::SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
        x = std::max(std::min(x, static_cast<int>(work.right) - rect.Width()), static_cast<int>(work.left));
        y = std::max(std::min(y, static_cast<int>(work.bottom) - rect.Height()), static_cast<int>(work.top));
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const
{
    return ::GetWindowText(m_hWnd, lpszStringBuf, nMaxCount);
}

void CWnd::GetWindowText(CString& rString) const
{
    const int length = ::GetWindowTextLength(m_hWnd);
    ::GetWindowText(m_hWnd, rString.GetBufferSetLength(length), length + 1);
    rString.ReleaseBuffer();
}

CMenu* CWnd::GetMenu() const { return CMenu::FromHandle(::GetMenu(m_hWnd)); }

BOOL CWnd::SetMenu(CMenu* pMenu) { return ::SetMenu(m_hWnd, pMenu ? pMenu->m_hMenu : nullptr); }

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const { return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert)); }

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const { return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT))); }

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(hIcon)));
}

HICON CWnd::GetIcon(BOOL bBigIcon) const
{
    return reinterpret_cast<HICON>(SendMessage(WM_GETICON, bBigIcon ? ICON_BIG : ICON_SMALL));
}

void CWnd::InvalidateRgn(CRgn* pRgn, BOOL bErase) { ::InvalidateRgn(m_hWnd, pRgn ? static_cast<HRGN>(*pRgn) : nullptr, bErase); }

BOOL CWnd::RedrawWindow(LPCRECT lpRectUpdate, CRgn* prgnUpdate, UINT flags)
{
    return ::RedrawWindow(m_hWnd, lpRectUpdate, prgnUpdate ? static_cast<HRGN>(*prgnUpdate) : nullptr, flags);
}

CDC* CWnd::GetDCEx(CRgn* prgnClip, DWORD flags)
{
    return CDC::FromHandle(::GetDCEx(m_hWnd, prgnClip ? static_cast<HRGN>(*prgnClip) : nullptr, flags));
}

int CWnd::ReleaseDC(CDC* pDC) { return pDC ? ::ReleaseDC(m_hWnd, pDC->m_hDC) : 0; }

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    return ::MessageBox(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}

void CWnd::SetDlgItemText(int nID, LPCTSTR lpszString)
{
    if (HWND item = ::GetDlgItem(m_hWnd, nID))
        ::SetWindowText(item, lpszString);
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    if (CWnd* item = GetDlgItem(nID))
        item->GetWindowText(rString);
    return rString.GetLength();
}

void CWnd::SetDlgItemInt(int nID, UINT nValue, BOOL bSigned)
{
    CString text;
    if (bSigned)
        text.Format("%d", static_cast<int>(nValue));
    else
        text.Format("%u", nValue);
    SetDlgItemText(nID, text);
}

UINT CWnd::GetDlgItemInt(int nID, BOOL* lpTrans, BOOL bSigned) const
{
    CString text;
    GetDlgItemText(nID, text);
    text.Trim();
    char* end = nullptr;
    const long long value = bSigned ? std::strtoll(text, &end, 10) : static_cast<long long>(std::strtoull(text, &end, 10));
    const bool ok = !text.IsEmpty() && end && *end == '\0' && (bSigned || text[0] != '-')
        && value >= (bSigned ? INT32_MIN : 0) && value <= (bSigned ? INT32_MAX : static_cast<long long>(UINT32_MAX));
    if (lpTrans)
        *lpTrans = ok;
    return ok ? static_cast<UINT>(value) : 0;
}

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    HWND item = ::GetDlgItem(m_hWnd, nID);
    return item ? ::SendMessage(item, message, wParam, lParam) : 0;
}

void CWnd::CheckDlgButton(int nIDButton, UINT nCheck) { SendDlgItemMessage(nIDButton, kButtonSetCheck, nCheck, 0); }

UINT CWnd::IsDlgButtonChecked(int nIDButton) const
{
    return static_cast<UINT>(SendDlgItemMessage(nIDButton, kButtonGetCheck, 0, 0));
}

namespace {

// The window and bar kind that hold bar nBar of pWnd: its scroll-bar control when it names one.
std::pair<HWND, int> ScrollTarget(const CWnd& wnd, int nBar)
{
    if (CScrollBar* bar = wnd.GetScrollBarCtrl(nBar))
        return { bar->m_hWnd, SB_CTL };
    return { wnd.m_hWnd, nBar };
}

} // namespace

int CWnd::GetScrollPos(int nBar) const
{
    const auto [window, bar] = ScrollTarget(*this, nBar);
    return ::GetScrollPos(window, bar);
}

int CWnd::SetScrollPos(int nBar, int nPos, BOOL bRedraw)
{
    const auto [window, bar] = ScrollTarget(*this, nBar);
    return ::SetScrollPos(window, bar, nPos, bRedraw);
}

void CWnd::GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const
{
    const auto [window, bar] = ScrollTarget(*this, nBar);
    ::GetScrollRange(window, bar, lpMinPos, lpMaxPos);
}

void CWnd::SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw)
{
    const auto [window, bar] = ScrollTarget(*this, nBar);
    ::SetScrollRange(window, bar, nMinPos, nMaxPos, bRedraw);
}

BOOL CWnd::GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask)
{
    if (!lpScrollInfo)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    lpScrollInfo->fMask = nMask;
    const auto [window, bar] = ScrollTarget(*this, nBar);
    return ::GetScrollInfo(window, bar, lpScrollInfo);
}

BOOL CWnd::SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw)
{
    if (!lpScrollInfo)
        return FALSE;
    lpScrollInfo->cbSize = sizeof(SCROLLINFO);
    const auto [window, bar] = ScrollTarget(*this, nBar);
    ::SetScrollInfo(window, bar, lpScrollInfo, bRedraw);
    return TRUE;
}

// Default handlers.

int CWnd::OnCreate(LPCREATESTRUCT) { return static_cast<int>(Default()); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return static_cast<BOOL>(Default()); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnNcPaint() { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return static_cast<BOOL>(Default()); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return static_cast<int>(Default()); }
void CWnd::OnEnable(BOOL) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnChildActivate() { Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnParentNotify(UINT, LPARAM) { Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return static_cast<BOOL>(Default()); }
void CWnd::OnInitMenu(CMenu*) { Default(); }
void CWnd::OnInitMenuPopup(CMenu*, UINT, BOOL) { Default(); }
void CWnd::OnMenuSelect(UINT, UINT, HMENU) { Default(); }
LRESULT CWnd::OnMenuChar(UINT, UINT, CMenu*) { return Default(); }
void CWnd::OnDropFiles(HDROP hDropInfo) { ::DragFinish(hDropInfo); }
void CWnd::OnEnterIdle(UINT, CWnd*) { Default(); }
void CWnd::OnEnterMenuLoop(BOOL) { Default(); }
void CWnd::OnExitMenuLoop(BOOL) { Default(); }
UINT CWnd::OnGetDlgCode() { return static_cast<UINT>(Default()); }
BOOL CWnd::OnQueryEndSession() { return static_cast<BOOL>(Default()); }
void CWnd::OnEndSession(BOOL) { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnMDIActivate(BOOL, CWnd*, CWnd*) { Default(); }
void CWnd::OnHScroll(UINT, UINT, CScrollBar*) { Default(); }
void CWnd::OnVScroll(UINT, UINT, CScrollBar*) { Default(); }
BOOL CWnd::OnMouseWheel(UINT, short, CPoint) { return static_cast<BOOL>(Default()); }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }

void CWnd::OnSysColorChange()
{
    Default();
    // Top-level windows pass the change on, so child windows with cached colours repaint in the new ones.
    if (!(GetStyle() & WS_CHILD))
        SendMessageToDescendants(WM_SYSCOLORCHANGE, 0, 0, TRUE, TRUE);
}

void CWnd::OnNcDestroy()
{
    Default();
    // The window is gone: the object lets go of it before PostNcDestroy may delete the object.
    m_pfnSuper = nullptr;
    // The main window going ends its thread's message loop.
    if (CWinThread* thread = AfxGetThread(); thread && thread->m_pMainWnd == this) {
        thread->m_pMainWnd = nullptr;
        ::PostQuitMessage(0);
    }
    Detach();
    PostNcDestroy();
}

// Window classes and the main window.

BOOL AfxRegisterClass(WNDCLASS* lpWndClass)
{
    if (!lpWndClass || !lpWndClass->lpszClassName)
        return FALSE;
    WNDCLASS existing;
    if (::GetClassInfo(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing))
        return TRUE;
    return ::RegisterClass(lpWndClass) != 0;
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    char name[128];
    std::snprintf(name, sizeof(name), "Afx:%p:%x:%p:%p:%p", static_cast<void*>(AfxGetInstanceHandle()), nClassStyle,
        static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    auto [it, inserted] = RegisteredClassNames().insert(name);
    WNDCLASS wndClass;
    wndClass.style = nClassStyle;
    wndClass.lpfnWndProc = ::DefWindowProc;
    wndClass.hInstance = AfxGetInstanceHandle();
    wndClass.hCursor = hCursor;
    wndClass.hbrBackground = hbrBackground;
    wndClass.hIcon = hIcon;
    wndClass.lpszClassName = it->c_str();
    if (!AfxRegisterClass(&wndClass)) {
        if (inserted)
            RegisteredClassNames().erase(it);
        return nullptr;
    }
    return it->c_str();
}

CWnd* AfxGetMainWnd()
{
    CWinThread* thread = AfxGetThread();
    return thread ? thread->GetMainWnd() : nullptr;
}
