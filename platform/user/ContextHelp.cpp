#include "platform/user/ContextHelp.h"

#include "platform/user/WinUser.h"

namespace {

// Kept as a window property: only help requests read it.
constexpr const char* kHelpIdProperty = "TuneSteward.ContextHelpId";

} // namespace

DWORD GetWindowContextHelpId(HWND hWnd)
{
    return static_cast<DWORD>(reinterpret_cast<UINT_PTR>(::GetProp(hWnd, kHelpIdProperty)));
}

BOOL SetWindowContextHelpId(HWND hWnd, DWORD dwContextHelpId)
{
    if (!::IsWindow(hWnd))
        return FALSE;
    if (dwContextHelpId == 0) {
        ::RemoveProp(hWnd, kHelpIdProperty);
        return TRUE;
    }
    return ::SetProp(hWnd, kHelpIdProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(dwContextHelpId)));
}
