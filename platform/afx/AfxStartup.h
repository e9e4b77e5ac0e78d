#pragma once
// Start-up calls of the application for the component model's drag and drop and for sockets.

#include "platform/base/WinTypes.h"

struct WSADATA;

// Enters OLE on the calling thread (drag and drop, data objects); TRUE on success. It is left when
// the thread ends.
BOOL AfxOleInit();
// Readies sockets for the application; sockets need no start-up here, so always TRUE (lpwsaData,
// when given, is left as it is).
BOOL AfxSocketInit(WSADATA* lpwsaData = nullptr);
