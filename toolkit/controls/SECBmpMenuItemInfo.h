#pragma once
// What the bitmap menus keep of an item they draw: an owner-drawn item has no text the system knows,
// so its command, its text (label, tab, accelerator text) and its mnemonic live here, and the item's
// data points at this record while the item is owner-drawn.

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class SECBmpMenuItemInfo : public CObject {
    DECLARE_DYNAMIC(SECBmpMenuItemInfo)
public:
    SECBmpMenuItemInfo(UINT nID, const CString& strText);

    // The upper-cased character after the first single '&' ("&&" is a literal ampersand); 0 for none.
    static BYTE MnemonicOf(const CString& strText);

    UINT m_nID { 0 };
    CString m_strText;
    BYTE m_cMnemonic { 0 };
};
