#pragma once
// A dock bar: the strip along one side of a frame (or the inside of a floating frame) in which control
// bars are docked in rows. m_arrBars lists the bars row by row: a null entry ends a row (the first entry
// is always null), and a small integer (a bar's id) holds the place of a bar that is elsewhere for now.

#include "platform/afx/CControlBar.h"
#include "platform/afx/CPtrArray.h"

class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE);
    ~CDockBar() override;

    // The dock bar as child nID of pParentWnd; the CBRS_* part of dwStyle becomes the bar style.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    BOOL IsDockBar() const override { return TRUE; }

    // Docks the bar: in the row and place lpRect (screen) falls in, or at the end as a new row. These
    // three are virtual so that a dock bar with rows of its own keeps them whoever moves a bar.
    virtual void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Docks the bar where its place holder is, or as DockControlBar does when it has none.
    virtual void ReDockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes the bar out (not its entry at nPosExclude), leaving its place holder when bAddPlaceHolder.
    // A floating dock bar left without bars destroys its frame (TRUE then) or hides it.
    virtual BOOL RemoveControlBar(CControlBar* pBar, int nPosExclude = -1, BOOL bAddPlaceHolder = FALSE);
    void RemovePlaceHolder(CControlBar* pBar);
    // Shows or hides every docked bar.
    void ShowAll(BOOL bShow);
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // The entry of pBar (a bar, or an id as place holder) other than nPosExclude; -1 when absent.
    int FindBar(CControlBar* pBar, int nPosExclude = -1) const;
    // The bar at an entry; null for row ends and place holders.
    CControlBar* GetDockedControlBar(int nPos) const;
    // Puts pBar in the row that ptMid (client coordinates) falls in, after the bars left of rect.
    int Insert(CControlBar* pBar, CRect rect, CPoint ptMid);

    // The rows laid out: bars placed along the rows, rows wrapped when they run out of room.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void GetBarInfo(CControlBarInfo* pInfo) override;
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd) override;

    CPtrArray m_arrBars;
    BOOL m_bFloating { FALSE };
    // Set while a layout only measures, and the room the layout has.
    BOOL m_bLayoutQuery { FALSE };
    CRect m_rectLayout;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// Whether an entry of m_arrBars is a place holder (a bar id) rather than a bar or a row end.
inline bool AfxIsPlaceHolder(const void* pEntry)
{
    return pEntry && reinterpret_cast<UINT_PTR>(pEntry) <= 0xFFFF;
}
