#include "platform/afx/CRgn.h"

IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode)
{
    if (!m_hObject || !pRgn1)
        return ERROR;
    return ::CombineRgn(*this, *pRgn1, pRgn2 ? static_cast<HRGN>(*pRgn2) : nullptr, nCombineMode);
}
