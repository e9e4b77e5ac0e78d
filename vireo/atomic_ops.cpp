#include "vireo/atomic_ops.h"

namespace atomic_ops {

int Get(const std::atomic<int>& value) { return value.load(); }

bool CompareAndSet(std::atomic<int>& value, int expected, int desired)
{
    return value.compare_exchange_strong(expected, desired);
}

int IncrementModulo(std::atomic<int>& value, int m)
{
    int current = value.load();
    if (m < 1)
        return current;
    for (;;) {
        // Computed in unsigned arithmetic so that a value near INT_MAX cannot overflow.
        const int next = static_cast<int>((static_cast<unsigned>(current) + 1u) % static_cast<unsigned>(m));
        if (value.compare_exchange_weak(current, next))
            return next;
    }
}

} // namespace atomic_ops
