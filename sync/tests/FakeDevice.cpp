// The fake device's processes and the client link that pumps them; the networking side of the tests.

#include "sync/tests/FakeDevice.h"

#include <ace/INET_Addr.h>
#include <ace/SOCK_Dgram.h>

#include <thread>

#include "sync/DeviceClientProcess.h"
#include "vireo/Process.h"

namespace sync_test {

namespace {

int FreeUdpPort()
{
    ACE_SOCK_Dgram probe;
    probe.open(ACE_INET_Addr(static_cast<u_short>(0), "127.0.0.1"));
    ACE_INET_Addr local;
    probe.get_local_addr(local);
    const int port = local.get_port_number();
    probe.close();
    return port;
}

std::vector<const char*> Argv(const std::vector<std::string>& args)
{
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    return argv;
}

// A device process: whatever the framework does not handle goes to the device's recorder.
class DeviceProcess final : public vireo::Process {
public:
    using Recorder = std::function<void(const std::string&, const vireo::Message&)>;

    DeviceProcess(const std::vector<std::string>& args, Recorder recorder)
        : Process(static_cast<int>(args.size()), Argv(args).data())
        , m_recorder(std::move(recorder))
    {
    }

    bool HandleUnrecognised(const vireo::Message& message) override
    {
        m_recorder(Name(), message);
        return true;
    }

private:
    Recorder m_recorder;
};

} // namespace

class FakeDevice::Impl {
public:
    Impl(FakeDevice& device, std::vector<std::string> systemArguments, std::vector<std::string> libraryArguments)
    {
        const std::string p = std::to_string(port);
        auto recorder = [&device](const std::string& process, const vireo::Message& message) {
            // The payload is read while the message is handled: a spilled one goes afterwards.
            device.requests.push_back({ process, message, message.Payload() });
            if (device.onRequest)
                device.onRequest(process, message);
        };
        std::vector<std::string> systemArgs = { "System", "port=" + p, "router.port=" + p, "udn=fake-device",
            "Process.interMessageGap=0", "Process.interFragmentGap=0", "Debug.level=ERROR" };
        systemArgs.insert(systemArgs.end(), systemArguments.begin(), systemArguments.end());
        std::vector<std::string> libraryArgs = { "Library", "router.port=" + p, "Process.interMessageGap=0",
            "Process.interFragmentGap=0", "Debug.level=ERROR" };
        libraryArgs.insert(libraryArgs.end(), libraryArguments.begin(), libraryArguments.end());
        system = std::make_unique<DeviceProcess>(systemArgs, recorder);
        library = std::make_unique<DeviceProcess>(libraryArgs, recorder);
    }

    // One round of the device's loops; true when either handled something.
    bool PumpOnce()
    {
        const ACE_Time_Value brief(0, 1000);
        const bool a = system->HandleEvents(brief) == 0;
        const bool b = library->HandleEvents(brief) == 0;
        return a || b;
    }

    int port { FreeUdpPort() };
    std::unique_ptr<DeviceProcess> system;
    std::unique_ptr<DeviceProcess> library;
};

namespace {

// The client's framework process, pumped together with the device; a slice ends as soon as the
// client handled something, or after a few quiet rounds.
class PumpingLink final : public DeviceClientLink {
public:
    PumpingLink(std::unique_ptr<DeviceClientProcess> process, std::function<bool()> pumpDevice)
        : m_process(std::move(process))
        , m_pumpDevice(std::move(pumpDevice))
    {
    }

    void SetListener(DeviceClientLinkListener* listener) override { m_process->SetListener(listener); }
    void StartNetworking() override { m_process->StartNetworking(); }
    void StopNetworking() override { m_process->StopNetworking(); }
    int Init() override { return m_process->Init(); }
    int HandleEvents(std::chrono::milliseconds) override
    {
        int quiet = 0;
        for (int round = 0; round < 2000 && quiet < kQuietRounds; ++round) {
            const bool device = m_pumpDevice();
            if (m_process->HandleEvents(std::chrono::milliseconds(1)) == 0)
                return 0;
            quiet = device ? 0 : quiet + 1;
        }
        return -1;
    }
    void Pause(std::chrono::milliseconds) override { }
    void Wake() override { m_process->Wake(); }
    bool Send(vireo::Message& message) override { return m_process->Send(message); }
    vireo::Message MakeMessage(const std::string& target, const std::string& name) override
    {
        return m_process->MakeMessage(target, name);
    }
    vireo::Message MakeIdentityMessage() override { return m_process->MakeIdentityMessage(); }
    void Discover() override { m_process->Discover(); }
    bool HandleIdentity(vireo::Message message) override { return m_process->HandleIdentity(std::move(message)); }
    bool RetryFile(vireo::Message message) override { return m_process->RetryFile(std::move(message)); }
    std::string Name() const override { return m_process->Name(); }
    void SetProperty(const std::string& key, const std::string& value) override { m_process->SetProperty(key, value); }
    std::string GetProperty(const std::string& key, const std::string& def) const override
    {
        return m_process->GetProperty(key, def);
    }
    bool HasProperty(const std::string& key) const override { return m_process->HasProperty(key); }
    vireo::Dispatcher& Commands() override { return m_process->Commands(); }
    int GetFile(const std::string& peer, const std::string& source, const std::string& destination,
        bool binary) override
    {
        return m_process->GetFile(peer, source, destination, binary);
    }
    int PutFileWithProgress(const std::string& peer, const std::string& source, const std::string& destination,
        bool binary, DeviceClientProgress progress) override
    {
        return m_process->PutFileWithProgress(peer, source, destination, binary, progress);
    }
    bool CloseTransfer(int localID) override { return m_process->CloseTransfer(localID); }

private:
    static constexpr int kQuietRounds = 20;

    std::unique_ptr<DeviceClientProcess> m_process;
    std::function<bool()> m_pumpDevice;
};

} // namespace

FakeDevice::FakeDevice(std::vector<std::string> systemArguments, std::vector<std::string> libraryArguments)
    : m_impl(std::make_unique<Impl>(*this, std::move(systemArguments), std::move(libraryArguments)))
{
}

FakeDevice::~FakeDevice() = default;

void FakeDevice::Start()
{
    m_impl->system->Init();
    m_impl->library->Init();
    PumpQuiet();
}

int FakeDevice::Port() const { return m_impl->port; }

std::vector<std::string> FakeDevice::ClientArguments(const std::string& name) const
{
    return { name, "router.name=System", "router.port=" + std::to_string(Port()), "router.host=127.0.0.1",
        "Process.interMessageGap=0", "Process.interFragmentGap=0", "Debug.level=ERROR", "udn=localhost" };
}

std::unique_ptr<DeviceClientLink> FakeDevice::MakeClientLink(const std::string& name)
{
    const std::vector<std::string> args = ClientArguments(name);
    auto process = std::make_unique<DeviceClientProcess>(static_cast<int>(args.size()), Argv(args).data());
    return std::make_unique<PumpingLink>(std::move(process), [this] { return m_impl->PumpOnce(); });
}

bool WakeEndsALongWait()
{
    const int port = FreeUdpPort();
    const std::vector<std::string> args = { "waker", "router.port=" + std::to_string(port), "Debug.level=ERROR" };
    DeviceClientProcess process(static_cast<int>(args.size()), Argv(args).data());
    if (process.Init() != 0)
        return false;
    process.HandleEvents(std::chrono::milliseconds(10));
    std::thread waker([&process] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        process.Wake();
    });
    const int result = process.HandleEvents(std::chrono::seconds(120));
    waker.join();
    return result == 0;
}

bool FakeDevice::SendFromLibrary(vireo::Message& message) { return m_impl->library->Send(message); }

bool FakeDevice::SendFromSystem(vireo::Message& message) { return m_impl->system->Send(message); }

void FakeDevice::PumpQuiet()
{
    for (int quiet = 0, round = 0; quiet < 10 && round < 2000; ++round)
        quiet = m_impl->PumpOnce() ? 0 : quiet + 1;
}

} // namespace sync_test
