#include "platform/afx/AfxState.h"

#include <atomic>

#include "platform/afx/CWinApp.h"
#include "platform/base/Modules.h"
#include "platform/base/Resources.h"

namespace {

std::atomic<CWinApp*> g_app { nullptr };
std::atomic<HINSTANCE> g_resourceHandle { nullptr };

} // namespace

CWinApp* AfxGetApp() { return g_app.load(); }

LPCTSTR AfxGetAppName()
{
    CWinApp* app = AfxGetApp();
    return app && app->m_pszAppName ? app->m_pszAppName : "";
}

HINSTANCE AfxGetInstanceHandle()
{
    CWinApp* app = AfxGetApp();
    if (app && app->m_hInstance)
        return app->m_hInstance;
    return GetModuleHandle(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    HINSTANCE handle = g_resourceHandle.load();
    return handle ? handle : AfxGetInstanceHandle();
}

void AfxSetResourceHandle(HINSTANCE hInstResource) { g_resourceHandle.store(hInstResource); }

HINSTANCE AfxFindResourceHandle(LPCTSTR lpszName, LPCTSTR lpszType)
{
    const HINSTANCE resources = AfxGetResourceHandle();
    if (FindResource(resources, lpszName, lpszType))
        return resources;
    const HINSTANCE instance = AfxGetInstanceHandle();
    if (instance != resources && FindResource(instance, lpszName, lpszType))
        return instance;
    return resources;
}

namespace afx {

void SetCurrentApp(CWinApp* pApp) { g_app.store(pApp); }

} // namespace afx
