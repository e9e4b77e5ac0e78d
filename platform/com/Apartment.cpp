#include <cstdlib>
#include <cstring>
#include <malloc.h>

#include "platform/com/ObjBase.h"

namespace {

// The calling thread's apartment: how often it was entered and of which kind.
struct ApartmentRecord {
    int entries { 0 };
    DWORD kind { COINIT_APARTMENTTHREADED };
};

thread_local ApartmentRecord t_apartment;

// The one task allocator: the C heap, so that CoTaskMemFree and IMalloc::Free agree.
class TaskAllocator final : public IMalloc {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IMalloc) {
            *ppv = static_cast<IMalloc*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // The allocator lives as long as the process: counting is not needed.
    ULONG AddRef() override { return 2; }
    ULONG Release() override { return 1; }
    void* Alloc(SIZE_T cb) override { return std::malloc(cb ? cb : 1); }
    void* Realloc(void* pv, SIZE_T cb) override
    {
        if (cb == 0) {
            std::free(pv);
            return nullptr;
        }
        return std::realloc(pv, cb);
    }
    void Free(void* pv) override { std::free(pv); }
    SIZE_T GetSize(void* pv) override { return pv ? malloc_usable_size(pv) : static_cast<SIZE_T>(-1); }
    int DidAlloc(void* pv) override { return pv ? -1 : 0; }
    void HeapMinimize() override { }
};

TaskAllocator g_taskAllocator;

} // namespace

HRESULT CoInitializeEx(LPVOID, DWORD dwCoInit)
{
    const DWORD kind = (dwCoInit & COINIT_APARTMENTTHREADED) ? COINIT_APARTMENTTHREADED : COINIT_MULTITHREADED;
    if (t_apartment.entries > 0) {
        if (t_apartment.kind != kind)
            return RPC_E_CHANGED_MODE;
        ++t_apartment.entries;
        return S_FALSE;
    }
    t_apartment.kind = kind;
    t_apartment.entries = 1;
    return S_OK;
}

HRESULT CoInitialize(LPVOID pvReserved) { return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED); }

void CoUninitialize()
{
    if (t_apartment.entries > 0)
        --t_apartment.entries;
}

LPVOID CoTaskMemAlloc(SIZE_T cb) { return g_taskAllocator.Alloc(cb); }
LPVOID CoTaskMemRealloc(LPVOID pv, SIZE_T cb) { return g_taskAllocator.Realloc(pv, cb); }
void CoTaskMemFree(LPVOID pv) { g_taskAllocator.Free(pv); }

HRESULT CoGetMalloc(DWORD dwMemContext, LPMALLOC* ppMalloc)
{
    if (!ppMalloc)
        return E_POINTER;
    *ppMalloc = nullptr;
    if (dwMemContext != 1)
        return E_INVALIDARG;
    *ppMalloc = &g_taskAllocator;
    return S_OK;
}

namespace platform {

bool IsComInitialized() { return t_apartment.entries > 0; }
DWORD CurrentApartmentKind() { return t_apartment.kind; }

} // namespace platform
