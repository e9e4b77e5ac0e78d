#include "platform/afx/CListView.h"

#include "platform/comctl/CommCtrl.h"

IMPLEMENT_DYNCREATE(CListView, CCtrlView)

CListView::CListView()
    : CCtrlView(WC_LISTVIEW, AFX_WS_DEFAULT_VIEW)
{
    InitCommonControls();
}
