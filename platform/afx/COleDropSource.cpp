#include "platform/afx/COleDropSource.h"

#include "platform/user/WinUser.h"

IMPLEMENT_DYNAMIC(COleDropSource, CCmdTarget)

COleDropSource::COleDropSource() = default;

HRESULT COleDropSource::XDropSource::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDropSource) {
        *ppv = static_cast<IDropSource*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

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
