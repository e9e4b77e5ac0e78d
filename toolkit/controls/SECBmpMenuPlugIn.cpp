#include "toolkit/controls/SECBmpMenuPlugIn.h"

#include <algorithm>
#include <cctype>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CDC.h"
#include "platform/gdi/Images.h"
#include "toolkit/controls/SECBmpMgr.h"

using quorvale::foundation::SECWndPlugIn;

IMPLEMENT_DYNAMIC(SECBmpMenuPlugIn, SECWndPlugIn)

BEGIN_MESSAGE_MAP(SECBmpMenuPlugIn, SECWndPlugIn)
    ON_WM_MEASUREITEM()
    ON_WM_DRAWITEM()
    ON_WM_MENUCHAR()
    AFX_WM_ENTRY(WM_INITMENUPOPUP, AfxSig_v_M_u_b, void(CWnd::*)(CMenu*, UINT, BOOL), OnInitMenuPopupMsg)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_WM_SETTINGCHANGE()
    ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace {

// System commands (the window menu's) keep the system's own look.
constexpr UINT kFirstSysCommand = 0xF000;
constexpr UINT kLastSysCommand = 0xFEFF;
// Room an item needs beside its text and image: the gaps around the image box and the accelerator's.
constexpr int kItemExtraWidth = 30;
constexpr UINT kTextBuffer = 256;

// The radio dot: 16 x 15, white, with a black dot whose rows 4 to 8 are black over these columns.
constexpr int kDotWidth = 16;
constexpr int kDotHeight = 15;
struct DotRow {
    int nRow, nFirst, nLast;
};
constexpr DotRow kDotRows[] = { { 4, 7, 8 }, { 5, 6, 9 }, { 6, 6, 9 }, { 7, 6, 9 }, { 8, 7, 8 } };

// One menu item as the plug-in reads it; the text only for plain text items.
struct ItemRead {
    MENUITEMINFO info;
    char text[kTextBuffer] {};
};

BOOL ReadItem(HMENU hMenu, UINT nPos, UINT fMask, ItemRead& item)
{
    item.info = MENUITEMINFO {};
    item.info.fMask = fMask;
    item.info.dwTypeData = item.text;
    item.info.cch = kTextBuffer;
    return ::GetMenuItemInfo(hMenu, nPos, TRUE, &item.info);
}

} // namespace

SECBmpMenuPlugIn::SysColors SECBmpMenuPlugIn::s_colors;
HBITMAP SECBmpMenuPlugIn::s_hRadioDot = nullptr;
int SECBmpMenuPlugIn::s_nRadioDotHolders = 0;

// Records ---------------------------------------------------------------------------------------------

SECBmpMenuItemInfo* SECBmpMenuPlugIn::SECBmpMenuInfo::Find(UINT nID) const
{
    for (const auto& pItem : items)
        if (pItem->m_nID == nID)
            return pItem.get();
    return nullptr;
}

BOOL SECBmpMenuPlugIn::SECBmpMenuInfo::Holds(ULONG_PTR data) const
{
    return std::any_of(items.begin(), items.end(),
        [data](const auto& pItem) { return reinterpret_cast<ULONG_PTR>(pItem.get()) == data; });
}

const SECBmpMenuPlugIn::SECBmpMenuInfo* SECBmpMenuPlugIn::GetMenuInfo(HMENU hMenu) const
{
    const auto it = m_menus.find(hMenu);
    return it == m_menus.end() ? nullptr : it->second.get();
}

SECBmpMenuItemInfo* SECBmpMenuPlugIn::RecordOf(HMENU hMenu, ULONG_PTR data) const
{
    // The data of an owner-drawn item is only followed when it is one of the plug-in's own records: an
    // item someone else made owner-drawn carries data the plug-in knows nothing about.
    for (const auto& [hKnown, pInfo] : m_menus) {
        if ((hMenu && hKnown != hMenu) || !pInfo->Holds(data))
            continue;
        auto* pItem = reinterpret_cast<SECBmpMenuItemInfo*>(data);
        return IsExcluded(pItem->m_nID) ? nullptr : pItem;
    }
    return nullptr;
}

// Life --------------------------------------------------------------------------------------------------

SECBmpMenuPlugIn::SECBmpMenuPlugIn(BOOL bOwnBitmaps)
    : m_bOwnBitmaps(bOwnBitmaps)
    , m_pBmpMgr(new SECBmpMgr)
{
    m_pBmpMgr->KeepBothSizes(TRUE);
    LoadSysColors();
    if (m_bOwnBitmaps)
        CreateRadioDotBitmap();
}

SECBmpMenuPlugIn::~SECBmpMenuPlugIn()
{
    for (const auto& [hMenu, pInfo] : m_menus) {
        if (!::IsMenu(hMenu))
            continue;
        const int nCount = ::GetMenuItemCount(hMenu);
        for (int i = 0; i < nCount; ++i) {
            ItemRead item;
            if (!ReadItem(hMenu, static_cast<UINT>(i), MIIM_TYPE | MIIM_DATA, item)
                || !(item.info.fType & MFT_OWNERDRAW))
                continue;
            const SECBmpMenuItemInfo* pItem = RecordOf(hMenu, item.info.dwItemData);
            if (!pItem)
                continue;
            MENUITEMINFO text {};
            text.fMask = MIIM_TYPE | MIIM_DATA;
            text.fType = item.info.fType & ~MFT_OWNERDRAW;
            text.dwTypeData = const_cast<LPSTR>(static_cast<LPCTSTR>(pItem->m_strText));
            text.dwItemData = 0;
            ::SetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &text);
        }
    }
    m_menus.clear();
    if (m_pBmpMgr)
        m_pBmpMgr->Release();
    if (m_hDitherBrush)
        ::DeleteObject(m_hDitherBrush);
    if (m_hCheckMark && m_bOwnCheckMark)
        ::DeleteObject(m_hCheckMark);
    if (m_bOwnBitmaps)
        ReleaseRadioDotBitmap();
}

void SECBmpMenuPlugIn::SetBmpMgr(SECBmpMgr* pBmpMgr)
{
    if (!pBmpMgr)
        return;
    pBmpMgr->AddRef();
    if (m_pBmpMgr)
        m_pBmpMgr->Release();
    m_pBmpMgr = pBmpMgr;
    m_pBmpMgr->KeepBothSizes(TRUE);
}

void SECBmpMenuPlugIn::ExcludeCommand(UINT nID) { m_excluded.insert(nID); }

void SECBmpMenuPlugIn::LoadSysColors()
{
    s_colors.menuText = ::GetSysColor(COLOR_MENUTEXT);
    s_colors.highlightText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    s_colors.grayText = ::GetSysColor(COLOR_GRAYTEXT);
    s_colors.menu = ::GetSysColor(COLOR_MENU);
    s_colors.highlight = ::GetSysColor(COLOR_HIGHLIGHT);
    s_colors.btnShadow = ::GetSysColor(COLOR_BTNSHADOW);
    s_colors.btnHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    s_colors.btnFace = ::GetSysColor(COLOR_BTNFACE);
}

void SECBmpMenuPlugIn::CreateRadioDotBitmap()
{
    // Every plug-in with its own bitmaps holds the dot; the last one to go deletes it, so no plug-in
    // is left drawing with a bitmap another one deleted.
    if (s_nRadioDotHolders++ > 0)
        return;
    // Rows of a monochrome bitmap are padded to 16 bits: two bytes here, 1 = white.
    BYTE bits[kDotHeight][2];
    std::fill(&bits[0][0], &bits[0][0] + sizeof bits, static_cast<BYTE>(0xFF));
    for (const DotRow& row : kDotRows)
        for (int x = row.nFirst; x <= row.nLast; ++x)
            bits[row.nRow][x / 8] = static_cast<BYTE>(bits[row.nRow][x / 8] & ~(0x80 >> (x % 8)));
    s_hRadioDot = ::CreateBitmap(kDotWidth, kDotHeight, 1, 1, bits);
    if (!s_hRadioDot)
        s_hRadioDot = ::LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_MNARROW));
}

void SECBmpMenuPlugIn::ReleaseRadioDotBitmap()
{
    if (s_nRadioDotHolders == 0 || --s_nRadioDotHolders > 0)
        return;
    if (s_hRadioDot)
        ::DeleteObject(s_hRadioDot);
    s_hRadioDot = nullptr;
}

// Fonts ---------------------------------------------------------------------------------------------------

BOOL SECBmpMenuPlugIn::CreateMenuFont()
{
    NONCLIENTMETRICS metrics;
    if (!::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return FALSE;
    m_menuFont.DeleteObject();
    return m_menuFont.CreateFontIndirect(&metrics.lfMenuFont);
}

BOOL SECBmpMenuPlugIn::CreateBoldMenuFont()
{
    NONCLIENTMETRICS metrics;
    if (!::SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        return FALSE;
    metrics.lfMenuFont.lfWeight = FW_BOLD;
    m_boldMenuFont.DeleteObject();
    return m_boldMenuFont.CreateFontIndirect(&metrics.lfMenuFont);
}

HFONT SECBmpMenuPlugIn::GetMenuFont()
{
    if (!m_menuFont.GetSafeHandle())
        CreateMenuFont();
    return m_menuFont;
}

HFONT SECBmpMenuPlugIn::GetBoldMenuFont()
{
    if (!m_boldMenuFont.GetSafeHandle())
        CreateBoldMenuFont();
    return m_boldMenuFont;
}

// Converting popups ---------------------------------------------------------------------------------------

void SECBmpMenuPlugIn::OnInitMenuPopup(HMENU hMenu, LPARAM lParam)
{
    InitMenuPopup(CMenu::FromHandle(hMenu), LOWORD(static_cast<DWORD_PTR>(lParam)),
        static_cast<BOOL>(HIWORD(static_cast<DWORD_PTR>(lParam))));
}

void SECBmpMenuPlugIn::OnInitMenuPopupMsg(CMenu* pMenu, UINT nIndex, BOOL bSysMenu)
{
    InitMenuPopup(pMenu, nIndex, bSysMenu);
}

void SECBmpMenuPlugIn::InitMenuPopup(CMenu* pMenu, UINT /*nIndex*/, BOOL bSysMenu)
{
    if (!pMenu || !pMenu->m_hMenu || bSysMenu || !::IsMenu(pMenu->m_hMenu))
        return;
    const HMENU hMenu = pMenu->m_hMenu;
    std::unique_ptr<SECBmpMenuInfo>& pInfo = m_menus[hMenu];
    if (!pInfo) {
        pInfo = std::make_unique<SECBmpMenuInfo>();
        pInfo->hMenu = hMenu;
    }
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        ItemRead item;
        if (!ReadItem(hMenu, static_cast<UINT>(i), MIIM_ID | MIIM_SUBMENU | MIIM_TYPE, item))
            continue;
        const UINT nID = item.info.hSubMenu ? 0 : item.info.wID;
        const UINT fType = item.info.fType;
        const BOOL bSysCommand = nID >= kFirstSysCommand && nID <= kLastSysCommand;
        if (!(fType & (MFT_BITMAP | MFT_OWNERDRAW | MFT_SEPARATOR)) && !bSysCommand && !IsExcluded(nID)) {
            auto pItem = std::make_unique<SECBmpMenuItemInfo>(nID, CString(item.text));
            MENUITEMINFO drawn {};
            drawn.fMask = MIIM_TYPE | MIIM_DATA;
            // The other type bits (radio check, breaks) stay: they come back with the text.
            drawn.fType = fType | MFT_OWNERDRAW;
            drawn.dwItemData = reinterpret_cast<ULONG_PTR>(pItem.get());
            if (::SetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &drawn))
                pInfo->items.push_back(std::move(pItem));
            continue;
        }
        // An owner-drawn item of somebody else's: its command is never measured, drawn or answered here.
        if ((fType & MFT_OWNERDRAW) && !IsExcluded(nID) && !pInfo->Find(nID))
            ExcludeCommand(nID);
    }
}

// Measuring and mnemonics ---------------------------------------------------------------------------------

void SECBmpMenuPlugIn::OnMeasureItem(int /*nIDCtl*/, LPMEASUREITEMSTRUCT lpMIS)
{
    if (!lpMIS || lpMIS->CtlType != ODT_MENU || IsExcluded(lpMIS->itemID))
        return;
    const SECBmpMenuItemInfo* pItem = RecordOf(nullptr, lpMIS->itemData);
    if (!pItem)
        return;
    CRect rect;
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, GetMenuFont());
    // The tab between label and accelerator text counts at its expanded width: the accelerator text is
    // drawn right-aligned, and the widest item would otherwise have it touching its label.
    ::DrawText(hDC, pItem->m_strText, -1, &rect, DT_CALCRECT | DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    const CSize image = m_pBmpMgr->GetSmallImageSize();
    lpMIS->itemWidth = static_cast<UINT>(rect.Width() + image.cx + kItemExtraWidth);
    const int nMinHeight = std::max(::GetSystemMetrics(SM_CYMENU), static_cast<int>(image.cy) + 4);
    lpMIS->itemHeight = static_cast<UINT>(std::max(rect.Height(), nMinHeight));
    m_bConsumed = TRUE;
    SetMessageResult(TRUE);
}

LRESULT SECBmpMenuPlugIn::OnMenuChar(UINT nChar, UINT /*nFlags*/, CMenu* pMenu)
{
    if (!pMenu || !pMenu->m_hMenu)
        return 0;
    const auto cWanted = static_cast<BYTE>(std::toupper(static_cast<unsigned char>(nChar & 0xFF)));
    const HMENU hMenu = pMenu->m_hMenu;
    std::vector<int> matches;
    int nHilite = -1;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; ++i) {
        MENUITEMINFO info {};
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_TYPE | MIIM_DATA;
        if (!::GetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (info.fState & MFS_HILITE)
            nHilite = i;
        if (!(info.fType & MFT_OWNERDRAW))
            continue;
        const SECBmpMenuItemInfo* pItem = RecordOf(hMenu, info.dwItemData);
        if (pItem && pItem->m_cMnemonic && pItem->m_cMnemonic == cWanted)
            matches.push_back(i);
    }
    if (matches.empty())
        return 0;
    m_bConsumed = TRUE;
    if (matches.size() == 1)
        return MAKELRESULT(matches.front(), MNC_EXECUTE);
    const auto next = std::find_if(matches.begin(), matches.end(), [nHilite](int i) { return i > nHilite; });
    return MAKELRESULT(next == matches.end() ? matches.front() : *next, MNC_SELECT);
}

// Keeping the records --------------------------------------------------------------------------------------

void SECBmpMenuPlugIn::PurgeMenus()
{
    std::vector<HMENU> gone;
    for (auto& [hMenu, pInfo] : m_menus) {
        if (!::IsMenu(hMenu)) {
            gone.push_back(hMenu);
            continue;
        }
        std::vector<ULONG_PTR> inUse;
        const int nCount = ::GetMenuItemCount(hMenu);
        for (int i = 0; i < nCount; ++i) {
            MENUITEMINFO info {};
            info.fMask = MIIM_TYPE | MIIM_DATA | MIIM_ID;
            if (::GetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &info) && (info.fType & MFT_OWNERDRAW)
                && !IsExcluded(info.hSubMenu ? 0 : info.wID))
                inUse.push_back(info.dwItemData);
        }
        std::erase_if(pInfo->items, [&inUse](const auto& pItem) {
            return std::find(inUse.begin(), inUse.end(), reinterpret_cast<ULONG_PTR>(pItem.get())) == inUse.end();
        });
    }
    for (HMENU hMenu : gone)
        m_menus.erase(hMenu);
}

LRESULT SECBmpMenuPlugIn::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    PurgeMenus();
    return 0;
}

void SECBmpMenuPlugIn::OnSettingChange(UINT, LPCTSTR)
{
    m_menuFont.DeleteObject();
    m_boldMenuFont.DeleteObject();
    m_pBmpMgr->SysColorChange(TRUE);
    PurgeMenus();
    // An item is measured once; turning it into a text item and back makes the system measure it
    // again, now with the new font.
    for (const auto& [hMenu, pInfo] : m_menus) {
        const int nCount = ::GetMenuItemCount(hMenu);
        for (int i = 0; i < nCount; ++i) {
            MENUITEMINFO info {};
            info.fMask = MIIM_TYPE | MIIM_DATA;
            if (!::GetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &info) || !(info.fType & MFT_OWNERDRAW)
                || !RecordOf(hMenu, info.dwItemData))
                continue;
            MENUITEMINFO reset {};
            reset.fMask = MIIM_TYPE;
            reset.fType = MFT_STRING;
            reset.dwTypeData = const_cast<LPSTR>("");
            ::SetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &reset);
            info.fMask = MIIM_TYPE | MIIM_DATA;
            ::SetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &info);
        }
    }
}

void SECBmpMenuPlugIn::OnSysColorChange()
{
    LoadSysColors();
    if (m_hDitherBrush)
        ::DeleteObject(m_hDitherBrush);
    m_hDitherBrush = nullptr;
    // The check mark is drawn in the button colours too.
    if (m_hCheckMark && m_bOwnCheckMark)
        ::DeleteObject(m_hCheckMark);
    m_hCheckMark = nullptr;
    m_pBmpMgr->SysColorChange(TRUE);
}
