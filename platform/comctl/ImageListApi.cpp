// The image-list functions over ImageList, and the one drag image of the process.

#include <algorithm>
#include <memory>
#include <mutex>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/ImageList.h"

using platform::comctl::ImageList;

namespace {

// The image being dragged, where it is and what it covers on the screen, so moving it or taking
// it away puts the covered pixels back.
struct DragState {
    std::unique_ptr<ImageList> image;
    POINT hotspot {};
    POINT position {};
    HWND lock { nullptr };
    bool entered { false };
    bool shown { false };
    HBITMAP saved { nullptr };
    POINT savedAt {};
};

DragState& Drag()
{
    static DragState state;
    return state;
}

HDC DragDC(HWND lock)
{
    return GetDCEx(lock ? lock : GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
}

void HideDragImage(DragState& d)
{
    if (!d.shown)
        return;
    HDC dc = DragDC(d.lock);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, d.saved);
    BitBlt(dc, d.savedAt.x, d.savedAt.y, d.image->width(), d.image->height(), mem, 0, 0, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    ReleaseDC(d.lock ? d.lock : GetDesktopWindow(), dc);
    DeleteObject(d.saved);
    d.saved = nullptr;
    d.shown = false;
}

void ShowDragImage(DragState& d)
{
    if (d.shown || !d.image)
        return;
    HDC dc = DragDC(d.lock);
    const int w = d.image->width();
    const int h = d.image->height();
    d.savedAt = { d.position.x - d.hotspot.x, d.position.y - d.hotspot.y };
    d.saved = CreateCompatibleBitmap(dc, w, h);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, d.saved);
    BitBlt(mem, 0, 0, w, h, dc, d.savedAt.x, d.savedAt.y, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    d.image->draw(0, dc, d.savedAt.x, d.savedAt.y, 0, 0, CLR_NONE, CLR_DEFAULT, ILD_TRANSPARENT);
    ReleaseDC(d.lock ? d.lock : GetDesktopWindow(), dc);
    d.shown = true;
}

} // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int)
{
    if (cx <= 0 || cy <= 0)
        return nullptr;
    return (new ImageList(cx, cy, (flags & ILC_MASK) != 0))->handle();
}

BOOL ImageList_Destroy(HIMAGELIST himl)
{
    ImageList* list = ImageList::FromHandle(himl);
    delete list;
    return list != nullptr;
}

int ImageList_GetImageCount(HIMAGELIST himl)
{
    ImageList* list = ImageList::FromHandle(himl);
    return list ? list->count() : 0;
}

BOOL ImageList_SetImageCount(HIMAGELIST himl, UINT uNewCount)
{
    ImageList* list = ImageList::FromHandle(himl);
    if (!list || uNewCount > 0x7FFFFFFF)
        return FALSE;
    list->setCount(static_cast<int>(uNewCount));
    return TRUE;
}

int ImageList_Add(HIMAGELIST himl, HBITMAP hbmImage, HBITMAP hbmMask)
{
    ImageList* list = ImageList::FromHandle(himl);
    return list ? list->add(hbmImage, hbmMask) : -1;
}

int ImageList_AddMasked(HIMAGELIST himl, HBITMAP hbmImage, COLORREF crMask)
{
    ImageList* list = ImageList::FromHandle(himl);
    return list ? list->addMasked(hbmImage, crMask) : -1;
}

BOOL ImageList_Replace(HIMAGELIST himl, int i, HBITMAP hbmImage, HBITMAP hbmMask)
{
    ImageList* list = ImageList::FromHandle(himl);
    return list && list->replace(i, hbmImage, hbmMask);
}

int ImageList_ReplaceIcon(HIMAGELIST himl, int i, HICON hicon)
{
    ImageList* list = ImageList::FromHandle(himl);
    return list ? list->replaceIcon(i, hicon) : -1;
}

BOOL ImageList_Remove(HIMAGELIST himl, int i)
{
    ImageList* list = ImageList::FromHandle(himl);
    return list && list->remove(i);
}

COLORREF ImageList_SetBkColor(HIMAGELIST himl, COLORREF clrBk)
{
    ImageList* list = ImageList::FromHandle(himl);
    return list ? list->setBkColor(clrBk) : CLR_NONE;
}

COLORREF ImageList_GetBkColor(HIMAGELIST himl)
{
    ImageList* list = ImageList::FromHandle(himl);
    return list ? list->bkColor() : CLR_NONE;
}

BOOL ImageList_SetOverlayImage(HIMAGELIST himl, int iImage, int iOverlay)
{
    ImageList* list = ImageList::FromHandle(himl);
    return list && list->setOverlay(iImage, iOverlay);
}

BOOL ImageList_Draw(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, UINT fStyle)
{
    return ImageList_DrawEx(himl, i, hdcDst, x, y, 0, 0, CLR_DEFAULT, CLR_DEFAULT, fStyle);
}

BOOL ImageList_DrawEx(HIMAGELIST himl, int i, HDC hdcDst, int x, int y, int dx, int dy, COLORREF rgbBk,
    COLORREF rgbFg, UINT fStyle)
{
    ImageList* list = ImageList::FromHandle(himl);
    return list && list->draw(i, hdcDst, x, y, dx, dy, rgbBk, rgbFg, fStyle);
}

HICON ImageList_GetIcon(HIMAGELIST himl, int i, UINT)
{
    ImageList* list = ImageList::FromHandle(himl);
    return list ? list->icon(i) : nullptr;
}

BOOL ImageList_GetIconSize(HIMAGELIST himl, int* cx, int* cy)
{
    ImageList* list = ImageList::FromHandle(himl);
    if (!list || !cx || !cy)
        return FALSE;
    *cx = list->width();
    *cy = list->height();
    return TRUE;
}

BOOL ImageList_SetIconSize(HIMAGELIST himl, int cx, int cy)
{
    ImageList* list = ImageList::FromHandle(himl);
    if (!list || cx <= 0 || cy <= 0)
        return FALSE;
    list->setSize(cx, cy);
    return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST himl, int i, IMAGEINFO* pImageInfo)
{
    ImageList* list = ImageList::FromHandle(himl);
    return list && pImageInfo && list->info(i, *pImageInfo);
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST himl)
{
    ImageList* list = ImageList::FromHandle(himl);
    return list ? (new ImageList(*list))->handle() : nullptr;
}

HIMAGELIST ImageList_Merge(HIMAGELIST himl1, int i1, HIMAGELIST himl2, int i2, int dx, int dy)
{
    ImageList* first = ImageList::FromHandle(himl1);
    ImageList* second = ImageList::FromHandle(himl2);
    if (!first || !second || !first->valid(i1) || !second->valid(i2))
        return nullptr;
    const int left = std::min(0, dx);
    const int top = std::min(0, dy);
    const int right = std::max(first->width(), dx + second->width());
    const int bottom = std::max(first->height(), dy + second->height());
    auto* merged = new ImageList(right - left, bottom - top, true);
    merged->appendTransparent();
    merged->overlay(0, *first, i1, -left, -top);
    merged->overlay(0, *second, i2, dx - left, dy - top);
    return merged->handle();
}

HIMAGELIST ImageList_LoadImage(HINSTANCE hi, LPCSTR lpbmp, int cx, int, COLORREF crMask, UINT uType, UINT uFlags)
{
    if (uType != IMAGE_BITMAP)
        return nullptr;
    auto* bitmap = static_cast<HBITMAP>(LoadImage(hi, lpbmp, IMAGE_BITMAP, 0, 0, uFlags));
    if (!bitmap)
        return nullptr;
    BITMAP bm {};
    GetObject(bitmap, sizeof bm, &bm);
    if (cx <= 0)
        cx = bm.bmHeight;
    HIMAGELIST himl = ImageList_Create(cx, bm.bmHeight, crMask == CLR_NONE ? 0 : ILC_MASK, 0, 0);
    if (himl && ImageList_AddMasked(himl, bitmap, crMask) < 0) {
        ImageList_Destroy(himl);
        himl = nullptr;
    }
    DeleteObject(bitmap);
    return himl;
}

BOOL ImageList_BeginDrag(HIMAGELIST himlTrack, int iTrack, int dxHotspot, int dyHotspot)
{
    ImageList* list = ImageList::FromHandle(himlTrack);
    DragState& d = Drag();
    if (!list || !list->valid(iTrack) || d.image)
        return FALSE;
    d.image = std::make_unique<ImageList>(list->width(), list->height(), true);
    d.image->appendTransparent();
    d.image->overlay(0, *list, iTrack, 0, 0);
    d.hotspot = { dxHotspot, dyHotspot };
    d.entered = false;
    d.shown = false;
    return TRUE;
}

void ImageList_EndDrag()
{
    DragState& d = Drag();
    HideDragImage(d);
    if (d.entered && d.lock)
        LockWindowUpdate(nullptr);
    d = DragState {};
}

BOOL ImageList_DragEnter(HWND hwndLock, int x, int y)
{
    DragState& d = Drag();
    if (!d.image || d.entered)
        return FALSE;
    d.lock = hwndLock == GetDesktopWindow() ? nullptr : hwndLock;
    d.entered = true;
    if (d.lock)
        LockWindowUpdate(d.lock);
    d.position = { x, y };
    ShowDragImage(d);
    return TRUE;
}

BOOL ImageList_DragLeave(HWND)
{
    DragState& d = Drag();
    if (!d.entered)
        return FALSE;
    HideDragImage(d);
    if (d.lock)
        LockWindowUpdate(nullptr);
    d.entered = false;
    d.lock = nullptr;
    return TRUE;
}

BOOL ImageList_DragMove(int x, int y)
{
    DragState& d = Drag();
    if (!d.image)
        return FALSE;
    const bool visible = d.shown;
    HideDragImage(d);
    d.position = { x, y };
    if (visible)
        ShowDragImage(d);
    return TRUE;
}

BOOL ImageList_DragShowNolock(BOOL fShow)
{
    DragState& d = Drag();
    if (!d.image)
        return FALSE;
    if (fShow)
        ShowDragImage(d);
    else
        HideDragImage(d);
    return TRUE;
}

HIMAGELIST ImageList_GetDragImage(POINT* ppt, POINT* pptHotspot)
{
    DragState& d = Drag();
    if (!d.image)
        return nullptr;
    if (ppt)
        *ppt = d.position;
    if (pptHotspot)
        *pptHotspot = d.hotspot;
    return d.image->handle();
}
