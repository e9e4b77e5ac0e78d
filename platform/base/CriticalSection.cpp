#include "platform/base/CriticalSection.h"

#include "platform/base/Thread.h"

void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    if (!lpCriticalSection)
        return;
    lpCriticalSection->OwningThread = 0;
    lpCriticalSection->RecursionCount = 0;
}

BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION lpCriticalSection, DWORD)
{
    InitializeCriticalSection(lpCriticalSection);
    return TRUE;
}

void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    if (!lpCriticalSection)
        return;
    const DWORD self = GetCurrentThreadId();
    if (lpCriticalSection->OwningThread == self) {
        ++lpCriticalSection->RecursionCount;
        return;
    }
    lpCriticalSection->Lock.lock();
    lpCriticalSection->OwningThread = self;
    lpCriticalSection->RecursionCount = 1;
}

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    if (!lpCriticalSection)
        return FALSE;
    const DWORD self = GetCurrentThreadId();
    if (lpCriticalSection->OwningThread == self) {
        ++lpCriticalSection->RecursionCount;
        return TRUE;
    }
    if (!lpCriticalSection->Lock.try_lock())
        return FALSE;
    lpCriticalSection->OwningThread = self;
    lpCriticalSection->RecursionCount = 1;
    return TRUE;
}

void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection)
{
    if (!lpCriticalSection || lpCriticalSection->OwningThread != GetCurrentThreadId())
        return;
    if (--lpCriticalSection->RecursionCount > 0)
        return;
    lpCriticalSection->OwningThread = 0;
    lpCriticalSection->Lock.unlock();
}

void DeleteCriticalSection(LPCRITICAL_SECTION) { }
