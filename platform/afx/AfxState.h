#pragma once
// The class library's process-wide state: the application object, the executable's instance handle and
// the module that resources are loaded from.

#include "platform/base/WinTypes.h"

class CWinApp;

// The one application object, or null before it is constructed and after it is destroyed.
CWinApp* AfxGetApp();
// The application's name (its m_pszAppName), or "" when there is no application object.
LPCTSTR AfxGetAppName();
// The executable's module handle (the application's m_hInstance once it has one).
HINSTANCE AfxGetInstanceHandle();
// The module the class library loads resources from: the one last given to AfxSetResourceHandle,
// otherwise the executable.
HINSTANCE AfxGetResourceHandle();
// Makes hInstResource the module resources are loaded from (null returns to the executable).
void AfxSetResourceHandle(HINSTANCE hInstResource);
// The module that holds resource lpszName of type lpszType: the resource module first, then the
// executable; the resource module when neither has it.
HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType);

namespace afx {

// Called by CWinApp's constructor and destructor to make an application object current or to leave.
void SetCurrentApp(CWinApp* pApp);

} // namespace afx
