#include "platform/afx/CFrameWnd.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CControlBar.h"
#include "platform/afx/CCreateContext.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/Resources.h"
#include "platform/base/Thread.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_CLOSE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_ACTIVATE()
ON_WM_NCACTIVATE()
ON_WM_ENABLE()
ON_WM_ENTERIDLE()
ON_WM_SETFOCUS()
ON_WM_SETCURSOR()
ON_WM_SYSCOMMAND()
ON_WM_MENUSELECT()
ON_WM_INITMENUPOPUP()
ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
ON_MESSAGE(WM_POPMESSAGESTRING, OnPopMessageString)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_MESSAGE(WM_COMMANDHELP, OnCommandHelp)
ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
ON_MESSAGE(WM_EXITHELPMODE, OnExitHelpMode)
ON_COMMAND(ID_CONTEXT_HELP, OnContextHelp)
ON_COMMAND(ID_HELP, OnHelp)
ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_STATUS_BAR, OnBarCheck)
ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, OnUpdateControlBarMenu)
ON_COMMAND_EX(ID_VIEW_TOOLBAR, OnBarCheck)
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace {

// The base of help contexts of commands and of resources (frames, dialogs).
constexpr DWORD kHelpBaseCommand = 0x00010000;
constexpr DWORD kHelpBaseResource = 0x00020000;
constexpr UINT kHelpContext = 0x0001;
constexpr UINT kHelpFinder = 0x000B;
// The menu-loop reason of WM_ENTERIDLE.
constexpr UINT kIdleInMenu = 2;

// Sets a window's text only when it differs, so titles do not flicker.
void SetTextIfChanged(HWND hWnd, const CString& text)
{
    CString current;
    CWnd::FromHandle(hWnd)->GetWindowText(current);
    if (current != text)
        ::SetWindowText(hWnd, text);
}

struct FloatingNotice {
    HWND owner;
    WPARAM flags;
};

BOOL NotifyOwnedWindow(HWND hWnd, LPARAM lParam)
{
    auto* notice = reinterpret_cast<FloatingNotice*>(lParam);
    if (::GetWindow(hWnd, GW_OWNER) == notice->owner)
        ::SendMessage(hWnd, WM_FLOATSTATUS, notice->flags, 0);
    return TRUE;
}

} // namespace

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd()
{
    // The default menu is the frame's unless a window still shows it (the window destroys its own).
    if (m_hMenuDefault && ::IsMenu(m_hMenuDefault) && !(m_hWnd && ::GetMenu(m_hWnd) == m_hMenuDefault))
        ::DestroyMenu(m_hMenuDefault);
    if (m_hAccelLoaded)
        ::DestroyAcceleratorTable(m_hAccelLoaded);
}

// Creation.

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
    CWnd* pParentWnd, LPCTSTR, DWORD dwExStyle, CCreateContext* pContext)
{
    m_strTitle = lpszWindowName ? lpszWindowName : "";
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, afx::Extent(rect.left, rect.right),
        afx::Extent(rect.top, rect.bottom), pParentWnd ? pParentWnd->m_hWnd : nullptr, m_hMenuDefault, pContext);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strings;
    strings.LoadString(nIDResource);
    const int cut = strings.Find('\n');
    const CString title = cut >= 0 ? strings.Left(cut) : strings;

    LPCTSTR resource = MAKEINTRESOURCE(nIDResource);
    // The menu and accelerators of that id, when the resources have them.
    if (!m_hMenuDefault && !(dwDefaultStyle & WS_CHILD)) {
        if (HINSTANCE module = AfxFindResourceHandle(resource, RT_MENU); ::FindResource(module, resource, RT_MENU))
            m_hMenuDefault = ::LoadMenu(module, resource);
    }
    if (!m_hAccelTable) {
        if (HINSTANCE module = AfxFindResourceHandle(resource, RT_ACCELERATOR);
            ::FindResource(module, resource, RT_ACCELERATOR))
            m_hAccelTable = m_hAccelLoaded = ::LoadAccelerators(module, resource);
    }
    HICON icon = ::LoadIcon(AfxFindResourceHandle(resource, RT_GROUP_ICON), resource);
    LPCTSTR className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
        reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)), icon);
    if (!Create(className, title, dwDefaultStyle, rectDefault, pParentWnd, resource, 0, pContext))
        return FALSE;
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AFX_WNDFRAMEORVIEW;
    if (cs.style & FWS_ADDTOTITLE)
        cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass && !CreateView(pContext, AFX_IDW_PANE_FIRST))
        return FALSE;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return nullptr;
    CObject* object = pContext->m_pNewViewClass->CreateObject();
    auto* view = dynamic_cast<CWnd*>(object);
    if (!view) {
        delete object;
        return nullptr;
    }
    // A view that fails to be created deletes itself (PostNcDestroy) once its window existed.
    if (!view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext))
        return nullptr;
    return view;
}

// Views, documents, activation.

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* old = m_pViewActive;
    if (pViewNew == old)
        return;
    m_pViewActive = pViewNew;
    if (bNotify && old)
        old->OnActivateView(FALSE, pViewNew, old);
    if (bNotify && pViewNew && pViewNew->m_hWnd)
        pViewNew->OnActivateView(TRUE, pViewNew, old);
}

CDocument* CFrameWnd::GetActiveDocument() { return m_pViewActive ? m_pViewActive->GetDocument() : nullptr; }

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE
        && nCmdShow != SW_SHOWMINIMIZED && !(GetStyle() & WS_CHILD))
        BringWindowToTop();
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (!m_pViewActive) {
        CWnd* pane = GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE);
        if (pane && pane->IsKindOf(RUNTIME_CLASS(CView)))
            SetActiveView(static_cast<CView*>(pane), FALSE);
    }
    if (bMakeVisible) {
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
        int nCmdShow = -1;
        CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd == this) {
            nCmdShow = app->m_nCmdShow;
            app->m_nCmdShow = -1; // only the first frame takes the program's show state
        }
        ActivateFrame(nCmdShow);
        if (m_pViewActive)
            m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
    }
    (void)pDoc;
    OnUpdateFrameTitle(TRUE);
}

// Layout.

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout)
        return;
    m_bInRecalcLayout = TRUE;
    if (GetStyle() & FWS_SNAPTOBARS) {
        // A floating frame takes the size its bars ask for.
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        rect.OffsetRect(-rect.left, -rect.top);
        CalcWindowRect(&rect);
        SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOZORDER);
    }
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    m_bInRecalcLayout = FALSE;
    if (m_nShowDelay >= 0) {
        const int show = m_nShowDelay;
        m_nShowDelay = -1;
        ShowWindow(show);
    }
}

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC)
{
    // The view covers the client area: erasing under it would only flicker.
    if (m_pViewActive && m_pViewActive->m_hWnd)
        return TRUE;
    return CWnd::OnEraseBkgnd(pDC);
}

// Titles, menus and the status line.

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CDocument* doc = GetActiveDocument();
    UpdateFrameTitleForDocument(bAddToTitle && doc ? doc->GetTitle().GetString() : nullptr);
}

void CFrameWnd::UpdateFrameTitleForDocument(LPCTSTR lpszDocName)
{
    if (!m_hWnd)
        return;
    CString title;
    if (!lpszDocName || !*lpszDocName) {
        title = m_strTitle;
    } else {
        CString document(lpszDocName);
        if (m_nWindow > 0) {
            CString number;
            number.Format(":%d", m_nWindow);
            document += number;
        }
        if (GetStyle() & FWS_PREFIXTITLE)
            title = m_strTitle.IsEmpty() ? document : document + " - " + m_strTitle;
        else
            title = m_strTitle.IsEmpty() ? document : m_strTitle + " - " + document;
    }
    SetTextIfChanged(m_hWnd, title);
}

void CFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (GetStyle() & WS_CHILD)
        return;
    HMENU menu = hMenuAlt ? hMenuAlt : m_hMenuDefault;
    if (menu && ::GetMenu(m_hWnd) != menu) {
        ::SetMenu(m_hWnd, menu);
        ::DrawMenuBar(m_hWnd);
    }
}

void CFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu)
        AfxUpdateMenuItems(pPopupMenu, this, m_bAutoMenuEnable);
}

CWnd* CFrameWnd::GetMessageBar() { return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE); }

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, reinterpret_cast<LPARAM>(lpszText));
}

void CFrameWnd::SetMessageText(UINT nID) { SendMessage(WM_SETMESSAGESTRING, nID, 0); }

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    rMessage.Empty();
    CString text;
    if (!text.LoadString(nID))
        return;
    const int cut = text.Find('\n');
    rMessage = cut >= 0 ? text.Left(cut) : text;
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    const UINT last = m_nIDLastMessage;
    m_nFlags &= ~WF_NOPOPMSG;
    if (CWnd* bar = GetMessageBar()) {
        CString text;
        if (lParam) {
            text = reinterpret_cast<LPCTSTR>(lParam);
        } else if (wParam) {
            UINT nID = static_cast<UINT>(wParam);
            if (nID == AFX_IDS_IDLEMESSAGE && m_bHelpMode)
                nID = AFX_IDS_HELPMODEMESSAGE;
            GetMessageString(nID, text);
        }
        bar->SetWindowText(text);
    }
    m_nIDLastMessage = static_cast<UINT>(wParam);
    m_nIDTracking = static_cast<UINT>(wParam);
    return last;
}

LRESULT CFrameWnd::OnPopMessageString(WPARAM wParam, LPARAM lParam)
{
    if (m_nFlags & WF_NOPOPMSG)
        return 0;
    return SendMessage(WM_SETMESSAGESTRING, wParam, lParam);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && !hSysMenu) {
        // The menu closed: back to the idle prompt.
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
        SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
    } else if (nFlags & (MF_POPUP | MF_SEPARATOR)) {
        m_nIDTracking = 0;
    } else {
        m_nIDTracking = nItemID;
    }
}

void CFrameWnd::OnEnterIdle(UINT nWhy, CWnd* pWho)
{
    CWnd::OnEnterIdle(nWhy, pWho);
    if (nWhy == kIdleInMenu && m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleMenu)
        OnUpdateFrameMenu(nullptr);
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    if (m_nIdleFlags & idleLayout)
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    if (m_nIDTracking != m_nIDLastMessage)
        SetMessageText(m_nIDTracking);
    m_nIdleFlags = 0;
    return 0;
}

// Commands.

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CView* view = m_pViewActive; view && view->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    // In help mode a command asks for its help instead of running.
    if (m_bHelpMode && lParam == 0 && HIWORD(static_cast<DWORD_PTR>(wParam)) == 0) {
        const UINT nID = LOWORD(static_cast<DWORD_PTR>(wParam));
        if (nID != ID_CONTEXT_HELP) {
            ExitHelpMode();
            if (CWinApp* app = AfxGetApp())
                app->WinHelp(kHelpBaseCommand + nID, kHelpContext);
            return TRUE;
        }
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // Keys of the frame's accelerator table become its commands.
    if (m_hAccelTable && pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST)
        return ::TranslateAccelerator(m_hWnd, m_hAccelTable, pMsg) != 0;
    return FALSE;
}

void CFrameWnd::OnUpdateControlBarMenu(CCmdUI* pCmdUI)
{
    CControlBar* bar = GetControlBar(pCmdUI->m_nID);
    if (!bar) {
        pCmdUI->ContinueRouting();
        return;
    }
    pCmdUI->SetCheck((bar->GetStyle() & WS_VISIBLE) != 0);
}

BOOL CFrameWnd::OnBarCheck(UINT nID)
{
    CControlBar* bar = GetControlBar(nID);
    if (!bar)
        return FALSE;
    ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    return TRUE;
}

// Closing.

void CFrameWnd::OnClose()
{
    CDocument* doc = GetActiveDocument();
    if (doc && !doc->CanCloseFrame(this))
        return;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) {
        if (!doc && !app->SaveAllModified())
            return;
        // Documents are closed without asking again; closing them may already have taken the frame.
        app->CloseAllDocuments(FALSE);
        if (!app->m_pMainWnd)
            return;
    } else if (doc) {
        bool otherFrame = false;
        for (POSITION pos = doc->GetFirstViewPosition(); pos;) {
            CFrameWnd* frame = doc->GetNextView(pos)->GetParentFrame();
            otherFrame = otherFrame || (frame && frame != this);
        }
        if (!otherFrame && doc->m_bAutoDelete) {
            doc->PreCloseFrame(this);
            doc->OnCloseDocument();
            return;
        }
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // A menu shown in place of the default one (a document template's, shared by its frames) is not
    // the window's to destroy with it; the default one goes with the frame object.
    if (HMENU shown = (GetStyle() & WS_CHILD) ? nullptr : ::GetMenu(m_hWnd); shown && shown != m_hMenuDefault)
        ::SetMenu(m_hWnd, nullptr);
    DestroyDockBars();
    if (m_pViewActive)
        SetActiveView(nullptr, FALSE);
    CWnd::OnDestroy();
}

// Activation.

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    const BOOL active = nState != WA_INACTIVE && !bMinimized;
    if (!(GetStyle() & WS_CHILD))
        NotifyFloatingWindows(active ? FS_ACTIVATE : FS_DEACTIVATE);
    if (m_pViewActive && m_pViewActive->m_hWnd) {
        m_pViewActive->OnActivateFrame(nState, this);
        if (active && ::GetFocus() != m_pViewActive->m_hWnd && !::IsChild(m_pViewActive->m_hWnd, ::GetFocus()))
            m_pViewActive->SetFocus();
    }
}

BOOL CFrameWnd::OnNcActivate(BOOL bActive)
{
    // A frame whose floating palette has the focus keeps its caption active.
    if (m_nFlags & WF_STAYACTIVE)
        bActive = TRUE;
    return static_cast<BOOL>(DefWindowProc(WM_NCACTIVATE, bActive, 0));
}

void CFrameWnd::OnEnable(BOOL bEnable)
{
    CWnd::OnEnable(bEnable);
    if (!(GetStyle() & WS_CHILD))
        NotifyFloatingWindows(bEnable ? FS_ENABLE : FS_DISABLE);
}

void CFrameWnd::NotifyFloatingWindows(DWORD dwFlags)
{
    FloatingNotice notice { m_hWnd, dwFlags };
    ::EnumThreadWindows(::GetCurrentThreadId(), NotifyOwnedWindow, reinterpret_cast<LPARAM>(&notice));
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive && m_pViewActive->m_hWnd)
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

BOOL CFrameWnd::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bHelpMode) {
        ::SetCursor(::LoadCursor(nullptr, IDC_HELP));
        return TRUE;
    }
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void CFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    if (m_bHelpMode && (nID & 0xFFF0) != SC_CONTEXTHELP) {
        ExitHelpMode();
        if (CWinApp* app = AfxGetApp())
            app->WinHelp(kHelpBaseCommand + (nID & 0xFFF0), kHelpContext);
        return;
    }
    CWnd::OnSysCommand(nID, lParam);
}

// Help.

LRESULT CFrameWnd::OnCommandHelp(WPARAM, LPARAM lParam)
{
    DWORD context = static_cast<DWORD>(lParam);
    if (context == 0) {
        if (m_nIDTracking != 0 && m_nIDTracking != AFX_IDS_IDLEMESSAGE)
            context = kHelpBaseCommand + m_nIDTracking;
        else if (m_nIDHelp != 0)
            context = kHelpBaseResource + m_nIDHelp;
    }
    if (context == 0)
        return FALSE;
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(context, kHelpContext);
    return TRUE;
}

LRESULT CFrameWnd::OnHelpHitTest(WPARAM, LPARAM)
{
    return m_nIDHelp != 0 ? kHelpBaseResource + m_nIDHelp : 0;
}

LRESULT CFrameWnd::OnExitHelpMode(WPARAM, LPARAM)
{
    ExitHelpMode();
    return 0;
}

BOOL CFrameWnd::SetHelpCapture(POINT point, BOOL* pbDescendant)
{
    // Over the frame's own windows the pointer asks for help; elsewhere it is the plain arrow, since a
    // click there answers nothing.
    const HWND hWndAt = ::WindowFromPoint(point);
    const BOOL bDescendant = hWndAt && (hWndAt == m_hWnd || ::IsChild(m_hWnd, hWndAt));
    if (pbDescendant)
        *pbDescendant = bDescendant;
    SetCapture();
    ::SetCursor(::LoadCursor(nullptr, bDescendant ? IDC_HELP : IDC_ARROW));
    return ::GetCapture() == m_hWnd;
}

BOOL CFrameWnd::ProcessHelpMsg(MSG& msg, DWORD* pContext)
{
    switch (msg.message) {
    case WM_EXITHELPMODE:
    case WM_CAPTURECHANGED:
        return FALSE;
    case WM_KEYDOWN:
        if (msg.wParam == VK_ESCAPE)
            return FALSE;
        return TRUE;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN: {
        // The window under the click names its help context; windows without one pass to their parent.
        POINT point = msg.pt;
        for (HWND hWnd = ::WindowFromPoint(point); hWnd; hWnd = ::GetParent(hWnd)) {
            POINT client = point;
            ::ScreenToClient(hWnd, &client);
            const LRESULT context = ::SendMessage(hWnd, WM_HELPHITTEST, 0, MAKELPARAM(client.x, client.y));
            if (context != 0) {
                if (pContext)
                    *pContext = static_cast<DWORD>(context);
                break;
            }
        }
        return FALSE;
    }
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        ::SetCursor(::LoadCursor(nullptr, IDC_HELP));
        return TRUE;
    default:
        // Painting, timers and the like go on; other input is swallowed while help mode runs.
        if (msg.message == WM_PAINT || msg.message == WM_TIMER || msg.message >= WM_USER
            || (msg.message < WM_KEYFIRST && msg.message != WM_SYSCOMMAND)) {
            ::TranslateMessage(&msg);
            ::DispatchMessage(&msg);
        }
        return TRUE;
    }
}

void CFrameWnd::ExitHelpMode()
{
    if (!m_bHelpMode)
        return;
    m_bHelpMode = FALSE;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE, 0);
}

void CFrameWnd::OnContextHelp()
{
    if (m_bHelpMode || !CanEnterHelpMode())
        return;
    POINT point {};
    ::GetCursorPos(&point);
    BOOL descendant = FALSE;
    m_bHelpMode = TRUE;
    if (!SetHelpCapture(point, &descendant)) {
        m_bHelpMode = FALSE;
        return;
    }
    SendMessage(WM_SETMESSAGESTRING, AFX_IDS_HELPMODEMESSAGE, 0);
    ::SetCursor(::LoadCursor(nullptr, IDC_HELP));
    DWORD context = 0;
    MSG msg;
    for (;;) {
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            // The program is quitting: the loop's owner must see WM_QUIT too.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!m_bHelpMode || !ProcessHelpMsg(msg, &context))
            break;
    }
    ExitHelpMode();
    if (context != 0) {
        if (CWinApp* app = AfxGetApp())
            app->WinHelp(context, kHelpContext);
    }
}

void CFrameWnd::OnHelp()
{
    for (HWND hWnd = ::GetFocus(); hWnd; hWnd = ::GetParent(hWnd)) {
        if (::SendMessage(hWnd, WM_COMMANDHELP, 0, 0))
            return;
    }
    if (SendMessage(WM_COMMANDHELP, 0, 0))
        return;
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(0, kHelpFinder);
}

// The parent frames of windows.

CFrameWnd* CWnd::GetParentFrame() const
{
    if (!m_hWnd)
        return nullptr;
    for (CWnd* parent = GetParent(); parent; parent = parent->GetParent()) {
        if (parent->IsFrameWnd())
            return static_cast<CFrameWnd*>(parent);
    }
    return nullptr;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    if (!m_hWnd)
        return nullptr;
    CFrameWnd* frame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (frame) {
        CFrameWnd* outer = frame->GetParentFrame();
        if (!outer)
            break;
        frame = outer;
    }
    return frame;
}
