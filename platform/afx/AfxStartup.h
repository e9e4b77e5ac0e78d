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
// Whether OLE lets the application exit: no object is served to other applications here, so TRUE.
BOOL AfxOleCanExitApp();
// Whether the user (rather than OLE) controls the application's lifetime, and setting it; TRUE until
// set otherwise.
BOOL AfxOleGetUserCtrl();
void AfxOleSetUserCtrl(BOOL bUserCtrl);
