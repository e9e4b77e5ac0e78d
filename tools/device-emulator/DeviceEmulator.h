#pragma once
// One emulated device on the local machine: its router "System" on the configured port, "Library"
// and "media_sys", all pumped by one thread of their own, over a library kept in a folder. Tests run
// it in-process; the device-emulator program runs it until it is told to stop.

#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "tools/device-emulator/DeviceState.h"
#include "tools/device-emulator/EmulatorOptions.h"

namespace emulator {

class EmulatorProcess;

class DeviceEmulator {
public:
    // A device of the options; nothing is opened until Start.
    explicit DeviceEmulator(EmulatorOptions options);
    DeviceEmulator(const DeviceEmulator&) = delete;
    DeviceEmulator& operator=(const DeviceEmulator&) = delete;
    // Stops the device when it runs.
    ~DeviceEmulator();

    // Makes the folder, reads the library in it, opens the processes and starts their thread; false
    // with a reason when the folder cannot be used or a socket cannot be opened (nothing runs then).
    bool Start(std::string& error);
    // Ends the thread and closes the processes; the library stays in its folder.
    void Stop();
    // True between a successful Start and Stop.
    bool IsRunning() const { return m_thread.joinable(); }

    // The shared parts, usable from any thread: the library, the owner's details, the reservations
    // and the request rules.
    DeviceLibrary& Library() { return m_state->library; }
    SetupValues& Setup() { return m_state->setup; }
    FileSpace& Space() { return m_state->space; }
    RequestRules& Rules() { return m_state->rules; }
    const EmulatorOptions& Options() const { return m_options; }

private:
    // The thread: waits for datagrams, timers and delayed requests of the three processes until Stop.
    void Loop();
    // Closes the processes and the wake-up event.
    void Close();

    EmulatorOptions m_options;
    std::unique_ptr<DeviceState> m_state;
    std::unique_ptr<EmulatorProcess> m_system;
    std::unique_ptr<EmulatorProcess> m_library;
    std::unique_ptr<EmulatorProcess> m_media;
    std::thread m_thread;
    std::atomic<bool> m_stopping { false };
    // Written to wake the thread when it should stop.
    int m_wakeFd { -1 };
};

} // namespace emulator
