#include "platform/afx/CCmdTarget.h"

#include "platform/afx/CCmdTargetDispatch.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CException.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

const AFX_MSGMAP_ENTRY kNoEntries[] = { { 0, 0, 0, 0, AfxSig_end, nullptr } };
const AFX_MSGMAP kRootMap = { nullptr, &kNoEntries[0] };
const AFX_DISPMAP_ENTRY kNoDispatchEntries[] = { { nullptr, DISPID_UNKNOWN, nullptr, VT_EMPTY, nullptr } };
const AFX_DISPMAP kRootDispatchMap = { nullptr, &kNoDispatchEntries[0] };
const AFX_INTERFACEMAP_ENTRY kNoInterfaceEntries[] = { { nullptr, nullptr } };
const AFX_INTERFACEMAP kRootInterfaceMap = { nullptr, &kNoInterfaceEntries[0] };

template<typename Handler> Handler As(AFX_PMSG pfn) { return std::bit_cast<Handler>(pfn); }

BOOL Dispatch(CCmdTarget* target, UINT nID, int nCode, AFX_PMSG pfn, void* pExtra, UINT_PTR nSig)
{
    switch (nSig) {
    case AfxSigCmd_v:
        (target->*pfn)();
        return TRUE;
    case AfxSigCmd_b:
        return (target->*As<BOOL (CCmdTarget::*)()>(pfn))();
    case AfxSigCmd_RANGE:
        (target->*As<void (CCmdTarget::*)(UINT)>(pfn))(nID);
        return TRUE;
    case AfxSigCmd_EX:
        return (target->*As<BOOL (CCmdTarget::*)(UINT)>(pfn))(nID);
    case AfxSigCmdUI: {
        auto* cmdUI = static_cast<CCmdUI*>(pExtra);
        if (!cmdUI)
            return FALSE;
        cmdUI->m_bContinueRouting = FALSE;
        (target->*As<void (CCmdTarget::*)(CCmdUI*)>(pfn))(cmdUI);
        return !cmdUI->m_bContinueRouting;
    }
    default:
        return FALSE;
    }
}

} // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() { return &kRootMap; }

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID)
{
    for (; pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = pMap->lpEntries; entry && entry->nSig != AfxSig_end; ++entry) {
            if (entry->nMessage == nMsg && entry->nCode == nCode && nID >= entry->nID && nID <= entry->nLastID)
                return entry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // A notification routed as a command carries its message in the high word of the code.
    UINT nMsg = 0;
    UINT code = static_cast<UINT>(nCode);
    if (nCode != CN_UPDATE_COMMAND_UI) {
        nMsg = HIWORD(code);
        code = LOWORD(code);
    }
    if (nMsg == 0)
        nMsg = afx::kCommandMessage;

    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(GetMessageMap(), nMsg, code, nID);
    if (!entry)
        return FALSE;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pmf = entry->pfn;
        return TRUE;
    }
    return DispatchCommand(*entry, nID, nCode, pExtra);
}

BOOL CCmdTarget::DispatchCommand(const AFX_MSGMAP_ENTRY& entry, UINT nID, int nCode, void* pExtra)
{
    return Dispatch(this, nID, nCode, entry.pfn, pExtra, entry.nSig);
}

CCmdTarget::CCmdTarget() = default;

CCmdTarget::~CCmdTarget() = default;

const AFX_DISPMAP* CCmdTarget::GetThisDispatchMap() { return &kRootDispatchMap; }

const AFX_DISPMAP* CCmdTarget::GetDispatchMap() const { return GetThisDispatchMap(); }

const AFX_INTERFACEMAP* CCmdTarget::GetThisInterfaceMap() { return &kRootInterfaceMap; }

const AFX_INTERFACEMAP* CCmdTarget::GetInterfaceMap() const { return GetThisInterfaceMap(); }

void CCmdTarget::EnableAutomation()
{
    if (!m_xDispatch)
        m_xDispatch = std::make_unique<CCmdTargetDispatch>(*this);
}

LPDISPATCH CCmdTarget::GetIDispatch(BOOL bAddRef)
{
    if (!m_xDispatch)
        return nullptr;
    if (bAddRef)
        ExternalAddRef();
    return m_xDispatch.get();
}

CCmdTarget* CCmdTarget::FromIDispatch(LPDISPATCH lpDispatch)
{
    auto* dispatch = dynamic_cast<CCmdTargetDispatch*>(lpDispatch);
    return dispatch ? &dispatch->Owner() : nullptr;
}

IUnknown* CCmdTarget::GetInterfacePartDispatch() { return m_xDispatch.get(); }

LPUNKNOWN CCmdTarget::GetInterface(const void* iid)
{
    const IID& wanted = *static_cast<const IID*>(iid);
    if (IsEqualIID(wanted, IID_IUnknown) || IsEqualIID(wanted, IID_IDispatch))
        return m_xDispatch.get();
    for (const AFX_INTERFACEMAP* map = GetInterfaceMap(); map;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_INTERFACEMAP_ENTRY* entry = map->pEntry; entry && entry->piid; ++entry) {
            if (IsEqualIID(*entry->piid, wanted))
                return entry->pfnGetPart(this);
        }
    }
    return nullptr;
}

HRESULT CCmdTarget::ExternalQueryInterface(const void* iid, void** ppvObj)
{
    if (!ppvObj)
        return E_POINTER;
    *ppvObj = nullptr;
    if (!iid)
        return E_NOINTERFACE;
    LPUNKNOWN found = GetInterface(iid);
    if (!found)
        return E_NOINTERFACE;
    found->AddRef();
    *ppvObj = found;
    return S_OK;
}

ULONG CCmdTarget::ExternalAddRef() { return ++m_dwRef; }

ULONG CCmdTarget::ExternalRelease()
{
    const ULONG count = --m_dwRef;
    if (count == 0)
        OnFinalRelease();
    return count;
}

void CCmdTarget::OnFinalRelease() { delete this; }

namespace afx {

HRESULT TextArg::Prepare(VARIANT* arg)
{
    if (!arg)
        return DISP_E_PARAMNOTOPTIONAL;
    VARIANT text;
    VariantInit(&text);
    const HRESULT hr = VariantChangeType(&text, arg, 0, VT_BSTR);
    if (FAILED(hr))
        return hr;
    m_text = CString(static_cast<LPCWSTR>(text.bstrVal), static_cast<int>(SysStringLen(text.bstrVal)));
    VariantClear(&text);
    return S_OK;
}

void StoreDispatchResult(const CString& value, VARIANT* result)
{
    result->vt = VT_BSTR;
    result->bstrVal = value.AllocSysString();
}

HRESULT GuardDispatchCall(void (*call)(void* context), void* context)
{
    try {
        call(context);
    } catch (CException* e) {
        e->Delete();
        return DISP_E_EXCEPTION;
    }
    return S_OK;
}

} // namespace afx
