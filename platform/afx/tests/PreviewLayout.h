// Where a print preview put its bar and its pages, in screen coordinates, beside the frame's client
// area they share: the tests of the class library's preview and of the program's list preview both
// hold that the bar runs across the top and the pages fill the rest.
#pragma once

#include "platform/afx/CDialogBar.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CPreviewView.h"

namespace afxtest {

struct PreviewLayout {
    CRect client;
    CRect bar;
    CRect pages;
};

inline PreviewLayout MeasurePreview(CFrameWnd& frame, CPreviewView& preview)
{
    PreviewLayout layout;
    frame.GetClientRect(&layout.client);
    frame.ClientToScreen(&layout.client);
    if (CDialogBar* bar = preview.GetToolBar())
        bar->GetWindowRect(&layout.bar);
    preview.GetWindowRect(&layout.pages);
    return layout;
}

} // namespace afxtest
