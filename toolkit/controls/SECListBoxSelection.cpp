#include "toolkit/controls/SECListBoxSelection.h"

BOOL SECIsMultiSelect(const CListBox& listBox)
{
    return (listBox.GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0;
}

int SECGetSelectedItem(const CListBox& listBox)
{
    if (!SECIsMultiSelect(listBox))
        return listBox.GetCurSel();
    int nIndex = LB_ERR;
    if (listBox.GetSelCount() != 1 || listBox.GetSelItems(1, &nIndex) != 1)
        return LB_ERR;
    return nIndex;
}

void SECSelectItem(CListBox& listBox, int nIndex)
{
    if (SECIsMultiSelect(listBox))
        listBox.SetSel(nIndex, TRUE);
    else
        listBox.SetCurSel(nIndex);
}
