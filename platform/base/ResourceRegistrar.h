#pragma once
// Hands a module's resource table to the platform while the module is loaded. The resource compiler
// puts one static registrar into each module it compiles a script for: its constructor runs when the
// executable starts or when a library is loaded, its destructor when the library is unloaded.

#include <span>

#include "platform/base/ResourceEntry.h"

namespace platform {

class ResourceRegistrar {
public:
    // A script without resources registers nothing.
    ResourceRegistrar() = default;
    // Registers `entries` under the load base of the module that holds them.
    explicit ResourceRegistrar(std::span<const ResourceEntry> entries);
    ~ResourceRegistrar();

    ResourceRegistrar(const ResourceRegistrar&) = delete;
    ResourceRegistrar& operator=(const ResourceRegistrar&) = delete;

private:
    std::span<const ResourceEntry> m_entries;
};

} // namespace platform
