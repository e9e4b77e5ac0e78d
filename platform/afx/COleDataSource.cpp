#include "platform/afx/COleDataSource.h"

#include "platform/afx/COleDropSource.h"
#include "platform/afx/CWnd.h"

IMPLEMENT_DYNAMIC(COleDataSource, CCmdTarget)

COleDataSource::COleDataSource() { platform::CreateDataObject(&m_lpDataObject); }

COleDataSource::~COleDataSource()
{
    if (m_lpDataObject)
        m_lpDataObject->Release();
}

void COleDataSource::CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    if (!lpStgMedium)
        return;
    FORMATETC format = lpFormatEtc ? *lpFormatEtc : FORMATETC {};
    format.cfFormat = cfFormat;
    format.tymed = lpStgMedium->tymed;
    if (!m_lpDataObject || FAILED(m_lpDataObject->SetData(&format, lpStgMedium, TRUE)))
        ReleaseStgMedium(lpStgMedium); // taken either way, so the caller never frees it twice
}

void COleDataSource::CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc)
{
    STGMEDIUM medium;
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = hGlobal;
    CacheData(cfFormat, &medium, lpFormatEtc);
}

void COleDataSource::Empty()
{
    if (m_lpDataObject)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
    platform::CreateDataObject(&m_lpDataObject);
}

DROPEFFECT COleDataSource::DoDragDrop(DWORD dwEffects, LPCRECT, COleDropSource* pDropSource)
{
    COleDropSource standard;
    COleDropSource* source = pDropSource ? pDropSource : &standard;
    if (!m_lpDataObject || !source->OnBeginDrag(CWnd::GetCapture()))
        return DROPEFFECT_NONE;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = ::DoDragDrop(m_lpDataObject, source->GetInterface(), dwEffects, &effect);
    return hr == DRAGDROP_S_DROP ? effect : DROPEFFECT_NONE;
}
