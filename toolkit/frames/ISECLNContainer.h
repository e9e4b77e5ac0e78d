#pragma once
// What a tree of layout nodes needs from the place that shows it: coordinate conversions between the
// node, the client area and the screen, painting, update locks and the frame's relayout. A window
// container shows a tree in a window; a floating container shows it in a floating frame.

#include "platform/afx/AfxTypes.h"
#include "platform/gdi/WinGdi.h"
#include "platform/user/WinUser.h"

class SECLayoutNode;

class ISECLNContainer {
public:
    virtual ~ISECLNContainer() = default;
    virtual BOOL ClientToScreenRect(RECT& rect) = 0;
    virtual BOOL ClientToScreenPoint(POINT& point) = 0;
    virtual BOOL ScreenToClientRect(RECT& rect) = 0;
    virtual BOOL ScreenToClientPoint(POINT& point) = 0;
    virtual BOOL NodeToClientRect(RECT& rect) = 0;
    virtual BOOL NodeToClientPoint(POINT& point) = 0;
    virtual BOOL ClientToNodeRect(RECT& rect) = 0;
    virtual BOOL ClientToNodePoint(POINT& point) = 0;
    virtual BOOL NodeToScreenRect(RECT& rect) = 0;
    virtual BOOL NodeToScreenPoint(POINT& point) = 0;
    virtual BOOL ScreenToNodeRect(RECT& rect) = 0;
    virtual BOOL ScreenToNodePoint(POINT& point) = 0;
    virtual BOOL GetDrawingOrigin(POINT& origin) = 0;
    virtual void InvalidateContainer(BOOL bErase) = 0;
    virtual BOOL LockUpdates(BOOL bLock) = 0;
    virtual void ShowContainer(BOOL bShow) = 0;
    virtual void GetContainerClientRect(RECT& rect) = 0;
    virtual void GetContainerWindowRect(RECT& rect) = 0;
    virtual BOOL GetContainerBorders(int& left, int& top, int& right, int& bottom) = 0;
    virtual BOOL ForwardToFloatingWindow(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual void RecalcFrameLayout(BOOL bNotify) = 0;
    virtual ISECLNContainer* CloneContainer() = 0;
    // A container over a new floating window that shows pNode's tree; null when it cannot be made.
    virtual ISECLNContainer* CreateFloatingWindow(SECLayoutNode* pNode, LPCTSTR lpszTitle, BOOL bHideOnClose,
        BOOL bAllowClose) = 0;
    virtual BOOL IsContainerVisible() = 0;
};
