#include "vireo/Dispatcher.h"

namespace vireo {

std::unique_ptr<DispatchMethod>& Dispatcher::MethodSlot(MethodTable& table, const std::string& name)
{
    return table[name];
}

DispatchMethod* Dispatcher::FindMethod(const MethodTable& table, const std::string& name)
{
    const auto it = table.find(name);
    return it == table.end() ? nullptr : it->second.get();
}

} // namespace vireo
