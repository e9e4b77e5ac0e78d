#pragma once
// Small lock-free counter operations on a shared int.

#include <atomic>

namespace atomic_ops {

// The current value.
int Get(const std::atomic<int>& value);
// Stores desired when the value still equals expected; true when it did.
bool CompareAndSet(std::atomic<int>& value, int expected, int desired);
// Advances the value to (value + 1) mod m and returns the new value; concurrent callers each get
// their own number. A modulus below 1 leaves the value alone and returns it.
int IncrementModulo(std::atomic<int>& value, int m);

} // namespace atomic_ops
