// The tree logic instantiated over the list control window.
#include "toolkit/controls/SECTreeBaseC.h"

#include "toolkit/controls/SECTreeBase.ipp"
#include "toolkit/controls/SECTreeBaseExpand.ipp"
#include "toolkit/controls/SECTreeBasePaint.ipp"

template class SECTreeBase<SECListCtrl>;
