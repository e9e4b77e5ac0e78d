#include "toolkit/controls/SECCustomizeToolBar.h"

IMPLEMENT_DYNCREATE(SECCustomizeToolBar, SECCustomToolBar)

void SECCustomizeToolBar::SetWidthFromRect(const CRect& rect)
{
    m_nMRUWidth = rect.Width();
    CalcDynamicLayout(rect.Width(), LM_HORZ | LM_MRUWIDTH | LM_COMMIT);
}
