#pragma once
// One item of a customisable toolbar: a button object rather than a row of a common control, so that
// bars can insert, remove and move buttons while the program runs. It keeps its command, image, style
// and place, answers the mouse, and draws itself through the drawing context its bar lends it. The menu
// bar's buttons derive from it.

#include "platform/afx/AfxBarItemStyles.h"
#include "platform/afx/CPoint.h"
#include "platform/afx/CRect.h"

class CDC;
class SECBtnDrawContext;
class SECCustomToolBar;
class SECStdBtn;
struct TOOLINFO;

// Button states of customisable toolbars above those of the class library.
constexpr UINT SEC_TBBS_MARKED = 0x01000000; // selected while customising
constexpr UINT SEC_TBBS_HOT = 0x02000000; // under the mouse in the cool look
constexpr UINT SEC_TBBS_NODISABLE = 0x10000000; // stays enabled without a command handler
constexpr UINT SEC_TBBS_VCENTER = 0x20000000; // centred vertically in its row

// How a bar's button map names the class of the buttons it makes.
struct SECButtonClass {
    SECStdBtn* (*m_pfnCreateButton)();
};

// The form of the notifications a button sends its bar's owner (WM_NOTIFY).
struct SECBtnNotify {
    NMHDR hdr;
    int iItem { 0 };
    TBBUTTON tbButton;
    int cchText { 0 };
    LPSTR pszText { nullptr };
    int nIndex { -1 };
    WPARAM wValue { 0 };
    LPARAM lValue { 0 };
};

class SECStdBtn {
public:
    // Kinds of the menu bar's buttons, which the bars look for.
    enum Kind { kindStandard = 0, kindMenu = 3, kindSysMenu = 4, kindCaption = 5 };
    // ModifyStyle's operation that changes style bits.
    static constexpr int kStyleBits = 1;

    SECStdBtn() = default;
    virtual ~SECStdBtn() = default;
    SECStdBtn(const SECStdBtn&) = delete;
    SECStdBtn& operator=(const SECStdBtn&) = delete;

    virtual void SetVertical(BOOL) { }
    virtual void SetStyle(UINT nStyle) { m_nStyle = nStyle; }
    virtual UINT GetStyle() const { return m_nStyle; }
    virtual BOOL TestStyle(UINT nMask) const { return (m_nStyle & nMask) == nMask; }
    virtual void SetPos(int x, int y);
    virtual void Invalidate(BOOL bErase = FALSE) const;
    // The data is for derived classes; the standard button only takes its size from the bar.
    virtual void Init(SECCustomToolBar* pToolBar, const UINT_PTR* pData);
    virtual BOOL CanDrag() const { return TRUE; }
    virtual void Draw(CDC* pDC, SECBtnDrawContext& context);
    // TRUE when the press holds the button down (the bar then captures the mouse).
    virtual BOOL BtnPressDown(CPoint point);
    virtual void BtnPressMouseMove(CPoint point);
    virtual void BtnPressCancel();
    // The command to fire, or 0 when the release was outside.
    virtual UINT BtnPressUp(CPoint point);
    virtual void OnHiddenChanged() { }
    virtual void BarStyleChanged(DWORD) { }
    virtual INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const;
    virtual void ModifyStyle(int nOperation, UINT nAdd, UINT nRemove);
    virtual void AdjustSize();
    virtual void GetExtraData(int& nSize, const BYTE*& pData) const
    {
        nSize = 0;
        pData = nullptr;
    }
    virtual void SetExtraData(int, const BYTE*) { }
    virtual LRESULT SendNotify(UINT nCode, WPARAM wValue, LPARAM lValue);
    virtual void DrawButton(SECBtnDrawContext& context, BOOL bPlain, int x, int y, int cx, int cy, int nImageWidth = -1);
    virtual void DrawDisabled(SECBtnDrawContext& context, int x, int y, int cx, int cy);
    virtual void DrawChecked(SECBtnDrawContext& context, int x, int y, int cx, int cy);
    virtual void DrawIndeterminate(SECBtnDrawContext& context, int x, int y, int cx, int cy);
    virtual void DrawMarked(SECBtnDrawContext& context);
    virtual void SelectImage(SECBtnDrawContext& context);
    // TRUE for a separator, which is then drawn (or left out) completely.
    virtual BOOL DrawSeparator(CDC* pDC);
    virtual void DrawFace(SECBtnDrawContext& context);
    virtual void DrawImage(int x, int y, int cx, int cy, SECBtnDrawContext& context, int xSrc, int ySrc);
    virtual void DrawTransparent(CDC* pBarDC, SECBtnDrawContext& context);
    virtual void DrawMarkIfMarked(SECBtnDrawContext& context);
    virtual void Blit(CDC* pDC, SECBtnDrawContext& context);
    virtual const SECButtonClass* GetButtonClass() const { return &classSECStdBtn; }

    CRect GetRect() const { return CRect(m_x, m_y, m_x + m_cx, m_y + m_cy); }
    SECCustomToolBar* GetToolBar() const { return m_pToolBar; }

    static const SECButtonClass classSECStdBtn;

    UINT m_nID { 0 };
    int m_nImage { 0 };
    UINT m_nStyle { 0 };
    int m_x { -1 };
    int m_y { -1 };
    int m_cx { 23 };
    int m_cy { 22 };
    int m_nType { kindStandard };

protected:
    // The white-where-background mask of the image in the context's mask context, over the button.
    void CreateMask(SECBtnDrawContext& context, int cx, int cy);
    BOOL IsCoolLook() const;

    SECCustomToolBar* m_pToolBar { nullptr };
};
