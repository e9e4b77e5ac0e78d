#pragma once
// The tree view that frames show: the tree logic with its run-time class and the message map that
// routes the tree's own messages before the list view's.

#include "toolkit/controls/SECTreeBaseV.h"

class SECTreeView : public SECTreeBaseV {
    DECLARE_DYNCREATE(SECTreeView)
public:
    SECTreeView() = default;
    ~SECTreeView() override = default;

protected:
    DECLARE_MESSAGE_MAP()
};
