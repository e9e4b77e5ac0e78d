#pragma once
// A window of the class library: a C++ object tied to a window handle, whose messages arrive through
// AfxWndProc and are dispatched by the object's message map (OnWndMsg), commands being routed further
// through OnCmdMsg. Objects made by Create/CreateEx or SubclassWindow are the window's permanent object;
// FromHandle gives a temporary one for a window nobody wrapped (good until the thread is next idle).
// Destroying the window detaches the object and calls PostNcDestroy, where self-owned windows delete
// themselves.

#include <functional>

#include "platform/afx/AfxMsgMap.h"
#include "platform/afx/AfxPriv.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CString.h"
#include "platform/user/WinDialogs.h"
#include "platform/shell/ShellApi.h"

class CFrameWnd;
class CMenu;
struct CCreateContext;

// Why CalcWindowRect is asked (scroll bars are added for adjustOutside).
enum { adjustBorder = 0, adjustOutside = 1 };

// CWnd::m_nFlags.
constexpr UINT WF_TOOLTIPS = 0x0001;
constexpr UINT WF_TEMPHIDE = 0x0002; // hidden while a modal loop or preview runs
constexpr UINT WF_STAYDISABLED = 0x0004;
constexpr UINT WF_MODALLOOP = 0x0008;
constexpr UINT WF_CONTINUEMODAL = 0x0010;
constexpr UINT WF_OLECTLCONTAINER = 0x0100;
constexpr UINT WF_TRACKINGTOOLTIPS = 0x0400;
constexpr UINT WF_STAYACTIVE = 0x0020; // keeps the caption active while a floating child has focus
constexpr UINT WF_NOPOPMSG = 0x0040;
constexpr UINT WF_MODALDISABLE = 0x0080;
constexpr UINT WF_KEEPMINIACTIVE = 0x0200;

// RepositionBars modes.
constexpr UINT reposDefault = 0;
constexpr UINT reposQuery = 1;
constexpr UINT reposExtra = 2;
constexpr UINT reposNoPosLeftOver = 0x8000;

// The window procedure of every window that has a CWnd object.
LRESULT AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Calls pWnd's WindowProc for one message, recording it as the thread's current message.
LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
// Registers a window class of the class library's procedure with those attributes (once per set of
// attributes) and returns its name, valid for the process's life.
LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = nullptr, HBRUSH hbrBackground = nullptr,
    HICON hIcon = nullptr);
// Registers a window class unless one of its name exists; FALSE when it cannot.
BOOL AfxRegisterClass(WNDCLASS* lpWndClass);
// The main window of the calling thread's application or thread object; null when there is none.
CWnd* AfxGetMainWnd();

// The class library's standard window classes (registered on first use).
inline constexpr LPCTSTR AFX_WND = "AfxWnd42";
inline constexpr LPCTSTR AFX_WNDCONTROLBAR = "AfxControlBar42";
inline constexpr LPCTSTR AFX_WNDMDIFRAME = "AfxMDIFrame42";
inline constexpr LPCTSTR AFX_WNDFRAMEORVIEW = "AfxFrameOrView42";

namespace afx {
// The extent between two coordinates, wrapping as the window API expects: a rectangle from
// CW_USEDEFAULT to 0 has the extent CW_USEDEFAULT (the system's default size).
inline int Extent(LONG from, LONG to) { return static_cast<int>(static_cast<UINT>(to) - static_cast<UINT>(from)); }
// Registers one of the class library's standard classes (AFX_WND...) unless it is already; FALSE for
// other names or when it cannot.
BOOL RegisterStandardClass(LPCTSTR lpszClassName);
} // namespace afx

// RunModalLoop flags.
constexpr DWORD MLF_NOIDLEMSG = 0x0001; // the owner is not told when the loop goes idle
constexpr DWORD MLF_NOKICKIDLE = 0x0002;
constexpr DWORD MLF_SHOWONIDLE = 0x0004; // the window is shown the first time the loop goes idle

struct TOOLINFO;

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd();
    // Destroys a window still attached (PostNcDestroy then sees a dying object and must not delete it).
    ~CWnd() override;

    // The object of a window: its permanent one, or a temporary one; null for a null handle.
    static CWnd* FromHandle(HWND hWnd);
    // The permanent object of a window on this thread, or null.
    static CWnd* FromHandlePermanent(HWND hWnd);
    // Deletes the calling thread's temporary window objects (the windows stay).
    static void DeleteTempMap();
    // Makes this object the window's permanent one without subclassing it; FALSE when either is taken.
    BOOL Attach(HWND hWndNew);
    // Lets go of the window (which stays) and returns it.
    HWND Detach();

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }
    bool operator==(const CWnd& wnd) const { return wnd.m_hWnd == m_hWnd; }
    bool operator!=(const CWnd& wnd) const { return wnd.m_hWnd != m_hWnd; }

    // Creation. PreCreateWindow may change the parameters or refuse (then PostNcDestroy runs).
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // A child window of pParentWnd (the class library's child class when lpszClassName is null).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
        CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
        int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam = nullptr);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
        CWnd* pParentWnd, UINT nID, LPVOID lpParam = nullptr);
    virtual BOOL DestroyWindow();

    // Makes the window from the dialog template of that name as a child of pParentWnd and fills it
    // from the template's DLGINIT data; FALSE when the template is missing or refused.
    BOOL CreateDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd);
    // Fills the window's controls from DLGINIT data (list and combo box strings); FALSE when the data
    // is malformed or a control refused a string. A missing resource is no error.
    BOOL ExecuteDlgInit(LPCTSTR lpszResourceName);
    BOOL ExecuteDlgInit(LPVOID lpResource, DWORD dwSize);

    // The modal loop of the class library: serves messages through PreTranslateMessage until
    // EndModalLoop (or WM_QUIT, which is posted again and gives -1). The value given to EndModalLoop.
    int RunModalLoop(DWORD dwFlags = 0);
    virtual BOOL ContinueModal() { return (m_nFlags & WF_CONTINUEMODAL) != 0; }
    virtual void EndModalLoop(int nResult);

    // Subclassing a window made elsewhere: the object becomes its permanent one and its messages go
    // through the map first, then to its old procedure. FALSE when the window is bad or already wrapped.
    BOOL SubclassWindow(HWND hWnd);
    // The same for the dialog item nID of pParent.
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    // Gives the window back its old procedure and lets go of it.
    HWND UnsubclassWindow();

    // Message handling. WindowProc is the object's entry; OnWndMsg dispatches by the message map and
    // returns FALSE for unhandled messages, which go to DefWindowProc (the window's old procedure).
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Passes the message being handled on to DefWindowProc.
    LRESULT Default();
    // A look at a message before it is dispatched; TRUE when it was dealt with (nothing more happens).
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Offers the message to each window object from its target up to hWndStop (included); TRUE when
    // one of them dealt with it.
    static BOOL WalkPreTranslateTree(HWND hWndStop, MSG* pMsg);

    // Tooltips for this window's tools (OnToolHitTest), shown by the thread's tooltip control as the
    // pointer moves (PreTranslateMessage passes the mouse messages to FilterToolTipMessage).
    BOOL EnableToolTips(BOOL bEnable = TRUE);
    // The tool at a client point: its id with pTI filled (hwnd, uId, rect, flags, text; text that is
    // not LPSTR_TEXTCALLBACK is malloc'ed and freed by the caller), -1 when none. This one names the
    // visible child window under the point, its text the tip part of its string resource.
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    // Follows a mouse message through this window's tools: a new tool moves the tooltip to it and, for
    // a bar with CBRS_FLYBY, shows its prompt on the frame's status line; leaving restores the idle text.
    void FilterToolTipMessage(MSG* pMsg);

    // WM_COMMAND: reflected control notifications first, then OnCmdMsg. A menu or accelerator command
    // whose update handler disabled it is dropped. TRUE when handled.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY: reflected first, then OnCmdMsg with the notification code and WM_NOTIFY.
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A control's look at a notification it sent its parent (WM_COMMAND, WM_NOTIFY, ...), through its
    // reflection entries; TRUE when the control dealt with it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Offers the message being handled to the child control hWndChild; TRUE when it dealt with it.
    static BOOL ReflectLastMsg(HWND hWndChild, LRESULT* pResult = nullptr);
    BOOL SendChildNotifyLastMsg(LRESULT* pResult = nullptr);

    // The window rectangle that gives lpClientRect as client area.
    virtual void CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType = adjustBorder);
    virtual BOOL IsFrameWnd() const { return FALSE; }
    // Lays out the control bars with ids nIDFirst..nIDLast in the client area (WM_SIZEPARENT) and gives
    // nIDLeftOver the rest; with reposQuery only measures into lpRectParam.
    void RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlag = reposDefault,
        LPRECT lpRectParam = nullptr, LPCRECT lpRectClient = nullptr, BOOL bStretch = TRUE);
    // Sends the message to every descendant (bDeep) or child; through AfxCallWndProc when bOnlyPerm
    // restricts it to windows with permanent objects.
    void SendMessageToDescendants(
        UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE, BOOL bOnlyPerm = FALSE);
    // Asks the update handlers of pTarget for the state of the child controls whose ids are commands.
    void UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    // The frame the window is in (null for none); GetTopLevelFrame goes on to the outermost one.
    CFrameWnd* GetParentFrame() const;
    CFrameWnd* GetTopLevelFrame() const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetTopLevelOwner() const;
    CWnd* GetParentOwner() const;
    // The owner set with SetOwner, or else the parent.
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwnerWnd) { m_hWndOwner = pOwnerWnd ? pOwnerWnd->m_hWnd : nullptr; }
    // TRUE when the window's top-level parent is the active window (or an owned window of it is).
    BOOL IsTopParentActive() const;
    void ActivateTopParent();
    // The descendant with that id, among permanent objects only when bOnlyPerm.
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    // A window fit to own a message box or dialog: the parent's top level, or the main window.
    static CWnd* GetSafeOwner(CWnd* pParent = nullptr, HWND* pWndTop = nullptr);
    // WM_SYSCOMMAND of a floating palette: handled by its owning frame when it is one of ours.
    BOOL HandleFloatingSysCommand(UINT nID, LPARAM lParam);
    // The component interface of a control hosted here; none are.
    LPUNKNOWN GetControlUnknown() { return nullptr; }

    // The window API on this window.
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_STYLE)); }
    DWORD GetExStyle() const { return static_cast<DWORD>(::GetWindowLong(m_hWnd, GWL_EXSTYLE)); }
    // Removes then adds style bits; with nFlags, SetWindowPos(nFlags) shows the change. TRUE when changed.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    static BOOL ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    static BOOL ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags);
    int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
    int SetDlgCtrlID(int nID);
    CWnd* GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
    CWnd* GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
    CWnd* SetParent(CWnd* pWndNewParent);
    CWnd* GetWindow(UINT nCmd) const { return FromHandle(::GetWindow(m_hWnd, nCmd)); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return GetWindow(nFlag); }
    CWnd* GetTopWindow() const { return FromHandle(::GetTopWindow(m_hWnd)); }
    BOOL IsChild(const CWnd* pWnd) const { return pWnd && ::IsChild(m_hWnd, pWnd->m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }
    BOOL IsZoomed() const { return ::IsZoomed(m_hWnd); }
    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    void ClientToScreen(LPRECT lpRect) const;
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ScreenToClient(LPRECT lpRect) const;
    void MapWindowPoints(CWnd* pwndTo, LPPOINT lpPoint, UINT nCount) const;
    void MapWindowPoints(CWnd* pwndTo, LPRECT lpRect) const;
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    BOOL GetWindowPlacement(WINDOWPLACEMENT* lpwndpl) const { return ::GetWindowPlacement(m_hWnd, lpwndpl); }
    BOOL SetWindowPlacement(const WINDOWPLACEMENT* lpwndpl) { return ::SetWindowPlacement(m_hWnd, lpwndpl); }
    void BringWindowToTop() { ::BringWindowToTop(m_hWnd); }
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void SetWindowText(LPCTSTR lpszString) { ::SetWindowText(m_hWnd, lpszString); }
    int GetWindowText(LPTSTR lpszStringBuf, int nMaxCount) const;
    void GetWindowText(CString& rString) const;
    int GetWindowTextLength() const { return ::GetWindowTextLength(m_hWnd); }
    // The window's menu bar and system menu (temporary objects unless wrapped).
    CMenu* GetMenu() const;
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar() { ::DrawMenuBar(m_hWnd); }
    CMenu* GetSystemMenu(BOOL bRevert) const;
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    HICON GetIcon(BOOL bBigIcon) const;

    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void InvalidateRgn(CRgn* pRgn, BOOL bErase = TRUE);
    void ValidateRect(LPCRECT lpRect) { ::ValidateRect(m_hWnd, lpRect); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate = nullptr, CRgn* prgnUpdate = nullptr,
        UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    void SetRedraw(BOOL bRedraw = TRUE) { SendMessage(WM_SETREDRAW, bRedraw, 0); }
    BOOL LockWindowUpdate() { return ::LockWindowUpdate(m_hWnd); }
    void UnlockWindowUpdate() { ::LockWindowUpdate(nullptr); }
    CDC* GetDC() { return CDC::FromHandle(::GetDC(m_hWnd)); }
    CDC* GetDCEx(CRgn* prgnClip, DWORD flags);
    CDC* GetWindowDC() { return CDC::FromHandle(::GetWindowDC(m_hWnd)); }
    int ReleaseDC(CDC* pDC);
    void ScrollWindow(int xAmount, int yAmount, LPCRECT lpRect = nullptr, LPCRECT lpClipRect = nullptr)
    {
        ::ScrollWindow(m_hWnd, xAmount, yAmount, lpRect, lpClipRect);
    }

    CWnd* SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }
    static CWnd* GetFocus() { return FromHandle(::GetFocus()); }
    CWnd* SetCapture() { return FromHandle(::SetCapture(m_hWnd)); }
    static CWnd* GetCapture() { return FromHandle(::GetCapture()); }
    CWnd* SetActiveWindow() { return FromHandle(::SetActiveWindow(m_hWnd)); }
    static CWnd* GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
    BOOL SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
    static CWnd* GetForegroundWindow() { return FromHandle(::GetForegroundWindow()); }
    static CWnd* GetDesktopWindow() { return FromHandle(::GetDesktopWindow()); }
    static CWnd* WindowFromPoint(POINT point) { return FromHandle(::WindowFromPoint(point)); }
    CWnd* ChildWindowFromPoint(POINT point) const { return FromHandle(::ChildWindowFromPoint(m_hWnd, point)); }
    static CWnd* FindWindow(LPCTSTR lpszClassName, LPCTSTR lpszWindowName)
    {
        return FromHandle(::FindWindow(lpszClassName, lpszWindowName));
    }

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessage(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessage(m_hWnd, message, wParam, lParam);
    }
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = nullptr)
    {
        return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }
    void DragAcceptFiles(BOOL bAccept = TRUE) { ::DragAcceptFiles(m_hWnd, bAccept); }
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = nullptr, UINT nType = MB_OK);

    void SetDlgItemText(int nID, LPCTSTR lpszString);
    int GetDlgItemText(int nID, CString& rString) const;
    void SetDlgItemInt(int nID, UINT nValue, BOOL bSigned = TRUE);
    UINT GetDlgItemInt(int nID, BOOL* lpTrans = nullptr, BOOL bSigned = TRUE) const;
    LRESULT SendDlgItemMessage(int nID, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void CheckDlgButton(int nIDButton, UINT nCheck);
    UINT IsDlgButtonChecked(int nIDButton) const;

    // The scroll functions act on the bar GetScrollBarCtrl names for nBar, else on the window's own.
    int GetScrollPos(int nBar) const;
    int SetScrollPos(int nBar, int nPos, BOOL bRedraw = TRUE);
    void GetScrollRange(int nBar, LPINT lpMinPos, LPINT lpMaxPos) const;
    void SetScrollRange(int nBar, int nMinPos, int nMaxPos, BOOL bRedraw = TRUE);
    BOOL GetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, UINT nMask = SIF_ALL);
    BOOL SetScrollInfo(int nBar, LPSCROLLINFO lpScrollInfo, BOOL bRedraw = TRUE);
    // The scroll-bar control that stands in for the window's own bar nBar (SB_HORZ, SB_VERT); none
    // here. A window that draws its scroll bars as child controls names them.
    virtual CScrollBar* GetScrollBarCtrl(int nBar) const { return nullptr; }
    void ShowScrollBar(UINT nBar, BOOL bShow = TRUE) { ::ShowScrollBar(m_hWnd, static_cast<int>(nBar), bShow); }

    // Message handlers: each passes its message on to Default unless a class says otherwise.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    // Passes the message on, lets go of the window and calls PostNcDestroy.
    afx_msg void OnNcDestroy();
    // Owner-drawn controls: reflected to the control's DrawItem / MeasureItem when its class maps them.
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    afx_msg void OnClose();
    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnCancelMode();
    afx_msg void OnChildActivate();
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    // Passes the colour change on to the child windows.
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint pos);
    afx_msg BOOL OnHelpInfo(HELPINFO* lpHelpInfo);
    afx_msg void OnInitMenu(CMenu* pMenu);
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    // A key that names no item of an open menu: MAKELRESULT(item, MNC_*); the default is the system's answer.
    afx_msg LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    // Files dropped on a window that accepts them (DragAcceptFiles); the default finishes the drop.
    afx_msg void OnDropFiles(HDROP hDropInfo);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg void OnEnterMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg void OnExitMenuLoop(BOOL bIsTrackPopupMenu);
    afx_msg UINT OnGetDlgCode();
    afx_msg BOOL OnQueryEndSession();
    afx_msg void OnEndSession(BOOL bEnding);
    // The brush the control colour messages ask for; a control may answer through reflection.
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnMDIActivate(BOOL bActivate, CWnd* pActivateWnd, CWnd* pDeactivateWnd);
    afx_msg void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    afx_msg BOOL OnMouseWheel(UINT nFlags, short zDelta, CPoint pt);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSysChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnRButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnMButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnNcMouseMove(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonUp(UINT nHitTest, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonDown(UINT nHitTest, CPoint point);
    afx_msg void OnNcRButtonUp(UINT nHitTest, CPoint point);

    HWND m_hWnd { nullptr };
    // The owner given by SetOwner (windows of the class library may be owned by a window that is not
    // their parent, such as bars floating away from their frame).
    HWND m_hWndOwner { nullptr };
    UINT m_nFlags { 0 };

protected:
    // Runs after WM_NCDESTROY, once the object has let go of its window. Nothing here; windows that
    // own themselves delete themselves.
    virtual void PostNcDestroy() { }
    // Runs when the object is about to take over a window (creation or subclassing).
    virtual void PreSubclassWindow() { }
    // Dispatches the notify signatures and passes the command ones on.
    BOOL DispatchCommand(const AFX_MSGMAP_ENTRY& entry, UINT nID, int nCode, void* pExtra) override;

    // Makes the window from a dialog template in memory; used by CreateDlg, dialogs and sheets.
    BOOL CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    // Runs the window modally over hWndOwner (disabled meanwhile): create makes it with the owner's
    // object as parent, then the modal loop runs until EndModalLoop, and the window is destroyed.
    // The value given to EndModalLoop; -1 when create failed.
    int RunModal(HWND hWndOwner, const std::function<BOOL(CWnd* pOwner)>& create);
    // The value the modal loop returns.
    int m_nModalResult { -1 };

    // The procedure that had the window before this object subclassed it (DefWindowProc for windows
    // of the class library's own classes).
    WNDPROC m_pfnSuper { nullptr };

    friend LRESULT AfxCallWndProc(CWnd*, HWND, UINT, WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()

private:
    // Attaches the window being created on this thread to its object (the creation hook).
    static LRESULT CbtFilterHook(int code, WPARAM wParam, LPARAM lParam);
    static void HookWindowCreate(CWnd* pWnd);
    static void UnhookWindowCreate();
    // Takes the window over: permanent entry and AfxWndProc as its procedure.
    void SubclassAttached(HWND hWnd);
    // The dialog procedure given to the dialog manager: it makes the window the object's permanent
    // one at the first message (before the controls are made), then leaves everything to the map.
    static INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Calls the handler of a window-message entry; FALSE when the signature is not a window one.
    BOOL CallHandler(const AFX_MSGMAP_ENTRY& entry, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
};
