#pragma once
// The docking-state button in a view frame's caption: it always shows and is never disabled. A click
// toggles the frame between MDI child and docked; a right click or a press held for 400 ms opens the
// docking-state menu below the button. Its face is a diamond outline on a 3-D button.

#include <vector>

#include "toolkit/frames/SECCaptionControlMsgFilter.h"

namespace nsSysCommandEx {

class ScxButtonMsgFilter : public SECCaptionControlMsgFilter {
    DECLARE_DYNCREATE(ScxButtonMsgFilter)
public:
    static constexpr int kDefaultID = 5120;

    explicit ScxButtonMsgFilter(CWnd* pOwner = nullptr, int nID = kDefaultID);
    SEC_MSGFILTER_CLONE(ScxButtonMsgFilter)

    int OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void Draw() override;
    void DoCommand(int nGesture, CPoint ptScreen) override;
    BOOL IsVisible(BOOL* pbEnabled) const override;

    // The glyph's rectangles for a button rectangle: the two chevrons of the diamond (and, for a
    // frame that is not dockable, the two pieces that close its widest row).
    static std::vector<CRect> GlyphRects(const CRect& rect, BOOL bPushed, BOOL bDockableOwner);

protected:
    ScxButtonMsgFilter(const ScxButtonMsgFilter& other, CWnd* pOwner)
        : SECCaptionControlMsgFilter(other, pOwner)
    {
    }
    // Whether the owner is a view frame that lives in a control bar.
    BOOL IsDockableOwner() const;
    // The window whose docking state the button changes: the owner here.
    virtual CWnd* GetCommandTarget() const { return GetOwner(); }
};

// The same button on an MDI child: it neither shows nor reacts while the child is maximised.
class ScxButtonMDIChildMsgFilter : public ScxButtonMsgFilter {
    DECLARE_DYNCREATE(ScxButtonMDIChildMsgFilter)
public:
    explicit ScxButtonMDIChildMsgFilter(CWnd* pOwner = nullptr, int nID = kDefaultID)
        : ScxButtonMsgFilter(pOwner, nID)
    {
    }
    SEC_MSGFILTER_CLONE(ScxButtonMDIChildMsgFilter)

    int OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL IsVisible(BOOL* pbEnabled) const override;

protected:
    ScxButtonMDIChildMsgFilter(const ScxButtonMDIChildMsgFilter& other, CWnd* pOwner)
        : ScxButtonMsgFilter(other, pOwner)
    {
    }
    BOOL IsOwnerZoomed() const;
};

// The button of the maximised active MDI child, drawn in the MDI frame's menu-bar row while that
// child keeps its own button switched on; presses there act for the child.
class ScxButtonMDIMaxChildMsgFilter : public ScxButtonMsgFilter {
    DECLARE_DYNCREATE(ScxButtonMDIMaxChildMsgFilter)
public:
    explicit ScxButtonMDIMaxChildMsgFilter(CWnd* pOwner = nullptr, int nID = kDefaultID)
        : ScxButtonMsgFilter(pOwner, nID)
    {
    }
    SEC_MSGFILTER_CLONE(ScxButtonMDIMaxChildMsgFilter)

    int OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL IsVisible(BOOL* pbEnabled) const override;
    LRESULT GetHitCode() const override { return HTMENU; }

protected:
    ScxButtonMDIMaxChildMsgFilter(const ScxButtonMDIMaxChildMsgFilter& other, CWnd* pOwner)
        : ScxButtonMsgFilter(other, pOwner)
    {
    }
    CWnd* GetCommandTarget() const override;
};

} // namespace nsSysCommandEx
