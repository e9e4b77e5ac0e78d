#pragma once
// The tree logic on the list control window: the base of SECTreeCtrl.

#include "toolkit/controls/SECListCtrl.h"
#include "toolkit/controls/SECTreeBase.h"

extern template class SECTreeBase<SECListCtrl>;

class SECTreeBaseC : public SECTreeBase<SECListCtrl> {
public:
    SECTreeBaseC() = default;
    ~SECTreeBaseC() override = default;
};
