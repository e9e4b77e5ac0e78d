#pragma once
// A view that is a control: its window is of the control's class (subclassed by the view), and the
// control paints itself, so the frame and document machinery work on, say, a list view.

#include "platform/afx/CView.h"

class CCtrlView : public CView {
    DECLARE_DYNAMIC(CCtrlView)
public:
    CCtrlView(LPCTSTR lpszClass, DWORD dwStyle);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The control draws on the screen; a view that prints draws its pages itself.
    void OnDraw(CDC*) override { }

    CString m_strClass;
    DWORD m_dwDefaultStyle { 0 };

protected:
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};
