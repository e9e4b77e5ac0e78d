#pragma once
// What WM_DEVICECHANGE's lParam points to: a header naming the kind of device and, for a volume, the
// drives it concerns (bit 0 is A:) and whether removable media changed.

#include "platform/base/WinTypes.h"

constexpr DWORD DBT_DEVTYP_VOLUME = 0x0002;

struct DEV_BROADCAST_HDR {
    DWORD dbch_size { 0 };
    DWORD dbch_devicetype { 0 };
    DWORD dbch_reserved { 0 };
};

struct DEV_BROADCAST_VOLUME {
    DWORD dbcv_size { 0 };
    DWORD dbcv_devicetype { 0 };
    DWORD dbcv_reserved { 0 };
    DWORD dbcv_unitmask { 0 };
    WORD dbcv_flags { 0 };
};
