#include "platform/base/ComputerName.h"

#include <cstring>
#include <string>
#include <unistd.h>

#include "platform/base/CaseFold.h"
#include "platform/base/WinError.h"

namespace platform {

std::string LocalComputerName()
{
    char host[256] = {};
    if (::gethostname(host, sizeof host - 1) != 0 || host[0] == '\0')
        std::strcpy(host, "localhost");
    std::string name(host, ::strnlen(host, sizeof host));
    name = name.substr(0, name.find('.'));
    if (name.size() > MAX_COMPUTERNAME_LENGTH)
        name.resize(MAX_COMPUTERNAME_LENGTH);
    for (char& c : name)
        c = UpperCase(c);
    return name;
}

} // namespace platform

BOOL GetComputerName(LPSTR lpBuffer, LPDWORD lpnSize)
{
    if (!lpnSize || (!lpBuffer && *lpnSize != 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::string name = platform::LocalComputerName();
    if (*lpnSize < name.size() + 1) {
        *lpnSize = static_cast<DWORD>(name.size() + 1);
        SetLastError(ERROR_BUFFER_OVERFLOW);
        return FALSE;
    }
    std::memcpy(lpBuffer, name.c_str(), name.size() + 1);
    *lpnSize = static_cast<DWORD>(name.size());
    return TRUE;
}
