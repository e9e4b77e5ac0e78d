#include "platform/base/ResourceRegistrar.h"

#include "platform/base/Modules.h"
#include "platform/base/ResourceRegistry.h"

namespace platform {

ResourceRegistrar::ResourceRegistrar(std::span<const ResourceEntry> entries)
    : m_entries(entries)
{
    if (const HMODULE module = ModuleFromAddress(entries.data()))
        ResourceRegistry::Instance().Add(module, entries);
}

ResourceRegistrar::~ResourceRegistrar()
{
    if (!m_entries.empty())
        ResourceRegistry::Instance().Remove(m_entries.data());
}

} // namespace platform
