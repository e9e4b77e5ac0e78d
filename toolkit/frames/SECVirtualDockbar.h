#pragma once
// An invisible child of a frame that takes part in the frame's bar layout for the docking feature: it
// answers the size-parent message by laying the docking tree out in the space left, and asks for one more
// layout after the frame has finished its own.

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CWnd.h"

class CFrameWnd;
class SECFrameDockingFeatureBase;

class SECVirtualDockbar : public CWnd {
public:
    static constexpr UINT FirstId = 56271;
    static constexpr UINT DelayedRecalcMessage = 0x15DF;

    virtual BOOL CreateDockBarWindow(CFrameWnd* pFrame, SECFrameDockingFeatureBase* pFeature, UINT nID);

    SECFrameDockingFeatureBase* GetFeature() const { return m_pFeature; }

protected:
    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    LRESULT OnDelayedRecalc(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    SECFrameDockingFeatureBase* m_pFeature { nullptr };
    inline static UINT s_nNextId = FirstId;
};
