#include "platform/afx/tests/showcase/COptionsSheet.h"

COptionsSheet::COptionsSheet(ShowcaseSettings& settings, CWnd* pParentWnd)
    : CPropertySheet("Options", pParentWnd)
    , m_general(settings)
    , m_layout(settings)
    , m_printing(settings)
{
    AddPage(&m_general);
    AddPage(&m_layout);
    AddPage(&m_printing);
}
