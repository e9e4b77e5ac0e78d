#pragma once
// The toolkit frames' optional gradient caption: painted by the frame into an off-screen bitmap, the
// title split into a document part (italic) and an application part, while the system is kept from
// painting its own caption. The single- and the multiple-document frame derive from different
// class-library frames, so each holds one of these and gives it its own (overridable) caption
// painting.

#include <functional>

#include "platform/afx/CFont.h"
#include "platform/afx/CFrameWnd.h"

class CDC;

class SECFrameCaption {
public:
    // The frame's caption painting (its DrawCaption, which a derived frame may replace).
    using PaintProc = std::function<void()>;

    // With bSendRepaint the repaint the setter asks for is sent instead of posted.
    SECFrameCaption(CFrameWnd& frame, PaintProc paint, BOOL bSendRepaint = FALSE);

    // The previous setting; 0, changing nothing, where gradients are not supported.
    BOOL SetGradientCaption(BOOL bEnable, BOOL bRepaint);
    BOOL IsGradientCaptionActive() const { return m_bGradientSupported && m_bGradientCaption; }
    // The caption in window coordinates, without the system buttons; whether Close is enabled.
    BOOL GetCaptionRect(CRect& rect);
    // Bands from one colour to the other across the rectangle, at most nSteps of them.
    static void FillGradient(CDC* pDC, const CRect& rect, int nSteps, COLORREF clrFrom, COLORREF clrTo);
    // The caption font of the non-client metrics, italic or not.
    static BOOL CreateCaptionFont(CFont& font, BOOL bItalic);
    // Paints the caption with the fonts given; turns the gradient off when it has no off-screen picture.
    void DrawCaption(CFont& fontPlain, CFont& fontItalic);

    // Handlers for the gradient caption while it is active.
    void OnNcPaint();
    BOOL OnNcActivate(BOOL bActive);
    LRESULT OnSetText(LPARAM lParam);

    BOOL m_bGradientSupported { LOBYTE(LOWORD(::GetVersion())) >= 4 };
    // 0 left (default), 1 centred, any other value right.
    int m_nCaptionAlign { 0 };
    BOOL m_bGradientCaption { FALSE };
    // The activation state last painted.
    BOOL m_bCaptionActive { FALSE };

private:
    CFrameWnd& m_frame;
    PaintProc m_paint;
    BOOL m_bSendRepaint { FALSE };
};
