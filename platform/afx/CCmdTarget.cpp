#include "platform/afx/CCmdTarget.h"

#include "platform/afx/CCmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

const AFX_MSGMAP_ENTRY kNoEntries[] = { { 0, 0, 0, 0, AfxSig_end, nullptr } };
const AFX_MSGMAP kRootMap = { nullptr, &kNoEntries[0] };

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
    return Dispatch(this, nID, nCode, entry->pfn, pExtra, entry->nSig);
}
