#pragma once
// The list logic as a plain child window: the base of SECListCtrl and, through it, of the tree.

#include "platform/afx/CWnd.h"
#include "toolkit/controls/SECListBase.h"

extern template class SECListBase<CWnd>;

class SECListBaseC : public SECListBase<CWnd> {
public:
    SECListBaseC() = default;
    ~SECListBaseC() override = default;
};
