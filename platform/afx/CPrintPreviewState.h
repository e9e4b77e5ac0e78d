#pragma once
// What a frame puts aside while it shows a print preview, to put back when the preview closes.

#include <vector>

#include "platform/base/WinTypes.h"

class CControlBar;
class CView;

struct CPrintPreviewState {
    // The frame's main pane (the printed view, or the MDI client of a frame with several documents)
    // and its child id, which the preview takes while it shows.
    HWND hWndMainPane { nullptr };
    UINT nIDMainPane { 0 };
    HMENU hMenu { nullptr };
    CView* pViewActiveOld { nullptr };
    // The bars the preview hid.
    std::vector<CControlBar*> hiddenBars;
    // Other windows of the frame the preview hid (docked windows that are no control bars).
    std::vector<HWND> hiddenWindows;
};
