#include "platform/base/WinError.h"

namespace {
thread_local DWORD t_lastError { ERROR_SUCCESS };
}

DWORD GetLastError() { return t_lastError; }

void SetLastError(DWORD dwErrCode) { t_lastError = dwErrCode; }
