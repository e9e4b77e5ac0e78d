#pragma once
// How the toolkit's frames behave while the toolbar manager customises their bars, and how they pass a
// change of the system colours on to their bars. Shared by the single- and the multiple-document
// frame, which derive from different class-library frames.

#include <functional>

#include "platform/afx/CFrameWnd.h"

class SECControlBarManager;

namespace SECFrameCustomise {

// Whether the manager is customising its bars.
BOOL InConfigMode(SECControlBarManager* pManager);
// The customise dialog keeps the program out of its idle loop: the layout its changes asked for is
// done when the dialog idles.
void LayoutOnDialogIdle(CFrameWnd& frame, SECControlBarManager* pManager, UINT nWhy);
// The display cache learns the new colours before the frame's default processing, every bar of the
// frame after it.
void SysColorChanged(CFrameWnd& frame, const std::function<void()>& defaultProcessing);

} // namespace SECFrameCustomise
