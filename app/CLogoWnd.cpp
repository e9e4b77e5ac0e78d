#include "app/CLogoWnd.h"

#include <vector>

#include "app/CPelicanApp.h"
#include "app/TuneStewardIds.h"
#include "platform/afx/CClientDC.h"
#include "platform/afx/CPaintDC.h"
#include "platform/gdi/Images.h"

BEGIN_MESSAGE_MAP(CLogoWnd, CWnd)
ON_WM_PAINT()
ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {

constexpr UINT kMaxPaletteColors = 256;

} // namespace

CLogoWnd::CLogoWnd(UINT nBitmapId, UINT nDuration)
    : m_nBitmapId(nBitmapId)
    , m_nDuration(nDuration)
{
}

CLogoWnd::~CLogoWnd()
{
    if (m_wndOwner.m_hWnd)
        m_wndOwner.DestroyWindow();
}

UINT CLogoWnd::ColorCount(const BITMAPINFOHEADER& header)
{
    if (header.biClrUsed != 0)
        return header.biClrUsed;
    if (header.biBitCount >= 32)
        return 0xFFFFFFFFu;
    return 1u << header.biBitCount;
}

BOOL CLogoWnd::LoadSplashBitmap(UINT nBitmapId, CBitmap& bitmap, CPalette& palette)
{
    HANDLE image = ::LoadImage(
        AfxGetResourceHandle(), MAKEINTRESOURCE(nBitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (!image || !bitmap.Attach(image))
        return FALSE;
    DIBSECTION dib {};
    bitmap.GetObject(sizeof(dib), &dib);
    const UINT colors = ColorCount(dib.dsBmih);
    if (colors > kMaxPaletteColors) {
        CClientDC screen(nullptr);
        palette.CreateHalftonePalette(screen.GetSafeHdc());
        return TRUE;
    }
    std::vector<RGBQUAD> table(colors);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap* old = memory.SelectObject(&bitmap);
    const UINT read = ::GetDIBColorTable(memory.GetSafeHdc(), 0, colors, table.data());
    memory.SelectObject(old);
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * colors);
    auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
    logical->palVersion = 0x300;
    logical->palNumEntries = static_cast<WORD>(read);
    for (UINT i = 0; i < read; ++i)
        logical->palPalEntry[i] = PALETTEENTRY { table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0 };
    if (read > 0)
        palette.CreatePalette(logical);
    return TRUE;
}

BOOL CLogoWnd::Show()
{
    if (!LoadSplashBitmap(m_nBitmapId, m_bitmap, m_palette))
        return FALSE;
    BITMAP info {};
    m_bitmap.GetBitmap(&info);
    LPCTSTR windowClass = AfxRegisterWndClass(CS_CLASSDC);
    if (!m_wndOwner.CreateEx(WS_EX_TOPMOST, windowClass, "", WS_POPUP, 0, 0, info.bmWidth, info.bmHeight, nullptr, nullptr))
        return FALSE;
    const BOOL created = CreateEx(WS_EX_TOPMOST, windowClass, "", WS_POPUP, 0, 0, info.bmWidth, info.bmHeight,
        m_wndOwner.m_hWnd, nullptr);
    if (!created)
        return FALSE;
    CenterWindow();
    ShowWindow(SW_SHOW);
    UpdateWindow();
    m_nTimer = SetTimer(kTimerId, m_nDuration);
    if (CPelicanApp* app = GetPelicanApp())
        app->m_bSplashUp = TRUE;
    return created;
}

void CLogoWnd::EndSplash()
{
    KillTimer(m_nTimer);
    // The owner takes the owned splash with it, and the splash's last step deletes this object and
    // posts Open Library: nothing of the object is touched after the owner goes.
    HWND splash = m_hWnd;
    m_wndOwner.DestroyWindow();
    if (::IsWindow(splash))
        ::DestroyWindow(splash);
}

BOOL CLogoWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd && pMsg->hwnd == m_hWnd) {
        switch (pMsg->message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            EndSplash();
            return TRUE;
        default:
            break;
        }
    }
    return CWnd::PreTranslateMessage(pMsg);
}

void CLogoWnd::PostNcDestroy()
{
    delete this;
    CPelicanApp* app = GetPelicanApp();
    if (app && app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
        app->m_pMainWnd->PostMessage(WM_COMMAND, ID_FILE_OPEN_LIBRARY, 0);
    if (app)
        app->m_bSplashUp = FALSE;
}

void CLogoWnd::OnPaint()
{
    CPaintDC dc(this);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* oldBitmap = memory.SelectObject(&m_bitmap);
    CPalette* oldPalette = nullptr;
    if ((dc.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) && m_palette.GetSafeHandle()) {
        oldPalette = dc.SelectPalette(&m_palette, FALSE);
        dc.RealizePalette();
    }
    CRect client;
    GetClientRect(&client);
    dc.BitBlt(0, 0, client.Width(), client.Height(), &memory, 0, 0, SRCCOPY);
    if (oldPalette)
        dc.SelectPalette(oldPalette, FALSE);
    memory.SelectObject(oldBitmap);
}

void CLogoWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kTimerId)
        EndSplash();
    else
        CWnd::OnTimer(nIDEvent);
}
