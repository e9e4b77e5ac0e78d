#include "platform/base/Modules.h"

#include <dlfcn.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/base/CaseFold.h"
#include "platform/base/ModuleTable.h"
#include "platform/base/Paths.h"
#include "platform/base/WinError.h"

namespace {

std::atomic<UINT> g_errorMode { 0 };

std::string RealPath(const std::string& path)
{
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

std::string ExecutablePath()
{
    std::string path(PATH_MAX, '\0');
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    path.resize(length > 0 ? static_cast<std::size_t>(length) : 0);
    return path;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && platform::EqualsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

// The file name a module name stands for: "X.dll"/"X.ocx" and "X" become "X.so", "X." becomes "X".
std::string LibraryFileName(std::string_view name)
{
    if (EndsWithNoCase(name, ".dll") || EndsWithNoCase(name, ".ocx"))
        return std::string(name.substr(0, name.size() - 4)) + ".so";
    if (!name.empty() && name.back() == '.')
        return std::string(name.substr(0, name.size() - 1));
    if (name.find('.') == std::string_view::npos)
        return std::string(name) + ".so";
    return std::string(name);
}

bool HasFolder(std::string_view name)
{
    return name.find_first_of("\\/") != std::string_view::npos || (name.size() >= 2 && name[1] == ':');
}

bool IsFile(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The POSIX path of the library a module name or path stands for, when that file exists.
std::optional<std::string> FindLibrary(std::string_view name)
{
    const std::size_t separator = name.find_last_of("\\/");
    const std::string_view leaf = separator == std::string_view::npos ? name : name.substr(separator + 1);
    const std::string fileName = LibraryFileName(leaf);
    if (HasFolder(name)) {
        const std::string mapped
            = platform::ToNativePath(std::string(name.substr(0, name.size() - leaf.size())) + fileName);
        if (!mapped.empty() && IsFile(mapped))
            return mapped;
        return std::nullopt;
    }
    for (const std::string& folder : { platform::ProgramFolder(), platform::PlatformLibraryFolder() }) {
        const std::string mapped = platform::ToNativePath(platform::ToProgramPath(folder) + "\\" + fileName);
        if (!mapped.empty() && IsFile(mapped))
            return mapped;
    }
    return std::nullopt;
}

struct LoadedObject {
    std::string path;
    HMODULE base { nullptr };
};

// Every object the loader has mapped (the executable first), with its real path and load base.
std::vector<LoadedObject> LoadedObjects()
{
    std::vector<LoadedObject> objects;
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void* data) {
            for (int i = 0; i < info->dlpi_phnum; ++i) {
                if (info->dlpi_phdr[i].p_type != PT_LOAD)
                    continue;
                Dl_info where {};
                const auto* first = reinterpret_cast<const void*>(info->dlpi_addr + info->dlpi_phdr[i].p_vaddr);
                if (!dladdr(first, &where) || !where.dli_fbase)
                    break;
                const bool executable = !info->dlpi_name || !*info->dlpi_name;
                auto* list = static_cast<std::vector<LoadedObject>*>(data);
                if (!executable || list->empty())
                    list->push_back({ executable ? ExecutablePath() : RealPath(info->dlpi_name),
                        static_cast<HMODULE>(where.dli_fbase) });
                break;
            }
            return 0;
        },
        &objects);
    return objects;
}

std::optional<std::string> ModulePath(HMODULE module)
{
    if (!module)
        return ExecutablePath();
    if (std::optional<std::string> path = platform::ModuleTable::Instance().PathOf(module))
        return RealPath(*path);
    for (const LoadedObject& object : LoadedObjects()) {
        if (object.base == module)
            return object.path;
    }
    return std::nullopt;
}

// A loader handle for a module, with the reference it took (released by the destructor) when the module
// was not loaded through LoadLibrary.
class LoaderReference {
public:
    explicit LoaderReference(HMODULE module)
    {
        if ((m_handle = platform::ModuleTable::Instance().LoaderHandle(module)))
            return;
        if (!module || module == GetModuleHandle(nullptr)) {
            m_handle = m_owned = dlopen(nullptr, RTLD_NOW);
            return;
        }
        if (const std::optional<std::string> path = ModulePath(module))
            m_handle = m_owned = dlopen(path->c_str(), RTLD_NOW | RTLD_NOLOAD);
    }
    ~LoaderReference()
    {
        if (m_owned)
            dlclose(m_owned);
    }
    LoaderReference(const LoaderReference&) = delete;
    LoaderReference& operator=(const LoaderReference&) = delete;

    void* get() const { return m_handle; }

private:
    void* m_handle { nullptr };
    void* m_owned { nullptr };
};

} // namespace

HMODULE LoadLibrary(LPCSTR lpLibFileName)
{
    if (!lpLibFileName || !*lpLibFileName) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::optional<std::string> path = FindLibrary(lpLibFileName);
    HMODULE module = path ? platform::ModuleTable::Instance().Load(*path) : nullptr;
    if (!module)
        SetLastError(ERROR_MOD_NOT_FOUND);
    return module;
}

HMODULE LoadLibraryEx(LPCSTR lpLibFileName, HANDLE hFile, DWORD)
{
    if (hFile) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return LoadLibrary(lpLibFileName);
}

FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    const HMODULE module = hModule ? hModule : GetModuleHandle(nullptr);
    const std::string symbol = IS_INTRESOURCE(lpProcName)
        ? "ordinal_" + std::to_string(reinterpret_cast<UINT_PTR>(lpProcName))
        : std::string(lpProcName);
    const LoaderReference loader(module);
    void* address = loader.get() ? dlsym(loader.get(), symbol.c_str()) : nullptr;
    // The loader also searches the module's dependencies; only the module's own exports count.
    Dl_info where {};
    if (!address || !dladdr(address, &where) || where.dli_fbase != static_cast<void*>(module)) {
        SetLastError(loader.get() ? ERROR_PROC_NOT_FOUND : ERROR_MOD_NOT_FOUND);
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(address);
}

BOOL FreeLibrary(HMODULE hModule)
{
    if (!hModule || !platform::ModuleTable::Instance().Release(hModule)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return TRUE;
}

HMODULE GetModuleHandle(LPCSTR lpModuleName)
{
    std::vector<LoadedObject> objects = LoadedObjects();
    if (!lpModuleName)
        return objects.empty() ? nullptr : objects.front().base;

    const std::string_view name(lpModuleName);
    if (HasFolder(name)) {
        if (const std::optional<std::string> path = FindLibrary(name)) {
            const std::string wanted = RealPath(*path);
            for (const LoadedObject& object : objects) {
                if (object.path == wanted)
                    return object.base;
            }
        }
    } else {
        const std::string fileName = LibraryFileName(name);
        // The executable has no extension: "Program.exe" names it too.
        const std::string_view bare = EndsWithNoCase(name, ".exe") ? name.substr(0, name.size() - 4) : name;
        for (const LoadedObject& object : objects) {
            const std::string_view leaf = std::string_view(object.path).substr(object.path.find_last_of('/') + 1);
            if (platform::EqualsNoCase(leaf, fileName) || platform::EqualsNoCase(leaf, bare))
                return object.base;
        }
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

DWORD GetModuleFileName(HMODULE hModule, LPSTR lpFilename, DWORD nSize)
{
    if (!lpFilename && nSize > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::optional<std::string> path = ModulePath(hModule);
    if (!path || path->empty()) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    const std::string text = platform::ToProgramPath(*path);
    if (text.size() < nSize) {
        std::memcpy(lpFilename, text.c_str(), text.size() + 1);
        return static_cast<DWORD>(text.size());
    }
    if (nSize > 0) {
        std::size_t length = nSize - 1;
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            --length;
        std::memcpy(lpFilename, text.data(), length);
        lpFilename[length] = '\0';
    }
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return nSize;
}

UINT SetErrorMode(UINT uMode) { return g_errorMode.exchange(uMode); }

namespace platform {

HMODULE ModuleFromAddress(const void* address)
{
    Dl_info info {};
    if (!address || !dladdr(address, &info))
        return nullptr;
    return static_cast<HMODULE>(info.dli_fbase);
}

std::string ProgramFolder() { return FolderOf(ExecutablePath()); }

std::string PlatformLibraryFolder()
{
    Dl_info info {};
    if (!dladdr(reinterpret_cast<const void*>(&SetErrorMode), &info) || !info.dli_fname)
        return ProgramFolder();
    return FolderOf(RealPath(info.dli_fname));
}

} // namespace platform
