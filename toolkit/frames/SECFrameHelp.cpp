#include "toolkit/frames/SECFrameHelp.h"

#include <cstdlib>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CControlBar.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/frames/SECControlsLink.h"

namespace SECFrameHelp {

namespace {

// The help contexts of the caption buttons a maximised MDI child shows on the menu bar.
constexpr DWORD kHelpMinimize = 0x1EF02;
constexpr DWORD kHelpRestore = 0x1EF12;
constexpr DWORD kHelpClose = 0x1EF06;
constexpr DWORD kHelpHitTestBase = 0x40000;
constexpr int kHitMinButton = 8;
constexpr int kHitMaxButton = 9;
constexpr int kHitClose = 20;

} // namespace

void RunContextHelp(CFrameWnd& frame, SECMenuBar* pMenuBar)
{
    MSG msg;
    if (frame.m_bHelpMode == kHelpActive || !frame.CanEnterHelpMode())
        return;
    if (::PeekMessage(&msg, frame.m_hWnd, WM_EXITHELPMODE, WM_EXITHELPMODE, PM_REMOVE)) {
        // Left before it began: the frame must not stay half in help mode, where its commands would
        // ask for help instead of running.
        if (frame.m_bHelpMode == kHelpEntering)
            frame.m_bHelpMode = kHelpInactive;
        return;
    }
    const BOOL bPrevious = frame.m_bHelpMode;
    frame.m_bHelpMode = kHelpActive;
    if (bPrevious == kHelpInactive) {
        // Help mode starts on the next pass, once the menu that chose the command has gone.
        frame.PostMessage(WM_COMMAND, ID_CONTEXT_HELP);
        frame.m_bHelpMode = kHelpEntering;
        return;
    }
    LRESULT lastPrompt = frame.SendMessage(WM_SETMESSAGESTRING, AFX_IDS_HELPMODEMESSAGE);
    if (lastPrompt == 0)
        lastPrompt = AFX_IDS_IDLEMESSAGE;
    POINT point {};
    ::GetCursorPos(&point);
    frame.SetHelpCapture(point, nullptr);

    const HWND hWnd = frame.m_hWnd;
    DWORD dwContext = 0;
    CWinApp* pApp = AfxGetApp();
    for (LONG lIdle = 0; frame.m_bHelpMode == kHelpActive && ::IsWindow(hWnd);) {
        if (::PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!ProcessHelpMsg(frame, pMenuBar, msg, &dwContext))
                break;
        } else if (!pApp || !pApp->OnIdle(lIdle++)) {
            lIdle = 0;
            ::WaitMessage();
        }
    }
    if (!::IsWindow(hWnd))
        return;
    frame.m_bHelpMode = kHelpInactive;
    ::ReleaseCapture();
    frame.SetCapture();
    ::ReleaseCapture();
    frame.SendMessage(WM_SETMESSAGESTRING, static_cast<WPARAM>(lastPrompt));
    if (dwContext == 0xFFFFFFFF)
        frame.SendMessage(WM_COMMAND, ID_DEFAULT_HELP);
    else if (dwContext != 0 && pApp)
        pApp->WinHelp(dwContext, 0x0001 /* HELP_CONTEXT */);
    frame.PostMessage(WM_KICKIDLE);
}

BOOL ProcessHelpMsg(CFrameWnd& frame, SECMenuBar* pMenuBarObject, MSG& msg, DWORD* pContext)
{
    if (msg.message == WM_EXITHELPMODE || (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)) {
        ::PeekMessage(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        return FALSE;
    }
    if (msg.message == WM_QUIT) {
        // Left for the program's own loop.
        return FALSE;
    }
    const BOOL bClientMouse = msg.message >= WM_MOUSEFIRST && msg.message <= WM_MBUTTONDBLCLK;
    const BOOL bNonClientMouse = msg.message >= WM_NCMOUSEMOVE && msg.message <= WM_NCMBUTTONDBLCLK;
    if (!bClientMouse && !bNonClientMouse) {
        ::PeekMessage(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        return frame.CFrameWnd::ProcessHelpMsg(msg, pContext);
    }
    frame.SetHelpCapture(msg.pt, nullptr);
    const HWND hWndAt = ::WindowFromPoint(msg.pt);
    if (!hWndAt) {
        ::PeekMessage(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        return TRUE;
    }
    if (hWndAt != frame.m_hWnd && !::IsChild(frame.m_hWnd, hWndAt)) {
        ::PeekMessage(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        return frame.CFrameWnd::ProcessHelpMsg(msg, pContext);
    }
    if (msg.message != WM_LBUTTONDOWN) {
        ::PeekMessage(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        return TRUE;
    }
    const SECControlsLink& link = SECControlsLink::Get();
    CControlBar* pMenuBar = pMenuBarObject && link.menuBarWindow ? link.menuBarWindow(pMenuBarObject) : nullptr;
    POINT client = msg.pt;
    ::ScreenToClient(hWndAt, &client);
    const LRESULT nHit = ::SendMessage(hWndAt, WM_NCHITTEST, 0, MAKELPARAM(msg.pt.x, msg.pt.y));
    if (!pMenuBar || hWndAt != pMenuBar->m_hWnd || nHit != HTCLIENT) {
        ::PeekMessage(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
        return frame.CFrameWnd::ProcessHelpMsg(msg, pContext);
    }
    ::PeekMessage(&msg, nullptr, msg.message, msg.message, PM_REMOVE);
    TOOLINFO ti {};
    if (pMenuBar->OnToolHitTest(CPoint(client), &ti) == -1)
        return TRUE;
    if (ti.lpszText != LPSTR_TEXTCALLBACK)
        std::free(ti.lpszText);
    if (ti.uFlags == 0) {
        // An ordinary item: its menu opens inside help mode.
        pMenuBar->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        return TRUE;
    }
    const int nCode = static_cast<int>(ti.uFlags);
    if (pContext)
        *pContext = nCode == kHitMinButton ? kHelpMinimize
            : nCode == kHitMaxButton       ? kHelpRestore
            : nCode == kHitClose           ? kHelpClose
                                           : kHelpHitTestBase + static_cast<DWORD>(nCode);
    return FALSE;
}

} // namespace SECFrameHelp
