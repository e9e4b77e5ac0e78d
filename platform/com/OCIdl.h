#pragma once
// Outgoing interfaces: connection-point containers, connection points and their enumerators.

#include "platform/com/OaIdl.h"

struct IConnectionPoint;

struct CONNECTDATA {
    IUnknown* pUnk { nullptr };
    DWORD dwCookie { 0 };
};
using LPCONNECTDATA = CONNECTDATA*;

struct IEnumConnections : IUnknown {
    // Up to cConnections entries (each holding a reference); S_FALSE when fewer were left.
    virtual HRESULT Next(ULONG cConnections, LPCONNECTDATA rgcd, ULONG* pcFetched) = 0;
    // Passes over entries; S_FALSE when fewer were left.
    virtual HRESULT Skip(ULONG cConnections) = 0;
    // Back to the first entry.
    virtual HRESULT Reset() = 0;
    // An enumerator of the same entries at the same position.
    virtual HRESULT Clone(IEnumConnections** ppEnum) = 0;
};
TS_DEFINE_IID(IEnumConnections, "B196B287-BAB4-101A-B69C-00AA00341D07");
inline constexpr IID IID_IEnumConnections = platform::IidOf<IEnumConnections>();

struct IEnumConnectionPoints : IUnknown {
    // As IEnumConnections, over connection points.
    virtual HRESULT Next(ULONG cConnections, IConnectionPoint** ppCP, ULONG* pcFetched) = 0;
    virtual HRESULT Skip(ULONG cConnections) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumConnectionPoints** ppEnum) = 0;
};
TS_DEFINE_IID(IEnumConnectionPoints, "B196B285-BAB4-101A-B69C-00AA00341D07");
inline constexpr IID IID_IEnumConnectionPoints = platform::IidOf<IEnumConnectionPoints>();

struct IConnectionPointContainer;

struct IConnectionPoint : IUnknown {
    // The outgoing interface this point calls.
    virtual HRESULT GetConnectionInterface(IID* pIID) = 0;
    // The object that owns this point, with a reference.
    virtual HRESULT GetConnectionPointContainer(IConnectionPointContainer** ppCPC) = 0;
    // Keeps a reference to the sink and returns its cookie; CONNECT_E_CANNOTCONNECT when the sink
    // lacks the outgoing interface.
    virtual HRESULT Advise(IUnknown* pUnkSink, DWORD* pdwCookie) = 0;
    // Releases the sink of that cookie; CONNECT_E_NOCONNECTION for an unknown cookie.
    virtual HRESULT Unadvise(DWORD dwCookie) = 0;
    // A snapshot of the connected sinks.
    virtual HRESULT EnumConnections(IEnumConnections** ppEnum) = 0;
};
TS_DEFINE_IID(IConnectionPoint, "B196B286-BAB4-101A-B69C-00AA00341D07");
inline constexpr IID IID_IConnectionPoint = platform::IidOf<IConnectionPoint>();

struct IConnectionPointContainer : IUnknown {
    // All points of the object.
    virtual HRESULT EnumConnectionPoints(IEnumConnectionPoints** ppEnum) = 0;
    // The point for outgoing interface riid; CONNECT_E_NOCONNECTION when there is none.
    virtual HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) = 0;
};
TS_DEFINE_IID(IConnectionPointContainer, "B196B284-BAB4-101A-B69C-00AA00341D07");
inline constexpr IID IID_IConnectionPointContainer = platform::IidOf<IConnectionPointContainer>();
