#include "platform/afx/DialogPlacement.h"

namespace afx {

namespace {

CPoint Origin(HWND window)
{
    RECT r {};
    ::GetWindowRect(window, &r);
    return CPoint(r.left, r.top);
}

} // namespace

DialogPlacement::DialogPlacement(const CWnd& dialog)
    : m_before(Origin(dialog.m_hWnd))
{
}

void DialogPlacement::CentreIfUnplaced(CWnd& dialog) const
{
    if (!::IsWindow(dialog.m_hWnd))
        return;
    const DWORD style = dialog.GetStyle();
    if ((style & WS_CHILD) || (style & (DS_ABSALIGN | DS_CENTER | DS_CENTERMOUSE)))
        return;
    if (Origin(dialog.m_hWnd) == m_before)
        dialog.CenterWindow();
}

} // namespace afx
