#pragma once
// The document template of views whose frames can live as MDI children or inside control bars
// (docked or floating): it tells where a frame stands and moves it between those places. The bar
// paths need only the frame's hosting bar; the MDI-child paths come with the MDI frame.

#include "platform/afx/CMultiDocTemplate.h"

class CControlBar;
class CFrameWnd;
class CWnd;
struct SECDockPlacement;
struct SECDockSize;

class SECMultiDocTemplate : public CMultiDocTemplate {
    DECLARE_DYNAMIC(SECMultiDocTemplate)
public:
    // The places of a frame in a control bar.
    enum Place { kNone = -1, kTop = 0, kLeft = 1, kBottom = 2, kRight = 3, kFloating = 4 };

    using CMultiDocTemplate::CMultiDocTemplate;

    // Where the frame's hosting bar is; kNone when the frame is in no bar.
    virtual int GetDockingPlace(CFrameWnd* pFrame) const;
    // Docks an MDI child back where it was last docked; FALSE where that cannot be done.
    virtual BOOL RedockMDIChild(CFrameWnd* pFrame);
    // Docks an MDI child at a dock bar with optional placement data; FALSE where that cannot be done.
    virtual BOOL DockMDIChildAt(
        CFrameWnd* pFrame, UINT nDockBarID, const SECDockPlacement* pPlacement, const SECDockSize* pSize);
    // Makes a docked or floating frame an MDI child shown as the state says (2 minimised, 3
    // maximised, else normal); FALSE where that cannot be done.
    virtual BOOL MakeMDIChild(CFrameWnd* pFrame, int nState);

    // Whether any of the application's templates is one of these.
    static BOOL AnyInApp();
    // The control bar that hosts the frame, or null.
    static CControlBar* GetHostingBar(CWnd* pFrame);
};
