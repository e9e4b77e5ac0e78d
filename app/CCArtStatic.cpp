#include "app/CCArtStatic.h"

#include "app/TuneStewardIds.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/afx/CBrush.h"
#include "platform/afx/CClientDC.h"
#include "platform/afx/CPalette.h"
#include "platform/com/BstrT.h"

namespace {

constexpr long kHimetricUnit = 25;
constexpr long kMaxPictureUnits = 100000;

} // namespace

bool IsPictureTooLarge(long widthHimetric, long heightHimetric)
{
    return static_cast<long long>(widthHimetric / kHimetricUnit) * (heightHimetric / kHimetricUnit) > kMaxPictureUnits;
}

BEGIN_MESSAGE_MAP(CCArtStatic, CStatic)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

bool CCArtStatic::LoadFile(LPCTSTR path)
{
    if (m_picture.m_pPict) {
        m_picture.m_pPict->Release();
        m_picture.m_pPict = nullptr;
    }
    const _bstr_t wide(path);
    void* loaded = nullptr;
    if (FAILED(OleLoadPicturePath(static_cast<const OLECHAR*>(wide), nullptr, 0, 0, IID_IPicture, &loaded)) || !loaded)
        return false;
    m_picture.m_pPict = static_cast<IPicture*>(loaded);
    return true;
}

BOOL CCArtStatic::LoadPicture(LPCTSTR path)
{
    if (LoadFile(path)) {
        OLE_XSIZE_HIMETRIC width = 0;
        OLE_YSIZE_HIMETRIC height = 0;
        m_picture.m_pPict->get_Width(&width);
        m_picture.m_pPict->get_Height(&height);
        if (!IsPictureTooLarge(width, height)) {
            m_strPath = path;
            return TRUE;
        }
        AfxMessageBox(IDS_PICTURE_TOO_LARGE, MB_ICONEXCLAMATION);
    }
    // The last good picture comes back; it loaded before, so its result is not looked at.
    if (m_picture.m_pPict) {
        m_picture.m_pPict->Release();
        m_picture.m_pPict = nullptr;
    }
    if (!m_strPath.IsEmpty())
        LoadFile(m_strPath);
    return FALSE;
}

BOOL CCArtStatic::SetPicture(LPCTSTR path)
{
    const BOOL loaded = LoadPicture(path);
    DrawPicture(IsBitmap());
    return loaded;
}

BOOL CCArtStatic::IsBitmap() { return m_picture.m_pPict && m_picture.GetType() == PICTYPE_BITMAP; }

CRect CCArtStatic::PictureRect()
{
    CRect rect;
    GetClientRect(&rect);
    rect.InflateRect(-1, -1);
    return rect;
}

void CCArtStatic::EraseBackground()
{
    if (!m_hWnd)
        return;
    CClientDC dc(this);
    const CRect rect = PictureRect();
    dc.FillRect(&rect, CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(LTGRAY_BRUSH))));
}

void CCArtStatic::DrawPicture(BOOL draw)
{
    EraseBackground();
    if (!draw || !m_hWnd || !m_picture.m_pPict)
        return;
    CClientDC dc(this);
    OLE_HANDLE palette = 0;
    m_picture.m_pPict->get_hPal(&palette);
    CPalette* previous = nullptr;
    if (palette) {
        previous = dc.SelectPalette(CPalette::FromHandle(reinterpret_cast<HPALETTE>(static_cast<UINT_PTR>(palette))), FALSE);
        dc.RealizePalette();
    }
    const CRect rect = PictureRect();
    m_picture.Render(&dc, rect, rect);
    if (previous)
        dc.SelectPalette(previous, TRUE);
}

BOOL CCArtStatic::OnEraseBkgnd(CDC*)
{
    DrawPicture(IsBitmap());
    return TRUE;
}
