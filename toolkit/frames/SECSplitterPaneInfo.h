#pragma once
// The rectangles of a splitter's four pane places, with a flag per place telling whether the place holds a
// pane: top-left, top-right, bottom-left, bottom-right.

#include "platform/afx/CObject.h"
#include "platform/user/WinUser.h"

class SECSplitterPaneInfo : public CObject {
public:
    enum Pane { TopLeft = 0, TopRight = 1, BottomLeft = 2, BottomRight = 3 };

    // A null rectangle marks the place empty.
    void SetPane(int nPane, const RECT* pRect)
    {
        if (nPane < 0 || nPane > 3)
            return;
        m_bPresent[nPane] = pRect != nullptr;
        if (pRect)
            m_rcPane[nPane] = *pRect;
    }
    // Copies the rectangle only for a place that holds a pane.
    BOOL GetPane(int nPane, RECT* pRect) const
    {
        if (nPane < 0 || nPane > 3 || !m_bPresent[nPane])
            return FALSE;
        if (pRect)
            *pRect = m_rcPane[nPane];
        return TRUE;
    }

private:
    RECT m_rcPane[4] {};
    BOOL m_bPresent[4] {};
};
