#pragma once
// The 3-D tab strip: tabs on any of four edges with icons, labels shortened to fit (the full label as
// a tooltip), single tabs disabled, keyboard moves between enabled tabs, and (with 0x800) the active
// tab dragged to another place.

#include <memory>

#include "platform/afx/CBitmap.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CFont.h"
#include "platform/afx/CPen.h"
#include "toolkit/controls/SEC3DTab.h"
#include "toolkit/controls/SECTabControlBase.h"

// Style bits of the strip.
constexpr DWORD TCS_TABS_ON_BOTTOM = 0x0010;
constexpr DWORD TCS_TABS_ON_TOP = 0x0020;
constexpr DWORD TCS_TABS_ON_LEFT = 0x0040;
constexpr DWORD TCS_TABS_ON_RIGHT = 0x0080;
constexpr DWORD TCS_TAB_NOT_ENLARGED = 0x0100;
constexpr DWORD TCS_TAB_NARROW_EDGE = 0x0200;
constexpr DWORD TCS_TABS_FLAT = 0x0400;
constexpr DWORD TCS_TABS_DRAGGABLE = 0x0800;

class SEC3DTabControl : public SECTabControlBase {
public:
    static constexpr int tabThickness = 22;
    static constexpr int firstTabOffset = 7;
    // The tab's ends and its icon: the gap before the contents and the icon's share of the length.
    static constexpr int tabEnd = 6;
    static constexpr int iconLength = 19;

    SEC3DTabControl() = default;
    ~SEC3DTabControl() override;

    void Initialize(DWORD dwStyle) override;
    std::unique_ptr<SECTab> CreateNewTab() override;
    void RecalcLayout() override;
    void DestroyGDIObjects() override;
    SECTab* InsertTab(int nIndex, LPCTSTR lpszLabel, CWnd* pWnd = nullptr, DWORD dwData1 = 0,
        DWORD dwData2 = 0) override;
    void SetTabIcon(int nIndex, LPCTSTR lpszResource, int cx = 16, int cy = 16) override;
    void SetTabIcon(int nIndex, UINT nResource, int cx = 16, int cy = 16) override;
    void SetTabIcon(int nIndex, HICON hIcon) override;
    void RenameTab(int nIndex, LPCTSTR lpszLabel) override;
    void InvalidateTab(int nIndex) override;

    virtual void CreateFonts(DWORD dwStyle);
    virtual void EnableTab(int nIndex, BOOL bEnable = TRUE);
    virtual BOOL IsTabEnabled(int nIndex) const;
    virtual BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    virtual void ShortenLabels(int nFullExtent, int nIconExtent, int nAvailable);
    // which: 0 the normal font, 1 the active font.
    virtual BOOL SetFont(CFont* pFont, int nWhich, BOOL bRedraw = TRUE);
    virtual void GetTabRect(int nIndex, CRect& rect) const;
    virtual void ComputeTabRect(int nIndex, int x, int y, DWORD dwStyle);
    virtual void DrawTab(CDC* pDC, int nIndex);
    virtual void FillSolidRect(CDC* pDC, int x, int y, int cx, int cy, COLORREF rgb);
    virtual void DrawTabBottom(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle);
    virtual void DrawTabTop(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle);
    virtual void DrawTabLeft(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle);
    virtual void DrawTabRight(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle);
    virtual void DrawTabContents(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle);
    // Embosses, at the device context's origin, the contents mask a disabled tab was drawn into.
    virtual void DrawDisabled(CDC* pDC, int cx, int cy);

    SEC3DTab* GetTab3D(int nIndex) const { return static_cast<SEC3DTab*>(GetTab(nIndex)); }
    BOOL AreLabelsShown() const { return m_bShowLabels; }
    void SetShortenLabels(BOOL bOn) { m_bShortenLabels = bOn; }
    BOOL IsVertical() const { return (GetStyle() & (TCS_TABS_ON_BOTTOM | TCS_TABS_ON_TOP)) == 0; }
    // The index of the enabled tab under a client point, -1 when none.
    int TabFromPoint(CPoint point) const;

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    afx_msg void OnSysColorChange();
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnRButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg void OnSetFocus(CWnd* pOldWnd);

protected:
    // The strip's extent with the shown labels.
    int MeasureExtent(CDC* pDC);
    int LabelWidth(CDC* pDC, const CString& strLabel) const;
    std::unique_ptr<CFont> MakeFont(const LOGFONT& base, int nWeight, DWORD dwStyle) const;
    void LoadColors();
    // Hands a mouse message to the tooltips of the control's tools.
    void RelayToolTip(UINT message, UINT nFlags, CPoint point);
    // Takes the capture while the pointer is over the control, and lets it go when the pointer leaves.
    void TrackToolTips(CPoint point);
    // A tab's icon and label in one colour, laid out in the rectangle.
    void DrawContentsAt(CDC* pDC, SEC3DTab* pTab, DWORD dwStyle, const CRect& r, COLORREF rgb);

    BOOL m_bShortenLabels { TRUE };
    int m_nTabHeight { tabThickness };
    int m_nTabWidth { tabThickness };
    int m_nFirstTabOffsetHorz { firstTabOffset };
    int m_nFirstTabOffsetVert { firstTabOffset };
    BOOL m_bTrackingTips { FALSE };
    std::unique_ptr<CFont> m_pNormalFont;
    std::unique_ptr<CFont> m_pActiveFont;
    // The fonts' upright twins: lengths along a vertical strip are measured with them.
    std::unique_ptr<CFont> m_pMeasureFont;
    std::unique_ptr<CPen> m_pBlackPen;
    std::unique_ptr<CPen> m_pActiveBlackPen;
    std::unique_ptr<CPen> m_pShadowPen;
    std::unique_ptr<CPen> m_pHighlightPen;
    COLORREF m_rgbText { 0 };
    COLORREF m_rgbActiveText { 0 };
    BOOL m_bShowLabels { TRUE };
    // While a disabled tab is drawn: the monochrome mask of its contents.
    std::unique_ptr<CDC> m_pMaskDC;
    std::unique_ptr<CBitmap> m_pMaskBitmap;

    DECLARE_MESSAGE_MAP()
};
