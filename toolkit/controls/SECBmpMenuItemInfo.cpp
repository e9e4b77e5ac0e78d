#include "toolkit/controls/SECBmpMenuItemInfo.h"

#include <cctype>

IMPLEMENT_DYNAMIC(SECBmpMenuItemInfo, CObject)

SECBmpMenuItemInfo::SECBmpMenuItemInfo(UINT nID, const CString& strText)
    : m_nID(nID)
    , m_strText(strText)
    , m_cMnemonic(MnemonicOf(strText))
{
}

BYTE SECBmpMenuItemInfo::MnemonicOf(const CString& strText)
{
    const int nLength = strText.GetLength();
    for (int i = 0; i + 1 < nLength; ++i) {
        if (strText[i] != '&')
            continue;
        if (strText[i + 1] == '&') {
            ++i;
            continue;
        }
        // Only single-byte characters are mnemonics; the lead byte of a longer one never matches a key.
        return static_cast<BYTE>(std::toupper(static_cast<unsigned char>(strText[i + 1])));
    }
    return 0;
}
