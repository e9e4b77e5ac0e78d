#pragma once
// The source side of a drag: decides whether the drag goes on, ends in a drop or is cancelled, and
// shows the effect the target offers.

#include "platform/afx/AfxEmbeddedInterface.h"
#include "platform/afx/CCmdTarget.h"
#include "platform/shell/OleIdl.h"
#include "platform/user/WinUser.h"

class CWnd;

class COleDropSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropSource)
public:
    COleDropSource();
    ~COleDropSource() override = default;

    // Escape cancels; the button that started the drag coming up drops; otherwise the drag goes on.
    virtual SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState);
    // The standard cursors for each effect.
    virtual SCODE GiveFeedback(DROPEFFECT dropEffect);
    // Whether to start the drag at all (here: always, taking the button that is down).
    virtual BOOL OnBeginDrag(CWnd* pWnd);

    // The source as the drag loop sees it (no reference added).
    IDropSource* GetInterface() { return &m_xDropSource; }

    DWORD m_dwButtonCancel { 0 }; // a button whose press cancels the drag
    DWORD m_dwButtonDrop { MK_LBUTTON }; // the button whose release drops

private:
    // The interface the drag loop calls; it lives and dies with this object.
    class XDropSource final : public AfxEmbeddedInterface<IDropSource, COleDropSource> {
    public:
        using AfxEmbeddedInterface::AfxEmbeddedInterface;
        HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override
        {
            return m_owner.QueryContinueDrag(fEscapePressed, grfKeyState);
        }
        HRESULT GiveFeedback(DWORD dwEffect) override { return m_owner.GiveFeedback(dwEffect); }
    };

    XDropSource m_xDropSource { *this };
};
