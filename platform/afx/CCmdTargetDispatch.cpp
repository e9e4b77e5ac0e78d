#include "platform/afx/CCmdTargetDispatch.h"

#include "platform/afx/CCmdTarget.h"
#include "platform/base/CaseFold.h"
#include "platform/base/CodePage.h"

HRESULT CCmdTargetDispatch::QueryInterface(REFIID riid, void** ppvObject)
{
    return m_owner.ExternalQueryInterface(&riid, ppvObject);
}

ULONG CCmdTargetDispatch::AddRef() { return m_owner.ExternalAddRef(); }

ULONG CCmdTargetDispatch::Release() { return m_owner.ExternalRelease(); }

HRESULT CCmdTargetDispatch::GetTypeInfoCount(UINT* pctinfo)
{
    if (!pctinfo)
        return E_POINTER;
    *pctinfo = 0;
    return S_OK;
}

HRESULT CCmdTargetDispatch::GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo)
{
    if (ppTInfo)
        *ppTInfo = nullptr;
    return DISP_E_BADINDEX;
}

HRESULT CCmdTargetDispatch::GetIDsOfNames(REFIID, LPOLESTR* rgszNames, UINT cNames, LCID, DISPID* rgDispId)
{
    if (!rgszNames || !rgDispId)
        return E_POINTER;
    HRESULT hr = S_OK;
    for (UINT i = 0; i < cNames; ++i) {
        rgDispId[i] = DISPID_UNKNOWN;
        const std::string name = rgszNames[i] ? platform::Utf16ToUtf8(rgszNames[i]) : std::string();
        for (const AFX_DISPMAP* map = m_owner.GetDispatchMap(); map && rgDispId[i] == DISPID_UNKNOWN;
             map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
            for (const AFX_DISPMAP_ENTRY* entry = map->lpEntries; entry && entry->lpszName; ++entry) {
                if (i == 0 && platform::EqualsNoCase(entry->lpszName, name)) {
                    rgDispId[i] = entry->lDispID;
                    break;
                }
            }
        }
        // Only member names are known; names of arguments are not.
        if (rgDispId[i] == DISPID_UNKNOWN)
            hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
}

const AFX_DISPMAP_ENTRY* CCmdTargetDispatch::FindEntry(DISPID dispid) const
{
    for (const AFX_DISPMAP* map = m_owner.GetDispatchMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_DISPMAP_ENTRY* entry = map->lpEntries; entry && entry->lpszName; ++entry) {
            if (entry->lDispID == dispid)
                return entry;
        }
    }
    return nullptr;
}

HRESULT CCmdTargetDispatch::Invoke(DISPID dispIdMember, REFIID, LCID, WORD wFlags, DISPPARAMS* pDispParams,
    VARIANT* pVarResult, EXCEPINFO*, UINT* puArgErr)
{
    const AFX_DISPMAP_ENTRY* entry = FindEntry(dispIdMember);
    if (!entry || !entry->pfnInvoke || !(wFlags & DISPATCH_METHOD))
        return DISP_E_MEMBERNOTFOUND;
    DISPPARAMS none {};
    return entry->pfnInvoke(&m_owner, pDispParams ? pDispParams : &none, pVarResult, puArgErr);
}
