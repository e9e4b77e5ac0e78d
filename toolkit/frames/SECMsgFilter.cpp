#include "toolkit/frames/SECMsgFilter.h"

#include "platform/afx/AfxThreadState.h"

IMPLEMENT_DYNCREATE(SECMsgFilter, CObject)

void SECMsgFilter::DescriptorTable::Add(int nID, int nParentID, CRuntimeClass* pClass, DWORD dwFlags)
{
    m_descriptors.push_back(std::make_unique<Descriptor>(Descriptor { nID, nParentID, pClass, dwFlags }));
}

SECMsgFilter::SECMsgFilter(CWnd* pOwner, int nID)
    : m_nID(nID)
    , m_pOwner(pOwner)
{
}

SECMsgFilter::SECMsgFilter(const SECMsgFilter& other, CWnd* pOwner)
    : CObject()
    , m_nID(other.m_nID)
    , m_bEnabled(other.m_bEnabled)
    , m_pOwner(pOwner)
{
    for (const SECMsgFilter* pChild : other.m_children)
        if (pChild)
            m_children.push_back(pChild->Clone(pOwner));
}

SECMsgFilter::~SECMsgFilter()
{
    if (m_bOwnsChildren)
        for (SECMsgFilter* pChild : m_children)
            delete pChild;
}

SECMsgFilter* SECMsgFilter::Clone(CWnd* pOwner) const { return new SECMsgFilter(*this, pOwner ? pOwner : m_pOwner); }

void SECMsgFilter::SetOwner(CWnd* pOwner, BOOL bRecursive)
{
    m_pOwner = pOwner;
    if (bRecursive)
        for (SECMsgFilter* pChild : m_children)
            if (pChild)
                pChild->SetOwner(pOwner, TRUE);
}

int SECMsgFilter::Filter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return m_bEnabled ? OnFilter(nMsg, wParam, lParam, pResult) : 0;
}

int SECMsgFilter::OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return FilterChildren(nMsg, wParam, lParam, pResult);
}

int SECMsgFilter::FilterChildren(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (!m_bEnabled || m_children.empty())
        return 0;
    // A child's command can destroy the window and this filter with it: walk a copy of the list and
    // stop as soon as this filter is gone.
    const std::weak_ptr<int> alive = m_pAlive;
    const std::vector<SECMsgFilter*> children = m_children;
    int nBits = 0;
    for (SECMsgFilter* pChild : children) {
        if (!pChild || !pChild->IsEnabled())
            continue;
        nBits |= pChild->Filter(nMsg, wParam, lParam, pResult);
        if ((nBits & kStop) || alive.expired())
            break;
    }
    return nBits;
}

void SECMsgFilter::AddChild(SECMsgFilter* pChild)
{
    if (pChild)
        m_children.push_back(pChild);
}

SECMsgFilter* SECMsgFilter::FindFilter(int nID, CRuntimeClass* pClass, int nDepth)
{
    for (SECMsgFilter* pChild : m_children)
        if (pChild && pChild->m_nID == nID)
            return pChild;
    if (nDepth != 0)
        for (SECMsgFilter* pChild : m_children)
            if (pChild)
                if (SECMsgFilter* pFound = pChild->FindFilter(nID, nullptr, nDepth - 1))
                    return pFound;
    if (!pClass || !pClass->IsDerivedFrom(RUNTIME_CLASS(SECMsgFilter)))
        return nullptr;
    auto* pNew = static_cast<SECMsgFilter*>(pClass->CreateObject());
    if (!pNew)
        return nullptr;
    pNew->SetOwner(m_pOwner, TRUE);
    pNew->m_nID = nID;
    m_children.push_back(pNew);
    return pNew;
}

BOOL SECMsgFilter::ApplyDescriptor(const Descriptor& descriptor, BOOL bEnable)
{
    SECMsgFilter* pParent = descriptor.m_nParentID == -1 ? this : FindFilter(descriptor.m_nParentID, nullptr, -1);
    if (!pParent)
        return FALSE;
    SECMsgFilter* pFilter = pParent->FindFilter(descriptor.m_nID, bEnable ? descriptor.m_pClass : nullptr);
    if (!pFilter)
        return FALSE;
    if (bEnable)
        pFilter->m_bEnabled = TRUE;
    else if (!(descriptor.m_dwFlags & Descriptor::kNeverDisable))
        pFilter->m_bEnabled = FALSE;
    return TRUE;
}

void SECMsgFilter::ApplyDescriptors(const DescriptorTable& table, DWORD dwEnable)
{
    for (int i = 0; i < table.GetSize(); ++i)
        ApplyDescriptor(table[i], i < 32 && (dwEnable & (1U << i)) != 0);
}

void SECMsgFilter::ApplyDescriptorsAll(const DescriptorTable& table, BOOL bEnable)
{
    for (int i = 0; i < table.GetSize(); ++i)
        ApplyDescriptor(table[i], bEnable);
}

int SECMsgFilter::FilterMessage(const MSG* pMsg, LRESULT* pResult)
{
    const MSG& msg = pMsg ? *pMsg : AfxGetThreadState()->m_lastSentMsg;
    LRESULT lDummy = 0;
    return Filter(msg.message, msg.wParam, msg.lParam, pResult ? pResult : &lDummy);
}
