#pragma once
// The splash window: the program's picture, centred and top-most, while start-up finishes. Its end,
// by its timer or by a key or mouse press, is what starts the work: it posts Open Library to the main
// window. The object deletes itself when its window goes.

#include "platform/afx/CBitmap.h"
#include "platform/afx/CPalette.h"
#include "platform/afx/CWnd.h"

class CLogoWnd : public CWnd {
public:
    static constexpr UINT_PTR kTimerId = 1;

    CLogoWnd(UINT nBitmapId, UINT nDuration);
    ~CLogoWnd() override;

    // Loads the picture and shows it; FALSE (nothing shown) when the picture cannot be loaded.
    BOOL Show();
    // The picture as a DIB section and a palette for palette-based displays: its own colour table for up
    // to 256 colours, the halftone palette beyond; FALSE when the picture cannot be loaded.
    static BOOL LoadSplashBitmap(UINT nBitmapId, CBitmap& bitmap, CPalette& palette);
    // The colours a DIB uses: its used-colour count, or 2 to the power of its bits per pixel when that
    // is 0 (saturated for deep pictures).
    static UINT ColorCount(const BITMAPINFOHEADER& header);
    // Ends the splash as its timer does.
    void EndSplash();

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override;
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()

private:
    UINT m_nBitmapId { 0 };
    UINT m_nDuration { 0 };
    UINT_PTR m_nTimer { 0 };
    CBitmap m_bitmap;
    CPalette m_palette;
    // Owns the splash so that it gets no entry of its own among the desktop's windows.
    CWnd m_wndOwner;
};
