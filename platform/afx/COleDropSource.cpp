#include "platform/afx/COleDropSource.h"

#include "platform/user/WinUser.h"

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

COleDropSource::COleDropSource() = default;

SCODE COleDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (bEscapePressed || (m_dwButtonCancel && (dwKeyState & m_dwButtonCancel)))
        return DRAGDROP_S_CANCEL;
    if (!(dwKeyState & m_dwButtonDrop))
        return DRAGDROP_S_DROP;
    return S_OK;
}

SCODE COleDropSource::GiveFeedback(DROPEFFECT) { return DRAGDROP_S_USEDEFAULTCURSORS; }

BOOL COleDropSource::OnBeginDrag(CWnd*)
{
    // The drag drops on the release of whichever button is down now; the other one cancels it.
    const bool right = ::GetKeyState(VK_RBUTTON) < 0 && ::GetKeyState(VK_LBUTTON) >= 0;
    m_dwButtonDrop = right ? MK_RBUTTON : MK_LBUTTON;
    m_dwButtonCancel = right ? MK_LBUTTON : MK_RBUTTON;
    return TRUE;
}
