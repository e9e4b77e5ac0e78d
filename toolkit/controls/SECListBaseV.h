#pragma once
// The list logic as a document view, so that a frame can show a list as its view and print it. The
// printing itself is SECListView's.

#include "platform/afx/CView.h"
#include "toolkit/controls/SECListBase.h"

extern template class SECListBase<CView>;

class SECListBaseV : public SECListBase<CView> {
public:
    SECListBaseV() = default;
    ~SECListBaseV() override = default;
};
