#include "platform/afx/CImageList.h"

#include <vector>

#include "platform/afx/AfxState.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CBitmap.h"
#include "platform/afx/CDC.h"
#include "platform/comctl/ImageList.h"

IMPLEMENT_DYNAMIC(CImageList, CObject)

namespace {

// Read in pieces so that a damaged length cannot make one huge allocation before the data runs out.
constexpr UINT kReadPiece = 64 * 1024;

} // namespace

CImageList::~CImageList() { DeleteImageList(); }

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    return m_hImageList == nullptr && Attach(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return m_hImageList == nullptr
        && Attach(ImageList_LoadBitmap(AfxFindResourceHandle(MAKEINTRESOURCE(nBitmapID), RT_BITMAP),
            MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    return m_hImageList == nullptr && pImageList && Attach(ImageList_Duplicate(pImageList->m_hImageList));
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    if (hImageList == nullptr || m_hImageList != nullptr)
        return FALSE;
    m_hImageList = hImageList;
    return TRUE;
}

HIMAGELIST CImageList::Detach()
{
    HIMAGELIST held = m_hImageList;
    m_hImageList = nullptr;
    return held;
}

BOOL CImageList::DeleteImageList()
{
    if (m_hImageList == nullptr)
        return FALSE;
    return ImageList_Destroy(Detach());
}

int CImageList::Add(CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Add(m_hImageList, pbmImage ? static_cast<HBITMAP>(*pbmImage) : nullptr,
        pbmMask ? static_cast<HBITMAP>(*pbmMask) : nullptr);
}

int CImageList::Add(CBitmap* pbmImage, COLORREF crMask)
{
    return ImageList_AddMasked(m_hImageList, pbmImage ? static_cast<HBITMAP>(*pbmImage) : nullptr, crMask);
}

BOOL CImageList::Replace(int nImage, CBitmap* pbmImage, CBitmap* pbmMask)
{
    return ImageList_Replace(m_hImageList, nImage, pbmImage ? static_cast<HBITMAP>(*pbmImage) : nullptr,
        pbmMask ? static_cast<HBITMAP>(*pbmMask) : nullptr);
}

BOOL CImageList::Draw(CDC* pDC, int nImage, POINT pt, UINT nStyle)
{
    return pDC && ImageList_Draw(m_hImageList, nImage, pDC->m_hDC, pt.x, pt.y, nStyle);
}

BOOL CImageList::Read(CArchive* pArchive)
{
    DeleteImageList();
    if (!pArchive)
        return FALSE;
    DWORD length = 0;
    if (pArchive->Read(&length, sizeof length) != sizeof length)
        return FALSE;
    std::vector<std::uint8_t> bytes;
    while (bytes.size() < length) {
        const UINT piece = static_cast<UINT>(std::min<std::size_t>(kReadPiece, length - bytes.size()));
        const std::size_t at = bytes.size();
        bytes.resize(at + piece);
        if (pArchive->Read(bytes.data() + at, piece) != piece)
            return FALSE;
    }
    platform::comctl::ImageList* list = platform::comctl::ImageList::Deserialize(bytes.data(), bytes.size());
    return list && Attach(list->handle());
}

BOOL CImageList::Write(CArchive* pArchive)
{
    platform::comctl::ImageList* list = platform::comctl::ImageList::FromHandle(m_hImageList);
    if (!pArchive || !list)
        return FALSE;
    const std::vector<std::uint8_t> bytes = list->serialize();
    const DWORD length = static_cast<DWORD>(bytes.size());
    pArchive->Write(&length, sizeof length);
    pArchive->Write(bytes.data(), length);
    return TRUE;
}
