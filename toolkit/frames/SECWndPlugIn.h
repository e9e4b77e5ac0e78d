#pragma once
// A window object without a window of its own: it borrows a host window's handle and runs its own
// message and command maps on the host's messages, which a host frame hands it before handling them
// itself. After a handler, the host reads the consumed flag to know whether to skip its own processing.
// The plug-in never enters the handle map and never owns the host window.

#include "platform/afx/CWnd.h"

namespace quorvale::foundation {

class SECWndPlugIn : public CWnd {
    DECLARE_DYNAMIC(SECWndPlugIn)
public:
    SECWndPlugIn() = default;
    // Lets go of the borrowed handle first, so that the host window outlives its plug-in.
    ~SECWndPlugIn() override;

    // Makes the plug-in return value instead of its handled flag from the next OnWndMsg.
    virtual void SetMessageResult(LRESULT value);
    // Borrows pWnd's handle; FALSE for a null window.
    virtual BOOL AttachToWindow(CWnd* pWnd);
    virtual void DetachFromWindow();
    virtual BOOL IsAttached() const { return m_bAttached; }

    // The plug-in's own maps only; FALSE while detached.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    // 0 unless a handler allowed default processing for the message being handled.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Set by a handler: the host returns the plug-in's result and skips its own processing.
    BOOL m_bConsumed { FALSE };
    // Set by a handler that wants DefWindowProc to reach the host's default procedure.
    BOOL m_bDefaultAllowed { FALSE };

protected:
    BOOL m_bOverrideSet { FALSE };
    LRESULT m_lOverrideValue { 0 };
    BOOL m_bAttached { FALSE };

    DECLARE_MESSAGE_MAP()
};

} // namespace quorvale::foundation
