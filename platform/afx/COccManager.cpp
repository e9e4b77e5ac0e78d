#include "platform/afx/COccManager.h"

#include <memory>

namespace {

std::unique_ptr<COccManager>& Manager()
{
    static std::unique_ptr<COccManager> manager;
    return manager;
}

} // namespace

void AfxEnableControlContainer(COccManager* pOccManager)
{
    if (pOccManager)
        Manager().reset(pOccManager);
    else if (!Manager())
        Manager() = std::make_unique<COccManager>();
}

COccManager* AfxGetOccManager() { return Manager().get(); }
