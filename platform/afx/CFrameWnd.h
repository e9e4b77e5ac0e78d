#pragma once
// A frame window: the window around a document's views and the control bars. It lays its bars out
// through WM_SIZEPARENT (RecalcLayout), routes commands to the active view first, then itself, then
// the application, shows menu prompts on the status bar (WM_SETMESSAGESTRING), keeps its title after
// the document, and deletes itself when its window goes.

#include "platform/afx/CControlBar.h"
#include "platform/afx/CPtrList.h"
#include "platform/afx/CWnd.h"

class CControlBar;
class CDockBar;
class CDockState;
class CDocument;
class CMiniDockFrameWnd;
class CView;
struct CCreateContext;
struct CPrintPreviewState;

// Frame styles (in the window style's low word, where the window manager does not look).
constexpr DWORD FWS_ADDTOTITLE = 0x00008000; // the document's name goes into the title
constexpr DWORD FWS_PREFIXTITLE = 0x00004000; // "document - application" instead of the reverse
constexpr DWORD FWS_SNAPTOBARS = 0x00002000; // a floating frame sizes itself to its bars

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // The rectangle that makes the system choose the position and size.
    static const CRect rectDefault;

    // Creation: the frame's window, then (OnCreate) its client views and bars.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
        const RECT& rect = rectDefault, CWnd* pParentWnd = nullptr, LPCTSTR lpszMenuName = nullptr,
        DWORD dwExStyle = 0, CCreateContext* pContext = nullptr);
    // A frame whose title (the first part of string nIDResource), icon and menu come from the resources
    // of that id. FALSE (the object already deleted) when it cannot be made.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
        CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr);
    // Makes a view of pContext's class as child nID; null when it cannot.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL IsFrameWnd() const override { return TRUE; }

    // The active view and document, and the frame that is active within this one (itself here).
    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CDocument* GetActiveDocument();
    virtual CFrameWnd* GetActiveFrame() { return this; }
    // Shows the frame (SW_SHOWNORMAL or as it was when nCmdShow is -1) and brings it to the top.
    virtual void ActivateFrame(int nCmdShow = -1);
    // Gives the views their WM_INITIALUPDATE, picks the active view and shows the frame when bMakeVisible.
    void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);

    // Lays the control bars out and gives the view the rest of the client area.
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    // Asks for RecalcLayout at the next idle time.
    void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0); }
    // The title: the document's name with the application's, as FWS_ADDTOTITLE and FWS_PREFIXTITLE say.
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    void DelayUpdateFrameTitle() { m_nIdleFlags |= idleTitle; }
    // Sets the menu shown for the active document (the default menu when hMenuAlt is null).
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);
    void UpdateFrameTitleForDocument(LPCTSTR lpszDocName);
    // The window showing status messages (the status bar), or null.
    virtual CWnd* GetMessageBar();
    // Puts the text, or the prompt of string nID, on the status bar.
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    // The status-bar prompt of a command: its string up to the first newline.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;

    // The control bars of the frame (those added themselves on creation).
    CControlBar* GetControlBar(UINT nID);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // Shows or hides a bar, now or (bDelay) at the next layout.
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    // Docking: creates the dock bars on the sides named (CBRS_ALIGN_*).
    void EnableDocking(DWORD dwDockStyle);
    // Docks the bar in the frame's dock bar nDockBarID (0: any allowed side), in lpRect when given.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = nullptr);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Floats the bar in a mini frame at the screen point, laid out as dwStyle says (CBRS_ALIGN_*).
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP);
    // The alignment of the frame's visible dock bar that a bar allowed dwDockStyle would dock into at the
    // screen rectangle (0 for none); *ppDockBar gets that dock bar.
    DWORD CanDock(CRect rect, DWORD dwDockStyle, CDockBar** ppDockBar = nullptr);
    // A new floating frame of m_pFloatingFrameClass; null when it cannot be made.
    CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = nullptr);
    // Bar positions and visibility, stored in and read from the profile section lpszProfileName.
    void SaveBarState(LPCTSTR lpszProfileName) const;
    void LoadBarState(LPCTSTR lpszProfileName);
    void GetDockState(CDockState& state) const;
    void SetDockState(const CDockState& state);
    // Destroys the dock bars (before the frame's own window goes).
    void DestroyDockBars();

    // Context help: the mouse pointer becomes the help cursor until a click picks the window whose help
    // is shown (or Escape leaves).
    virtual BOOL CanEnterHelpMode() { return TRUE; }
    // Takes the mouse for help mode, with the help cursor over the frame's windows; FALSE when it cannot.
    BOOL SetHelpCapture(POINT point, BOOL* pbDescendant);
    // Runs one message of help mode; FALSE when help mode ends with it.
    BOOL ProcessHelpMsg(MSG& msg, DWORD* pContext);
    void ExitHelpMode();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Commands go to the active view (and so its document), the frame, then the application.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Enters or leaves print preview: the menu and the visible control bars are put aside in pState
    // and brought back.
    virtual void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState);
    // Tells the windows this frame owns (its floating bars and palettes) of its state with
    // WM_FLOATSTATUS: FS_ACTIVATE, FS_DEACTIVATE, FS_ENABLE or FS_DISABLE.
    void NotifyFloatingWindows(DWORD dwFlags);

    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

    UINT m_nIdleFlags { 0 };
    CPtrList m_listControlBars;
    CView* m_pViewActive { nullptr };
    HMENU m_hMenuDefault { nullptr };
    HACCEL m_hAccelTable { nullptr };
    UINT m_nIDHelp { 0 };
    BOOL m_bAutoMenuEnable { TRUE };
    int m_nWindow { -1 }; // the frame's number in the title when a document has several ("doc:2")
    BOOL m_bHelpMode { FALSE };
    CString m_strTitle;
    // The borders around the view kept free of bars (what RepositionBars must leave).
    CRect m_rectBorder;
    CRuntimeClass* m_pFloatingFrameClass { nullptr };
    // The prompt being shown and the one last shown on the status bar.
    // The prompt shown at the next idle time: the idle message until a menu or command changes it.
    UINT m_nIDTracking { AFX_IDS_IDLEMESSAGE };
    UINT m_nIDLastMessage { 0 };
    DWORD m_dwPromptContext { 0 };
    BOOL m_bInRecalcLayout { FALSE };
    // How a floating frame is to be shown at its next layout (-1: as it is).
    int m_nShowDelay { -1 };
    // The dock bar ids and bar styles, in the order dock bars are looked through.
    static const DWORD dwDockBarMap[4][2];

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void PostNcDestroy() override { delete this; }

public:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs);
    afx_msg void OnDestroy();
    // The closing sequence: the document may refuse; the main frame closes every document (asking to
    // save), then goes.
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg void OnEnterIdle(UINT nWhy, CWnd* pWho);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg void OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu);
    // Asks the command handlers for the state of each item of the pop-up about to show.
    afx_msg void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPopMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnExitHelpMode(WPARAM wParam, LPARAM lParam);
    afx_msg void OnContextHelp();
    afx_msg void OnHelp();
    afx_msg void OnUpdateControlBarMenu(CCmdUI* pCmdUI);
    afx_msg BOOL OnBarCheck(UINT nID);

    DECLARE_MESSAGE_MAP()

private:
    // The accelerators LoadFrame loaded, freed with the frame; m_hAccelTable may name a table that
    // belongs to someone else (a document template's, shared by its frames).
    HACCEL m_hAccelLoaded { nullptr };
};
