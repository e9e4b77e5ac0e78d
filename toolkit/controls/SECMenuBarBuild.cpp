// The menu bar's entries from RT_MENU resources: one button entry per top-level item. The template is
// read with every offset checked against the resource's size, so a damaged menu is skipped rather
// than read past its end.
#include <cstring>
#include <string>

#include "platform/afx/AfxState.h"
#include "platform/base/CodePage.h"
#include "platform/base/Resources.h"
#include "toolkit/controls/SECMenuBar.h"
#include "toolkit/controls/SECTBMenuBtn.h"

namespace {

constexpr WORD kPopup = 0x10;
constexpr WORD kEnd = 0x80;

// A standard menu template being walked.
class MenuTemplateReader {
public:
    MenuTemplateReader(const BYTE* pData, size_t nSize)
        : m_pData(pData)
        , m_nSize(nSize)
    {
    }

    // The offset of the first item, or false for a template that is not a standard one.
    bool FirstItem(size_t& offset) const
    {
        WORD version = 0;
        WORD header = 0;
        if (!Word(0, version) || !Word(2, header) || version != 0)
            return false;
        offset = 4 + static_cast<size_t>(header);
        return offset <= m_nSize;
    }

    // An item at offset: its flags, its text's offset and the offset behind the item (a popup's items
    // included).
    bool Item(size_t offset, WORD& flags, size_t& text, size_t& next, int depth = 0) const
    {
        if (!Word(offset, flags))
            return false;
        text = offset + ((flags & kPopup) ? 2 : 4);
        size_t after = 0;
        if (!SkipText(text, after))
            return false;
        next = after;
        return !(flags & kPopup) || MenuTemplateSkipPopup(next, depth + 1);
    }

    // The UTF-16 text at offset in the multibyte code page.
    CString MenuTemplateItemText(size_t offset) const
    {
        std::u16string wide;
        for (WORD ch = 0; Word(offset, ch) && ch; offset += 2)
            wide.push_back(static_cast<char16_t>(ch));
        const int nLength = ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
        CString text;
        if (nLength > 0) {
            std::string bytes(static_cast<size_t>(nLength), '\0');
            ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), bytes.data(), nLength, nullptr, nullptr);
            text = bytes.c_str();
        }
        return text;
    }

private:
    // Popups nest this deep at most; a deeper (or looping) template is damaged.
    static constexpr int kMaxDepth = 32;

    bool Word(size_t offset, WORD& value) const
    {
        if (offset + 2 > m_nSize)
            return false;
        std::memcpy(&value, m_pData + offset, 2);
        return true;
    }
    bool SkipText(size_t offset, size_t& after) const
    {
        for (WORD ch = 1; Word(offset, ch); offset += 2) {
            if (!ch) {
                after = offset + 2;
                return true;
            }
        }
        return false;
    }
    // From the first item of a popup to behind its last (MF_END) item.
    bool MenuTemplateSkipPopup(size_t& offset, int depth) const
    {
        if (depth > kMaxDepth)
            return false;
        for (;;) {
            WORD flags = 0;
            size_t text = 0;
            if (!Item(offset, flags, text, offset, depth))
                return false;
            if (flags & kEnd)
                return true;
        }
    }

    const BYTE* m_pData;
    size_t m_nSize;
};

} // namespace

BOOL SECMenuBar::ParseMenuResource(
    UINT nMenuID, MenuTexts* pTexts, SECBtnMapEntry* pEntries, UINT* pNextId, DWORD dwBit, int& nCount)
{
    nCount = 0;
    LPCTSTR lpszName = MAKEINTRESOURCE(nMenuID & 0xFFFF);
    HINSTANCE hModule = AfxFindResourceHandle(lpszName, RT_MENU);
    HRSRC hResource = ::FindResource(hModule, lpszName, RT_MENU);
    HGLOBAL hGlobal = hResource ? ::LoadResource(hModule, hResource) : nullptr;
    const auto* pData = hGlobal ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    if (!pData)
        return FALSE;
    const MenuTemplateReader reader(pData, ::SizeofResource(hModule, hResource));
    size_t offset = 0;
    if (!reader.FirstItem(offset))
        return FALSE;
    for (;;) {
        WORD flags = 0;
        size_t text = 0;
        size_t next = 0;
        if (!reader.Item(offset, flags, text, next))
            return FALSE;
        if (pEntries && pTexts && pNextId) {
            pTexts->push_back(reader.MenuTemplateItemText(text));
            SECBtnMapEntry& entry = pEntries[nCount];
            entry.m_pBtnClass = &SECTBMenuBtn::classSECTBMenuBtn;
            entry.m_nID = (*pNextId)++;
            entry.m_nStyle = SEC_MENUBTN_STYLE;
            entry.m_nData[0] = nMenuID & 0xFFFF;
            entry.m_nData[1] = static_cast<UINT_PTR>(nCount);
            entry.m_nData[2] = reinterpret_cast<UINT_PTR>(static_cast<LPCTSTR>(pTexts->back()));
            entry.m_nData[3] = dwBit;
            entry.m_nData[4] = 0;
        }
        ++nCount;
        if (flags & kEnd)
            return TRUE;
        offset = next;
    }
}

SECMenuBar::Entries SECMenuBar::BuildMenuEntries(MenuBits& bits, MenuTexts& texts, const std::vector<UINT>& menuIds)
{
    int nTotal = 0;
    for (const UINT nID : menuIds) {
        int nCount = 0;
        if (ParseMenuResource(nID, nullptr, nullptr, nullptr, 0, nCount))
            nTotal += nCount;
    }
    if (nTotal < 1)
        return {};
    Entries entries(static_cast<size_t>(nTotal) + 1);
    UINT nNextId = SEC_MENUBTN_FIRSTID;
    DWORD dwBit = 1;
    int nFilled = 0;
    for (const UINT nID : menuIds) {
        int nCount = 0;
        // A resource that changed between the passes cannot overflow the entries counted in the first.
        int nAvailable = 0;
        if (!ParseMenuResource(nID, nullptr, nullptr, nullptr, 0, nAvailable) || nFilled + nAvailable > nTotal)
            continue;
        if (!ParseMenuResource(nID, &texts, &entries[static_cast<size_t>(nFilled)], &nNextId, dwBit, nCount))
            continue;
        bits[nID & 0xFFFF] = dwBit;
        nFilled += nCount;
        dwBit <<= 1;
    }
    return entries;
}
