#include "app/StartupHelp.h"

#include "platform/base/Modules.h"

bool PrepareStartupHelp(LPCTSTR library, LPCTSTR helpFile)
{
    const HMODULE module = LoadLibrary(library);
    if (!module)
        return true;
    using StartProc = int (*)(LPCSTR, int);
    const auto start = platform::ProcCast<StartProc>(GetProcAddress(module, MAKEINTRESOURCE(2)));
    const bool goOn = !start || start(helpFile, 1) != 0;
    // Kept loaded for the life of the program, as a library the program is linked with would be.
    return goOn;
}
