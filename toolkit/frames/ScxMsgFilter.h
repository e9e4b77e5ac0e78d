#pragma once
// The extended system commands of the frame that owns the views: change a view frame's docking state
// (MDI child, docked at a side, floating), fill a record with the docking-state context menu, or show
// that menu and change to the chosen state. A state change can destroy the frame and its filters, so
// those commands run in a clone of this filter that nothing else owns.

#include "platform/afx/CRect.h"
#include "toolkit/frames/SECMsgFilter.h"
#include "toolkit/frames/ScxInfo.h"

class CControlBar;
class CFrameWnd;
class SECMultiDocTemplate;

namespace nsSysCommandEx {

class ScxMsgFilter : public SECMsgFilter {
    DECLARE_DYNCREATE(ScxMsgFilter)
public:
    explicit ScxMsgFilter(CWnd* pOwner = nullptr, int nID = -1)
        : SECMsgFilter(pOwner, nID)
    {
    }
    SEC_MSGFILTER_CLONE(ScxMsgFilter)

    int OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    virtual int OnMenuRequest(ScxInfo& info, LRESULT* pResult);
    virtual int OnGetMenu(ScxInfo& info, LRESULT* pResult);
    virtual int OnChangeState(ScxInfo& info, LRESULT* pResult);
    // The record's menu, or the one the record's window gives for SCX_GETMENU.
    virtual HMENU GetMenu(const ScxInfo& info);
    // The chosen state, 0 when the menu was dismissed.
    virtual UINT TrackMenu(HMENU hMenu, const ScxInfo& info);
    virtual void SendStateCommand(const ScxInfo& info, int nState);
    virtual HMENU BuildContextMenu(int nCurrentState);
    virtual HMENU CreateContextMenu(CWnd* pWnd);
    virtual BOOL ToMDIChild(
        CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate, int nCurrent, int nState, const ScxInfo& info);
    virtual BOOL ToDocked(
        CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate, int nCurrent, int nState, const ScxInfo& info);
    virtual BOOL ToFloating(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate, int nCurrent, const ScxInfo& info);
    virtual BOOL RedockMDIChild(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate);
    // Floats a docked hosting bar (at the record's position and size when valid) or docks a floating one.
    virtual BOOL ToggleBarDocking(CFrameWnd* pFrame, const ScxInfo& info);
    virtual BOOL DockMDIChildAt(
        CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate, UINT nDockBarID, const ScxInfo& info);
    // kMDIChild, kDocked or kFloating for a state; 0 for none of them.
    virtual int StateKind(int nState) const;
    virtual int ToggleState(int nCurrent) const;
    virtual int GetCurrentState(CFrameWnd* pFrame, SECMultiDocTemplate* pTemplate) const;
    virtual SECMultiDocTemplate* GetDocTemplate(CFrameWnd* pFrame) const;
    virtual BOOL IsCloneCommand(UINT nCommand) const;

    BOOL IsInner() const { return m_bInner; }

protected:
    ScxMsgFilter(const ScxMsgFilter& other, CWnd* pOwner)
        : SECMsgFilter(other, pOwner)
    {
    }
    // Docks a bar at the side's dock bar of the frame it docks in, with the record's placement data
    // or the defaults for that side.
    virtual BOOL DockBarAtSide(CControlBar* pBar, UINT nDockBarID, const ScxInfo& info);

    // The clone that runs a command.
    BOOL m_bInner { FALSE };
};

} // namespace nsSysCommandEx
