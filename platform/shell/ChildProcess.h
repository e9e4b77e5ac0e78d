#pragma once
// A started program as a kernel object: signalled when the program has ended, with its exit code.

#include "platform/base/KernelObject.h"
#include "platform/base/WinTypes.h"

namespace platform {

class ChildProcess final : public KernelObject {
public:
    explicit ChildProcess(int pid)
        : m_pid(pid)
    {
    }

    bool IsSignaled(const Thread&) const override { return m_ended; }

    int Pid() const { return m_pid; }
    // Records the program's end and wakes the waits on it.
    void End(DWORD exitCode);
    // The exit code once ended, else STILL_ACTIVE.
    DWORD ExitCode() const;

private:
    const int m_pid;
    bool m_ended { false }; // guarded by the kernel lock
    DWORD m_exitCode { 0 }; // guarded by the kernel lock
};

} // namespace platform
