#pragma once
// The component runtime: apartments, the task allocator, and (see ClassRegistry.h) object creation.

#include "platform/com/OaIdl.h"

enum COINIT : DWORD {
    COINIT_MULTITHREADED = 0x0,
    COINIT_APARTMENTTHREADED = 0x2,
    COINIT_DISABLE_OLE1DDE = 0x4,
    COINIT_SPEED_OVER_MEMORY = 0x8,
};

// Enters an apartment on the calling thread: S_OK the first time, S_FALSE when the thread is already
// in one of the same kind, RPC_E_CHANGED_MODE when it is in the other kind. Each success needs one
// CoUninitialize. Nothing is marshalled between apartments: they are records only.
HRESULT CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
// CoInitializeEx with a single-threaded apartment.
HRESULT CoInitialize(LPVOID pvReserved);
// Leaves the apartment once; the last call ends the thread's apartment.
void CoUninitialize();
// Allocates from the task allocator (freed with CoTaskMemFree).
LPVOID CoTaskMemAlloc(SIZE_T cb);
LPVOID CoTaskMemRealloc(LPVOID pv, SIZE_T cb);
// Frees task memory; null is allowed.
void CoTaskMemFree(LPVOID pv);
// The task allocator (dwMemContext must be 1).
HRESULT CoGetMalloc(DWORD dwMemContext, LPMALLOC* ppMalloc);

namespace platform {

// True when the calling thread is in an apartment.
bool IsComInitialized();
// The calling thread's apartment kind (COINIT_APARTMENTTHREADED or COINIT_MULTITHREADED); only
// meaningful while IsComInitialized().
DWORD CurrentApartmentKind();

} // namespace platform
