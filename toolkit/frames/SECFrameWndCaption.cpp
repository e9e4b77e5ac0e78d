// The frame's gradient caption (SECFrameCaption paints it).

#include "toolkit/frames/SECFrameWnd.h"

BOOL SECFrameWnd::CreateCaptionFont(CFont& font) { return SECFrameCaption::CreateCaptionFont(font, FALSE); }

BOOL SECFrameWnd::CreateCaptionFontItalic(CFont& font) { return SECFrameCaption::CreateCaptionFont(font, TRUE); }

void SECFrameWnd::DrawCaption()
{
    CFont fontPlain;
    CFont fontItalic;
    CreateCaptionFont(fontPlain);
    CreateCaptionFontItalic(fontItalic);
    m_caption.DrawCaption(fontPlain, fontItalic);
}

void SECFrameWnd::OnNcPaint()
{
    if (IsGradientCaptionActive())
        m_caption.OnNcPaint();
    else
        Default();
}

BOOL SECFrameWnd::OnNcActivate(BOOL bActive)
{
    if (InConfigMode())
        m_nFlags &= ~WF_STAYACTIVE;
    if (!IsGradientCaptionActive())
        return CFrameWnd::OnNcActivate(bActive);
    return m_caption.OnNcActivate(bActive);
}

LRESULT SECFrameWnd::OnSetText(WPARAM, LPARAM lParam)
{
    return IsGradientCaptionActive() ? m_caption.OnSetText(lParam) : Default();
}
