#pragma once
// Shows a tree of layout nodes in one window whose client coordinates are the nodes' coordinates.
// The window is not owned. While a drag runs (the process-wide drag flag), frames are not relaid out,
// so a tree that is being edited is not laid out half done.

#include "platform/afx/CList.h"
#include "toolkit/frames/ISECLNContainer.h"

class CFrameWnd;
class CWnd;

class SECLNHwndContainer : public ISECLNContainer {
public:
    explicit SECLNHwndContainer(HWND hWnd)
        : m_hWnd(hWnd)
    {
    }
    explicit SECLNHwndContainer(CWnd* pWnd);

    BOOL ClientToScreenRect(RECT& rect) override;
    BOOL ClientToScreenPoint(POINT& point) override;
    BOOL ScreenToClientRect(RECT& rect) override;
    BOOL ScreenToClientPoint(POINT& point) override;
    BOOL NodeToClientRect(RECT&) override { return TRUE; }
    BOOL NodeToClientPoint(POINT&) override { return TRUE; }
    BOOL ClientToNodeRect(RECT&) override { return TRUE; }
    BOOL ClientToNodePoint(POINT&) override { return TRUE; }
    BOOL NodeToScreenRect(RECT& rect) override { return NodeToClientRect(rect) && ClientToScreenRect(rect); }
    BOOL NodeToScreenPoint(POINT& point) override { return NodeToClientPoint(point) && ClientToScreenPoint(point); }
    BOOL ScreenToNodeRect(RECT& rect) override { return ScreenToClientRect(rect) && ClientToNodeRect(rect); }
    BOOL ScreenToNodePoint(POINT& point) override { return ScreenToClientPoint(point) && ClientToNodePoint(point); }
    BOOL GetDrawingOrigin(POINT& origin) override;
    void InvalidateContainer(BOOL bErase) override;
    BOOL LockUpdates(BOOL bLock) override;
    void ShowContainer(BOOL bShow) override;
    void GetContainerClientRect(RECT& rect) override;
    void GetContainerWindowRect(RECT& rect) override;
    BOOL GetContainerBorders(int& left, int& top, int& right, int& bottom) override;
    BOOL ForwardToFloatingWindow(UINT, WPARAM, LPARAM) override { return FALSE; }
    void RecalcFrameLayout(BOOL bNotify) override;
    ISECLNContainer* CloneContainer() override { return new SECLNHwndContainer(m_hWnd); }
    ISECLNContainer* CreateFloatingWindow(SECLayoutNode* pNode, LPCTSTR lpszTitle, BOOL bHideOnClose,
        BOOL bAllowClose) override;
    BOOL IsContainerVisible() override { return TRUE; }

    virtual HWND SetContainerParent(HWND hParent);
    // The container of a floating frame.
    virtual ISECLNContainer* CreateFloatingContainer(HWND hWnd);

    HWND GetWindow() const { return m_hWnd; }

    static void SetContainerDragFlag(BOOL bDragging);
    static BOOL GetContainerDragFlag();
    static void RecalcAllFrames(BOOL bNotify);
    // The view frames of every document of the application, each once, without the main window.
    static void CollectFrameWindows(CList<CFrameWnd*>& frames);

protected:
    void SetWindow(HWND hWnd) { m_hWnd = hWnd; }

private:
    HWND m_hWnd { nullptr };
};
