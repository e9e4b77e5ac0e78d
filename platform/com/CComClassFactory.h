#pragma once
// The class factory that DllGetClassObject hands out for each class of a component library.

#include "platform/com/CComObject.h"

using _ATL_CREATORFUNC = HRESULT (*)(void* pv, REFIID riid, void** ppv);

class TS_COM_LOCAL CComClassFactory : public IClassFactory, public CComObjectRootEx<CComGlobalsThreadModel> {
public:
    BEGIN_COM_MAP(CComClassFactory)
    COM_INTERFACE_ENTRY(IClassFactory)
    END_COM_MAP()

    // An aggregated creation must ask for IUnknown (CLASS_E_NOAGGREGATION otherwise).
    HRESULT CreateInstance(IUnknown* pUnkOuter, REFIID riid, void** ppvObj) override
    {
        if (!ppvObj)
            return E_POINTER;
        *ppvObj = nullptr;
        if (pUnkOuter && riid != IID_IUnknown)
            return CLASS_E_NOAGGREGATION;
        if (!m_pfnCreateInstance)
            return E_FAIL;
        return m_pfnCreateInstance(pUnkOuter, riid, ppvObj);
    }
    HRESULT LockServer(BOOL fLock) override
    {
        if (fLock)
            platform::LockThisModule();
        else
            platform::UnlockThisModule();
        return S_OK;
    }
    void SetVoid(void* pv) { m_pfnCreateInstance = reinterpret_cast<_ATL_CREATORFUNC>(pv); }

    _ATL_CREATORFUNC m_pfnCreateInstance { nullptr };
};

// Builds a class factory bound to a creator function.
class TS_COM_LOCAL CComClassFactoryCreator {
public:
    static HRESULT CreateInstance(_ATL_CREATORFUNC pfnCreate, REFIID riid, void** ppv)
    {
        if (!ppv)
            return E_POINTER;
        *ppv = nullptr;
        CComObject<CComClassFactory>* factory = nullptr;
        HRESULT hr = CComObject<CComClassFactory>::CreateInstance(&factory);
        if (FAILED(hr))
            return hr;
        factory->SetVoid(reinterpret_cast<void*>(pfnCreate));
        factory->AddRef();
        hr = factory->QueryInterface(riid, ppv);
        factory->Release();
        return hr;
    }
};
