#pragma once
// What every waitable kernel object is to a wait: a state that is signalled or not for a given thread,
// and what a satisfied wait takes from it.

#include <memory>

namespace platform {

class Thread;

class KernelObject {
public:
    virtual ~KernelObject() = default;

    // With the kernel lock held: whether a wait by 'waiter' on this object would be satisfied now.
    virtual bool IsSignaled(const Thread& waiter) const = 0;
    // With the kernel lock held, after IsSignaled: takes what a satisfied wait takes (an auto-reset event
    // resets, a mutex becomes the waiter's); true when the object was a mutex its owner left behind.
    virtual bool Acquire(const std::shared_ptr<Thread>&) { return false; }
};

} // namespace platform
