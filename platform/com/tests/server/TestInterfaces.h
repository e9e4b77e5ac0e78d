#pragma once
// The interfaces and classes of the component library that the component-model tests load.

#include "platform/com/IDispatchImpl.h"

inline constexpr CLSID CLSID_TestCounter = platform::MakeGuid("6B0E2C41-3F7A-4C55-9D1E-2A8B7C9D0E11");
inline constexpr CLSID CLSID_TestLoner = platform::MakeGuid("6B0E2C42-3F7A-4C55-9D1E-2A8B7C9D0E11");
inline constexpr GUID LIBID_TestServer = platform::MakeGuid("6B0E2C4F-3F7A-4C55-9D1E-2A8B7C9D0E11");

struct ITestCounter : IDispatch {
    virtual HRESULT get_Count(LONG* pVal) = 0;
    virtual HRESULT put_Count(LONG newVal) = 0;
    // Adds delta to the count; the new count.
    virtual HRESULT Add(LONG delta, LONG* total) = 0;
    virtual HRESULT get_Name(BSTR* pVal) = 0;
    virtual HRESULT put_Name(BSTR newVal) = 0;
    // prefix followed by the name, as a VARIANT text.
    virtual HRESULT Describe(BSTR prefix, VARIANT* text) = 0;
    // Fires Progress(i, count, 7) for i = 1..count and then Done, from a thread of its own.
    virtual HRESULT StartEvents(LONG count) = 0;
    // Waits until that thread has ended.
    virtual HRESULT WaitEvents() = 0;
};
TS_DEFINE_IID(ITestCounter, "6B0E2C43-3F7A-4C55-9D1E-2A8B7C9D0E11");

// The events of a counter (dispatch only): 1 Progress(long, long, long), 2 Done().
struct ITestEvents : IDispatch { };
TS_DEFINE_IID(ITestEvents, "6B0E2C44-3F7A-4C55-9D1E-2A8B7C9D0E11");

// A class that refuses aggregation.
struct ITestLoner : IUnknown {
    virtual HRESULT Ping(LONG* value) = 0;
};
TS_DEFINE_IID(ITestLoner, "6B0E2C45-3F7A-4C55-9D1E-2A8B7C9D0E11");

template<> struct platform::DispatchTable<ITestCounter> {
    static std::span<const platform::DispMember> Members()
    {
        static const platform::DispMember members[] {
            platform::DispPropGet<&ITestCounter::get_Count>(1, u"Count"),
            platform::DispPropPut<&ITestCounter::put_Count>(1, u"Count"),
            platform::DispMethod<&ITestCounter::Add>(2, u"Add"),
            platform::DispPropGet<&ITestCounter::get_Name>(3, u"Name"),
            platform::DispPropPut<&ITestCounter::put_Name>(3, u"Name"),
            platform::DispMethod<&ITestCounter::Describe>(4, u"Describe"),
        };
        return members;
    }
};
