#pragma once
// Holds one picture (IPicture) for a control: empty, made from a bitmap or loaded elsewhere into
// m_pPict, and drawn into a rectangle.

#include "platform/afx/CRect.h"
#include "platform/afx/OlePicture.h"

class CDC;

class CPictureHolder {
public:
    CPictureHolder() = default;
    ~CPictureHolder();
    CPictureHolder(const CPictureHolder&) = delete;
    CPictureHolder& operator=(const CPictureHolder&) = delete;

    // Replaces the picture with an empty one.
    BOOL CreateEmpty();
    // Replaces the picture with one of a bitmap (and palette); with bTransferOwnership the picture
    // deletes the bitmap. An empty picture for a null bitmap.
    BOOL CreateFromBitmap(HBITMAP hbm, HPALETTE hpal = nullptr, BOOL bTransferOwnership = FALSE);
    // Replaces the picture with one of a bitmap resource.
    BOOL CreateFromBitmap(UINT idResource);
    // The picture's PICTYPE (PICTYPE_UNINITIALIZED when none is held).
    short GetType();
    // Draws the whole picture stretched into rcRender.
    void Render(CDC* pDC, const CRect& rcRender, const CRect& rcWBounds);

    IPicture* m_pPict { nullptr };

private:
    void Release();
};
