#pragma once
// A window's drop target: Register hooks it to the drag loop, which calls OnDragEnter, OnDragOver,
// OnDragLeave and OnDrop with the window, the dragged data and the point in the window's client area.
// The defaults pass a view's drag to the view's own handlers and offer nothing for other windows.

#include "platform/afx/AfxEmbeddedInterface.h"
#include "platform/afx/CCmdTarget.h"
#include "platform/afx/CPoint.h"
#include "platform/shell/OleIdl.h"

class COleDataObject;
class CWnd;

class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // Makes pWnd's window a drop target; FALSE when it has one already or is no window.
    BOOL Register(CWnd* pWnd);
    // Takes the registration back (the destructor does it too).
    void Revoke();

    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // TRUE when the data was taken.
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);

    HWND m_hWnd { nullptr };

private:
    class XDropTarget final : public AfxEmbeddedInterface<IDropTarget, COleDropTarget> {
    public:
        using AfxEmbeddedInterface::AfxEmbeddedInterface;
        HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
        HRESULT DragLeave() override;
        HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) override;
    };

    // The window's object and the screen point in its client coordinates.
    CWnd* Window(POINTL pt, CPoint& client) const;
    // An effect the source allows: the one asked for, else none.
    static DROPEFFECT Allowed(DROPEFFECT wanted, DWORD allowed);

    XDropTarget m_xDropTarget { *this };
    IDataObject* m_lpDataObject { nullptr }; // the data of the drag over the window, referenced
    DROPEFFECT m_dropEffectLast { DROPEFFECT_NONE }; // the last answer to an enter or drag-over
};
