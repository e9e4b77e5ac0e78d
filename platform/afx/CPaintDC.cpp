#include "platform/afx/CPaintDC.h"

#include "platform/afx/CWnd.h"

IMPLEMENT_DYNAMIC(CPaintDC, CDC)

CPaintDC::CPaintDC(CWnd* pWnd)
    : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    if (m_hWnd)
        Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    if (m_hDC) {
        Detach();
        ::EndPaint(m_hWnd, &m_ps);
    }
}
