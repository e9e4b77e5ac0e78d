#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/afx/AfxConnection.h"
#include "platform/afx/CCmdTarget.h"
#include "platform/afx/CUserException.h"
#include "platform/com/OCIdl.h"
#include "platform/com/OleAuto.h"

namespace {

constexpr IID IID_ITestEvents = platform::MakeGuid("FDB39ACD-7752-4123-8025-C890BE3FE300");

// A sink written the way the program's dialogs are: a dispatch map of event handlers, answering the
// event interface with its IDispatch.
class CEventSink : public CCmdTarget {
public:
    CEventSink() { EnableAutomation(); }

    void OnProgress(LONG overall, LONG file, LONG status) { calls.push_back({ overall, file, status }); }
    LONG Twice(LONG value) { return value * 2; }
    CString Greet(LPCTSTR name) { return CString("hi ") + name; }
    void Fail() { AfxThrowUserException(); }

    std::vector<std::vector<LONG>> calls;

    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()
};

BEGIN_DISPATCH_MAP(CEventSink, CCmdTarget)
DISP_FUNCTION_ID(CEventSink, "Progress", 1, OnProgress, VT_EMPTY, VTS_I4 VTS_I4 VTS_I4)
DISP_FUNCTION_ID(CEventSink, "Twice", 2, Twice, VT_I4, VTS_I4)
DISP_FUNCTION_ID(CEventSink, "Greet", 3, Greet, VT_BSTR, VTS_BSTR)
DISP_FUNCTION_ID(CEventSink, "Fail", 4, Fail, VT_EMPTY, VTS_NONE)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(CEventSink, CCmdTarget)
INTERFACE_PART(CEventSink, IID_ITestEvents, Dispatch)
END_INTERFACE_MAP()

// A source with one connection point that keeps one sink.
class FakeSource : public IConnectionPointContainer, public IConnectionPoint {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IConnectionPointContainer))
            *ppv = static_cast<IConnectionPointContainer*>(this);
        else
            return (*ppv = nullptr), E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG AddRef() override { return ++refs; }
    ULONG Release() override { return --refs; }
    HRESULT EnumConnectionPoints(IEnumConnectionPoints**) override { return E_NOTIMPL; }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** ppCP) override
    {
        if (!IsEqualIID(riid, IID_ITestEvents))
            return CONNECT_E_NOCONNECTION;
        *ppCP = this;
        AddRef();
        return S_OK;
    }
    HRESULT GetConnectionInterface(IID*) override { return E_NOTIMPL; }
    HRESULT GetConnectionPointContainer(IConnectionPointContainer**) override { return E_NOTIMPL; }
    HRESULT Advise(IUnknown* pUnkSink, DWORD* pdwCookie) override
    {
        if (FAILED(pUnkSink->QueryInterface(IID_ITestEvents, reinterpret_cast<void**>(&sink))))
            return CONNECT_E_CANNOTCONNECT;
        *pdwCookie = 7;
        return S_OK;
    }
    HRESULT Unadvise(DWORD dwCookie) override
    {
        if (dwCookie != 7 || !sink)
            return CONNECT_E_NOCONNECTION;
        sink->Release();
        sink = nullptr;
        return S_OK;
    }
    HRESULT EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

    // Fires an event: arguments in the caller's order (they travel reversed).
    HRESULT Fire(DISPID id, std::vector<VARIANT> args, VARIANT* result = nullptr)
    {
        std::reverse(args.begin(), args.end());
        DISPPARAMS params { args.data(), nullptr, static_cast<UINT>(args.size()), 0 };
        return sink->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, nullptr, nullptr);
    }

    ULONG refs { 1 };
    IDispatch* sink { nullptr };
};

VARIANT Long(LONG value)
{
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = value;
    return v;
}

} // namespace

TEST(CCmdTargetAutomation, EventsReachTheDispatchMapThroughAConnection)
{
    CEventSink sink;
    FakeSource source;
    DWORD cookie = 0;
    ASSERT_TRUE(AfxConnectionAdvise(
        static_cast<IConnectionPointContainer*>(&source), IID_ITestEvents, sink.GetIDispatch(FALSE), FALSE, &cookie));
    EXPECT_EQ(cookie, 7u);
    ASSERT_EQ(source.sink, sink.GetIDispatch(FALSE));
    EXPECT_EQ(CCmdTarget::FromIDispatch(source.sink), &sink);

    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(u"12"); // converted to the member's LONG
    EXPECT_EQ(source.Fire(1, { Long(50), text, Long(3) }), S_OK);
    VariantClear(&text);
    ASSERT_EQ(sink.calls.size(), 1u);
    EXPECT_EQ(sink.calls[0], (std::vector<LONG> { 50, 12, 3 }));

    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(source.Fire(2, { Long(21) }, &result), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 42);

    VARIANT name;
    VariantInit(&name);
    name.vt = VT_BSTR;
    name.bstrVal = SysAllocString(u"Jürgen");
    EXPECT_EQ(source.Fire(3, { name }, &result), S_OK);
    VariantClear(&name);
    ASSERT_EQ(result.vt, VT_BSTR);
    EXPECT_EQ(std::u16string_view(result.bstrVal), u"hi Jürgen");
    VariantClear(&result);

    // Wrong argument counts, unknown ids and a handler that throws are answered, not crashed on.
    EXPECT_EQ(source.Fire(1, { Long(1) }), DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(source.Fire(99, {}), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(source.Fire(4, {}), DISP_E_EXCEPTION);
    EXPECT_EQ(sink.calls.size(), 1u);

    ASSERT_TRUE(AfxConnectionUnadvise(
        static_cast<IConnectionPointContainer*>(&source), IID_ITestEvents, sink.GetIDispatch(FALSE), FALSE, cookie));
    EXPECT_EQ(source.sink, nullptr);
}

TEST(CCmdTargetAutomation, NamesAndInterfaces)
{
    CEventSink sink;
    IDispatch* dispatch = sink.GetIDispatch(FALSE);
    LPOLESTR names[] = { const_cast<LPOLESTR>(u"progress") };
    DISPID id = 0;
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 1);
    LPOLESTR unknown[] = { const_cast<LPOLESTR>(u"Nope") };
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, unknown, 1, 0, &id), DISP_E_UNKNOWNNAME);

    void* found = nullptr;
    EXPECT_EQ(dispatch->QueryInterface(IID_ITestEvents, &found), S_OK);
    EXPECT_EQ(found, dispatch);
    static_cast<IUnknown*>(found)->Release();
    EXPECT_EQ(dispatch->QueryInterface(IID_IConnectionPoint, &found), E_NOINTERFACE);

    CCmdTarget plain;
    EXPECT_EQ(plain.GetIDispatch(TRUE), nullptr);
}
