#pragma once
// A tab of the 3-D tab control: beside the plain tab's fields its rectangle, icon and enabled flag,
// and its full label (the shown one may be shortened to fit; the full one is its tooltip).

#include "platform/afx/CRect.h"
#include "toolkit/controls/SECTab.h"

class SEC3DTab : public SECTab {
    DECLARE_DYNAMIC(SEC3DTab)
public:
    SEC3DTab() { m_nWidth = 90; }
    ~SEC3DTab() override;

    CRect m_rect { 0, 0, 0, 0 };
    HICON m_hIcon { nullptr };
    BOOL m_bEnabled { TRUE };
    CString m_csFullLabel;
    BOOL m_bShortened { FALSE };
};
