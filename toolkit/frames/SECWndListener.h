#pragma once
// A plug-in that subclasses its window through a shared chain: any number of listeners join one window,
// the chain replaces the window's (or dialog's) procedure once, offers each message to the listeners in
// joining order and then calls the replaced procedure, unless a listener's result flags say otherwise.
// The chain disappears, with the procedure put back, when the last listener leaves, at the latest when
// the window is destroyed.

#include <memory>

#include "toolkit/frames/SECListenerChain.h"
#include "toolkit/frames/SECWndPlugIn.h"

namespace quorvale::foundation {

class SECWndListener : public SECWndPlugIn {
    DECLARE_DYNAMIC(SECWndListener)
public:
    // Result flags a handler sets with SetResultFlags.
    static constexpr DWORD kStopWalk = 0x1; // no later listener sees the message
    static constexpr DWORD kUseListenerResult = 0x2; // the chain returns the listeners' result, not the procedure's

    SECWndListener() = default;
    // Leaves the chain when still attached.
    ~SECWndListener() override;

    // Listeners set their result through SetListenerResult.
    void SetMessageResult(LRESULT) override { }
    BOOL AttachToWindow(CWnd* pWnd) override;
    void DetachFromWindow() override;
    BOOL OnNotify(WPARAM, LPARAM, LRESULT*) override { return FALSE; }

    virtual BOOL AttachToWindow(CWnd* pWnd, BOOL bUnused);
    virtual void SetResultFlags(DWORD dwFlags) { m_dwResultFlags = dwFlags; }
    // Runs the listener's maps on the message; the result a handler set goes through pResult.
    virtual BOOL HandleChainMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL JoinChain(CWnd* pWnd);
    virtual BOOL AddToChain(SECListenerChain* pChain);
    virtual BOOL SubclassWindowChain(HWND hWnd);
    // Whether the window is a plain window rather than a dialog with a dialog procedure.
    virtual BOOL IsNotDialog(HWND hWnd);
    virtual BOOL LeaveChain();

    void SetListenerResult(LRESULT value);
    DWORD GetResultFlags() const { return m_dwResultFlags; }
    HWND GetJoinedHandle() const { return m_hWndJoined; }

    // The procedures the chain installs, and the message a leaving listener sends so that a chain
    // installed later on the same window can take the replaced procedure over.
    static LRESULT ChainWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR ChainDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static UINT GetRemoveFromChainMessage();
    // The chain record of a window, or null.
    static std::shared_ptr<SECListenerChain> FindChain(HWND hWnd);

protected:
    DWORD m_dwResultFlags { 0 };
    HWND m_hWndJoined { nullptr };
    BOOL m_bListenerResultSet { FALSE };
    LRESULT m_lListenerResult { 0 };

    DECLARE_MESSAGE_MAP()

private:
    static LRESULT ChainWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bWndProc);
    static LRESULT OnChainNcDestroy(HWND hWnd, WPARAM wParam, LPARAM lParam, BOOL bWndProc);
    // The procedure the chain replaced, called with a message.
    static LRESULT CallSaved(WNDPROC pfnWnd, DLGPROC pfnDlg, BOOL bWndProc, HWND hWnd, UINT message, WPARAM wParam,
        LPARAM lParam);
};

} // namespace quorvale::foundation
