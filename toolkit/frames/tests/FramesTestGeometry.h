#pragma once
// Where windows sit, for the frame tests: a child's rectangle in its parent, client points on screen and
// rectangles as text for comparisons; and where their golden pictures are kept.

#include <filesystem>
#include <string>

#include "platform/afx/CWnd.h"

inline CRect ChildRect(CWnd& child, CWnd& parent)
{
    CRect rect;
    child.GetWindowRect(&rect);
    parent.ScreenToClient(&rect);
    return rect;
}

inline CPoint OnScreen(CWnd& wnd, CPoint point)
{
    wnd.ClientToScreen(&point);
    return point;
}

inline std::string Golden(const char* name)
{
    return (std::filesystem::path(TS_FRAMES_TEST_DIR) / "golden" / name).string();
}

// "left,top,right,bottom", so a failed comparison shows the whole rectangle.
inline std::string RectText(const RECT& r)
{
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + ","
        + std::to_string(r.bottom);
}
