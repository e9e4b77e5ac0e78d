#pragma once
// How the toolkit's frames dock and float bars. The single- and the multiple-document frame derive
// from different class-library frames, so the rules they share live here and each frame adds its own
// steps through the hooks.

#include <functional>

#include "platform/afx/CFrameWnd.h"

class CMiniDockFrameWnd;
class SECDockBar;
struct SECDockPos;

namespace SECFrameDocking {

// Creates the dock bars of the sides named that the frame lacks; a dock bar that cannot be created
// raises the class library's resource exception.
void EnableDocking(CFrameWnd& frame, DWORD dwDockStyle, const std::function<SECDockBar*()>& createDockBar);
// The dock bar of the side the bar is aligned to, or null.
CDockBar* DockBarOfSide(CFrameWnd& frame, CControlBar* pBar);
// The frame's dock bar with the id, or null.
CDockBar* DockBarOfID(CFrameWnd& frame, UINT nDockBarID);
// Docks the bar (the dock bar of its side when none is given) at the rectangle (screen).
void DockControlBar(CFrameWnd& frame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
// Docks the bar back where its placeholder stands, or on its side.
void ReDockControlBar(CFrameWnd& frame, CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect);
// Gives the bar its share and its length in the layout mode and docks it at the place of the dock bar
// with the id (the bar's side when there is none).
void DockSizedControlBar(
    CFrameWnd& frame, CControlBar* pBar, UINT nDockBarID, DWORD dwMode, float fPctWidth, int nSize, const SECDockPos& pos);

// Steps a frame adds to floating: after only the bar's floating frame moved; after the bar was docked
// into a new floating frame; after that frame was placed.
struct FloatHooks {
    std::function<void()> afterMove;
    std::function<void(CMiniDockFrameWnd*)> afterDock;
    std::function<void()> afterPlace;
};
// Floats the bar at the screen point, at least 10 pixels of it inside the work area.
void FloatControlBar(CFrameWnd& frame, CControlBar* pBar, CPoint point, DWORD dwStyle, const FloatHooks& hooks = {});
// A floating frame whose bars size freely gets the thick sizing frame.
void ApplySizableStyle(CControlBar* pBar, CFrameWnd* pFloating);

} // namespace SECFrameDocking
