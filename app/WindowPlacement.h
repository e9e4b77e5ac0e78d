#pragma once
// Where the main window goes at start: at least 770 x 510 on a screen of at least 800 x 600 (centred
// along a side where it then overflows), the whole of a smaller screen; and the saved rectangle of the
// setting MainWindowRect, "top,left,bottom,right" in screen coordinates.

#include "platform/afx/CRect.h"
#include "platform/afx/CString.h"

struct WindowPlacement {
    static constexpr int kMinWidth = 770;
    static constexpr int kMinHeight = 510;
    static constexpr int kSmallScreenWidth = 800;
    static constexpr int kSmallScreenHeight = 600;

    // The window's rectangle adjusted to the screen; `changed` tells whether it differs.
    static CRect Adjust(const CRect& window, const CSize& screen, bool& changed);
    // Reads the saved text into `rect` from the right: right, bottom and left each when a comma precedes
    // it, top only when all three commas were found, and only that counts as a change (returned).
    static bool ReadSaved(const CString& text, CRect& rect);
    // The text that ReadSaved reads back.
    static CString Format(const CRect& rect);
};
