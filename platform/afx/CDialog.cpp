#include "platform/afx/CDialog.h"

#include <cstring>

#include "platform/afx/AfxState.h"
#include "platform/afx/CDataExchange.h"
#include "platform/afx/CException.h"
#include "platform/afx/CUserException.h"
#include "platform/afx/CWinThread.h"
#include "platform/base/Debug.h"
#include "platform/base/Resources.h"
#include "platform/user/WinControls.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
ON_COMMAND(IDOK, OnIdOK)
ON_COMMAND(IDCANCEL, OnIdCancel)
END_MESSAGE_MAP()

namespace {

// The dialog whose window the dialog manager is making on this thread.
thread_local CDialog* t_dialogInit = nullptr;

// Restores the dialog being made when a creation returns (creations may nest through OnInitDialog).
class DialogInitScope {
public:
    explicit DialogInitScope(CDialog* dialog)
        : m_outer(t_dialogInit)
    {
        t_dialogInit = dialog;
    }
    ~DialogInitScope() { t_dialogInit = m_outer; }
    DialogInitScope(const DialogInitScope&) = delete;
    DialogInitScope& operator=(const DialogInitScope&) = delete;

private:
    CDialog* m_outer;
};

// The list and combo box messages of DLGINIT data, as the resource compiler writes them.
constexpr WORD kInitListAddString = 0x0401;
constexpr WORD kInitComboAddString = 0x0403;
// Records of embedded-object controls, which have no meaning here and are passed over.
constexpr WORD kInitObjectControl = 0x1234;

} // namespace

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_nIDTemplate = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
        m_nIDHelp = m_nIDTemplate;
    } else if (lpszTemplateName) {
        m_strTemplateName = lpszTemplateName;
    }
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDHelp(nIDTemplate)
    , m_nIDTemplate(nIDTemplate)
    , m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd)
        DestroyWindow();
}

LPCTSTR CDialog::TemplateName() const
{
    if (m_nIDTemplate)
        return MAKEINTRESOURCE(m_nIDTemplate);
    return m_strTemplateName.IsEmpty() ? nullptr : m_strTemplateName.GetString();
}

LPCDLGTEMPLATE CDialog::LoadTemplate(HINSTANCE& hInst) const
{
    LPCTSTR name = TemplateName();
    if (!name)
        return nullptr;
    hInst = AfxFindResourceHandle(name, RT_DIALOG);
    HRSRC resource = ::FindResource(hInst, name, RT_DIALOG);
    if (!resource)
        return nullptr;
    return static_cast<LPCDLGTEMPLATE>(::LockResource(::LoadResource(hInst, resource)));
}

INT_PTR CALLBACK CDialog::AfxDlgProc(HWND hWnd, UINT, WPARAM, LPARAM)
{
    // The first message of the new dialog (WM_SETFONT, before its controls exist) makes the window
    // the object's; from then on its messages reach the map first and come here only when declined.
    if (CDialog* dialog = t_dialogInit; dialog && !dialog->m_hWnd && !CWnd::FromHandlePermanent(hWnd)) {
        t_dialogInit = nullptr;
        dialog->SubclassWindow(hWnd);
    }
    return FALSE;
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (!lpDialogTemplate || m_hWnd)
        return FALSE;
    if (!hInst)
        hInst = AfxGetResourceHandle();
    HWND hWnd = nullptr;
    {
        DialogInitScope scope(this);
        hWnd = ::CreateDialogIndirectParam(
            hInst, lpDialogTemplate, pParentWnd ? pParentWnd->m_hWnd : nullptr, &CDialog::AfxDlgProc, 0);
    }
    if (!hWnd) {
        // The dialog manager refused it, or OnInitDialog destroyed it: nothing of it stays attached.
        if (m_hWnd)
            Detach();
        return FALSE;
    }
    return m_hWnd == hWnd;
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_nIDTemplate = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
        m_strTemplateName.Empty();
        if (!m_nIDHelp)
            m_nIDHelp = m_nIDTemplate;
    } else {
        m_nIDTemplate = 0;
        m_strTemplateName = lpszTemplateName ? lpszTemplateName : "";
    }
    m_pParentWnd = pParentWnd;
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE dialogTemplate = LoadTemplate(hInst);
    if (!dialogTemplate)
        return FALSE;
    return CreateDlgIndirect(dialogTemplate, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd); }

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    m_pParentWnd = pParentWnd;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, nullptr);
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd)
{
    if (!lpDialogTemplate)
        return FALSE;
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

HWND CDialog::PreModal()
{
    CWnd* owner = CWnd::GetSafeOwner(m_pParentWnd, &m_hWndTop);
    return owner ? owner->m_hWnd : nullptr;
}

void CDialog::PostModal() { m_hWndTop = nullptr; }

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE dialogTemplate = m_lpDialogTemplate;
    if (!dialogTemplate) {
        dialogTemplate = LoadTemplate(hInst);
        if (!dialogTemplate)
            return -1;
    }
    if (m_hWnd)
        return -1;

    HWND hWndParent = PreModal();
    // The owner is disabled before the dialog exists, so OnInitDialog sees it as it will be.
    const bool enableParent = hWndParent && ::IsWindowEnabled(hWndParent);
    if (enableParent)
        ::EnableWindow(hWndParent, FALSE);

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateDlgIndirect(dialogTemplate, CWnd::FromHandle(hWndParent), hInst)) {
        if (m_nFlags & WF_CONTINUEMODAL) {
            const DWORD flags = (GetStyle() & DS_NOIDLEMSG) ? MLF_NOIDLEMSG : 0;
            if (!IsWindowVisible())
                ShowWindow(SW_SHOWNORMAL);
            RunModalLoop(flags);
        }
        if (m_hWnd)
            SetWindowPos(nullptr, 0, 0, 0, 0,
                SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    m_nFlags &= ~WF_CONTINUEMODAL;

    // The owner comes back before the dialog goes, so the activation returns to it.
    if (enableParent && ::IsWindow(hWndParent))
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    if (m_hWnd)
        DestroyWindow();
    PostModal();
    return m_nModalResult;
}

int CDialog::RunModalLoop(DWORD dwFlags)
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

void CDialog::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        // Wakes the loop should it be waiting.
        ::PostMessage(m_hWnd, WM_NULL, 0, 0);
    }
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    if (!m_hWnd)
        return FALSE;
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CException* e) {
        // A refused value has been reported and its control focused; anything else is reported here.
        if (!e->IsKindOf(RUNTIME_CLASS(CUserException)))
            e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) { }

BOOL CDialog::ExecuteDlgInit(LPCTSTR lpszResourceName)
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

BOOL CDialog::ExecuteDlgInit(LPVOID lpResource, DWORD dwSize)
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

BOOL CDialog::OnInitDialog()
{
    const BOOL filled = ExecuteDlgInit(TemplateName());
    if (!filled)
        OutputDebugStringA("CDialog: the dialog's DLGINIT data could not be used in full\n");
    UpdateData(FALSE);
    return TRUE;
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd || !pMsg->hwnd)
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return ::IsDialogMessage(m_hWnd, pMsg);
}

void CDialog::NextDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 0, 0); }

void CDialog::PrevDlgCtrl() const { SendMessage(WM_NEXTDLGCTL, 1, 0); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    if (pWndCtrl && pWndCtrl->m_hWnd)
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), 1);
}

CWnd* CDialog::GetNextDlgTabItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return CWnd::FromHandle(::GetNextDlgTabItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

CWnd* CDialog::GetNextDlgGroupItem(CWnd* pWndCtl, BOOL bPrevious) const
{
    return CWnd::FromHandle(::GetNextDlgGroupItem(m_hWnd, pWndCtl ? pWndCtl->m_hWnd : nullptr, bPrevious));
}

int CDialog::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int id = nIDFirstButton; id <= nIDLastButton; ++id) {
        if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED)
            return id;
    }
    return 0;
}
