#include "toolkit/controls/SECBmpMgr.h"

#include <algorithm>
#include <cstring>

#include "platform/afx/AfxState.h"
#include "platform/afx/CWindowDC.h"
#include "platform/base/Resources.h"

IMPLEMENT_DYNAMIC(SECBmpMgr, CObject)

namespace {

// A resource's bytes, bounded by its real size; empty when it is missing.
struct ResourceBytes {
    const BYTE* pData { nullptr };
    DWORD nSize { 0 };
};

ResourceBytes FindResourceBytes(UINT nID, LPCSTR lpType)
{
    const LPCSTR lpName = MAKEINTRESOURCE(nID);
    const HINSTANCE hInst = AfxFindResourceHandle(lpName, lpType);
    const HRSRC hRes = ::FindResource(hInst, lpName, lpType);
    if (!hRes)
        return {};
    const HGLOBAL hGlobal = ::LoadResource(hInst, hRes);
    const auto* pData = static_cast<const BYTE*>(::LockResource(hGlobal));
    if (!pData)
        return {};
    return { pData, ::SizeofResource(hInst, hRes) };
}

WORD ReadWord(const BYTE* p) { return static_cast<WORD>(p[0] | (p[1] << 8)); }

// The colours palette bitmaps are drawn in, each with the button colour that takes its place; the
// first match wins.
struct ColorSwap {
    BYTE value;
    int nSysColor;
};
constexpr ColorSwap kColorSwaps[] = {
    { 0, COLOR_BTNTEXT },
    { 128, COLOR_BTNSHADOW },
    { 192, COLOR_BTNFACE },
    { 255, COLOR_BTNHIGHLIGHT },
};

void SwapToSysColor(RGBQUAD& entry)
{
    for (const ColorSwap& swap : kColorSwaps) {
        if (entry.rgbRed == swap.value && entry.rgbGreen == swap.value && entry.rgbBlue == swap.value) {
            const COLORREF color = ::GetSysColor(swap.nSysColor);
            entry.rgbRed = GetRValue(color);
            entry.rgbGreen = GetGValue(color);
            entry.rgbBlue = GetBValue(color);
            return;
        }
    }
}

// The bytes of header and colour table of a bitmap resource, or 0 when the header does not describe a
// bitmap whose table and pixels fit in the resource. The table is as long as the header says
// (biClrUsed) rather than always the full 2^bits, so short tables do not shift the pixels, and
// bitmaps above 8 bits carry none to recolour.
size_t BitmapHeaderBytes(const BYTE* pData, DWORD nSize, int& nColors)
{
    if (nSize < sizeof(BITMAPINFOHEADER))
        return 0;
    BITMAPINFOHEADER header;
    std::memcpy(&header, pData, sizeof header);
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > nSize || header.biWidth <= 0
        || header.biHeight == 0 || header.biWidth > 0x7FFF || header.biHeight > 0x7FFF || header.biHeight < -0x7FFF)
        return 0;
    nColors = 0;
    size_t nExtra = 0;
    switch (header.biBitCount) {
    case 1:
    case 4:
    case 8: {
        const DWORD nFull = 1u << header.biBitCount;
        nColors = static_cast<int>(header.biClrUsed != 0 && header.biClrUsed < nFull ? header.biClrUsed : nFull);
        break;
    }
    case 16:
    case 24:
    case 32:
        if (header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER))
            nExtra = 3 * sizeof(DWORD);
        break;
    default:
        return 0;
    }
    const size_t nHeader = header.biSize + nExtra + static_cast<size_t>(nColors) * sizeof(RGBQUAD);
    const size_t nRows = static_cast<size_t>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    const size_t nStride = ((static_cast<size_t>(header.biWidth) * header.biBitCount + 31) / 32) * 4;
    const bool bCompressed = header.biCompression == BI_RLE4 || header.biCompression == BI_RLE8;
    const size_t nBits = bCompressed ? header.biSizeImage : nStride * nRows;
    if (nHeader > nSize || nBits > nSize - nHeader)
        return 0;
    return nHeader;
}

BOOL LoadResourceBitmap(HBITMAP& hBmp, UINT nID, BOOL bSysColor)
{
    if (bSysColor)
        return SECBmpMgr::LoadSysColorBitmap(hBmp, nID);
    const LPCSTR lpName = MAKEINTRESOURCE(nID);
    hBmp = ::LoadBitmap(AfxFindResourceHandle(lpName, RT_BITMAP), lpName);
    return hBmp != nullptr;
}

} // namespace

SECBmpMgr::~SECBmpMgr()
{
    for (const auto& pInfo : m_bitmaps) {
        DeleteSmall(*pInfo);
        DeleteLarge(*pInfo);
    }
}

void SECBmpMgr::Release()
{
    if (--m_nRefCount == 0)
        delete this;
}

SECBmpMgr::BmpInfo* SECBmpMgr::GetBitmapInfo(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetBitmapCount())
        return nullptr;
    return m_bitmaps[static_cast<size_t>(nIndex)].get();
}

void SECBmpMgr::DeleteSmall(BmpInfo& info)
{
    if (info.bSmallNotOwned || !info.hSmallBmp)
        return;
    ::DeleteObject(info.hSmallBmp);
    info.hSmallBmp = nullptr;
}

void SECBmpMgr::DeleteLarge(BmpInfo& info)
{
    if (info.bLargeNotOwned || !info.hLargeBmp)
        return;
    ::DeleteObject(info.hLargeBmp);
    info.hLargeBmp = nullptr;
}

BOOL SECBmpMgr::ReadToolBarResource(UINT nID, std::vector<UINT>& ids, int& nWidth, int& nHeight, BOOL bSeparators)
{
    const ResourceBytes res = FindResourceBytes(nID, RT_TOOLBAR);
    return ParseToolBarData(res.pData, res.nSize, ids, nWidth, nHeight, bSeparators);
}

BOOL SECBmpMgr::ParseToolBarData(
    const BYTE* pData, size_t nSize, std::vector<UINT>& ids, int& nWidth, int& nHeight, BOOL bSeparators)
{
    ids.clear();
    constexpr size_t kHeaderBytes = 4 * sizeof(WORD);
    if (!pData || nSize < kHeaderBytes)
        return FALSE;
    const int nCount = ReadWord(pData + 6);
    // A toolbar that claims more items than it holds, or images of no size, is damaged: nothing of it
    // is used rather than reading past its end.
    if (nSize < kHeaderBytes + static_cast<size_t>(nCount) * sizeof(WORD))
        return FALSE;
    const int nImageWidth = ReadWord(pData + 2);
    const int nImageHeight = ReadWord(pData + 4);
    if (nImageWidth == 0 || nImageHeight == 0)
        return FALSE;
    nWidth = nImageWidth;
    nHeight = nImageHeight;
    ids.reserve(static_cast<size_t>(nCount));
    for (int i = 0; i < nCount; ++i) {
        const UINT nCommand = ReadWord(pData + kHeaderBytes + 2 * i);
        if (nCommand != 0 || bSeparators)
            ids.push_back(nCommand);
    }
    return TRUE;
}

BOOL SECBmpMgr::LoadSysColorBitmap(HBITMAP& hBmp, UINT nID)
{
    hBmp = nullptr;
    const ResourceBytes res = FindResourceBytes(nID, RT_BITMAP);
    if (!res.pData)
        return FALSE;
    int nColors = 0;
    const size_t nHeader = BitmapHeaderBytes(res.pData, res.nSize, nColors);
    if (nHeader == 0)
        return FALSE;

    // The header is copied into DWORDs so the colour table can be changed and read aligned.
    std::vector<DWORD> info((nHeader + sizeof(DWORD) - 1) / sizeof(DWORD));
    std::memcpy(info.data(), res.pData, nHeader);
    auto* pInfo = reinterpret_cast<BITMAPINFO*>(info.data());
    auto* pTable = reinterpret_cast<RGBQUAD*>(reinterpret_cast<BYTE*>(info.data()) + nHeader)
        - nColors;
    for (int i = 0; i < nColors; ++i)
        SwapToSysColor(pTable[i]);

    const int nWidth = pInfo->bmiHeader.biWidth;
    const int nHeight = pInfo->bmiHeader.biHeight < 0 ? -pInfo->bmiHeader.biHeight : pInfo->bmiHeader.biHeight;
    CWindowDC screen(nullptr);
    const HBITMAP hNew = ::CreateCompatibleBitmap(screen.m_hDC, nWidth, nHeight);
    if (!hNew)
        return FALSE;
    const HDC hMem = ::CreateCompatibleDC(screen.m_hDC);
    const HGDIOBJ hOld = ::SelectObject(hMem, hNew);
    const int nRows = ::StretchDIBits(hMem, 0, 0, nWidth, nHeight, 0, 0, nWidth, nHeight, res.pData + nHeader,
        pInfo, DIB_RGB_COLORS, SRCCOPY);
    ::SelectObject(hMem, hOld);
    ::DeleteDC(hMem);
    if (nRows == 0) {
        ::DeleteObject(hNew);
        return FALSE;
    }
    hBmp = hNew;
    return TRUE;
}

BOOL SECBmpMgr::LoadToolbar(UINT nSmallID, UINT nLargeID, BOOL bSysColor)
{
    std::vector<UINT> ids;
    int nWidth = 0;
    int nHeight = 0;
    if (!ReadToolBarResource(nSmallID, ids, nWidth, nHeight, FALSE))
        return FALSE;
    if (m_bitmaps.empty())
        m_szSmall = CSize(nWidth, nHeight);
    if (nLargeID != 0 && m_bitmaps.empty()) {
        std::vector<UINT> largeIds;
        if (!ReadToolBarResource(nLargeID, largeIds, nWidth, nHeight, FALSE))
            return FALSE;
        m_szLarge = CSize(nWidth, nHeight);
    }
    return AddBitmap(nSmallID, nLargeID, ids.data(), static_cast<int>(ids.size()), bSysColor);
}

BOOL SECBmpMgr::AddBitmap(UINT nSmallID, UINT nLargeID, const UINT* pIDs, int nIDCount, BOOL bSysColor)
{
    auto pInfo = std::make_unique<BmpInfo>();
    pInfo->nSmallID = nSmallID;
    pInfo->nLargeID = nLargeID;
    pInfo->nImageCount = pIDs ? std::max(nIDCount, 0) : 0;
    pInfo->bSysColor = bSysColor;
    const int nBmpIndex = GetBitmapCount();
    for (int i = 0; i < pInfo->nImageCount; ++i)
        m_commands.try_emplace(pIDs[i], BmpItem { nBmpIndex, i });
    m_bitmaps.push_back(std::move(pInfo));
    return ReloadBitmap(m_bitmaps.back().get(), TRUE);
}

BOOL SECBmpMgr::GetBitmap(UINT nID, HBITMAP& hBmp, int& nImageIndex, BOOL bSmall) const
{
    const auto found = m_commands.find(nID);
    if (found == m_commands.end())
        return FALSE;
    const BmpInfo* pInfo = GetBitmapInfo(found->second.nBmpIndex);
    if (!pInfo)
        return FALSE;
    const HBITMAP hFound = (bSmall || m_bSmallImages) ? pInfo->hSmallBmp : pInfo->hLargeBmp;
    // A bitmap that failed to load leaves the command without an image rather than with a null one.
    if (!hFound)
        return FALSE;
    hBmp = hFound;
    nImageIndex = found->second.nImageIndex;
    return TRUE;
}

void SECBmpMgr::UseSmallImages(BOOL bSmall)
{
    if (!bSmall == !m_bSmallImages)
        return;
    m_bSmallImages = bSmall ? TRUE : FALSE;
    SysColorChange(TRUE);
}

void SECBmpMgr::KeepBothSizes(BOOL bKeepBoth)
{
    if (!bKeepBoth == !m_bKeepBoth)
        return;
    m_bKeepBoth = bKeepBoth ? TRUE : FALSE;
    SysColorChange(FALSE);
}

BOOL SECBmpMgr::SysColorChange(BOOL bForce)
{
    for (const auto& pInfo : m_bitmaps)
        ReloadBitmap(pInfo.get(), bForce);
    return TRUE;
}

BOOL SECBmpMgr::ReloadBitmap(BmpInfo* pInfo, BOOL bForce)
{
    if (!pInfo)
        return FALSE;
    BmpInfo& info = *pInfo;
    if (!info.bSmallNotOwned && (m_bSmallImages || m_bKeepBoth)) {
        if (m_bSmallImages && !m_bKeepBoth)
            DeleteLarge(info);
        if (bForce)
            DeleteSmall(info);
        if (!info.hSmallBmp && !LoadSmallBitmap(pInfo))
            return FALSE;
    }
    if (info.bLargeNotOwned || m_bSmallImages)
        return TRUE;
    if (!m_bKeepBoth && !info.bSmallNotOwned)
        DeleteSmall(info);
    if (bForce)
        DeleteLarge(info);
    if (info.hLargeBmp)
        return TRUE;
    return LoadLargeBitmap(pInfo);
}

BOOL SECBmpMgr::LoadSmallBitmap(BmpInfo* pInfo)
{
    if (pInfo->bSmallNotOwned)
        return TRUE;
    HBITMAP hBmp = nullptr;
    if (!LoadResourceBitmap(hBmp, pInfo->nSmallID, pInfo->bSysColor))
        return FALSE;
    pInfo->hSmallBmp = hBmp;
    return TRUE;
}

BOOL SECBmpMgr::LoadLargeBitmap(BmpInfo* pInfo)
{
    if (pInfo->bLargeNotOwned)
        return TRUE;
    if (pInfo->nLargeID != 0) {
        HBITMAP hBmp = nullptr;
        if (!LoadResourceBitmap(hBmp, pInfo->nLargeID, pInfo->bSysColor))
            return FALSE;
        pInfo->hLargeBmp = hBmp;
        return TRUE;
    }
    return StretchLarge(*pInfo);
}

BOOL SECBmpMgr::StretchLarge(BmpInfo& info)
{
    const bool bLoadedSmall = !info.hSmallBmp;
    if (bLoadedSmall && !LoadSmallBitmap(&info))
        return FALSE;
    BOOL bDone = FALSE;
    if (info.hSmallBmp && info.nImageCount > 0) {
        CWindowDC screen(nullptr);
        const HBITMAP hLarge = ::CreateCompatibleBitmap(screen.m_hDC, info.nImageCount * m_szLarge.cx, m_szLarge.cy);
        if (hLarge) {
            const HDC hSrc = ::CreateCompatibleDC(screen.m_hDC);
            const HDC hDst = ::CreateCompatibleDC(screen.m_hDC);
            const HGDIOBJ hOldSrc = ::SelectObject(hSrc, info.hSmallBmp);
            const HGDIOBJ hOldDst = ::SelectObject(hDst, hLarge);
            for (int i = 0; i < info.nImageCount; ++i)
                ::StretchBlt(hDst, i * m_szLarge.cx, 0, m_szLarge.cx, m_szLarge.cy, hSrc, i * m_szSmall.cx, 0,
                    m_szSmall.cx, m_szSmall.cy, SRCCOPY);
            ::SelectObject(hSrc, hOldSrc);
            ::SelectObject(hDst, hOldDst);
            ::DeleteDC(hSrc);
            ::DeleteDC(hDst);
            info.hLargeBmp = hLarge;
            bDone = TRUE;
        }
    }
    if (bLoadedSmall)
        DeleteSmall(info);
    return bDone;
}
