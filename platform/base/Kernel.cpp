#include "platform/base/Kernel.h"

#include "platform/base/Clock.h"

namespace platform {

Kernel& Kernel::Instance()
{
    // Never destroyed: detached threads may still wait while the process exits.
    static Kernel* kernel = new Kernel;
    return *kernel;
}

std::unique_lock<std::mutex> Kernel::Lock() { return std::unique_lock(Instance().m_mutex); }

void Kernel::WakeAll()
{
    // Notifying under the lock means a waiter that has looked at the state but not yet slept cannot miss it.
    std::lock_guard lock(Instance().m_mutex);
    Instance().m_changed.notify_all();
}

void Kernel::WakeAll(const std::unique_lock<std::mutex>&) { Instance().m_changed.notify_all(); }

void Kernel::Block(std::unique_lock<std::mutex>& lock, const Clock& clock,
    std::optional<std::chrono::milliseconds> deadline)
{
    if (deadline) {
        if (auto instant = clock.RealInstant(*deadline)) {
            Instance().m_changed.wait_until(lock, *instant);
            return;
        }
    }
    Instance().m_changed.wait(lock);
}

} // namespace platform
