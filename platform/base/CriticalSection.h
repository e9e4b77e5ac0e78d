#pragma once
// Critical sections: process-local recursive locks. A CRITICAL_SECTION needs no heap and is ready as soon
// as it exists (its lock is constant-initialised), so a static one may be entered even before
// InitializeCriticalSection has run in another translation unit's start-up code.

#include <atomic>
#include <mutex>

#include "platform/base/WinTypes.h"

struct CRITICAL_SECTION {
    std::mutex Lock;
    std::atomic<DWORD> OwningThread { 0 }; // thread id of the owner, 0 when free
    LONG RecursionCount { 0 }; // touched only by the owner
};
using LPCRITICAL_SECTION = CRITICAL_SECTION*;
using PCRITICAL_SECTION = CRITICAL_SECTION*;

// Makes the critical section ready for use (free, no owner).
void InitializeCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
// The same; the spin count means nothing here. Always TRUE.
BOOL InitializeCriticalSectionAndSpinCount(LPCRITICAL_SECTION lpCriticalSection, DWORD dwSpinCount);
// Takes the lock, waiting for it; the owner may enter again (each entry needs its own leave).
void EnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
// Takes the lock if free or already the caller's; FALSE without waiting otherwise.
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
// Gives up one entry; a leave by a thread that does not own the lock is ignored rather than freeing
// another thread's lock.
void LeaveCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
// Ends the critical section's use; nothing to free.
void DeleteCriticalSection(LPCRITICAL_SECTION lpCriticalSection);
