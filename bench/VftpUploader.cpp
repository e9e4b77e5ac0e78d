#include "bench/VftpUploader.h"

#include <vector>

#include "vireo/Process.h"

class VftpUploader::Process : public vireo::Process {
public:
    using vireo::Process::Process;

    void Register() { RegisterCommand("Process.connected", this, &Process::OnConnected); }
    void OnTransferComplete(int transferId, int status) override
    {
        vireo::Process::OnTransferComplete(transferId, status);
        lastStatus = status;
        ++completed;
    }

    bool connected { false };
    int completed { 0 };
    int lastStatus { 0 };

private:
    bool OnConnected(vireo::Message message)
    {
        connected = true;
        return OnProcessConnected(std::move(message));
    }
};

VftpUploader::VftpUploader(int routerPort, int gapMilliseconds)
{
    std::vector<std::string> args { "BareUploader", "router.name=System", "router.port=" + std::to_string(routerPort),
        "router.host=127.0.0.1", "Debug.level=ERROR" };
    if (gapMilliseconds >= 0) {
        args.push_back(std::string(vireo::kInterMessageGapKey) + "=" + std::to_string(gapMilliseconds));
        args.push_back(std::string(vireo::kInterFragmentGapKey) + "=" + std::to_string(gapMilliseconds));
    }
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    m_process = std::make_unique<Process>(static_cast<int>(argv.size()), argv.data());
    m_process->Register();
}

VftpUploader::~VftpUploader() = default;

bool VftpUploader::Start()
{
    if (m_process->Init() != 0)
        return false;
    for (int slice = 0; slice < 50 && !m_process->connected; ++slice)
        m_process->HandleEvents(ACE_Time_Value(0, 100'000));
    return m_process->connected;
}

bool VftpUploader::Put(const std::string& localPath, const std::string& devicePath)
{
    const int before = m_process->completed;
    if (m_process->PutFile("System", localPath, devicePath, true) == 0)
        return false;
    while (m_process->completed == before)
        m_process->HandleEvents(ACE_Time_Value(1));
    return m_process->lastStatus == 0;
}
