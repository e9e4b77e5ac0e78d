// The steps a run executes, each on a fresh step object that lives for that step alone.

#include "sync/SyncSteps.h"

#include "sync/AlbumSync.h"
#include "sync/GroupSync.h"
#include "sync/PlaylistSync.h"
#include "sync/RadioSync.h"

namespace {

template<class StepClass> void Run(QVSyncDevice& device, bool toDevice)
{
    StepClass step(&device);
    // A step reports its own failures (an item skipped, the step ended); the run goes on either way.
    if (toDevice)
        step.SyncToDevice();
    else
        step.SyncFromDevice();
}

} // namespace

void RunSyncStep(QVSyncDevice& device, QVSyncDevice::Step step, bool toDevice)
{
    switch (step) {
    case QVSyncDevice::Step::Groups:
        Run<GroupSync>(device, toDevice);
        break;
    case QVSyncDevice::Step::Albums:
        Run<AlbumSync>(device, toDevice);
        break;
    case QVSyncDevice::Step::Radio:
        Run<RadioSync>(device, toDevice);
        break;
    case QVSyncDevice::Step::Playlists:
        Run<PlaylistSync>(device, toDevice);
        break;
    }
}
