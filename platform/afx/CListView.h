#pragma once
// A view on the platform's list view control ("SysListView32"): the view's own window is the list,
// so LVM_* messages go to the view and the list's notifications come back reflected (OnChildNotify).

#include "platform/afx/CCtrlView.h"

class CListView : public CCtrlView {
    DECLARE_DYNCREATE(CListView)
public:
    CListView();
};
