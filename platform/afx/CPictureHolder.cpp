#include "platform/afx/CPictureHolder.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CDC.h"

CPictureHolder::~CPictureHolder() { Release(); }

void CPictureHolder::Release()
{
    if (m_pPict)
        m_pPict->Release();
    m_pPict = nullptr;
}

BOOL CPictureHolder::CreateEmpty()
{
    Release();
    PICTDESC desc;
    return SUCCEEDED(OleCreatePictureIndirect(&desc, IID_IPicture, FALSE, reinterpret_cast<void**>(&m_pPict)));
}

BOOL CPictureHolder::CreateFromBitmap(HBITMAP hbm, HPALETTE hpal, BOOL bTransferOwnership)
{
    Release();
    PICTDESC desc;
    if (hbm) {
        desc.picType = PICTYPE_BITMAP;
        desc.bmp.hbitmap = hbm;
        desc.bmp.hpal = hpal;
    }
    return SUCCEEDED(
        OleCreatePictureIndirect(&desc, IID_IPicture, bTransferOwnership, reinterpret_cast<void**>(&m_pPict)));
}

BOOL CPictureHolder::CreateFromBitmap(UINT idResource)
{
    HBITMAP bitmap = ::LoadBitmap(AfxFindResourceHandle(MAKEINTRESOURCE(idResource), RT_BITMAP),
        MAKEINTRESOURCE(idResource));
    if (!bitmap)
        return FALSE;
    return CreateFromBitmap(bitmap, nullptr, TRUE);
}

short CPictureHolder::GetType()
{
    SHORT type = PICTYPE_UNINITIALIZED;
    if (m_pPict)
        m_pPict->get_Type(&type);
    return type;
}

void CPictureHolder::Render(CDC* pDC, const CRect& rcRender, const CRect& rcWBounds)
{
    if (!pDC || !m_pPict)
        return;
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_pPict->get_Width(&width);
    m_pPict->get_Height(&height);
    m_pPict->Render(pDC->m_hDC, rcRender.left, rcRender.top, rcRender.Width(), rcRender.Height(), 0, height, width,
        -height, &rcWBounds);
}
