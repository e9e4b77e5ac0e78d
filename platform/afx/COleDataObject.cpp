#include "platform/afx/COleDataObject.h"

#include "platform/shell/DataObject.h"

void COleDataObject::Attach(LPDATAOBJECT lpDataObject, BOOL bAutoRelease)
{
    Release();
    m_lpDataObject = lpDataObject;
    m_bAutoRelease = bAutoRelease;
}

LPDATAOBJECT COleDataObject::Detach()
{
    LPDATAOBJECT held = m_lpDataObject;
    m_lpDataObject = nullptr;
    return held;
}

void COleDataObject::Release()
{
    if (m_lpDataObject && m_bAutoRelease)
        m_lpDataObject->Release();
    m_lpDataObject = nullptr;
}

FORMATETC COleDataObject::FormatFor(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC format = lpFormatEtc ? *lpFormatEtc : FORMATETC {};
    format.cfFormat = cfFormat;
    return format;
}

BOOL COleDataObject::IsDataAvailable(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC format = FormatFor(cfFormat, lpFormatEtc);
    return m_lpDataObject && m_lpDataObject->QueryGetData(&format) == S_OK;
}

BOOL COleDataObject::GetData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc)
{
    FORMATETC format = FormatFor(cfFormat, lpFormatEtc);
    return m_lpDataObject && lpStgMedium && SUCCEEDED(m_lpDataObject->GetData(&format, lpStgMedium));
}

HGLOBAL COleDataObject::GetGlobalData(CLIPFORMAT cfFormat, LPFORMATETC lpFormatEtc)
{
    FORMATETC format = FormatFor(cfFormat, lpFormatEtc);
    format.tymed = TYMED_HGLOBAL;
    STGMEDIUM medium;
    if (!GetData(cfFormat, &medium, &format))
        return nullptr;
    if (medium.tymed != TYMED_HGLOBAL) {
        ReleaseStgMedium(&medium);
        return nullptr;
    }
    // A medium someone else still owns is copied so the caller always owns what it gets.
    if (medium.pUnkForRelease) {
        HGLOBAL copy = platform::CopyGlobalMemory(medium.hGlobal);
        ReleaseStgMedium(&medium);
        return copy;
    }
    return medium.hGlobal;
}
