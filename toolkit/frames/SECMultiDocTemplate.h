#pragma once
// The document template of views whose frames can live as MDI children or inside control bars
// (docked or floating): it tells where a frame stands and moves a view between those places. A move
// between an MDI child and a bar gives the document a new frame of the other kind and closes the old
// one; the template remembers the side a view was last docked at.

#include "platform/afx/CMultiDocTemplate.h"

class CControlBar;
class CDocument;
class CFrameWnd;
class CWnd;
class CSize;
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

    // The frame that took the view in the last move between an MDI child and a bar.
    CFrameWnd* GetMovedFrame() const { return m_pMovedFrame; }
    // A frame of the dockable class in a new bar of the MDI frame, showing the document, docked at
    // the dock bar; null when it cannot be made.
    virtual CFrameWnd* CreateDockedView(CDocument* pDocument, CSize size, UINT nDockBarID,
        const SECDockPlacement& placement, const SECDockSize& dockSize);

    // The frames a docked view gets (null: SECDockableFrame).
    CRuntimeClass* m_pDockableFrameClass { nullptr };

    // Whether any of the application's templates is one of these.
    static BOOL AnyInApp();
    // The control bar that hosts the frame, or null.
    static CControlBar* GetHostingBar(CWnd* pFrame);

private:
    UINT m_nLastDockBarID { 0 };
    CFrameWnd* m_pMovedFrame { nullptr };
};
