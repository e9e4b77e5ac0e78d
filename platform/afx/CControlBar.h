#pragma once
// The base of control bars: a child window of a frame that takes a strip of it (WM_SIZEPARENT), docks
// into the frame's dock bars or floats in a mini frame, and updates its items from the frame's command
// handlers at idle time. m_dwStyle holds the bar styles (CBRS_*), apart from the window style.

#include "platform/afx/AfxBarItemStyles.h"
#include "platform/afx/CWnd.h"

class CControlBarInfo;
class CDockBar;
class CDockContext;
class CFrameWnd;

// Bar styles.
constexpr DWORD CBRS_ALIGN_LEFT = 0x1000;
constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
constexpr DWORD CBRS_ALIGN_RIGHT = 0x4000;
constexpr DWORD CBRS_ALIGN_BOTTOM = 0x8000;
constexpr DWORD CBRS_ALIGN_ANY = 0xF000;
constexpr DWORD CBRS_BORDER_LEFT = 0x0100;
constexpr DWORD CBRS_BORDER_TOP = 0x0200;
constexpr DWORD CBRS_BORDER_RIGHT = 0x0400;
constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
constexpr DWORD CBRS_BORDER_ANY = 0x0F00;
constexpr DWORD CBRS_TOOLTIPS = 0x0010;
constexpr DWORD CBRS_FLYBY = 0x0020;
constexpr DWORD CBRS_FLOAT_MULTI = 0x0040;
constexpr DWORD CBRS_BORDER_3D = 0x0080;
constexpr DWORD CBRS_HIDE_INPLACE = 0x0008;
constexpr DWORD CBRS_SIZE_DYNAMIC = 0x0004;
constexpr DWORD CBRS_SIZE_FIXED = 0x0002;
constexpr DWORD CBRS_FLOATING = 0x0001;
constexpr DWORD CBRS_GRIPPER = 0x00400000;
constexpr DWORD CBRS_ORIENT_HORZ = CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM;
constexpr DWORD CBRS_ORIENT_VERT = CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT;
constexpr DWORD CBRS_ORIENT_ANY = CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT;
constexpr DWORD CBRS_ALL = 0x0040FFFF;
constexpr DWORD CBRS_NOALIGN = 0;
constexpr DWORD CBRS_LEFT = CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT;
constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;
constexpr DWORD CBRS_RIGHT = CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT;
constexpr DWORD CBRS_BOTTOM = CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP;

// CalcDynamicLayout modes.
constexpr DWORD LM_STRETCH = 0x01; // stretch to the whole length of the frame
constexpr DWORD LM_HORZ = 0x02; // horizontal (vertical otherwise)
constexpr DWORD LM_MRUWIDTH = 0x04; // the most recently used width of a floating bar
constexpr DWORD LM_HORZDOCK = 0x08; // docked horizontally
constexpr DWORD LM_VERTDOCK = 0x10; // docked vertically
constexpr DWORD LM_LENGTHY = 0x20; // nLength is a height (a width otherwise)
constexpr DWORD LM_COMMIT = 0x40; // remember the size as the most recently used one

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    // Destroys the window and leaves the frame; the dock context goes with the bar.
    ~CControlBar() override;

    // The size the bar wants: the whole length when bStretch, otherwise nothing (a bar with items
    // measures them).
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    // The size for a layout mode (LM_*), nLength the length asked for or -1; here CalcFixedLayout's.
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // Takes the borders (CBRS_BORDER_*, 2 pixels each, and m_cx/cy*Border, which swap for a vertical
    // bar) and the gripper out of rect.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;
    // Paints the bar: borders, then gripper.
    virtual void DoPaint(CDC* pDC);
    // Asks the frame's command handlers for the state of the bar's items; nothing here.
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) { }
    // Called when SetBarStyle changes the style.
    virtual void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) { }
    virtual BOOL IsDockBar() const { return FALSE; }

    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle);
    // Allows docking on the sides named (CBRS_ALIGN_*, CBRS_FLOAT_MULTI); makes the dock context.
    void EnableDocking(DWORD dwDockStyle);
    // Shows or hides the bar at the next layout of its frame. Virtual, so that a bar can choose to
    // change at once instead (the frame and its dock bars show and hide bars through this).
    virtual void DelayShow(BOOL bShow);
    // Visible, counting a pending DelayShow.
    BOOL IsVisible() const;
    BOOL IsFloating() const;
    // Applies a pending DelayShow when lpLayout does a real layout; the style the bar has for it.
    // Virtual, so that a bar can change its floating frame once it is laid out there.
    virtual DWORD RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);
    // The frame the bar docks in (the floating frame's owner for a floating bar).
    CFrameWnd* GetDockingFrame() const;
    int GetCount() const { return m_nCount; }

    // The bar's record in a dock state, and putting the bar back as a record says.
    virtual void GetBarInfo(CControlBarInfo* pInfo);
    virtual void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Notifications of the bar's child controls go to its owner when the bar does not handle them.
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;

    // Borders inside the bar (left/right along a horizontal bar) and the gap between items.
    int m_cxLeftBorder { 6 };
    int m_cxRightBorder { 6 };
    int m_cyTopBorder { 1 };
    int m_cyBottomBorder { 1 };
    int m_cxDefaultGap { 2 };
    UINT m_nMRUWidth { 32767 };
    BOOL m_bAutoDelete { FALSE };
    DWORD m_dwStyle { 0 };
    DWORD m_dwDockStyle { 0 };
    CFrameWnd* m_pDockSite { nullptr };
    CDockBar* m_pDockBar { nullptr };
    CDockContext* m_pDockContext { nullptr };
    int m_nCount { 0 };
    void* m_pData { nullptr };

    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
    UINT m_nStateFlags { 0 };

protected:
    CControlBar();

    // Makes the bar's window from a dialog template: the template's controls, filled from its DLGINIT
    // data, the bar style (CBRS_*) of nStyle, shown when nStyle has WS_VISIBLE. FALSE, leaving no
    // window behind, when the template is missing or its controls cannot be made or filled.
    BOOL CreateFromTemplate(CWnd* pParentWnd, LPCTSTR lpszTemplateName, UINT nStyle, UINT nID);
    // The borders CBRS_BORDER_* ask for, in the button shadow and (3-D) highlight colours; rect
    // shrinks by them.
    void DrawBorders(CDC* pDC, CRect& rect);
    void DrawGripper(CDC* pDC, const CRect& rect);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitialUpdate(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

namespace afx {
// Moves a bar as a layout asks (deferred when the layout has an HDWP), unless it is there already.
void RepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect);
// Gripper and border sizes of bars.
constexpr int kBorder2 = 2;
constexpr int kGripper = 3;
constexpr int kGripperBorder = 2;
} // namespace afx
