#include "platform/afx/CWinThread.h"

#include <vector>

#include "platform/afx/AfxState.h"
#include "platform/afx/AfxToolTipState.h"
#include "platform/afx/AfxHandleMap.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/CWnd.h"
#include "platform/base/Thread.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

thread_local CWinThread* t_currentThread = nullptr;

// The window manager's caret-blink timer message.
constexpr UINT kCaretBlinkMessage = 0x0118;

} // namespace

CWinThread::CWinThread() = default;

CWinThread::CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam)
    : m_pfnThreadProc(pfnThreadProc)
    , m_pThreadParams(pParam)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread)
        CloseHandle(m_hThread);
}

BOOL CWinThread::CreateThread(DWORD dwCreateFlags, UINT nStackSize, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (m_hThread || !m_pfnThreadProc)
        return FALSE;
    // Started suspended in any case, so the handle and id are in place before the thread can end.
    DWORD id = 0;
    HANDLE thread = ::CreateThread(
        lpSecurityAttrs, nStackSize, &CWinThread::ThreadEntry, this, dwCreateFlags | CREATE_SUSPENDED, &id);
    if (!thread)
        return FALSE;
    m_hThread = thread;
    m_nThreadID = id;
    if (!(dwCreateFlags & CREATE_SUSPENDED) && ::ResumeThread(thread) == static_cast<DWORD>(-1)) {
        TerminateThread(thread, 0);
        ::ResumeThread(thread);
        CloseHandle(thread);
        m_hThread = nullptr;
        m_nThreadID = 0;
        return FALSE;
    }
    return TRUE;
}

DWORD CWinThread::ResumeThread() { return m_hThread ? ::ResumeThread(m_hThread) : static_cast<DWORD>(-1); }

void CWinThread::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

DWORD CWinThread::ThreadEntry(LPVOID self)
{
    auto* thread = static_cast<CWinThread*>(self);
    t_currentThread = thread;
    const UINT exitCode = thread->m_pfnThreadProc(thread->m_pThreadParams);
    t_currentThread = nullptr;
    thread->Delete();
    return exitCode;
}

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int, UINT nStackSize, DWORD dwCreateFlags,
    LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    if (!pfnThreadProc)
        return nullptr;
    auto* thread = new CWinThread(pfnThreadProc, pParam);
    if (!thread->CreateThread(dwCreateFlags, nStackSize, lpSecurityAttrs)) {
        delete thread;
        return nullptr;
    }
    return thread;
}

CWinThread* AfxGetThread()
{
    if (t_currentThread)
        return t_currentThread;
    CWinApp* app = AfxGetApp();
    return app && app->m_nThreadID == GetCurrentThreadId() ? app : nullptr;
}

int CWinThread::Run()
{
    BOOL idle = TRUE;
    LONG idleCount = 0;
    for (;;) {
        while (idle && !::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(idleCount++))
                idle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                idle = TRUE;
                idleCount = 0;
            }
        } while (::PeekMessage(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessage(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (m_msgCur.message != WM_KICKIDLE && !PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessage(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    AfxLeaveToolTip(pMsg);
    CWnd* main = AfxGetMainWnd();
    if (CWnd::WalkPreTranslateTree(main ? main->m_hWnd : nullptr, pMsg))
        return TRUE;
    // A message for another top-level window (a floating bar) still goes past the main window.
    if (main && pMsg->hwnd) {
        CWnd* target = CWnd::FromHandle(pMsg->hwnd);
        CWnd* top = target ? target->GetTopLevelParent() : nullptr;
        if (top && top->m_hWnd != main->m_hWnd && main->PreTranslateMessage(pMsg))
            return TRUE;
    }
    return FALSE;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* main = GetMainWnd();
        if (main && main->m_hWnd && main->IsWindowVisible()) {
            AfxCallWndProc(main, main->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
        // The thread's other frames (floating palettes among them) update their bars too.
        UpdateOtherFrames(main ? main->m_hWnd : nullptr);
    } else if (lCount >= 1) {
        // Temporary objects die here unless someone holds the maps locked.
        AfxLockTempMaps();
        AfxUnlockTempMaps(TRUE);
    }
    return lCount < 1;
}

void CWinThread::UpdateOtherFrames(HWND hWndMain)
{
    std::vector<HWND> frames;
    ::EnumThreadWindows(
        ::GetCurrentThreadId(),
        [](HWND hWnd, LPARAM lParam) {
            CWnd* wnd = CWnd::FromHandlePermanent(hWnd);
            if (wnd && wnd->IsFrameWnd() && ::IsWindowVisible(hWnd))
                reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&frames));
    for (HWND hWnd : frames) {
        CWnd* frame = CWnd::FromHandlePermanent(hWnd);
        if (hWnd == hWndMain || !frame)
            continue;
        AfxCallWndProc(frame, hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
        if (CWnd::FromHandlePermanent(hWnd) == frame)
            frame->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
    }
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        const bool same = m_ptCursorLast.x == pMsg->pt.x && m_ptCursorLast.y == pMsg->pt.y
            && pMsg->message == m_nMsgLast;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return !same;
    }
    // The caret's blink timer and painting do not change what the user interface shows.
    return pMsg->message != WM_PAINT && pMsg->message != kCaretBlinkMessage;
}
