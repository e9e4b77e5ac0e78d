#include "platform/afx/CWinThread.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/Thread.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

namespace {

thread_local CWinThread* t_currentThread = nullptr;

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
