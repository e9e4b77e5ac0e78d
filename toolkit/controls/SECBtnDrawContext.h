#pragma once
// What toolbar buttons draw with: memory contexts for the mask, the image and the off-screen face, and
// the checkerboard brush of checked and disabled looks. One serves every bar of a toolbar manager (or a
// bar without one), so the contexts are made once rather than at every paint.

#include "platform/afx/CBitmap.h"
#include "platform/afx/CBrush.h"
#include "platform/afx/CDC.h"

class SECBtnDrawContext {
public:
    // Throws the resource exception when a context or the brush cannot be made.
    SECBtnDrawContext();
    ~SECBtnDrawContext();
    SECBtnDrawContext(const SECBtnDrawContext&) = delete;
    SECBtnDrawContext& operator=(const SECBtnDrawContext&) = delete;

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

private:
    BOOL CreateDitherBrush();
};
