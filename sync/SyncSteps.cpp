// The steps a run executes. The step classes join here as they are built; until then a step runs
// nothing and the run goes straight on to the next one.

#include "sync/SyncSteps.h"

void RunSyncStep(QVSyncDevice&, QVSyncDevice::Step, bool) { }
