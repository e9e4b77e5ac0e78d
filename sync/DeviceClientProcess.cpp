#include "sync/DeviceClientProcess.h"

#include <ace/Init_ACE.h>

#include "vireo/WallClock.h"

std::unique_ptr<DeviceClientLink> DeviceClientLink::Create(int argc, const char* const* argv)
{
    return std::make_unique<DeviceClientProcess>(argc, argv);
}

DeviceClientProcess::DeviceClientProcess(int argc, const char* const* argv)
    : Process(argc, argv)
{
    // The component names its log threshold among the arguments ("Debug.level").
    ApplyLogSettings();
}

void DeviceClientProcess::StartNetworking() { ACE::init(); }

void DeviceClientProcess::StopNetworking() { ACE::fini(); }

int DeviceClientProcess::HandleEvents(std::chrono::milliseconds wait)
{
    const auto ms = wait.count() < 0 ? 0 : wait.count();
    return Process::HandleEvents(ACE_Time_Value(static_cast<time_t>(ms / 1000), static_cast<suseconds_t>(ms % 1000 * 1000)));
}

void DeviceClientProcess::Pause(std::chrono::milliseconds time) { vireo::SleepMilliseconds(time.count()); }

void DeviceClientProcess::OnDiscovered(vireo::AttributeValueMap& attributes)
{
    Process::OnDiscovered(attributes);
    if (m_listener)
        m_listener->OnDiscovered(attributes);
}

void DeviceClientProcess::OnTransferComplete(int transferId, int status)
{
    Process::OnTransferComplete(transferId, status);
    if (m_listener)
        m_listener->OnTransferComplete(transferId, status);
}
