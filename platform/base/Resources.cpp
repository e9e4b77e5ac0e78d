#include "platform/base/Resources.h"

#include <cstring>

#include "platform/base/Modules.h"
#include "platform/base/ResourceRegistry.h"
#include "platform/base/WinError.h"

namespace {

HMODULE ModuleOrExecutable(HMODULE module)
{
    // The executable's base never changes; looking it up walks every loaded object, so it is done once.
    static const HMODULE executable = GetModuleHandle(nullptr);
    return module ? module : executable;
}

HRSRC Find(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, std::optional<LANGID> language)
{
    const auto type = platform::ResourceKey::From(lpType);
    const auto name = platform::ResourceKey::From(lpName);
    if (!type || !name) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const auto found = platform::ResourceRegistry::Instance().Find(ModuleOrExecutable(hModule), *type, *name, language);
    if (!found.entry) {
        SetLastError(found.error);
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(const_cast<platform::ResourceEntry*>(found.entry));
}

// The byte count of the longest prefix of `text` that fits in `room` bytes and ends on a character boundary.
std::size_t Utf8Prefix(std::string_view text, std::size_t room)
{
    if (text.size() <= room)
        return text.size();
    std::size_t n = room;
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return n;
}

} // namespace

HRSRC FindResource(HMODULE hModule, LPCSTR lpName, LPCSTR lpType)
{
    return Find(hModule, lpType, lpName, std::nullopt);
}

HRSRC FindResourceEx(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage)
{
    return Find(hModule, lpType, lpName, wLanguage);
}

HGLOBAL LoadResource(HMODULE, HRSRC hResInfo)
{
    // A resource handle is checked against every loaded module's table, so that a stale or foreign
    // pointer gives an error instead of a read through it.
    const platform::ResourceEntry* entry = platform::ResourceRegistry::Instance().EntryOf(hResInfo);
    if (!entry) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    // An empty resource still loads; its data address is a valid one with nothing to read.
    static const BYTE kEmpty = 0;
    return const_cast<BYTE*>(entry->data ? entry->data : &kEmpty);
}

LPVOID LockResource(HGLOBAL hResData) { return hResData; }

DWORD SizeofResource(HMODULE, HRSRC hResInfo)
{
    const platform::ResourceEntry* entry = platform::ResourceRegistry::Instance().EntryOf(hResInfo);
    if (!entry) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return entry->size;
}

BOOL FreeResource(HGLOBAL) { return FALSE; }

int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax)
{
    if (!lpBuffer || cchBufferMax < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const auto text = platform::ResourceRegistry::Instance().String(ModuleOrExecutable(hInstance), uID);
    if (cchBufferMax == 0) {
        const char* address = text ? text->data() : nullptr;
        std::memcpy(lpBuffer, &address, sizeof address);
        return text ? static_cast<int>(text->size()) : 0;
    }
    if (!text) {
        lpBuffer[0] = '\0';
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    const std::size_t n = Utf8Prefix(*text, static_cast<std::size_t>(cchBufferMax) - 1);
    std::memcpy(lpBuffer, text->data(), n);
    lpBuffer[n] = '\0';
    return static_cast<int>(n);
}
