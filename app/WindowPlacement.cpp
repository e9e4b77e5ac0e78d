#include "app/WindowPlacement.h"

#include <cstdlib>

CRect WindowPlacement::Adjust(const CRect& window, const CSize& screen, bool& changed)
{
    CRect rect = window;
    if (screen.cx >= kSmallScreenWidth && screen.cy >= kSmallScreenHeight) {
        if (rect.Height() < kMinHeight) {
            rect.bottom = rect.top + kMinHeight;
            if (rect.bottom > screen.cy) {
                rect.top = (screen.cy - kMinHeight) / 2;
                rect.bottom = rect.top + kMinHeight;
            }
        }
        if (rect.Width() < kMinWidth) {
            rect.right = rect.left + kMinWidth;
            if (rect.right > screen.cx) {
                rect.left = (screen.cx - kMinWidth) / 2;
                rect.right = rect.left + kMinWidth;
            }
        }
    } else {
        rect = CRect(0, 0, screen.cx, screen.cy);
    }
    rect.NormalizeRect();
    changed = rect != window;
    return rect;
}

bool WindowPlacement::ReadSaved(const CString& text, CRect& rect)
{
    CString rest = text;
    LONG* const fromTheRight[] = { &rect.right, &rect.bottom, &rect.left };
    for (LONG* edge : fromTheRight) {
        const int comma = rest.ReverseFind(',');
        if (comma < 0)
            return false;
        *edge = std::atoi(rest.Mid(comma + 1));
        rest = rest.Left(comma);
    }
    rect.top = std::atoi(rest);
    rect.NormalizeRect();
    return true;
}

CString WindowPlacement::Format(const CRect& rect)
{
    CString text;
    text.Format("%d,%d,%d,%d", static_cast<int>(rect.top), static_cast<int>(rect.left), static_cast<int>(rect.bottom),
        static_cast<int>(rect.right));
    return text;
}
