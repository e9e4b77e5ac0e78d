#pragma once
// The toolkit's base of dockable bars: three remembered sizes (docked along a horizontal side, along a
// vertical side, floating), a share of its dock row, flat borders with a gripper carrying close and
// expand buttons, margins around a hosted child, proportional layout of child windows and a context menu
// with "Allow Docking" and "Hide".

#include <memory>
#include <vector>

#include "platform/afx/CControlBar.h"
#include "toolkit/frames/SECGripperInfo.h"

class CDockContext;
class CMenu;
class SECDockBar;

// Extended bar styles.
constexpr DWORD BARX_CONTEXT_MENU = 0x0001;
constexpr DWORD BARX_SCALE_CHILDREN = 0x0002;
constexpr DWORD BARX_KEEP_LENGTH = 0x0004;
constexpr DWORD BARX_SHADED_BORDERS = 0x0008;
constexpr DWORD BARX_MARGINS = 0x0010;
constexpr DWORD BARX_MDI_FLOAT_ITEM = 0x0020;
constexpr DWORD BARX_FILL_CHILD = 0x0040;
constexpr DWORD BARX_OWN_ROW = 0x0080;
constexpr DWORD BARX_FLAT_BORDERS = 0x0100;
constexpr DWORD BARX_GRIPPER = 0x0200;
constexpr DWORD BARX_CLOSE_BUTTON = 0x0400;
constexpr DWORD BARX_EXPAND_BUTTON = 0x0800;

class SECControlBar : public CControlBar {
    DECLARE_DYNCREATE(SECControlBar)
public:
    SECControlBar() = default;
    ~SECControlBar() override;

    // The size every bar takes as its three sizes when its window is created.
    static CSize& DefaultSize();
    // The first id from nBaseID to nBaseID + 999 that no bar of the frame uses; 0 when all are taken
    // or for a null frame.
    static UINT FindUniqueBarID(CFrameWnd* pFrame, UINT nBaseID);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // With LM_COMMIT the length is remembered (times the row share with LM_STRETCH) in the size of the
    // mode's side; the result is the docked size, or the floating size.
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void DoPaint(CDC* pDC) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override { }
    // The gripper's close (1024) and expand (2048) buttons of a docked bar with CBRS_TOOLTIPS, after the
    // window's own tools.
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    // Creates the dock context when there is none and makes the parent the owner when none is set.
    void EnableDocking(DWORD dwDockStyle);
    // A dock bar hosted by an MDI child, or a bar docked in one.
    BOOL IsMDIChild() const;
    // The toolkit dock bar the bar sits in, or null.
    SECDockBar* GetSECDockBar() const;

    virtual BOOL Create(CWnd* pParentWnd, LPCTSTR lpszWindowName, DWORD dwStyle, DWORD dwExStyle, UINT nID,
        CCreateContext* pContext = nullptr);
    virtual BOOL CreateEx(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, UINT nID, DWORD dwStyle, DWORD dwExStyle,
        const RECT& rect, CWnd* pParentWnd, CCreateContext* pContext = nullptr);
    // The client area less the gripper and inset of a docked bar, or less the margins.
    virtual void GetInsideRect(CRect& rectInside);
    virtual CDockContext* CreateDockContext();
    virtual void SetExBarStyle(DWORD dwExStyle, BOOL bRedraw = TRUE);
    virtual void ModifyExBarStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw = TRUE);
    // Shrinks rect by the borders; the flat ones draw nothing but may carry the gripper.
    virtual void DrawBorders(CDC* pDC, CRect& rect);
    virtual void AdjustBorderRect(CRect& rect, BOOL bHorz, BOOL bAllowGripper);
    // Hooks the frame calls around docking and floating; the Prepare ones call the Starting ones.
    virtual void PrepareDock() { OnDockStarting(); }
    virtual void OnDockStarting() { }
    virtual void OnDockFinished() { }
    virtual void PrepareFloat() { OnFloatStarting(); }
    virtual void OnFloatStarting() { }
    virtual void OnFloatFinished() { }
    virtual void PrepareMDIFloat() { OnMDIFloatStarting(); }
    virtual void OnMDIFloatStarting() { }
    virtual void OnMDIFloatFinished() { }
    virtual void OnBuildContextMenu(CMenu*) { }
    virtual BOOL CanClose() { return TRUE; }
    virtual BOOL CanExpand() { return TRUE; }
    virtual void AddGripperSize(CSize& size, BOOL bHorz);
    // Draws the gripper and its buttons inside rect, which it leaves as it was.
    virtual void DrawGripper(CDC* pDC, CRect& rect);
    virtual void CalcCloseButtonRect(CDC* pDC, CRect& rectGripper, BOOL bHorz);
    virtual void DrawCloseButtonPushed(CDC* pDC);
    virtual void DrawCloseButton(CDC* pDC);
    virtual void CalcExpandButtonRect(CDC* pDC, CRect& rectGripper, BOOL bHorz);
    virtual void DrawExpandButtonPushed(CDC* pDC);
    virtual void DrawExpandButton(CDC* pDC);
    virtual void UpdateExpandButtonState(BOOL bHorz);

    DWORD GetExBarStyle() const { return m_dwExStyle; }
    const CRect& GetCloseButtonRect() const { return m_rectClose; }
    const CRect& GetExpandButtonRect() const { return m_rectExpand; }
    BOOL IsExpandButtonEnabled() const { return m_bExpandEnabled; }

    CSize m_szHorz;
    CSize m_szVert;
    CSize m_szFloat;
    DWORD m_dwSavedDockStyle { 0 };
    float m_fPctWidth { 1.0F };
    float m_fSavedPctWidth { 1.0F };
    DWORD m_dwExStyle { 0 };
    CRect m_rcBorderSpace { 10, 10, 10, 10 };
    SECGripperInfo m_gripperInfo;

protected:
    // The layout of the child windows that BARX_SCALE_CHILDREN scales; the first record holds the client
    // rectangle it was taken at.
    struct ChildLayout {
        HWND hWnd { nullptr };
        CRect rect;
    };

    void RecordChildLayout();
    void FreeChildLayout() { m_childLayout.reset(); }
    // Docked along the top or bottom side.
    BOOL IsHorzDocked() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    BOOL IsDocked() const { return m_pDockBar != nullptr && !IsFloating(); }
    // Shared by the expand button's two faces.
    void DrawExpandFace(CDC* pDC, UINT nExtra);

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg void OnDestroy();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnHide();
    afx_msg void OnAllowDocking();
    afx_msg void OnFloatInMainWindow();

    CRect m_rectClose;
    BOOL m_bClosePressed { FALSE };
    CRect m_rectExpand;
    BOOL m_bExpandPressed { FALSE };
    BOOL m_bExpandEnabled { TRUE };
    BOOL m_bCanExpand { TRUE };
    BOOL m_bHorzButtons { TRUE };
    std::unique_ptr<std::vector<ChildLayout>> m_childLayout;

    DECLARE_MESSAGE_MAP()

private:
    // Whether a press or release at point should go to the class library's bar handling (drag, toggle)
    // rather than the window's default processing.
    BOOL UsesBarHandling() const;
    // Holds a gripper button down: drawn pushed, flag set, mouse captured.
    void PressButton(BOOL& bPressed, BOOL bAllowed, void (SECControlBar::*pfnDrawPushed)(CDC*));
};
