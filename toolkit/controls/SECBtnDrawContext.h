#pragma once
// What toolbar buttons draw with: memory contexts for the mask, the image and the off-screen face, and
// the checkerboard brush of checked and disabled looks. One serves every bar of a toolbar manager (or a
// bar without one), so the contexts are made once rather than at every paint.

#include "platform/afx/CBitmap.h"
#include "platform/afx/CBrush.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CRect.h"

class SECBtnDrawContext {
public:
    // Throws the resource exception when a context or the brush cannot be made.
    SECBtnDrawContext();
    ~SECBtnDrawContext();
    SECBtnDrawContext(const SECBtnDrawContext&) = delete;
    SECBtnDrawContext& operator=(const SECBtnDrawContext&) = delete;

    // Gives the face and mask contexts bitmaps of the largest button's size for one paint; FALSE when
    // they cannot be made (nothing is then drawn).
    BOOL Prepare(CSize szLargest);
    // Ends the paint: the bitmaps go and the contexts get their own back, the image's context too.
    void Release();
    // The brush follows the button colours when they change.
    void SysColorChange();
    // A new checkerboard brush of button face and highlight, the caller's; null when it cannot be made.
    static HBRUSH NewDitherBrush();

    // The monochrome mask of the image being drawn.
    CDC m_monoDC;
    // Holds the button image's bitmap (see m_hOldImage).
    CDC m_imageDC;
    // The face is composed here and copied to the bar in one go, so buttons never flicker.
    CDC m_offscreenDC;
    // Checkerboard of button face and highlight.
    CBrush m_ditherBrush;
    // While a paint runs: the colour bitmap of m_offscreenDC and the mask bitmap of m_monoDC (not owned).
    CBitmap* m_pOffscreenBmp { nullptr };
    CBitmap* m_pMonoBmp { nullptr };
    // What m_imageDC held before the current image was selected into it.
    HGDIOBJ m_hOldImage { nullptr };
    // The image selected for the button being drawn (null: it has none).
    HBITMAP m_hImage { nullptr };
    // Where the button's face drew its image, and the face inside its borders: the looks of checked,
    // disabled and indeterminate buttons change only that area.
    CPoint m_ptImage;
    CRect m_rectFace;

private:
    CBitmap m_offscreenBmp;
    CBitmap m_monoBmp;
    HGDIOBJ m_hOldOffscreen { nullptr };
    HGDIOBJ m_hOldMono { nullptr };
    BOOL CreateDitherBrush();
};
