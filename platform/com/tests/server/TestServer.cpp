// A small component library for the component-model tests: a dual, aggregatable counter with events,
// and a class that refuses aggregation.

#include <thread>

#include "platform/com/AtlBase.h"
#include "platform/com/tests/server/TestInterfaces.h"

class TestCounter : public CComObjectRootEx<CComSingleThreadModel>,
                    public CComCoClass<TestCounter, &CLSID_TestCounter>,
                    public IDispatchImpl<ITestCounter>,
                    public IConnectionPointContainerImpl<TestCounter>,
                    public IConnectionPointImpl<TestCounter, &platform::IidOf<ITestEvents>()> {
public:
    DECLARE_REGISTRY_RESOURCEID(101)

    BEGIN_COM_MAP(TestCounter)
    COM_INTERFACE_ENTRY(ITestCounter)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY(IConnectionPointContainer)
    END_COM_MAP()

    BEGIN_CONNECTION_POINT_MAP(TestCounter)
    CONNECTION_POINT_ENTRY(platform::IidOf<ITestEvents>())
    END_CONNECTION_POINT_MAP()

    void FinalRelease() { WaitEvents(); }

    HRESULT get_Count(LONG* pVal) override
    {
        if (!pVal)
            return E_POINTER;
        *pVal = m_count;
        return S_OK;
    }
    HRESULT put_Count(LONG newVal) override
    {
        if (newVal < 0)
            return Error(u"The count cannot be negative.", platform::IidOf<ITestCounter>(), E_INVALIDARG);
        m_count = newVal;
        return S_OK;
    }
    HRESULT Add(LONG delta, LONG* total) override
    {
        if (!total)
            return E_POINTER;
        m_count += delta;
        *total = m_count;
        return S_OK;
    }
    HRESULT get_Name(BSTR* pVal) override { return pVal ? m_name.CopyTo(pVal) : E_POINTER; }
    HRESULT put_Name(BSTR newVal) override
    {
        m_name = newVal;
        return S_OK;
    }
    HRESULT Describe(BSTR prefix, VARIANT* text) override
    {
        if (!text)
            return E_POINTER;
        CComBSTR result(prefix);
        result += m_name;
        VariantInit(text);
        text->vt = VT_BSTR;
        text->bstrVal = result.Detach();
        return S_OK;
    }
    HRESULT StartEvents(LONG count) override
    {
        WaitEvents();
        m_events = std::thread([this, count] {
            for (LONG i = 1; i <= count; ++i)
                FireDispatchEvent(
                    1, { CComVariant(static_cast<int>(i)), CComVariant(static_cast<int>(count)), CComVariant(7) });
            FireDispatchEvent(2);
        });
        return S_OK;
    }
    HRESULT WaitEvents() override
    {
        if (m_events.joinable())
            m_events.join();
        return S_OK;
    }

private:
    LONG m_count { 0 };
    CComBSTR m_name;
    std::thread m_events;
};

class TestLoner : public CComObjectRootEx<CComMultiThreadModel>,
                  public CComCoClass<TestLoner, &CLSID_TestLoner>,
                  public ITestLoner {
public:
    DECLARE_NOT_AGGREGATABLE(TestLoner)
    DECLARE_REGISTRY_RESOURCEID(102)

    BEGIN_COM_MAP(TestLoner)
    COM_INTERFACE_ENTRY(ITestLoner)
    END_COM_MAP()

    HRESULT Ping(LONG* value) override
    {
        *value = 42;
        return S_OK;
    }
};

BEGIN_OBJECT_MAP(ObjectMap)
OBJECT_ENTRY(CLSID_TestCounter, TestCounter)
OBJECT_ENTRY(CLSID_TestLoner, TestLoner)
END_OBJECT_MAP()

CComModule _Module(ObjectMap);

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) { return _Module.GetClassObject(rclsid, riid, ppv); }
STDAPI DllCanUnloadNow() { return _Module.DllCanUnloadNow(); }
STDAPI DllRegisterServer() { return _Module.RegisterServer(TRUE); }
STDAPI DllUnregisterServer() { return _Module.UnregisterServer(TRUE); }
