#include "app/CMainTreeCtrl.h"

IMPLEMENT_DYNAMIC(CMainTreeCtrl, SECTreeCtrl)

BEGIN_MESSAGE_MAP(CMainTreeCtrl, SECTreeCtrl)
ON_WM_CREATE()
END_MESSAGE_MAP()

CMainTreeCtrl::CMainTreeCtrl(CWnd* pFrame)
    : SECTreeCtrlHelper(this)
    , m_pFrame(pFrame)
{
}

CMainTreeCtrl::~CMainTreeCtrl()
{
    for (POSITION pos = m_nodes.GetHeadPosition(); pos != nullptr;)
        delete m_nodes.GetNext(pos);
    m_nodes.RemoveAll();
}

int CMainTreeCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    return SECTreeCtrl::OnCreate(lpCreateStruct);
}

LRESULT CMainTreeCtrl::NotifyItemExpanding(_Node* pNode, UINT nCode)
{
    return SECTreeCtrl::NotifyItemExpanding(pNode, nCode);
}
