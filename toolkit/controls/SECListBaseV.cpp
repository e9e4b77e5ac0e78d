// The list logic instantiated over the class library's view.
#include "toolkit/controls/SECListBaseV.h"

#include "toolkit/controls/SECListBase.ipp"
#include "toolkit/controls/SECListBaseEdit.ipp"
#include "toolkit/controls/SECListBaseHeader.ipp"
#include "toolkit/controls/SECListBaseInput.ipp"
#include "toolkit/controls/SECListBaseLayout.ipp"
#include "toolkit/controls/SECListBasePaint.ipp"

template class SECListBase<CView>;
