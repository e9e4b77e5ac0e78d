#pragma once
// The list control window that owners create: the list logic with its run-time class and the message
// map that routes the window messages to it. The tree control derives from it and inherits the map.

#include "toolkit/controls/SECListBaseC.h"

class SECListCtrl : public SECListBaseC {
    DECLARE_DYNAMIC(SECListCtrl)
public:
    SECListCtrl() = default;
    ~SECListCtrl() override = default;

protected:
    DECLARE_MESSAGE_MAP()
};
