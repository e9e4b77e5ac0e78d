// The tree logic instantiated over the list's view form.
#include "toolkit/controls/SECTreeBaseV.h"

#include "toolkit/controls/SECTreeBase.ipp"
#include "toolkit/controls/SECTreeBaseExpand.ipp"
#include "toolkit/controls/SECTreeBasePaint.ipp"

template class SECTreeBase<SECListView>;
