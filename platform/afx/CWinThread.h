#pragma once
// A thread of the class library. The worker form runs a function (AfxBeginThread); the application
// object is the thread object of the program's main thread, and the window part adds message loops.
// A thread object deletes itself when its thread ends, unless m_bAutoDelete is cleared (which must
// happen before the thread runs: create it suspended, clear the flag, then resume it).

#include "platform/afx/CCmdTarget.h"
#include "platform/user/WinUser.h"

class CWnd;

// The function of a worker thread; its result becomes the thread's exit code.
using AFX_THREADPROC = UINT (*)(LPVOID pParam);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    // A worker that will run pfnThreadProc(pParam) once CreateThread starts it.
    CWinThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam);
    // Closes the thread's handle (the thread itself runs on when it has not ended).
    ~CWinThread() override;

    // Starts the thread (held back with CREATE_SUSPENDED until ResumeThread); FALSE when it cannot.
    BOOL CreateThread(DWORD dwCreateFlags = 0, UINT nStackSize = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
    // Lowers the suspend count; the previous count, or (DWORD)-1 on failure.
    DWORD ResumeThread();
    operator HANDLE() const { return m_hThread; }

    // Deletes the object when m_bAutoDelete is set; called when the thread ends.
    virtual void Delete();
    // The start and end of a thread that runs a loop (the window part's threads); a worker runs its function.
    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return static_cast<int>(m_msgCur.wParam); }

    // The message loop of a thread with windows: idle work while the queue is empty, then each message
    // through PreTranslateMessage and dispatch, until WM_QUIT; returns ExitInstance's code.
    virtual int Run();
    // Takes one message (waiting for it) and handles it; FALSE for WM_QUIT.
    virtual BOOL PumpMessage();
    // Offers a message to the window objects from its target up to the main window, then to the main
    // window itself; TRUE when one of them dealt with it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Idle work, lCount counting the calls since the last message: 0 updates the user interface of
    // the main window (WM_IDLEUPDATECMDUI), 1 deletes temporary objects. TRUE while more is to do.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages that do not start a new idle round (a mouse move that did not move, timers'
    // caret blinks, WM_PAINT).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    // The thread's main window: closing it ends the thread's loop.
    virtual CWnd* GetMainWnd() { return m_pMainWnd; }

    HANDLE m_hThread { nullptr };
    CWnd* m_pMainWnd { nullptr };
    // The message being handled by the loop.
    MSG m_msgCur {};
    DWORD m_nThreadID { 0 };
    BOOL m_bAutoDelete { TRUE };

protected:
    // A thread object of a thread started elsewhere (the application object's main thread).
    CWinThread();

private:
    // Sends the idle update to the thread's visible frames other than the main window.
    static void UpdateOtherFrames(HWND hWndMain);
    // The thread's start: runs the worker function, then Delete().
    static DWORD ThreadEntry(LPVOID self);

    AFX_THREADPROC m_pfnThreadProc { nullptr };
    // Where the last mouse move was, so that repeated moves to one place do not restart idle work.
    POINT m_ptCursorLast { -1, -1 };
    UINT m_nMsgLast { 0 };
    LPVOID m_pThreadParams { nullptr };
};

// Makes a worker thread object and starts its thread (suspended with CREATE_SUSPENDED). nPriority is
// taken for the original's interface: threads here run at one priority. Null when it cannot start.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = 0, UINT nStackSize = 0,
    DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = nullptr);
// The thread object of the calling thread: a worker's own, or the application object; null for others.
CWinThread* AfxGetThread();
