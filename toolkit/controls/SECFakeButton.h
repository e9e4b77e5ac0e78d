#pragma once
// Animates a bitmap button while the mouse button is held on it: an invisible window holds the mouse,
// the pressed image shows while the pointer is over the button and the normal one otherwise, drawn
// straight onto the screen, until the button is released.

#include "platform/afx/CBitmap.h"
#include "platform/afx/CRect.h"
#include "platform/afx/CWnd.h"

class SECFakeButton : public CWnd {
public:
    // The images are the caller's; rect is the button's place on the screen.
    SECFakeButton(CBitmap& pressed, CBitmap& normal, const CRect& rect);
    ~SECFakeButton() override;

    // TRUE when the mouse button was released over the button. Losing the mouse to another window or
    // the program quitting counts as a release elsewhere.
    BOOL Track();

private:
    void Draw(BOOL bPressed);

    BOOL m_bPressed { FALSE };
    BOOL m_bDone { FALSE };
    CBitmap& m_bmpPressed;
    CBitmap& m_bmpNormal;
    CRect m_rect;
};
