#pragma once
// The IDispatch of a command target with automation enabled: it lives inside the target, shares the
// target's reference count and calls the members of the target's dispatch map.

#include "platform/com/OaIdl.h"

class CCmdTarget;
struct AFX_DISPMAP_ENTRY;

class CCmdTargetDispatch final : public IDispatch {
public:
    // The dispatch interface of owner, which outlives it (the owner holds it).
    explicit CCmdTargetDispatch(CCmdTarget& owner)
        : m_owner(owner)
    {
    }

    // IUnknown through the owner: its reference count and its interfaces.
    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;
    // No type information: the dispatch map is the description.
    HRESULT GetTypeInfoCount(UINT* pctinfo) override;
    HRESULT GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
    // Dispatch ids of the map's members by name, case ignored.
    HRESULT GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid, DISPID* rgDispId) override;
    // Calls the member with that dispatch id (methods only).
    HRESULT Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags, DISPPARAMS* pDispParams,
        VARIANT* pVarResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

    // The command target this interface belongs to.
    CCmdTarget& Owner() const { return m_owner; }

private:
    // The entry of dispid in the owner's dispatch map chain, or null.
    const AFX_DISPMAP_ENTRY* FindEntry(DISPID dispid) const;

    CCmdTarget& m_owner;
};
