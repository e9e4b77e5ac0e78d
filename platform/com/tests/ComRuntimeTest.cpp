// In-process servers end to end: registration through DllRegisterServer, creation by ProgID and by
// class identifier, aggregation, late binding, events from another thread, unloading, and the
// failures callers must see as results.

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/base/Modules.h"
#include "platform/base/Registry.h"
#include "platform/com/AtlBase.h"
#include "platform/com/ComDef.h"
#include "platform/com/RegistryScript.h"
#include "platform/com/tests/server/TestInterfaces.h"

_COM_SMARTPTR_TYPEDEF(ITestCounter, platform::IidOf<ITestCounter>());

namespace {

constexpr const char* kServer = "comtestserver.dll";

// The text of HKCR\path (value name or default); "<missing>" when absent.
std::string ClassesValue(const std::string& path, const char* name = nullptr)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<missing>";
    char buffer[1024] {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    const LONG status = RegQueryValueEx(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(buffer) : "<missing>";
}

bool ClassesKeyExists(const std::string& path)
{
    return ClassesValue(path) != "<missing>" || [&] {
        HKEY key = nullptr;
        if (RegOpenKeyEx(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }();
}

HRESULT CallExport(const char* library, const char* name)
{
    const HMODULE module = LoadLibrary(library);
    if (!module)
        return E_FAIL;
    auto entry = platform::ProcCast<HRESULT (*)()>(GetProcAddress(module, name));
    const HRESULT hr = entry ? entry() : E_NOTIMPL;
    FreeLibrary(module);
    return hr;
}

class ComRuntime : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(CoInitialize(nullptr), S_OK);
        ASSERT_EQ(CallExport(kServer, "DllRegisterServer"), S_OK);
    }
    void TearDown() override
    {
        CoFreeUnusedLibraries();
        CoUninitialize();
    }
    static std::string Clsid(REFCLSID clsid) { return "CLSID\\" + platform::GuidToString(clsid); }
};

} // namespace

TEST_F(ComRuntime, RegistrationWritesTheClassesAndTheTypeLibraryAndUnregistrationRemovesThem)
{
    const std::string clsid = Clsid(CLSID_TestCounter);
    const std::string server = ClassesValue(clsid + "\\InprocServer32");
    EXPECT_NE(server.find("comtestserver"), std::string::npos) << server;
    EXPECT_EQ(server.rfind("Z:\\", 0), 0u) << "a program path: " << server;
    EXPECT_EQ(ClassesValue(clsid + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(ClassesValue(clsid), "TestCounter Class");
    EXPECT_EQ(ClassesValue(clsid + "\\ProgID"), "TsTest.Counter.1");
    EXPECT_TRUE(ClassesKeyExists(clsid + "\\Programmable"));
    EXPECT_EQ(ClassesValue("TsTest.Counter\\CurVer"), "TsTest.Counter.1");
    const std::string libid = platform::GuidToString(LIBID_TestServer);
    EXPECT_EQ(ClassesValue("TypeLib\\" + libid + "\\1.0"), "Test Server 1.0 Type Library");
    EXPECT_EQ(ClassesValue("TypeLib\\" + libid + "\\1.0\\0\\win32"), server);
    const std::string itf = "Interface\\" + platform::GuidToString(platform::IidOf<ITestCounter>());
    EXPECT_EQ(ClassesValue(itf), "ITestCounter");
    EXPECT_EQ(ClassesValue(itf + "\\TypeLib"), libid);

    // A key someone else added under CLSID survives; the class's own keys go.
    HKEY other = nullptr;
    ASSERT_EQ(
        RegCreateKey(HKEY_LOCAL_MACHINE, "Software\\Classes\\CLSID\\{00000000-1111-2222-3333-444444444444}", &other),
        ERROR_SUCCESS);
    RegCloseKey(other);
    ASSERT_EQ(CallExport(kServer, "DllUnregisterServer"), S_OK);
    EXPECT_FALSE(ClassesKeyExists(clsid));
    EXPECT_FALSE(ClassesKeyExists("TsTest.Counter"));
    EXPECT_FALSE(ClassesKeyExists("TsTest.Counter.1"));
    EXPECT_FALSE(ClassesKeyExists("TypeLib\\" + libid));
    EXPECT_FALSE(ClassesKeyExists(itf));
    EXPECT_TRUE(ClassesKeyExists("CLSID\\{00000000-1111-2222-3333-444444444444}"));

    ITestCounter* counter = reinterpret_cast<ITestCounter*>(1);
    EXPECT_EQ(CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_INPROC_SERVER, platform::IidOf<ITestCounter>(),
                  reinterpret_cast<void**>(&counter)),
        REGDB_E_CLASSNOTREG);
    EXPECT_EQ(counter, nullptr);
}

TEST_F(ComRuntime, CreatesByProgIdAndByClassIdentifier)
{
    CLSID clsid {};
    ASSERT_EQ(CLSIDFromProgID(u"TsTest.Counter", &clsid), S_OK); // through CurVer
    EXPECT_EQ(clsid, CLSID_TestCounter);
    ASSERT_EQ(CLSIDFromString(u"tstest.counter.1", &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_TestCounter);
    LPOLESTR progId = nullptr;
    ASSERT_EQ(ProgIDFromCLSID(CLSID_TestCounter, &progId), S_OK);
    EXPECT_EQ(std::u16string(progId), u"TsTest.Counter.1");
    CoTaskMemFree(progId);

    ITestCounterPtr byProgId;
    ASSERT_EQ(byProgId.CreateInstance(u"TsTest.Counter"), S_OK);
    byProgId->put_Name(const_cast<BSTR>(u"first"));
    ITestCounterPtr byClsid;
    ASSERT_EQ(byClsid.CreateInstance(CLSID_TestCounter, nullptr, CLSCTX_ALL), S_OK);
    ASSERT_EQ(byClsid->put_Name(const_cast<BSTR>(u"second")), S_OK);

    // Two objects, each with its own state.
    LONG total = 0;
    ASSERT_EQ(byProgId->Add(5, &total), S_OK);
    ASSERT_EQ(byProgId->Add(2, &total), S_OK);
    EXPECT_EQ(total, 7);
    ASSERT_EQ(byClsid->get_Count(&total), S_OK);
    EXPECT_EQ(total, 0);
    CComBSTR name;
    ASSERT_EQ(byClsid->get_Name(&name), S_OK);
    EXPECT_TRUE(name == u"second");

    CComPtr<ITestCounter> third;
    ASSERT_EQ(third.CoCreateInstance(u"TsTest.Counter.1"), S_OK);
    EXPECT_EQ(third.CoCreateInstance(u"{6B0E2C41-3F7A-4C55-9D1E-2A8B7C9D0E11}"), S_OK);
    EXPECT_TRUE(third);

    // Local and all contexts are served in-process too.
    CComPtr<IDispatch> dispatch;
    EXPECT_EQ(CoCreateInstance(
                  CLSID_TestCounter, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, reinterpret_cast<void**>(&dispatch)),
        S_OK);
    EXPECT_TRUE(dispatch);
}

TEST_F(ComRuntime, UnloadsTheLibraryOnlyWhenNothingOfItIsAlive)
{
    ASSERT_EQ(GetModuleHandle(kServer), nullptr);
    {
        ITestCounterPtr counter(CLSID_TestCounter);
        ASSERT_TRUE(counter);
        CoFreeUnusedLibraries();
        EXPECT_NE(GetModuleHandle(kServer), nullptr);

        // A lock on the class factory keeps the library too.
        CComPtr<IClassFactory> factory;
        ASSERT_EQ(CoGetClassObject(CLSID_TestCounter, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                      reinterpret_cast<void**>(&factory)),
            S_OK);
        ASSERT_EQ(factory->LockServer(TRUE), S_OK);
        factory.Release();
        counter = nullptr;
        CoFreeUnusedLibraries();
        EXPECT_NE(GetModuleHandle(kServer), nullptr);
        ASSERT_EQ(CoGetClassObject(CLSID_TestCounter, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                      reinterpret_cast<void**>(&factory)),
            S_OK);
        ASSERT_EQ(factory->LockServer(FALSE), S_OK);
    }
    CoFreeUnusedLibraries();
    EXPECT_EQ(GetModuleHandle(kServer), nullptr);

    // And it comes back on the next creation.
    ITestCounterPtr again(CLSID_TestCounter);
    EXPECT_TRUE(again);
}

struct IOuterThing : IUnknown {
    virtual HRESULT Hello(LONG* value) = 0;
};
TS_DEFINE_IID(IOuterThing, "6B0E2C50-3F7A-4C55-9D1E-2A8B7C9D0E11");

namespace {

// An outer object that exposes the counter of an aggregated inner object as its own.
class Outer : public CComObjectRootEx<CComMultiThreadModel>, public IOuterThing {
public:
    DECLARE_GET_CONTROLLING_UNKNOWN()

    BEGIN_COM_MAP(Outer)
    COM_INTERFACE_ENTRY(IOuterThing)
    COM_INTERFACE_ENTRY_AGGREGATE(platform::IidOf<ITestCounter>(), m_inner)
    END_COM_MAP()

    HRESULT FinalConstruct()
    {
        return CoCreateInstance(CLSID_TestCounter, GetControllingUnknown(), CLSCTX_INPROC_SERVER, IID_IUnknown,
            reinterpret_cast<void**>(&m_inner));
    }
    void FinalRelease()
    {
        if (m_inner)
            m_inner->Release();
    }
    HRESULT Hello(LONG* value) override
    {
        *value = 1;
        return S_OK;
    }

    IUnknown* m_inner { nullptr };
};

// A sink of the counter's events that records each call and the thread it came on.
class EventSink : public CComObjectRootEx<CComMultiThreadModel>, public IDispatch {
public:
    BEGIN_COM_MAP(EventSink)
    COM_INTERFACE_ENTRY(IDispatch)
    COM_INTERFACE_ENTRY_IID(platform::IidOf<ITestEvents>(), IDispatch)
    END_COM_MAP()

    struct Call {
        DISPID dispid;
        std::vector<LONG> args;
        std::thread::id thread;
    };

    HRESULT GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT Invoke(DISPID id, REFIID riid, LCID, WORD flags, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        Call call { id, {}, std::this_thread::get_id() };
        if (riid != IID_NULL || flags != DISPATCH_METHOD)
            return DISP_E_MEMBERNOTFOUND;
        for (UINT i = params->cArgs; i-- > 0;) {
            CComVariant value;
            if (FAILED(value.ChangeType(VT_I4, &params->rgvarg[i])))
                return DISP_E_TYPEMISMATCH;
            call.args.push_back(value.lVal);
        }
        {
            std::lock_guard lock(m_mutex);
            m_calls.push_back(call);
        }
        if (onCall)
            onCall();
        return S_OK;
    }

    // Runs after each recorded call, on the caller's thread.
    std::function<void()> onCall;

    std::vector<Call> Calls()
    {
        std::lock_guard lock(m_mutex);
        return m_calls;
    }

private:
    std::mutex m_mutex;
    std::vector<Call> m_calls;
};

} // namespace

TEST_F(ComRuntime, AnAggregatedObjectSpeaksForItsOuterObject)
{
    CComObject<Outer>* outer = nullptr;
    ASSERT_EQ(CComObject<Outer>::CreateInstance(&outer), S_OK);
    CComPtr<IOuterThing> thing(outer);
    ASSERT_NE(outer->m_inner, nullptr);

    CComPtr<ITestCounter> counter;
    ASSERT_EQ(thing.QueryInterface(&counter), S_OK);
    LONG total = 0;
    ASSERT_EQ(counter->Add(3, &total), S_OK);
    EXPECT_EQ(total, 3);

    // One identity: the inner object's interfaces answer for the outer object.
    CComPtr<IOuterThing> back;
    ASSERT_EQ(counter.QueryInterface(&back), S_OK);
    EXPECT_EQ(back.p, thing.p);
    EXPECT_TRUE(counter.IsEqualObject(thing));
    CComPtr<IConnectionPointContainer> notExposed;
    EXPECT_EQ(thing.QueryInterface(&notExposed), E_NOINTERFACE);

    // The inner object keeps the outer alive through the references it hands out.
    thing.Release();
    back.Release();
    ASSERT_EQ(counter->Add(1, &total), S_OK);
    EXPECT_EQ(total, 4);
}

TEST_F(ComRuntime, AggregationIsRefusedWhereTheRulesSaySo)
{
    CComObject<Outer>* outer = nullptr;
    ASSERT_EQ(CComObject<Outer>::CreateInstance(&outer), S_OK);
    CComPtr<IOuterThing> thing(outer);
    void* p = reinterpret_cast<void*>(1);
    // An aggregated creation must ask for IUnknown.
    EXPECT_EQ(CoCreateInstance(CLSID_TestCounter, thing, CLSCTX_INPROC_SERVER, platform::IidOf<ITestCounter>(), &p),
        CLASS_E_NOAGGREGATION);
    EXPECT_EQ(p, nullptr);
    // A class that is not aggregatable.
    EXPECT_EQ(CoCreateInstance(CLSID_TestLoner, thing, CLSCTX_INPROC_SERVER, IID_IUnknown, &p), CLASS_E_NOAGGREGATION);
    CComPtr<ITestLoner> loner;
    ASSERT_EQ(CoCreateInstance(CLSID_TestLoner, nullptr, CLSCTX_INPROC_SERVER, platform::IidOf<ITestLoner>(),
                  reinterpret_cast<void**>(&loner)),
        S_OK);
    LONG value = 0;
    EXPECT_EQ(loner->Ping(&value), S_OK);
    EXPECT_EQ(value, 42);
}

TEST_F(ComRuntime, AnEventFiredOnAnotherThreadReachesTheSinkWithItsArguments)
{
    ITestCounterPtr counter(CLSID_TestCounter);
    CComObject<EventSink>* sinkObject = nullptr;
    ASSERT_EQ(CComObject<EventSink>::CreateInstance(&sinkObject), S_OK);
    CComPtr<IDispatch> sink(sinkObject);

    DWORD cookie = 0;
    ASSERT_EQ(AtlAdvise(counter, sink, platform::IidOf<ITestEvents>(), &cookie), S_OK);
    EXPECT_NE(cookie, 0u);
    ASSERT_EQ(counter->StartEvents(3), S_OK);
    ASSERT_EQ(counter->WaitEvents(), S_OK);

    const std::vector<EventSink::Call> calls = sinkObject->Calls();
    ASSERT_EQ(calls.size(), 4u);
    for (LONG i = 0; i < 3; ++i) {
        EXPECT_EQ(calls[i].dispid, 1);
        EXPECT_EQ(calls[i].args, (std::vector<LONG> { i + 1, 3, 7 }));
        EXPECT_NE(calls[i].thread, std::this_thread::get_id());
    }
    EXPECT_EQ(calls[3].dispid, 2);
    EXPECT_TRUE(calls[3].args.empty());

    CComQIPtr<IConnectionPointContainer> container(counter.GetInterfacePtr());
    CComPtr<IConnectionPoint> point;
    ASSERT_EQ(container->FindConnectionPoint(platform::IidOf<ITestEvents>(), &point), S_OK);
    CComPtr<IEnumConnections> connections;
    ASSERT_EQ(point->EnumConnections(&connections), S_OK);
    CONNECTDATA data[2] {};
    ULONG fetched = 0;
    EXPECT_EQ(connections->Next(2, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(data[0].dwCookie, cookie);
    EXPECT_TRUE(sink.IsEqualObject(data[0].pUnk));
    data[0].pUnk->Release();

    EXPECT_EQ(AtlUnadvise(counter, platform::IidOf<ITestEvents>(), cookie), S_OK);
    EXPECT_EQ(AtlUnadvise(counter, platform::IidOf<ITestEvents>(), cookie), CONNECT_E_NOCONNECTION);
    ASSERT_EQ(counter->StartEvents(1), S_OK);
    ASSERT_EQ(counter->WaitEvents(), S_OK);
    EXPECT_EQ(sinkObject->Calls().size(), 4u);

    // A sink without the outgoing interface cannot connect; an unknown point is not found.
    CComObject<Outer>* outer = nullptr;
    ASSERT_EQ(CComObject<Outer>::CreateInstance(&outer), S_OK);
    CComPtr<IOuterThing> stranger(outer);
    EXPECT_EQ(AtlAdvise(counter, stranger, platform::IidOf<ITestEvents>(), &cookie), CONNECT_E_CANNOTCONNECT);
    EXPECT_EQ(AtlAdvise(counter, sink, IID_IDispatch, &cookie), CONNECT_E_NOCONNECTION);
}

TEST_F(ComRuntime, ASinkMayDisconnectItselfWhileItIsCalled)
{
    ITestCounterPtr counter(CLSID_TestCounter);
    CComObject<EventSink>* sinkObject = nullptr;
    ASSERT_EQ(CComObject<EventSink>::CreateInstance(&sinkObject), S_OK);
    CComPtr<IDispatch> sink(sinkObject);
    DWORD cookie = 0;
    ASSERT_EQ(AtlAdvise(counter, sink, platform::IidOf<ITestEvents>(), &cookie), S_OK);
    IUnknown* source = counter.GetInterfacePtr();
    sinkObject->onCall = [&] { AtlUnadvise(source, platform::IidOf<ITestEvents>(), cookie); };

    ASSERT_EQ(counter->StartEvents(3), S_OK);
    ASSERT_EQ(counter->WaitEvents(), S_OK);
    EXPECT_EQ(sinkObject->Calls().size(), 1u);
    sinkObject->onCall = nullptr;
}

TEST_F(ComRuntime, LateBindingFollowsTheStaticTables)
{
    ITestCounterPtr counter(CLSID_TestCounter);
    IDispatchPtr dispatch(counter);
    ASSERT_TRUE(dispatch);

    LPOLESTR names[] { const_cast<LPOLESTR>(u"aDD") };
    DISPID id = 0;
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), S_OK);
    EXPECT_EQ(id, 2);
    names[0] = const_cast<LPOLESTR>(u"Subtract");
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), DISP_E_UNKNOWNNAME);
    EXPECT_EQ(id, DISPID_UNKNOWN);

    // A method with its retval as the result; the text argument is converted.
    _variant_t five(u"5");
    DISPPARAMS params { &five, nullptr, 1, 0 };
    _variant_t result;
    ASSERT_EQ(dispatch->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(result.vt, VT_I4);
    EXPECT_EQ(result.lVal, 5);

    // A property put names its value.
    _variant_t count(static_cast<LONG>(40));
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS put { &count, &putId, 1, 1 };
    ASSERT_EQ(dispatch->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr), S_OK);
    DISPPARAMS none;
    result.Clear();
    ASSERT_EQ(dispatch->Invoke(1, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr), S_OK);
    EXPECT_EQ(static_cast<LONG>(result), 40);

    // An [out] argument passed by reference.
    _variant_t name(u"box");
    ASSERT_EQ(dispatch->Invoke(
                  3, IID_NULL, 0, DISPATCH_PROPERTYPUT, &(put = { &name, &putId, 1, 1 }), nullptr, nullptr, nullptr),
        S_OK);
    VARIANT described;
    VariantInit(&described);
    VARIANT args[2];
    args[1].vt = VT_BSTR;
    args[1].bstrVal = SysAllocString(u"in a ");
    args[0].vt = VT_BYREF | VT_VARIANT;
    args[0].pvarVal = &described;
    DISPPARAMS byRef { args, nullptr, 2, 0 };
    ASSERT_EQ(dispatch->Invoke(4, IID_NULL, 0, DISPATCH_METHOD, &byRef, nullptr, nullptr, nullptr), S_OK);
    ASSERT_EQ(described.vt, VT_BSTR);
    EXPECT_EQ(std::u16string(described.bstrVal), u"in a box");
    VariantClear(&described);
    VariantClear(&args[1]);

    // Failures: unknown member, wrong count, an argument of the wrong type, named arguments.
    EXPECT_EQ(
        dispatch->Invoke(99, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr), DISP_E_MEMBERNOTFOUND);
    EXPECT_EQ(
        dispatch->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr), DISP_E_BADPARAMCOUNT);
    _variant_t word(u"many");
    UINT argErr = 99;
    DISPPARAMS bad { &word, nullptr, 1, 0 };
    EXPECT_EQ(dispatch->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &bad, &result, nullptr, &argErr), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(argErr, 0u);
    DISPID named = 5;
    DISPPARAMS withNames { &five, &named, 1, 1 };
    EXPECT_EQ(
        dispatch->Invoke(2, IID_NULL, 0, DISPATCH_METHOD, &withNames, &result, nullptr, nullptr), DISP_E_NONAMEDARGS);
    EXPECT_EQ(dispatch->Invoke(2, IID_IUnknown, 0, DISPATCH_METHOD, &params, &result, nullptr, nullptr),
        DISP_E_UNKNOWNINTERFACE);

    // The type information answers the same table.
    CComPtr<ITypeInfo> info;
    ASSERT_EQ(dispatch->GetTypeInfo(0, 0, &info), S_OK);
    BSTR memberName = nullptr;
    UINT found = 0;
    ASSERT_EQ(info->GetNames(4, &memberName, 1, &found), S_OK);
    EXPECT_EQ(std::u16string(memberName), u"Describe");
    SysFreeString(memberName);
}

TEST_F(ComRuntime, AFailingMethodLeavesItsErrorInformation)
{
    ITestCounterPtr counter(CLSID_TestCounter);
    EXPECT_EQ(counter->put_Count(-1), E_INVALIDARG);
    IErrorInfoPtr info;
    ASSERT_EQ(GetErrorInfo(0, &info), S_OK);
    _com_error error(E_INVALIDARG, info.Detach());
    EXPECT_STREQ(static_cast<const char*>(error.Description()), "The count cannot be negative.");
    EXPECT_STREQ(static_cast<const char*>(error.Source()), "TsTest.Counter.1");
    EXPECT_EQ(error.GUID(), platform::IidOf<ITestCounter>());
}

TEST_F(ComRuntime, BadRequestsGetTheirResults)
{
    void* p = reinterpret_cast<void*>(1);
    const CLSID unknown = platform::MakeGuid("0BADF00D-0000-0000-0000-000000000000");
    EXPECT_EQ(CoCreateInstance(unknown, nullptr, CLSCTX_ALL, IID_IUnknown, &p), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(p, nullptr);
    // The class is there, the interface is not.
    EXPECT_EQ(CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_ALL, IID_IClassFactory, &p), E_NOINTERFACE);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_ALL, IID_IUnknown, nullptr), E_POINTER);
    EXPECT_EQ(CoCreateInstance(CLSID_TestCounter, nullptr, 0, IID_IUnknown, &p), E_INVALIDARG);

    CLSID clsid = CLSID_TestCounter;
    for (const char16_t* text : { u"{6B0E2C41-3F7A-4C55-9D1E-2A8B7C9D0E1}", u"{6B0E2C41-3F7A-4C55-9D1E-2A8B7C9D0E11",
             u"{6B0E2C41-3F7A-4C55-9D1E-2A8B7C9D0EXX}", u"No.Such.ProgId", u"TsTest\\Counter" })
        EXPECT_EQ(CLSIDFromString(text, &clsid), CO_E_CLASSSTRING)
            << std::string(text, text + std::char_traits<char16_t>::length(text));
    EXPECT_EQ(clsid, CLSID_TestCounter);
    EXPECT_EQ(CLSIDFromProgID(u"No.Such.ProgId", &clsid), CO_E_CLASSSTRING);
    EXPECT_EQ(ProgIDFromCLSID(unknown, nullptr), E_INVALIDARG);
    LPOLESTR progId = nullptr;
    EXPECT_EQ(ProgIDFromCLSID(unknown, &progId), REGDB_E_CLASSNOTREG);
    IUnknownPtr none;
    EXPECT_EQ(none.CreateInstance(u"No.Such.ProgId"), CO_E_CLASSSTRING);
    EXPECT_THROW(none->AddRef(), _com_error);

    // Registered classes whose library is missing or is no component library.
    platform::RegistryScript script;
    ASSERT_TRUE(script.Parse("HKCR { NoRemove CLSID {"
                             " {0BADF00D-0000-0000-0000-000000000001} { InprocServer32 = s 'comtestbare.dll' }"
                             " {0BADF00D-0000-0000-0000-000000000002} { InprocServer32 = s 'nosuchlibrary.dll' } } }",
        {}));
    ASSERT_EQ(script.Apply(true), S_OK);
    EXPECT_EQ(CoCreateInstance(
                  platform::MakeGuid("0BADF00D-0000-0000-0000-000000000001"), nullptr, CLSCTX_ALL, IID_IUnknown, &p),
        CO_E_ERRORINDLL);
    EXPECT_EQ(CoCreateInstance(
                  platform::MakeGuid("0BADF00D-0000-0000-0000-000000000002"), nullptr, CLSCTX_ALL, IID_IUnknown, &p),
        CO_E_DLLNOTFOUND);
    EXPECT_EQ(GetModuleHandle("comtestbare.dll"), nullptr);
}

TEST(Apartments, AreRecordedPerThreadAndCreationNeedsOne)
{
    void* p = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_TestCounter, nullptr, CLSCTX_ALL, IID_IUnknown, &p), CO_E_NOTINITIALIZED);
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    std::thread([] {
        EXPECT_FALSE(platform::IsComInitialized());
        EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), S_OK);
        EXPECT_EQ(platform::CurrentApartmentKind(), static_cast<DWORD>(COINIT_MULTITHREADED));
        CoUninitialize();
    }).join();
    CoUninitialize();
    EXPECT_TRUE(platform::IsComInitialized());
    CoUninitialize();
    EXPECT_FALSE(platform::IsComInitialized());
}
