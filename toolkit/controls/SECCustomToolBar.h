#pragma once
// The dockable toolbar whose items are button objects it owns, so that buttons can be inserted,
// removed and dragged between bars while the program runs. It lays its buttons out in rows itself,
// paints them through a shared drawing context with images from a shared image store, tracks the hot
// button in the cool look, fires commands, and takes part in its toolbar manager's customise mode.

#include <memory>
#include <vector>

#include "platform/afx/CCmdUI.h"
#include "toolkit/controls/SECStdBtn.h"
#include "toolkit/frames/SECControlBar.h"

class CReBar;
class SECBmpMgr;
class SECBtnDrawContext;
class SECToolBarManager;

// Extended bar styles that customisable toolbars read.
constexpr DWORD SEC_TBX_TOOLBARSIZE = 0x0004; // always set: a floating bar's frame sizes like a toolbar's
constexpr DWORD SEC_TBX_STRETCH = 0x0080; // the bar takes the whole length of its dock row
constexpr DWORD SEC_TBX_COOLLOOK = 0x0100; // flat buttons with hot tracking, etched separators
constexpr DWORD SEC_TBX_WIDEGRIPPER = 0x0400; // two more pixels of gripper
constexpr DWORD SEC_TBX_TRANSPARENT = 0x1000; // with the cool look: button faces show the bar's background

// The record of a button map: which class, style and initialisation data a bar gives the button of a
// command. A map ends with a record without class.
struct SECBtnMapEntry {
    const SECButtonClass* m_pBtnClass { nullptr };
    UINT m_nID { 0 };
    UINT m_nStyle { 0 };
    UINT_PTR m_nData[5] {};
};

// What a bar tells its manager, and the manager its listeners.
enum SECBarNotifyCode : int { barShown = 0, barHidden = 1, barCreated = 2, barDestroyed = 3, barSelChanged = 4 };

// Notifications a menu button sends its bar's owner.
constexpr UINT SEC_TBN_MENUPRESS = static_cast<UINT>(-2120);
constexpr UINT SEC_TBN_MENUCLOSE = static_cast<UINT>(-2121);
constexpr UINT SEC_TBN_MENUTRACK = static_cast<UINT>(-2122);
constexpr UINT SEC_TBN_MENUEND = static_cast<UINT>(-2123);

// Registered "WM_NODELAYHIDE": a bar being customised hides at once rather than at the next layout.
extern const UINT WM_NODELAYHIDE;

// Control ids at and above this belong to toolbars the user made.
constexpr UINT SEC_IDW_FIRSTUSERBAR = 0xE820;

class SECCustomToolBar : public SECControlBar {
    DECLARE_DYNCREATE(SECCustomToolBar)
public:
    using SECBtnArray = std::vector<std::unique_ptr<SECStdBtn>>;

    // One row of a layout: its last button, whether a separator broke it (that separator then belongs to
    // no row's width), its width and height.
    struct RowInfo {
        int nLast { -1 };
        BOOL bSeparator { FALSE };
        int nWidth { 0 };
        int nHeight { 0 };
    };
    using Rows = std::vector<RowInfo>;

    // The timer that keeps the hot button in step with the mouse.
    static constexpr UINT_PTR kHotTimer = 0xE002;
    static constexpr UINT kHotInterval = 100;
    // The bar's own separator gap.
    static constexpr int kSeparatorWidth = 8;
    // Bits of m_dwNoDragOut.
    static constexpr DWORD kNoDragOut = 0x1;

    SECCustomToolBar();
    ~SECCustomToolBar() override;

    // FALSE when the window cannot be made.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle = nullptr);
    virtual BOOL CreateEx(DWORD dwExStyle, CWnd* pParentWnd, DWORD dwStyle, UINT nID, LPCTSTR lpszTitle = nullptr);
    // FALSE for an index out of range, or when the bar, left empty, destroyed itself (a user's bar).
    virtual BOOL RemoveButton(int nIndex, BOOL bNoRecalc = FALSE);
    virtual void InsertButton(int nIndex, UINT nID, BOOL bSeparator = FALSE, BOOL bNoRecalc = FALSE);
    virtual int GetImageIndex(UINT nID, UINT& nFoundID) const;
    virtual void ResetButtonSizes();
    virtual void SetButtons(const UINT* pIDs, int nCount);
    virtual void StretchToParent();
    virtual void NotifyMenuButton(SECStdBtn* pBtn, WPARAM wValue, LPARAM lValue);
    virtual void PressMenuButton(int nIndex);
    virtual void SetTrackedMenuButton(int nIndex);
    virtual void TrackMenuButtonAt(CPoint point);
    virtual void EndMenuTracking();
    virtual BOOL IsMenuTracking() const { return m_bMenuTracking; }
    virtual int FirstMenuButton() const;
    virtual int LastMenuButton() const;
    virtual int FirstDropMenuButton() const;
    virtual int NextMenuButton(BOOL bForward) const;
    virtual HFONT GetFont() const { return m_hFont; }
    virtual void BalanceRows(Rows& rows);
    virtual BOOL IsCopyDrag() const;
    virtual BOOL AcceptsDrop() const { return TRUE; }
    virtual void RemoveAllButtons();
    virtual BOOL IsCoolLook() const { return (m_dwExStyle & SEC_TBX_COOLLOOK) != 0; }
    virtual int GetImageWidth() const;
    virtual int GetImageHeight() const;
    virtual int GetButtonWidth() const { return GetImageWidth() + 7; }
    virtual int GetButtonHeight() const { return GetImageHeight() + 7; }
    virtual int GetSeparatorWidth() const { return (GetImageWidth() + 8) / 3; }
    virtual int GetSeparatorHeight() const { return GetButtonHeight(); }
    virtual BOOL OnMenuMouseMessage(UINT nMessage, CPoint point);
    virtual void CancelMenuTracking();
    virtual void DragButton(int nIndex, CPoint point);
    // Drags pBtn's outline from a press at point (pTrackWnd's client coordinates) and drops it on the
    // bar under it, makes a new bar of it or deletes it. pSource is the bar the button belongs to; a
    // button of no bar (a list of commands offering it) is only copied.
    static void TrackButtonDrag(SECToolBarManager* pManager, SECStdBtn* pBtn, CWnd* pTrackWnd, CPoint point,
        SECCustomToolBar* pSource, BOOL bCopy);
    virtual void UpdateRebarBand(CReBar*, CSize) { }
    virtual void WrapButtons(int nWidth, Rows& rows);
    virtual CSize CalcWrappedSize(int nLength, BOOL bFitHeight, Rows& rows);
    virtual CSize CalcLayout(int nLength, DWORD dwMode);
    virtual void InvalidateButton(int nIndex);
    // The button under a point of the client area (-1: none, or a separator); its rectangle in rect.
    virtual int HitTest(CPoint point, CRect* pRect = nullptr) const;
    virtual void UpdateButtonCmdUI(int nIndex);
    // The drop of a dragged button (pBtn on its own bar) at rect, client coordinates of this bar.
    virtual void DropButton(const CRect& rect, SECStdBtn* pBtn, BOOL bCopy, BOOL bNoRecalc = FALSE);
    virtual SECStdBtn* CreateButton(UINT nID, SECCustomToolBar* pOwner = nullptr);
    virtual SECStdBtn* CreateSeparator(SECCustomToolBar* pOwner = nullptr);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // While customising, a floating bar asked to hide goes at once (WM_NODELAYHIDE).
    void DelayShow(BOOL bShow) override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    void DoPaint(CDC* pDC) override;
    void DrawBorders(CDC* pDC, CRect& rect) override;
    void AddGripperSize(CSize& size, BOOL bHorz) override;
    void CollectExtraBarInfo(SECControlBarInfo* pInfo) override { GetExtendedInfo(pInfo); }
    void ApplyExtraBarInfo(SECControlBarInfo* pInfo, CFrameWnd*) override { SetExtendedInfo(pInfo); }
    // The bar's buttons into its saved record, and back.
    virtual void GetExtendedInfo(SECControlBarInfo* pInfo);
    virtual void SetExtendedInfo(SECControlBarInfo* pInfo);

    // The customise selection.
    void SelectButton(int nIndex, BOOL bRedraw = TRUE);
    void ClearSelection(BOOL bRedraw = TRUE);
    int GetSelectedIndex() const { return m_nSelected; }
    void EnterCustomizeMode(BOOL bOn);
    BOOL IsCustomizeMode() const { return m_bCustomize; }

    // The manager knows its bars, so that whichever of them goes first the other forgets it.
    void SetManager(SECToolBarManager* pManager);
    SECToolBarManager* GetManager() const { return m_pManager; }
    // Shares the image store (one reference taken, the old one released).
    void SetBmpMgr(SECBmpMgr* pBmpMgr);
    SECBmpMgr* GetBmpMgr() const { return m_pBmpMgr; }
    void SetButtonMaps(const SECBtnMapEntry* pFirst, const SECBtnMapEntry* pSecond);
    // A style change on every button of the command: through the manager on all its bars, else here.
    void SetButtonStyleAll(UINT nID, int nOperation, UINT nAdd, UINT nRemove);
    // New system colours: the checkerboard brushes and the recoloured images follow them.
    void SysColorChange();
    // The hot button follows the mouse again.
    void UpdateHotButton();

    int GetBtnCount() const { return static_cast<int>(m_btns.size()); }
    SECStdBtn* GetBtn(int nIndex) const;
    int IndexOf(const SECStdBtn* pBtn) const;
    const SECBtnArray& GetBtnArray() const { return m_btns; }
    CSize GetLargestButton() const { return m_szLargest; }
    void GrowLargestButton(CSize size);
    BOOL IsVertical() const { return m_bVertical; }
    int GetHotIndex() const { return m_nHot; }
    int GetTrackedIndex() const { return m_nTracked; }

    // Shared by every bar, on the user-interface thread: a command is being fired, an Alt-drag is on.
    static BOOL& CommandFiring();
    static BOOL& AltDragging();
    // The object as a custom toolbar, or null when it is none.
    static SECCustomToolBar* FromObject(CObject* pObject)
    {
        return pObject && pObject->IsKindOf(RUNTIME_CLASS(SECCustomToolBar)) ? static_cast<SECCustomToolBar*>(pObject)
                                                                              : nullptr;
    }

    DWORD m_dwNoDragOut { 0 };
    int m_nSepWidth { kSeparatorWidth };
    BOOL m_bOwnMRULayout { FALSE };
    BOOL m_bOwnHorzLayout { FALSE };
    BOOL m_bOwnVertLayout { FALSE };

protected:
    // Tells the manager about the bar (SECBarNotifyCode).
    void NotifyManager(int nCode);
    // Gives the separators of the row holding nIndex the height of the row's tallest button.
    void FitRowSeparators(int nIndex);
    // The inside rectangle of a docked or floating bar, client coordinates.
    CRect InsideRect();
    // A press on a button: the status prompt, capture and redraw; FALSE when the button is not pressed.
    BOOL PressButton(int nIndex, CPoint point);
    // A press on a button: pressed, or dragged while customising or with Alt. FALSE when no button
    // takes it (the bar's own handling follows).
    BOOL PressOrDrag(CPoint point);
    void SetHotIndex(int nIndex);
    void ClearHot();
    // Places the buttons after a committed layout; the size of the whole.
    CSize PlaceButtons(const CRect& rectBorder, int nLength, DWORD dwMode);
    SECBtnDrawContext* DrawContext();
    // Moves a button from another bar, or this one, to nIndex.
    void InsertDropped(int nIndex, SECStdBtn* pBtn, BOOL bCopy, BOOL bNoRecalc);
    void Recalc();

    afx_msg void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnSysColorChange();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnCancelMode();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg void OnDestroy();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnNoDelayHide(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnAddButtons(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDeleteButton(WPARAM wParam, LPARAM lParam);

    SECBmpMgr* m_pBmpMgr { nullptr };
    int m_nSelected { -1 };
    int m_nHot { -1 };
    int m_nTracked { -1 };
    int m_nPressed { -1 };
    BOOL m_bCustomize { FALSE };
    std::unique_ptr<SECBtnDrawContext> m_pDrawContext;
    BOOL m_bVertical { FALSE };
    HFONT m_hFont { nullptr };
    const SECBtnMapEntry* m_pBtnMap { nullptr };
    const SECBtnMapEntry* m_pBtnMap2 { nullptr };
    BOOL m_bMenuTracking { FALSE };
    CSize m_szLargest { 0, 0 };
    SECBtnArray m_btns;
    SECToolBarManager* m_pManager { nullptr };

    DECLARE_MESSAGE_MAP()
};

// Applies what the frame's command handlers say to a toolbar button.
class SECCustomToolCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
};
