// Dispatch over static member tables: name look-up, invocation and the matching type information.

#include <string_view>

#include "platform/base/CaseFold.h"
#include "platform/com/IDispatchImpl.h"

namespace platform {

namespace {

const DispMember* FindMember(std::span<const DispMember> members, DISPID id, WORD flags)
{
    const bool put = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
    for (const DispMember& m : members) {
        if (m.dispid != id)
            continue;
        if (put ? m.kind == DISPATCH_PROPERTYPUT : (m.kind & flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET)) != 0)
            return &m;
    }
    return nullptr;
}

} // namespace

HRESULT DispatchGetIDsOfNames(std::span<const DispMember> members, LPOLESTR* rgszNames, UINT cNames, DISPID* rgDispId)
{
    if (!rgszNames || !rgDispId)
        return E_POINTER;
    if (cNames == 0)
        return E_INVALIDARG;
    for (UINT i = 0; i < cNames; ++i)
        rgDispId[i] = DISPID_UNKNOWN;
    if (!rgszNames[0])
        return DISP_E_UNKNOWNNAME;
    for (const DispMember& m : members)
        if (EqualsNoCase(std::u16string_view(m.name), std::u16string_view(rgszNames[0]))) {
            rgDispId[0] = m.dispid;
            return cNames == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    return DISP_E_UNKNOWNNAME;
}

HRESULT DispatchInvoke(std::span<const DispMember> members, void* pInterface, DISPID dispIdMember, WORD wFlags,
    DISPPARAMS* pDispParams, VARIANT* pVarResult, EXCEPINFO*, UINT* puArgErr)
{
    const DispMember* member = FindMember(members, dispIdMember, wFlags);
    if (!member)
        return DISP_E_MEMBERNOTFOUND;
    if (pDispParams && pDispParams->cNamedArgs > 0) {
        // The only named argument understood is the value of a property put.
        const bool putValue = member->kind == DISPATCH_PROPERTYPUT && pDispParams->cNamedArgs == 1
            && pDispParams->rgdispidNamedArgs && pDispParams->rgdispidNamedArgs[0] == DISPID_PROPERTYPUT;
        if (!putValue)
            return DISP_E_NONAMEDARGS;
    }
    if (pVarResult)
        VariantInit(pVarResult);
    return member->invoke(pInterface, pDispParams, pVarResult, puArgErr);
}

HRESULT DispatchTypeInfo::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv)
        return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_ITypeInfo) {
        *ppv = static_cast<ITypeInfo*>(this);
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

HRESULT DispatchTypeInfo::GetIDsOfNames(LPOLESTR* rgszNames, UINT cNames, MEMBERID* pMemId)
{
    return DispatchGetIDsOfNames(m_members, rgszNames, cNames, pMemId);
}

HRESULT DispatchTypeInfo::Invoke(PVOID pvInstance, MEMBERID memid, WORD wFlags, DISPPARAMS* pDispParams,
    VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr)
{
    if (!pvInstance)
        return E_INVALIDARG;
    return DispatchInvoke(m_members, pvInstance, memid, wFlags, pDispParams, pVarResult, pExcepInfo, puArgErr);
}

HRESULT DispatchTypeInfo::GetNames(MEMBERID memid, BSTR* rgBstrNames, UINT cMaxNames, UINT* pcNames)
{
    if (!rgBstrNames || !pcNames)
        return E_INVALIDARG;
    *pcNames = 0;
    for (const DispMember& m : m_members)
        if (m.dispid == memid) {
            if (cMaxNames > 0) {
                rgBstrNames[0] = SysAllocString(m.name);
                *pcNames = 1;
            }
            return S_OK;
        }
    return TYPE_E_ELEMENTNOTFOUND;
}

} // namespace platform
