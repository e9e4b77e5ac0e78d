#pragma once
// Atomic operations on 32-bit values that other threads read and write; each is a full barrier.

#include "platform/base/WinTypes.h"

// Adds one; the new value.
inline LONG InterlockedIncrement(LONG volatile* lpAddend) { return __atomic_add_fetch(lpAddend, 1, __ATOMIC_SEQ_CST); }
// Subtracts one; the new value.
inline LONG InterlockedDecrement(LONG volatile* lpAddend) { return __atomic_sub_fetch(lpAddend, 1, __ATOMIC_SEQ_CST); }
// Stores Value; the old value.
inline LONG InterlockedExchange(LONG volatile* Target, LONG Value)
{
    return __atomic_exchange_n(Target, Value, __ATOMIC_SEQ_CST);
}
// Stores Exchange if the value is Comparand; the old value either way.
inline LONG InterlockedCompareExchange(LONG volatile* Destination, LONG Exchange, LONG Comparand)
{
    __atomic_compare_exchange_n(Destination, &Comparand, Exchange, false, __ATOMIC_SEQ_CST, __ATOMIC_SEQ_CST);
    return Comparand;
}
// Adds Value; the old value.
inline LONG InterlockedExchangeAdd(LONG volatile* Addend, LONG Value)
{
    return __atomic_fetch_add(Addend, Value, __ATOMIC_SEQ_CST);
}
