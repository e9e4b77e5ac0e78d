#pragma once
// Connecting a sink to a component's connection point, as the class library does it.

#include "platform/com/Unknwn.h"

// Connects pUnkSink to the connection point iid of pUnkSrc (through IConnectionPointContainer) and
// stores the cookie in *pdwCookie. bRefCount FALSE gives back the reference the connection takes, so a
// sink that lives inside its owner keeps its owner's count. FALSE when any step fails.
BOOL AfxConnectionAdvise(LPUNKNOWN pUnkSrc, REFIID iid, LPUNKNOWN pUnkSink, BOOL bRefCount, DWORD* pdwCookie);
// Disconnects the connection of that cookie; bRefCount must be what AfxConnectionAdvise was given.
BOOL AfxConnectionUnadvise(LPUNKNOWN pUnkSrc, REFIID iid, LPUNKNOWN pUnkSink, BOOL bRefCount, DWORD dwCookie);
