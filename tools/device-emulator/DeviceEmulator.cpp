#include "tools/device-emulator/DeviceEmulator.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>

#include "tools/device-emulator/DevicePaths.h"
#include "tools/device-emulator/DeviceReader.h"
#include "tools/device-emulator/LibraryProcess.h"
#include "tools/device-emulator/SystemProcess.h"

namespace emulator {

namespace {

// The longest the thread sleeps without looking at the processes' timers (file-transfer retries are
// due on whole seconds).
constexpr std::chrono::milliseconds kLongestWait { 100 };
// How many waiting datagrams one process handles before the others get their turn.
constexpr int kBurst = 64;

EmulatorProcess::PropertyList CommonProperties(const EmulatorOptions& options)
{
    EmulatorProcess::PropertyList properties { { "udn", options.udn } };
    properties.insert(properties.end(), options.frameworkProperties.begin(), options.frameworkProperties.end());
    return properties;
}

// A plain process of the device that only registers with the router.
class MediaProcess final : public EmulatorProcess {
public:
    MediaProcess(const PropertyList& properties, DeviceState& device)
        : EmulatorProcess("media_sys", properties, device)
    {
        ApplyRules();
    }
};

} // namespace

DeviceEmulator::DeviceEmulator(EmulatorOptions options)
    : m_options(std::move(options))
    , m_state(std::make_unique<DeviceState>(m_options.folder))
{
}

DeviceEmulator::~DeviceEmulator() { Stop(); }

bool DeviceEmulator::Start(std::string& error)
{
    if (IsRunning()) {
        error = "the device runs already";
        return false;
    }
    std::error_code fileError;
    std::filesystem::create_directories(m_options.folder, fileError);
    if (fileError || !std::filesystem::is_directory(m_options.folder, fileError)) {
        error = "cannot make the library folder " + m_options.folder;
        return false;
    }
    const std::string transferFolder = FolderInCurrentDirectory(m_options.folder);
    if (transferFolder.empty()) {
        error = "the library folder " + m_options.folder + " must lie in the current directory";
        return false;
    }

    m_state->transferFolder = transferFolder;
    m_state->revision = m_options.revision;
    for (const auto& [key, value] : m_options.ruleArguments) {
        if (!m_state->rules.Parse(key, value, error))
            return false;
    }
    if (!m_state->setup.Load()) {
        error = "cannot read the owner's details in " + m_options.folder;
        return false;
    }
    std::string libraryError;
    if (!LoadLibraryFolder(m_state->library, libraryError)) {
        error = "cannot read the library in " + m_options.folder + ": " + libraryError;
        return false;
    }

    const EmulatorProcess::PropertyList common = CommonProperties(m_options);
    const std::string port = std::to_string(m_options.port);
    EmulatorProcess::PropertyList routed = common;
    routed.insert(routed.end(), { { "router.port", port }, { "router.name", "System" } });

    EmulatorProcess::PropertyList router = common;
    router.insert(router.end(), { { "port", port }, { "router.port", port } });
    auto system = std::make_unique<SystemProcess>(router, *m_state);
    system->SetProperty("discovery.friendlyName", m_options.friendlyName);
    system->SetProperty("discovery.serialNumber", m_options.serialNumber);
    system->SetProperty("discovery.oemName", m_options.maker);
    system->SetProperty("discovery.productName", m_options.productName);
    if (m_options.revision > 0)
        system->SetProperty("discovery.revNum", std::to_string(m_options.revision));
    if (system->Init() != 0) {
        error = "cannot open port " + port;
        return false;
    }
    auto library = std::make_unique<LibraryProcess>(routed, *m_state);
    auto media = std::make_unique<MediaProcess>(routed, *m_state);
    if (library->Init() != 0 || media->Init() != 0) {
        error = "cannot open the device's process sockets";
        return false;
    }

    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wakeFd < 0) {
        error = "cannot make the device's wake-up event";
        return false;
    }
    m_system = std::move(system);
    m_library = std::move(library);
    m_media = std::move(media);
    m_stopping = false;
    m_thread = std::thread([this] { Loop(); });
    return true;
}

void DeviceEmulator::Stop()
{
    if (m_thread.joinable()) {
        m_stopping = true;
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(m_wakeFd, &one, sizeof one);
        m_thread.join();
    }
    Close();
}

void DeviceEmulator::Close()
{
    m_media.reset();
    m_library.reset();
    m_system.reset();
    if (m_wakeFd >= 0)
        close(m_wakeFd);
    m_wakeFd = -1;
}

void DeviceEmulator::Loop()
{
    // The processes were opened on the caller's thread; their loops may be pumped from this one.
    EmulatorProcess* processes[] = { m_system.get(), m_library.get(), m_media.get() };
    while (!m_stopping) {
        auto wait = std::chrono::duration_cast<std::chrono::steady_clock::duration>(kLongestWait);
        for (EmulatorProcess* process : processes) {
            if (const auto next = process->RunDelayed())
                wait = std::min(wait, *next);
        }

        pollfd fds[4] = {};
        for (std::size_t i = 0; i < 3; ++i)
            fds[i] = { processes[i]->get_handle(), POLLIN, 0 };
        fds[3] = { m_wakeFd, POLLIN, 0 };
        const auto ms = std::chrono::ceil<std::chrono::milliseconds>(wait).count();
        poll(fds, 4, static_cast<int>(ms));

        // Each process also fires its due timers here, input or not.
        for (EmulatorProcess* process : processes) {
            for (int n = 0; n < kBurst && !m_stopping; ++n) {
                if (process->HandleEvents(ACE_Time_Value::zero) != 0)
                    break;
                if (m_options.pauseMilliseconds > 0)
                    std::this_thread::sleep_for(std::chrono::milliseconds(m_options.pauseMilliseconds));
            }
        }
    }
}

} // namespace emulator
