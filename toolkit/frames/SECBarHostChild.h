#pragma once
// What an MDI child that holds one floating dock bar does, shared by the MDI frame's and the
// workbook's such children: the dock bar fills it, sizing it sizes the bar, closing it hides the bar
// and keeps the window, and its position is the bar's floating position.

#include "toolkit/frames/SECDockBar.h"

class CMDIChildWnd;

class SECBarHostChild {
public:
    explicit SECBarHostChild(CMDIChildWnd& child);

    SECDockBar& GetDockBar() { return m_wndDockBar; }
    // Creates the dock bar in the child; FALSE when it cannot.
    BOOL CreateDockBar();
    // The one bar the dock bar holds, or null (also when it takes several).
    CControlBar* SingleBar();
    // The dock bar's text follows the child's caption.
    void TakeCaption();
    void OnSize(int cx, int cy);
    // Hides the bar and activates the next child instead of closing; FALSE when the child may close.
    BOOL HideInsteadOfClose();
    void OnWindowPosChanged();
    void OnShowWindow();

private:
    CMDIChildWnd& m_child;
    SECDockBar m_wndDockBar { TRUE, TRUE };
};
