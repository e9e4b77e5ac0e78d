#include "platform/afx/COleDropTarget.h"

#include "platform/afx/COleDataObject.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWnd.h"

IMPLEMENT_DYNAMIC(COleDropTarget, CCmdTarget)

namespace {

CView* AsView(CWnd* pWnd) { return pWnd && pWnd->IsKindOf(RUNTIME_CLASS(CView)) ? static_cast<CView*>(pWnd) : nullptr; }

// The data of the drag, wrapped for a handler without taking the drag's reference.
class BorrowedData {
public:
    explicit BorrowedData(IDataObject* data) { m_object.Attach(data, FALSE); }
    COleDataObject* get() { return &m_object; }

private:
    COleDataObject m_object;
};

} // namespace

COleDropTarget::COleDropTarget() = default;

COleDropTarget::~COleDropTarget() { Revoke(); }

BOOL COleDropTarget::Register(CWnd* pWnd)
{
    if (!pWnd || !::IsWindow(pWnd->GetSafeHwnd()) || m_hWnd)
        return FALSE;
    if (FAILED(::RegisterDragDrop(pWnd->GetSafeHwnd(), &m_xDropTarget)))
        return FALSE;
    m_hWnd = pWnd->GetSafeHwnd();
    return TRUE;
}

void COleDropTarget::Revoke()
{
    if (m_hWnd)
        ::RevokeDragDrop(m_hWnd);
    m_hWnd = nullptr;
    if (m_lpDataObject)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

DROPEFFECT COleDropTarget::OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CView* view = AsView(pWnd);
    return view ? view->OnDragEnter(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

DROPEFFECT COleDropTarget::OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    CView* view = AsView(pWnd);
    return view ? view->OnDragOver(pDataObject, dwKeyState, point) : DROPEFFECT_NONE;
}

void COleDropTarget::OnDragLeave(CWnd* pWnd)
{
    if (CView* view = AsView(pWnd))
        view->OnDragLeave();
}

BOOL COleDropTarget::OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    CView* view = AsView(pWnd);
    return view ? view->OnDrop(pDataObject, dropEffect, point) : FALSE;
}

CWnd* COleDropTarget::Window(POINTL pt, CPoint& client) const
{
    client = CPoint(pt.x, pt.y);
    ::ScreenToClient(m_hWnd, &client);
    return CWnd::FromHandle(m_hWnd);
}

DROPEFFECT COleDropTarget::Allowed(DROPEFFECT wanted, DWORD allowed)
{
    const DROPEFFECT scroll = wanted & DROPEFFECT_SCROLL;
    wanted &= ~DROPEFFECT_SCROLL;
    return ((wanted & allowed) == wanted ? wanted : DROPEFFECT_NONE) | scroll;
}

HRESULT COleDropTarget::XDropTarget::DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (!pdwEffect)
        return E_INVALIDARG;
    if (m_owner.m_lpDataObject)
        m_owner.m_lpDataObject->Release();
    m_owner.m_lpDataObject = pDataObj;
    if (pDataObj)
        pDataObj->AddRef();
    CPoint client;
    CWnd* wnd = m_owner.Window(pt, client);
    BorrowedData data(pDataObj);
    *pdwEffect = Allowed(m_owner.OnDragEnter(wnd, data.get(), grfKeyState, client), *pdwEffect);
    m_owner.m_dropEffectLast = *pdwEffect;
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (!pdwEffect)
        return E_INVALIDARG;
    CPoint client;
    CWnd* wnd = m_owner.Window(pt, client);
    BorrowedData data(m_owner.m_lpDataObject);
    *pdwEffect = Allowed(m_owner.OnDragOver(wnd, data.get(), grfKeyState, client), *pdwEffect);
    m_owner.m_dropEffectLast = *pdwEffect;
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::DragLeave()
{
    m_owner.OnDragLeave(CWnd::FromHandle(m_owner.m_hWnd));
    if (m_owner.m_lpDataObject)
        m_owner.m_lpDataObject->Release();
    m_owner.m_lpDataObject = nullptr;
    return S_OK;
}

HRESULT COleDropTarget::XDropTarget::Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect)
{
    if (!pdwEffect)
        return E_INVALIDARG;
    CPoint client;
    CWnd* wnd = m_owner.Window(pt, client);
    BorrowedData data(pDataObj);
    // A last drag-over at the drop point decides the effect (a release right after entering has had
    // none); a refusal drops nothing.
    const DROPEFFECT effect = Allowed(m_owner.OnDragOver(wnd, data.get(), grfKeyState, client), *pdwEffect)
        & ~DROPEFFECT_SCROLL;
    m_owner.m_dropEffectLast = DROPEFFECT_NONE;
    *pdwEffect = DROPEFFECT_NONE;
    if (effect != DROPEFFECT_NONE && m_owner.OnDrop(wnd, data.get(), effect, client))
        *pdwEffect = effect;
    else if (effect == DROPEFFECT_NONE)
        m_owner.OnDragLeave(wnd);
    if (m_owner.m_lpDataObject)
        m_owner.m_lpDataObject->Release();
    m_owner.m_lpDataObject = nullptr;
    return S_OK;
}
