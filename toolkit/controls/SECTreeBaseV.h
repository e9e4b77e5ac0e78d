#pragma once
// The tree logic on the list's view form: a tree that a frame shows as its view and prints.

#include "toolkit/controls/SECListView.h"
#include "toolkit/controls/SECTreeBase.h"

extern template class SECTreeBase<SECListView>;

class SECTreeBaseV : public SECTreeBase<SECListView> {
public:
    SECTreeBaseV() = default;
    ~SECTreeBaseV() override = default;
};
