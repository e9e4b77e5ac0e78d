#pragma once
// What the label edit and the tip window ask of the control that owns them, so that any control
// implementing it (the list, the tree built on it) can host them.

#include "platform/afx/CString.h"
#include "platform/afx/CRect.h"

class SECListClient {
public:
    virtual ~SECListClient() = default;

    virtual HWND GetOwnerWindow() { return nullptr; }
    virtual BOOL IsLabelWrap() { return 0; }
    virtual BOOL EndLabelEdit(BOOL /*bCommit*/) { return 0; }
    virtual int GetColumnSubItem(int /*nCol*/) { return -1; }
    virtual BOOL GetScrollPosition(CPoint& /*pt*/) { return 0; }
    virtual BOOL GetItemArea(CRect& /*rect*/) { return 0; }
    virtual BOOL GetCellRect(int /*nRow*/, int /*nCol*/, CRect& /*rect*/, int /*nCode*/) { return 0; }
    virtual CString GetItemText(int /*nRow*/, int /*nSubItem*/) { return CString(); }
    virtual BOOL ClientToScreen(CPoint& /*pt*/) { return 0; }
    virtual HWND SetCapture(BOOL /*bCapture*/) { return nullptr; }
    virtual BOOL IsItemSelected(int /*nRow*/) { return 0; }
    virtual COLORREF GetSelBkColor() { return 0; }
    virtual COLORREF GetSelTextColor() { return 0; }
    virtual COLORREF GetTipTextColor() { return 0; }
    virtual COLORREF GetTipBkColor() { return 0; }
    virtual HFONT GetItemFont() { return nullptr; }
    virtual UINT GetTipItemState(int /*nRow*/, UINT /*nMask*/) { return 0; }
};
