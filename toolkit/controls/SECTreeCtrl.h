#pragma once
// The tree control window that applications use: the tree logic with its run-time class and the
// message map that routes its own messages before the list's.

#include "toolkit/controls/SECTreeBaseC.h"

class SECTreeCtrl : public SECTreeBaseC {
    DECLARE_DYNAMIC(SECTreeCtrl)
public:
    SECTreeCtrl() = default;
    ~SECTreeCtrl() override = default;

protected:
    DECLARE_MESSAGE_MAP()
};
