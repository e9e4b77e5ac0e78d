#pragma once
// Self-registration of component libraries and the help viewer.

#include "platform/base/WinTypes.h"

// Registers the component library at a path by its DllRegisterServer export: 0 registered; 1 the
// library does not load; 2 a ".dll" or ".ocx" without the export; 3 the export failed; 4 another
// file without the export. The process error mode is restored on every return.
int RegisterServer(LPCTSTR path);

// Forwards to the help control's HtmlHelpA. The control is loaded on the first call and kept for the
// process's life; when it cannot be loaded, this and every later call return null and show nothing.
HWND ShowHtmlHelp(HWND window, LPCTSTR helpFile, UINT command, DWORD_PTR data);
// The help control's path from its class registration, in a buffer of MAX_PATH characters; false
// when the registration is missing.
bool GetHtmlHelpControlPath(char* buffer);
