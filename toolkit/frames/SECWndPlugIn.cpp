#include "toolkit/frames/SECWndPlugIn.h"

namespace quorvale::foundation {

IMPLEMENT_DYNAMIC(SECWndPlugIn, CWnd)

// The plug-in's map has no base: it must not answer the host's messages with CWnd's handlers.
const AFX_MSGMAP* SECWndPlugIn::GetMessageMap() const { return GetThisMessageMap(); }
const AFX_MSGMAP* SECWndPlugIn::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = { { 0, 0, 0, 0, AfxSig_end, nullptr } };
    static const AFX_MSGMAP messageMap = { nullptr, &entries[0] };
    return &messageMap;
}

SECWndPlugIn::~SECWndPlugIn() { m_hWnd = nullptr; }

void SECWndPlugIn::SetMessageResult(LRESULT value)
{
    m_bOverrideSet = TRUE;
    m_lOverrideValue = value;
}

BOOL SECWndPlugIn::AttachToWindow(CWnd* pWnd)
{
    if (!pWnd)
        return FALSE;
    m_hWnd = pWnd->m_hWnd;
    m_bAttached = TRUE;
    return TRUE;
}

void SECWndPlugIn::DetachFromWindow()
{
    m_bAttached = FALSE;
    m_hWnd = nullptr;
}

BOOL SECWndPlugIn::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!m_bAttached)
        return FALSE;
    m_bConsumed = FALSE;
    m_bDefaultAllowed = FALSE;
    const BOOL bHandled = CWnd::OnWndMsg(message, wParam, lParam, pResult);
    if (m_bOverrideSet) {
        m_bOverrideSet = FALSE;
        return static_cast<BOOL>(m_lOverrideValue);
    }
    return bHandled;
}

BOOL SECWndPlugIn::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (!m_bAttached)
        return FALSE;
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT SECWndPlugIn::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_bAttached || !m_bDefaultAllowed)
        return 0;
    return CWnd::DefWindowProc(message, wParam, lParam);
}

} // namespace quorvale::foundation
