#include "platform/base/ModuleTable.h"

#include <dlfcn.h>
#include <link.h>

#include "platform/base/Debug.h"

namespace platform {

HMODULE ModuleBaseOf(void* loaderHandle)
{
    link_map* map = nullptr;
    if (!loaderHandle || dlinfo(loaderHandle, RTLD_DI_LINKMAP, &map) != 0 || !map)
        return nullptr;
    // The dynamic section lies inside the module, so the loader reports the module's base for it.
    Dl_info info {};
    if (map->l_ld && dladdr(map->l_ld, &info) && info.dli_fbase)
        return static_cast<HMODULE>(info.dli_fbase);
    return reinterpret_cast<HMODULE>(map->l_addr);
}

ModuleTable& ModuleTable::Instance()
{
    static ModuleTable table;
    return table;
}

HMODULE ModuleTable::Load(const std::string& nativePath)
{
    // The loader runs the library's initialisers, which may load modules themselves: no lock held here.
    void* handle = dlopen(nativePath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        OutputDebugStringA(("LoadLibrary: " + nativePath + ": " + (why ? why : "not loadable") + "\n").c_str());
        return nullptr;
    }
    const HMODULE base = ModuleBaseOf(handle);
    const auto key = reinterpret_cast<std::uintptr_t>(base);
    {
        std::lock_guard lock(m_mutex);
        auto [it, added] = m_modules.try_emplace(key);
        ++it->second.uses;
        if (added) {
            it->second.handle = handle;
            it->second.path = nativePath;
            return base;
        }
    }
    // Loaded already: the table keeps its one loader reference.
    dlclose(handle);
    return base;
}

bool ModuleTable::Release(HMODULE module)
{
    void* unload = nullptr;
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_modules.find(reinterpret_cast<std::uintptr_t>(module));
        if (it == m_modules.end())
            return false;
        if (--it->second.uses == 0) {
            unload = it->second.handle;
            m_modules.erase(it);
        }
    }
    // Finalisers may free other modules: no lock held here either.
    if (unload)
        dlclose(unload);
    return true;
}

void* ModuleTable::LoaderHandle(HMODULE module) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_modules.find(reinterpret_cast<std::uintptr_t>(module));
    return it == m_modules.end() ? nullptr : it->second.handle;
}

std::optional<std::string> ModuleTable::PathOf(HMODULE module) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_modules.find(reinterpret_cast<std::uintptr_t>(module));
    if (it == m_modules.end())
        return std::nullopt;
    return it->second.path;
}

} // namespace platform
