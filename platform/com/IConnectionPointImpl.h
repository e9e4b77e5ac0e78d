#pragma once
// Connection points of component objects: IConnectionPointContainerImpl finds the points of a class's
// connection-point map, and each IConnectionPointImpl keeps the sinks advised on one outgoing
// interface. Sinks may be advised, removed and called from different threads: the list is guarded
// and events are fired on a snapshot, so a sink may unadvise itself while it is being called.
//
//     class CDevice : ..., public IConnectionPointContainerImpl<CDevice>,
//                     public IConnectionPointImpl<CDevice, &DIID_IDeviceEvents> {
//         BEGIN_CONNECTION_POINT_MAP(CDevice)
//         CONNECTION_POINT_ENTRY(DIID_IDeviceEvents)
//         END_CONNECTION_POINT_MAP()
//     };

#include <initializer_list>
#include <mutex>
#include <vector>

#include "platform/com/CComPtr.h"
#include "platform/com/CComVariant.h"
#include "platform/com/OCIdl.h"

namespace platform {

// The IConnectionPoint base of one outgoing interface; distinct per interface, so that a class with
// several points still has one unambiguous base for each.
template<const IID* piid> struct ConnectionPointLocator : IConnectionPoint {
};

// A reference-counted snapshot enumerator over a list of items.
template<class Enum, class Item, class Copy> class SnapshotEnum final : public Enum {
public:
    SnapshotEnum(std::vector<Item> items, const IID& iid)
        : m_items(std::move(items))
        , m_iid(iid)
    {
    }
    ~SnapshotEnum()
    {
        for (Item& item : m_items)
            Copy::Destroy(item);
    }

    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == m_iid) {
            *ppv = static_cast<Enum*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        const ULONG refs = --m_refs;
        if (refs == 0)
            delete this;
        return refs;
    }
    HRESULT Next(ULONG count, Item* out, ULONG* fetched) override
    {
        if (!out || (count > 1 && !fetched))
            return E_POINTER;
        ULONG n = 0;
        for (; n < count && m_pos < m_items.size(); ++n)
            out[n] = Copy::Duplicate(m_items[m_pos++]);
        if (fetched)
            *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }
    HRESULT Skip(ULONG count) override
    {
        const std::size_t left = m_items.size() - m_pos;
        m_pos += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT Reset() override
    {
        m_pos = 0;
        return S_OK;
    }
    HRESULT Clone(Enum** ppEnum) override
    {
        if (!ppEnum)
            return E_POINTER;
        std::vector<Item> copy;
        for (const Item& item : m_items)
            copy.push_back(Copy::Duplicate(item));
        auto* clone = new SnapshotEnum(std::move(copy), m_iid);
        clone->m_pos = m_pos;
        *ppEnum = clone;
        return S_OK;
    }

private:
    std::vector<Item> m_items;
    IID m_iid;
    std::size_t m_pos { 0 };
    std::atomic<ULONG> m_refs { 1 };
};

struct ConnectDataCopy {
    static CONNECTDATA Duplicate(const CONNECTDATA& c)
    {
        if (c.pUnk)
            c.pUnk->AddRef();
        return c;
    }
    static void Destroy(CONNECTDATA& c)
    {
        if (c.pUnk)
            c.pUnk->Release();
    }
};

struct InterfaceCopy {
    template<class I> static I* Duplicate(I* p)
    {
        if (p)
            p->AddRef();
        return p;
    }
    template<class I> static void Destroy(I*& p)
    {
        if (p)
            p->Release();
    }
};

} // namespace platform

// The sinks of one connection point; cookies are positions + 1 and are not reused while the point lives.
class CComDynamicUnkArray {
public:
    CComDynamicUnkArray() = default;
    ~CComDynamicUnkArray()
    {
        for (IUnknown* p : m_sinks)
            if (p)
                p->Release();
    }
    CComDynamicUnkArray(const CComDynamicUnkArray&) = delete;
    CComDynamicUnkArray& operator=(const CComDynamicUnkArray&) = delete;

    // Keeps the sink (the caller's reference is taken over); its cookie.
    DWORD Add(IUnknown* pUnk)
    {
        m_sinks.push_back(pUnk);
        return static_cast<DWORD>(m_sinks.size());
    }
    // Hands back the sink of the cookie (null when there is none) and frees its place.
    IUnknown* Remove(DWORD dwCookie)
    {
        if (dwCookie == 0 || dwCookie > m_sinks.size())
            return nullptr;
        IUnknown* p = m_sinks[dwCookie - 1];
        m_sinks[dwCookie - 1] = nullptr;
        return p;
    }
    int GetSize() const { return static_cast<int>(m_sinks.size()); }
    IUnknown* GetAt(int i) const { return i >= 0 && i < GetSize() ? m_sinks[static_cast<std::size_t>(i)] : nullptr; }

private:
    std::vector<IUnknown*> m_sinks;
};

template<class T, const IID* piid, class CDV = CComDynamicUnkArray>
class IConnectionPointImpl : public platform::ConnectionPointLocator<piid> {
public:
    HRESULT GetConnectionInterface(IID* pIID) override
    {
        if (!pIID)
            return E_POINTER;
        *pIID = *piid;
        return S_OK;
    }
    HRESULT GetConnectionPointContainer(IConnectionPointContainer** ppCPC) override
    {
        if (!ppCPC)
            return E_POINTER;
        return static_cast<T*>(this)->GetUnknown()->QueryInterface(
            IID_IConnectionPointContainer, reinterpret_cast<void**>(ppCPC));
    }
    HRESULT Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override
    {
        if (!pdwCookie)
            return E_POINTER;
        *pdwCookie = 0;
        if (!pUnkSink)
            return E_POINTER;
        IUnknown* sink = nullptr;
        if (FAILED(pUnkSink->QueryInterface(*piid, reinterpret_cast<void**>(&sink))) || !sink)
            return CONNECT_E_CANNOTCONNECT;
        std::lock_guard lock(m_lock);
        *pdwCookie = m_vec.Add(sink);
        return S_OK;
    }
    HRESULT Unadvise(DWORD dwCookie) override
    {
        IUnknown* sink = nullptr;
        {
            std::lock_guard lock(m_lock);
            sink = m_vec.Remove(dwCookie);
        }
        if (!sink)
            return CONNECT_E_NOCONNECTION;
        sink->Release(); // outside the lock: the sink may call back
        return S_OK;
    }
    HRESULT EnumConnections(IEnumConnections** ppEnum) override
    {
        if (!ppEnum)
            return E_POINTER;
        std::vector<CONNECTDATA> items;
        {
            std::lock_guard lock(m_lock);
            for (int i = 0; i < m_vec.GetSize(); ++i)
                if (IUnknown* p = m_vec.GetAt(i)) {
                    p->AddRef();
                    items.push_back({ p, static_cast<DWORD>(i + 1) });
                }
        }
        *ppEnum = new platform::SnapshotEnum<IEnumConnections, CONNECTDATA, platform::ConnectDataCopy>(
            std::move(items), IID_IEnumConnections);
        return S_OK;
    }

    // The connected sinks at this moment, each with a reference.
    std::vector<CComPtr<IUnknown>> GetConnections()
    {
        std::vector<CComPtr<IUnknown>> sinks;
        std::lock_guard lock(m_lock);
        for (int i = 0; i < m_vec.GetSize(); ++i)
            if (IUnknown* p = m_vec.GetAt(i))
                sinks.emplace_back(p);
        return sinks;
    }

    // Calls IDispatch::Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD) on every connected
    // sink, on the calling thread, with the arguments in their natural order; the sinks' results are
    // ignored, as a source of events does.
    void FireDispatchEvent(DISPID dispid, std::initializer_list<CComVariant> args = {})
    {
        std::vector<VARIANT> reversed(args.size());
        std::size_t i = args.size();
        for (const CComVariant& arg : args)
            reversed[--i] = arg; // shallow: args own the values for the duration
        DISPPARAMS params { reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0 };
        for (const CComPtr<IUnknown>& sink : GetConnections()) {
            CComQIPtr<IDispatch> dispatch(sink.p);
            if (dispatch)
                dispatch->Invoke(
                    dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
        }
    }

protected:
    CDV m_vec;
    std::mutex m_lock;
};

// One line of a connection-point map.
struct _ATL_CONNMAP_ENTRY {
    const IID* piid;
    IConnectionPoint* (*pfnGet)(void* pThis);
};

namespace platform {
template<class Class, const IID* piid> IConnectionPoint* ConnectionPointOf(void* pThis)
{
    return static_cast<ConnectionPointLocator<piid>*>(static_cast<Class*>(pThis));
}
} // namespace platform

#define BEGIN_CONNECTION_POINT_MAP(x)                                                                                  \
    using _atl_conn_classtype = x;                                                                                     \
                                                                                                                       \
public:                                                                                                                \
    static const _ATL_CONNMAP_ENTRY* GetConnMap()                                                                      \
    {                                                                                                                  \
        static const _ATL_CONNMAP_ENTRY _entries[] = {
#define CONNECTION_POINT_ENTRY(iid) { &(iid), &platform::ConnectionPointOf<_atl_conn_classtype, &(iid)> },
#define END_CONNECTION_POINT_MAP()                                                                                     \
    {                                                                                                                  \
        nullptr, nullptr                                                                                               \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    return _entries;                                                                                                   \
    }

template<class T> class IConnectionPointContainerImpl : public IConnectionPointContainer {
public:
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** ppEnum) override
    {
        if (!ppEnum)
            return E_POINTER;
        std::vector<IConnectionPoint*> points;
        for (const _ATL_CONNMAP_ENTRY* e = T::GetConnMap(); e->piid; ++e) {
            IConnectionPoint* point = e->pfnGet(static_cast<T*>(this));
            point->AddRef();
            points.push_back(point);
        }
        *ppEnum = new platform::SnapshotEnum<IEnumConnectionPoints, IConnectionPoint*, platform::InterfaceCopy>(
            std::move(points), IID_IEnumConnectionPoints);
        return S_OK;
    }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override
    {
        if (!ppCP)
            return E_POINTER;
        *ppCP = nullptr;
        for (const _ATL_CONNMAP_ENTRY* e = T::GetConnMap(); e->piid; ++e)
            if (*e->piid == riid) {
                *ppCP = e->pfnGet(static_cast<T*>(this));
                (*ppCP)->AddRef();
                return S_OK;
            }
        return CONNECT_E_NOCONNECTION;
    }
};

// Connects a sink to the point for iid of a container; the cookie for AtlUnadvise.
inline HRESULT AtlAdvise(IUnknown* pUnkCP, IUnknown* pUnk, const IID& iid, LPDWORD pdw)
{
    if (!pUnkCP || !pdw)
        return E_INVALIDARG;
    CComQIPtr<IConnectionPointContainer> container(pUnkCP);
    if (!container)
        return E_NOINTERFACE;
    CComPtr<IConnectionPoint> point;
    HRESULT hr = container->FindConnectionPoint(iid, &point);
    return SUCCEEDED(hr) ? point->Advise(pUnk, pdw) : hr;
}

inline HRESULT AtlUnadvise(IUnknown* pUnkCP, const IID& iid, DWORD dw)
{
    if (!pUnkCP)
        return E_INVALIDARG;
    CComQIPtr<IConnectionPointContainer> container(pUnkCP);
    if (!container)
        return E_NOINTERFACE;
    CComPtr<IConnectionPoint> point;
    HRESULT hr = container->FindConnectionPoint(iid, &point);
    return SUCCEEDED(hr) ? point->Unadvise(dw) : hr;
}
