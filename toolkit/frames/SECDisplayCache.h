#pragma once
// The toolkit's shared display data: the border size of bars, the system colours the bars and dock
// bars paint with, and the cursors of the dock bar splitters. One instance serves the whole program;
// its colours are read again when the system colours change.

#include "platform/gdi/WinGdi.h"
#include "platform/user/WinUser.h"

class SECDisplayCache {
public:
    SECDisplayCache();
    ~SECDisplayCache() { }
    SECDisplayCache(const SECDisplayCache&) = delete;
    SECDisplayCache& operator=(const SECDisplayCache&) = delete;

    // Reads the ten colours again (start-up and WM_SYSCOLORCHANGE).
    void RefreshSystemColors();

    int m_nBorderX { 1 };
    int m_nBorderY { 1 };
    COLORREF m_clrBtnFace { 0 };
    COLORREF m_clrBtnShadow { 0 };
    COLORREF m_clrBtnHilite { 0 };
    COLORREF m_clrWindowFrame { 0 };
    COLORREF m_clr3DLight { 0 };
    COLORREF m_clr3DDkShadow { 0 };
    COLORREF m_clrWindowText { 0 };
    COLORREF m_clrWindow { 0 };
    COLORREF m_clrHighlight { 0 };
    COLORREF m_clrHighlightText { 0 };
    HCURSOR m_hcurArrow { nullptr };
    // Loaded by the first dock bar made; none until then.
    HCURSOR m_hcurVSplit { nullptr };
    HCURSOR m_hcurHSplit { nullptr };
    // Kept for the splitter windows of the layout engine.
    HCURSOR m_hcurOther { nullptr };
    BOOL m_bWin4 { FALSE };
};

// The program's one instance, made at its first use (the window system must exist to read cursors).
SECDisplayCache& displayCache();

// The toolkit's name for the same data.
using SECToolkitData = SECDisplayCache;
