#pragma once
// The synchronisation steps as a run executes them, each on a fresh step object bound to the device.

#include "sync/QVSyncDevice.h"

// Runs one step of a run, towards the device or from it, on the calling (worker) thread.
void RunSyncStep(QVSyncDevice& device, QVSyncDevice::Step step, bool toDevice);
