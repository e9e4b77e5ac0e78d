#pragma once
// A frame with a small (tool-window) caption: the floating palettes of a frame. MFS_* styles: follow
// the owner's activation, a frame that resizes only by its sides, a frame that moves by its border.

#include "platform/afx/CFrameWnd.h"

constexpr DWORD MFS_SYNCACTIVE = 0x00000100; // active with its owner
constexpr DWORD MFS_4THICKFRAME = 0x00000200; // sized by its sides only, not the corners
constexpr DWORD MFS_THICKFRAME = 0x00000400; // a sizing frame
constexpr DWORD MFS_MOVEFRAME = 0x00000800; // the frame moves the window instead of sizing it
constexpr DWORD MFS_BLOCKSYSMENU = 0x00001000; // no system menu from the caption

class CMiniFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniFrameWnd)
public:
    CMiniFrameWnd();
    ~CMiniFrameWnd() override;

    // A mini frame of the class library's own class when lpClassName is null.
    BOOL Create(LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
        CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect,
        CWnd* pParentWnd = nullptr, UINT nID = 0);
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // The window rectangle of a mini frame (small caption) around the client rectangle.
    static void CalcBorders(LPRECT lpClientRect, DWORD dwStyle = WS_THICKFRAME | WS_CAPTION, DWORD dwExStyle = 0);

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnFloatStatus(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);

    CString m_strCaption;

protected:
    DECLARE_MESSAGE_MAP()
};
