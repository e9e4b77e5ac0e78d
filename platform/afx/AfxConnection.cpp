#include "platform/afx/AfxConnection.h"

#include "platform/com/OCIdl.h"

namespace {

// The connection point iid of a source, with a reference; null when it has none.
IConnectionPoint* FindConnectionPoint(LPUNKNOWN pUnkSrc, REFIID iid)
{
    if (!pUnkSrc)
        return nullptr;
    IConnectionPointContainer* container = nullptr;
    if (FAILED(pUnkSrc->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)))
        || !container)
        return nullptr;
    IConnectionPoint* point = nullptr;
    if (FAILED(container->FindConnectionPoint(iid, &point)))
        point = nullptr;
    container->Release();
    return point;
}

} // namespace

BOOL AfxConnectionAdvise(LPUNKNOWN pUnkSrc, REFIID iid, LPUNKNOWN pUnkSink, BOOL bRefCount, DWORD* pdwCookie)
{
    if (!pUnkSink || !pdwCookie)
        return FALSE;
    IConnectionPoint* point = FindConnectionPoint(pUnkSrc, iid);
    if (!point)
        return FALSE;
    const bool connected = SUCCEEDED(point->Advise(pUnkSink, pdwCookie));
    point->Release();
    if (connected && !bRefCount)
        pUnkSink->Release();
    return connected;
}

BOOL AfxConnectionUnadvise(LPUNKNOWN pUnkSrc, REFIID iid, LPUNKNOWN pUnkSink, BOOL bRefCount, DWORD dwCookie)
{
    if (!pUnkSink)
        return FALSE;
    IConnectionPoint* point = FindConnectionPoint(pUnkSrc, iid);
    if (!point)
        return FALSE;
    // The connection gives back a reference it was not given; take one for it first.
    if (!bRefCount)
        pUnkSink->AddRef();
    const bool disconnected = SUCCEEDED(point->Unadvise(dwCookie));
    point->Release();
    if (!disconnected && !bRefCount)
        pUnkSink->Release();
    return disconnected;
}
