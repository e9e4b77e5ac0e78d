#pragma once
// Moves one item of a list box to another place by dragging it. Made when the button goes down on the
// list box, it holds the mouse through an invisible popup of its own while a nested loop runs, shows
// the insertion point as a grey line between items, scrolls the list when the pointer leaves it above
// or below, and at the end moves the item, text and item data, to the drop place. One object serves
// one drag.

#include "platform/afx/CListBox.h"
#include "platform/afx/CWnd.h"

class SECListBoxDragWnd : public CWnd {
public:
    explicit SECListBoxDragWnd(CListBox* pListBox);
    ~SECListBoxDragWnd() override;

    // Runs the drag of the list's current selection. TRUE when the item was moved, with its former index
    // in *pFrom and its new one in *pTo. Nothing changes when there is no selection, the selection is a
    // fixed last item, the popup cannot be made, the drag is cancelled (Esc, quitting, losing the mouse)
    // or shorter than the drop delay, or it ends where it started.
    BOOL DoDrag(int* pFrom, int* pTo);

    // The list's last item is a placeholder that can be neither dragged nor passed.
    BOOL m_bLastItemFixed { TRUE };

protected:
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // Where the pointer lies relative to the list box.
    static constexpr UINT kZoneLeft = 0x1;
    static constexpr UINT kZoneAbove = 0x2;
    static constexpr UINT kZoneRight = 0x4;
    static constexpr UINT kZoneBelow = 0x8;
    // Wakes the loop for the automatic scroll while the pointer rests outside the list.
    static constexpr UINT_PTR kScrollTimer = 1;
    static constexpr int kNoTarget = -2;
    static constexpr int kEndOfList = -1;
    static constexpr LPCTSTR kClassName = "SECListBoxDragWnd";

    BOOL Start();
    void RunLoop();
    BOOL Finish(int* pFrom, int* pTo);
    void AutoScroll();
    void ScrollOneItem(int nDirection);
    void MoveLine(int nPosition);
    void DrawLine(int nPosition);
    UINT ZoneOf(CPoint ptScreen) const;

    CListBox* m_pListBox { nullptr };
    BOOL m_bActive { FALSE };
    BOOL m_bCancelled { FALSE };
    BOOL m_bMoved { FALSE };
    DWORD m_dwLastScrollTime { 0 };
    DWORD m_dwInitialScrollDelay { 300 };
    DWORD m_dwScrollDelay { 0 };
    DWORD m_dwMinScrollDelay { 50 };
    DWORD m_dwScrollDelayStep { 50 };
    DWORD m_dwStartTime { 0 };
    DWORD m_dwEndTime { 0 };
    DWORD m_dwDropDelay { 250 };
    UINT m_nScrollZone { 0 };
    int m_nLinePosition { -1 };
    int m_nSourceIndex { 0 };
    int m_nTargetIndex { 0 };
    CPoint m_ptStart { 0, 0 };
};
