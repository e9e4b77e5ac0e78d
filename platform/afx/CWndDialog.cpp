// The dialog side of every window object: making a window from a dialog template (a dialog, a
// property sheet, a dialog bar), filling its controls from DLGINIT data, and the class library's
// modal loop, which dialogs and property sheets both run.
#include "platform/afx/CWnd.h"

#include <cstring>

#include "platform/afx/AfxState.h"
#include "platform/afx/CString.h"
#include "platform/afx/CWinThread.h"
#include "platform/base/Debug.h"
#include "platform/base/Resources.h"
#include "platform/user/WinControls.h"
#include "platform/user/WinDialogs.h"

namespace {

// The dialog whose window the dialog manager is making on this thread.
thread_local CWnd* t_dialogInit = nullptr;

// Restores the dialog being made when a creation returns (creations may nest through OnInitDialog).
class DialogInitScope {
public:
    explicit DialogInitScope(CWnd* dialog)
        : m_outer(t_dialogInit)
    {
        t_dialogInit = dialog;
    }
    ~DialogInitScope() { t_dialogInit = m_outer; }
    DialogInitScope(const DialogInitScope&) = delete;
    DialogInitScope& operator=(const DialogInitScope&) = delete;

private:
    CWnd* m_outer;
};

// The list and combo box messages of DLGINIT data, as the resource compiler writes them.
constexpr WORD kInitListAddString = 0x0401;
constexpr WORD kInitComboAddString = 0x0403;
// Records of embedded-object controls, which have no meaning here and are passed over.
constexpr WORD kInitObjectControl = 0x1234;

} // namespace

INT_PTR CALLBACK CWnd::AfxDlgProc(HWND hWnd, UINT, WPARAM, LPARAM)
{
    // The first message of the new dialog (WM_SETFONT, before its controls exist) makes the window
    // the object's; from then on its messages reach the map first and come here only when declined.
    if (CWnd* dialog = t_dialogInit; dialog && !dialog->m_hWnd && !CWnd::FromHandlePermanent(hWnd)) {
        t_dialogInit = nullptr;
        dialog->SubclassWindow(hWnd);
    }
    return FALSE;
}

BOOL CWnd::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (!lpDialogTemplate || m_hWnd)
        return FALSE;
    if (!hInst)
        hInst = AfxGetResourceHandle();
    HWND hWnd = nullptr;
    {
        DialogInitScope scope(this);
        hWnd = ::CreateDialogIndirectParam(
            hInst, lpDialogTemplate, pParentWnd ? pParentWnd->m_hWnd : nullptr, &CWnd::AfxDlgProc, 0);
    }
    if (!hWnd) {
        // The dialog manager refused it, or OnInitDialog destroyed it: nothing of it stays attached.
        if (m_hWnd)
            Detach();
        return FALSE;
    }
    return m_hWnd == hWnd;
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    HWND hWndParent = ::GetParent(m_hWnd);
    bool idleTold = false;
    bool showOnIdle = (dwFlags & MLF_SHOWONIDLE) != 0 && !(GetStyle() & WS_VISIBLE);
    CWinThread* thread = AfxGetThread();
    while (ContinueModal() && m_hWnd) {
        MSG msg {};
        if (!::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (showOnIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showOnIdle = false;
                continue;
            }
            if (!idleTold && hWndParent && !(dwFlags & MLF_NOIDLEMSG)) {
                idleTold = true;
                ::SendMessage(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(m_hWnd));
                continue;
            }
            ::WaitMessage();
            idleTold = false;
            continue;
        }
        idleTold = false;
        if (msg.message == WM_QUIT) {
            // The outer loop must see it too.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_nModalResult = -1;
            break;
        }
        const BOOL handled = thread ? thread->PreTranslateMessage(&msg) : WalkPreTranslateTree(m_hWnd, &msg);
        if (!handled) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
    }
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wakes the loop should it be waiting.
        ::PostMessage(m_hWnd, WM_NULL, 0, 0);
    }
}

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    if (!lpszResourceName)
        return TRUE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_DLGINIT);
    HRSRC resource = ::FindResource(hInst, lpszResourceName, RT_DLGINIT);
    if (!resource)
        return TRUE;
    void* data = ::LockResource(::LoadResource(hInst, resource));
    return ExecuteDlgInit(data, ::SizeofResource(hInst, resource));
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource, DWORD dwSize)
{
    if (!lpResource)
        return TRUE;
    // Records: control id, message, byte count (two words, low first), then the bytes of a string;
    // a zero id ends the list. Every length is checked against the data, so a damaged resource
    // stops the filling instead of reading past it.
    const auto* bytes = static_cast<const BYTE*>(lpResource);
    auto word = [bytes](DWORD at) { return static_cast<WORD>(bytes[at] | (bytes[at + 1] << 8)); };
    DWORD at = 0;
    BOOL ok = TRUE;
    while (at + 2 <= dwSize) {
        const WORD id = word(at);
        if (id == 0)
            return ok;
        if (at + 8 > dwSize)
            return FALSE;
        const WORD message = word(at + 2);
        const DWORD length = word(at + 4) | (static_cast<DWORD>(word(at + 6)) << 16);
        at += 8;
        if (length > dwSize - at)
            return FALSE;
        if (message == kInitListAddString || message == kInitComboAddString) {
            // The string ends at its terminator or at the record's end, whichever comes first.
            const char* text = reinterpret_cast<const char*>(bytes + at);
            const CString item(text, static_cast<int>(strnlen(text, length)));
            const UINT msg = message == kInitListAddString ? LB_ADDSTRING : CB_ADDSTRING;
            const LRESULT result = SendDlgItemMessage(id, msg, 0, reinterpret_cast<LPARAM>(item.GetString()));
            if (result < 0 || !::GetDlgItem(m_hWnd, id))
                ok = FALSE;
        } else if (message != kInitObjectControl) {
            ok = FALSE;
        }
        at += length;
    }
    return ok;
}


BOOL CWnd::CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    if (!lpszTemplateName)
        return FALSE;
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC resource = ::FindResource(hInst, lpszTemplateName, RT_DIALOG);
    if (!resource)
        return FALSE;
    auto* dialogTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(::LoadResource(hInst, resource)));
    if (!CreateDlgIndirect(dialogTemplate, pParentWnd, hInst))
        return FALSE;
    if (!ExecuteDlgInit(lpszTemplateName))
        OutputDebugStringA("CWnd: the window's DLGINIT data could not be used in full\n");
    return TRUE;
}

int CWnd::RunModal(HWND hWndOwner, const std::function<BOOL(CWnd* pOwner)>& create)
{
    // The owner is disabled before the window exists, so its initialisation sees it as it will be.
    const bool enableOwner = hWndOwner && ::IsWindowEnabled(hWndOwner);
    if (enableOwner)
        ::EnableWindow(hWndOwner, FALSE);

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (create(CWnd::FromHandle(hWndOwner))) {
        if (m_nFlags & WF_CONTINUEMODAL) {
            const DWORD flags = (GetStyle() & DS_NOIDLEMSG) ? MLF_NOIDLEMSG : 0;
            if (!IsWindowVisible())
                ShowWindow(SW_SHOWNORMAL);
            RunModalLoop(flags);
        }
        if (m_hWnd)
            SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;

    // The owner comes back before the window goes, so the activation returns to it.
    if (enableOwner && ::IsWindow(hWndOwner))
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    if (m_hWnd)
        DestroyWindow();
    return m_nModalResult;
}
