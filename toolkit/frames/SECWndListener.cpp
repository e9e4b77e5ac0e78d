#include "toolkit/frames/SECWndListener.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "platform/afx/AfxThreadState.h"

namespace quorvale::foundation {

IMPLEMENT_DYNAMIC(SECWndListener, SECWndPlugIn)

BEGIN_MESSAGE_MAP(SECWndListener, SECWndPlugIn)
END_MESSAGE_MAP()

namespace {

using ChainMap = std::unordered_map<HWND, std::shared_ptr<SECListenerChain>>;

bool IsInChain(const SECListenerChain& chain, const SECWndListener* listener)
{
    return std::find(chain.m_listeners.begin(), chain.m_listeners.end(), listener) != chain.m_listeners.end();
}

ChainMap& Chains()
{
    static ChainMap chains;
    return chains;
}

} // namespace

UINT SECWndListener::GetRemoveFromChainMessage()
{
    static const UINT message = ::RegisterWindowMessage("ot.Listener.RemoveFromChain");
    return message;
}

std::shared_ptr<SECListenerChain> SECWndListener::FindChain(HWND hWnd)
{
    const auto it = Chains().find(hWnd);
    return it == Chains().end() ? nullptr : it->second;
}

SECWndListener::~SECWndListener()
{
    if (IsAttached())
        DetachFromWindow();
}

BOOL SECWndListener::AttachToWindow(CWnd* pWnd)
{
    if (!SECWndPlugIn::AttachToWindow(pWnd))
        return FALSE;
    if (!JoinChain(pWnd))
        return FALSE;
    m_hWndJoined = pWnd->m_hWnd;
    return TRUE;
}

BOOL SECWndListener::AttachToWindow(CWnd* pWnd, BOOL) { return AttachToWindow(pWnd); }

void SECWndListener::DetachFromWindow()
{
    LeaveChain();
    SECWndPlugIn::DetachFromWindow();
    m_hWndJoined = nullptr;
}

void SECWndListener::SetListenerResult(LRESULT value)
{
    m_bListenerResultSet = TRUE;
    m_lListenerResult = value;
}

BOOL SECWndListener::HandleChainMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const BOOL bHandled = SECWndPlugIn::OnWndMsg(message, wParam, lParam, pResult);
    if (m_bListenerResultSet) {
        if (pResult)
            *pResult = m_lListenerResult;
        m_bListenerResultSet = FALSE;
    }
    return bHandled;
}

BOOL SECWndListener::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT scratch = 0;
    return HandleChainMessage(message, wParam, lParam, &scratch);
}

BOOL SECWndListener::JoinChain(CWnd* pWnd)
{
    if (!pWnd)
        return FALSE;
    if (auto chain = FindChain(pWnd->m_hWnd))
        return AddToChain(chain.get());
    return SubclassWindowChain(pWnd->m_hWnd);
}

BOOL SECWndListener::AddToChain(SECListenerChain* pChain)
{
    pChain->m_listeners.push_back(this);
    return TRUE;
}

BOOL SECWndListener::SubclassWindowChain(HWND hWnd)
{
    auto chain = std::make_shared<SECListenerChain>();
    if (IsNotDialog(hWnd)) {
        chain->m_pfnSavedWndProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SECWndListener::ChainWndProc)));
    } else {
        chain->m_pfnSavedDlgProc = reinterpret_cast<DLGPROC>(
            ::SetWindowLongPtr(hWnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(&SECWndListener::ChainDlgProc)));
    }
    chain->m_listeners.push_back(this);
    Chains()[hWnd] = std::move(chain);
    return TRUE;
}

// A dialog procedure is a pointer: any non-zero value marks a dialog, whatever its sign.
BOOL SECWndListener::IsNotDialog(HWND hWnd) { return ::GetWindowLongPtr(hWnd, DWLP_DLGPROC) == 0; }

BOOL SECWndListener::LeaveChain()
{
    // The joined handle is the one the chain is filed under; the borrowed one may already be gone
    // (a plug-in detached by hand), and the window's procedure must be put back all the same.
    const HWND hWnd = m_hWndJoined ? m_hWndJoined : m_hWnd;
    if (!hWnd)
        return FALSE;
    auto chain = FindChain(hWnd);
    if (!chain)
        return FALSE;
    if (chain->m_pfnSavedWndProc) {
        ::SendMessage(hWnd, GetRemoveFromChainMessage(), reinterpret_cast<WPARAM>(&SECWndListener::ChainWndProc),
            reinterpret_cast<LPARAM>(chain->m_pfnSavedWndProc));
    }
    chain->m_listeners.remove(this);
    if (!chain->m_listeners.empty())
        return TRUE;
    if (chain->m_pfnSavedWndProc)
        ::SetWindowLongPtr(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain->m_pfnSavedWndProc));
    else
        ::SetWindowLongPtr(hWnd, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(chain->m_pfnSavedDlgProc));
    Chains().erase(hWnd);
    return TRUE;
}

LRESULT SECWndListener::ChainWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ChainWindowProc(hWnd, message, wParam, lParam, TRUE);
}

INT_PTR SECWndListener::ChainDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ChainWindowProc(hWnd, message, wParam, lParam, FALSE);
}

LRESULT SECWndListener::CallSaved(WNDPROC pfnWnd, DLGPROC pfnDlg, BOOL bWndProc, HWND hWnd, UINT message,
    WPARAM wParam, LPARAM lParam)
{
    if (bWndProc)
        return pfnWnd ? ::CallWindowProc(pfnWnd, hWnd, message, wParam, lParam)
                      : ::DefWindowProc(hWnd, message, wParam, lParam);
    return pfnDlg ? pfnDlg(hWnd, message, wParam, lParam) : 0;
}

LRESULT SECWndListener::ChainWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, BOOL bWndProc)
{
    if (!hWnd)
        return 0;
    if (message == WM_NCDESTROY)
        return OnChainNcDestroy(hWnd, wParam, lParam, bWndProc);
    auto chain = FindChain(hWnd);
    if (message == GetRemoveFromChainMessage() && chain
        && reinterpret_cast<WPARAM>(chain->m_pfnSavedWndProc) == wParam)
        chain->m_pfnSavedWndProc = reinterpret_cast<WNDPROC>(lParam);
    // A window left with the chain's procedure and no record still gets default processing.
    if (!chain)
        return CallSaved(nullptr, nullptr, bWndProc, hWnd, message, wParam, lParam);

    MSG& current = AfxGetThreadState()->m_lastSentMsg;
    const MSG saved = current;
    current.hwnd = hWnd;
    current.message = message;
    current.wParam = wParam;
    current.lParam = lParam;

    const WNDPROC pfnWnd = chain->m_pfnSavedWndProc;
    const DLGPROC pfnDlg = chain->m_pfnSavedDlgProc;
    LRESULT shared = 0;
    DWORD accumulated = 0;
    // The walk goes over the listeners as they were when the message came; one that has left the chain
    // since (itself, or another one a handler removed or deleted) is passed over.
    const std::vector<SECWndListener*> listeners(chain->m_listeners.begin(), chain->m_listeners.end());
    for (SECWndListener* listener : listeners) {
        if (!IsInChain(*chain, listener))
            continue;
        listener->HandleChainMessage(message, wParam, lParam, &shared);
        accumulated |= listener->m_dwResultFlags;
        listener->m_dwResultFlags = 0;
        if (accumulated & kStopWalk)
            break;
    }
    current = saved;

    if (accumulated & kUseListenerResult)
        return shared;
    return CallSaved(pfnWnd, pfnDlg, bWndProc, hWnd, message, wParam, lParam);
}

LRESULT SECWndListener::OnChainNcDestroy(HWND hWnd, WPARAM wParam, LPARAM lParam, BOOL bWndProc)
{
    auto chain = FindChain(hWnd);
    if (!chain)
        return CallSaved(nullptr, nullptr, bWndProc, hWnd, WM_NCDESTROY, wParam, lParam);
    const WNDPROC pfnWnd = chain->m_pfnSavedWndProc;
    const DLGPROC pfnDlg = chain->m_pfnSavedDlgProc;
    const std::vector<SECWndListener*> listeners(chain->m_listeners.begin(), chain->m_listeners.end());
    for (SECWndListener* listener : listeners)
        if (IsInChain(*chain, listener))
            listener->DetachFromWindow();
    return CallSaved(pfnWnd, pfnDlg, bWndProc, hWnd, WM_NCDESTROY, wParam, lParam);
}

} // namespace quorvale::foundation
