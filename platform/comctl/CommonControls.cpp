// Registration of the control classes.

#include <mutex>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/ControlClasses.h"

void InitCommonControls()
{
    static std::once_flag once;
    std::call_once(once, [] { platform::comctl::RegisterControlClasses(); });
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* picce)
{
    if (!picce || picce->dwSize != sizeof(INITCOMMONCONTROLSEX))
        return FALSE;
    InitCommonControls();
    return TRUE;
}
