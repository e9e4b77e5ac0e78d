#include <algorithm>
#include <cstring>
#include <string>

#include "platform/base/CaseFold.h"
#include "platform/base/CodePage.h"
#include "platform/base/FileApi.h"
#include "platform/base/FileInfo.h"
#include "platform/base/FindFile.h"
#include "platform/base/Paths.h"
#include "platform/base/WinError.h"
#include "platform/shell/ChooserWindow.h"
#include "platform/shell/ShlObj.h"
#include "platform/shell/SingleInterfaceObject.h"

namespace {

constexpr const char* kNamespaceRoot = "Z:\\";

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributes(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string WithSeparator(std::string path)
{
    if (path.empty() || !platform::IsPathSeparator(path.back()))
        path += '\\';
    return path;
}

// A folder's path as the shell hands it out: no trailing separator but at a drive's root.
std::string Bare(std::string path)
{
    while (path.size() > 3 && platform::IsPathSeparator(path.back()))
        path.pop_back();
    return path;
}

bool IsWithin(const std::string& path, const std::string& root)
{
    return path.size() >= root.size() && platform::EqualsNoCase(std::string_view(path).substr(0, root.size()), root);
}

// The folder browser on the chooser window: the list shows the sub-folders of the folder shown.
class FolderBrowserController final : public platform::ChooserController {
public:
    explicit FolderBrowserController(const BROWSEINFO& info)
        : m_info(info)
    {
        const std::string root = platform::PathOfItemList(info.pidlRoot);
        m_root = WithSeparator(root.empty() ? kNamespaceRoot : platform::FullProgramPath(root));
        m_folder = m_root;
    }

    const std::string& folder() const { return m_folder; }

    std::string heading() const override { return m_folder; }
    bool typesNames() const override { return false; }

    std::vector<platform::FolderEntry> entries() const override
    {
        std::vector<platform::FolderEntry> folders;
        WIN32_FIND_DATA data;
        HANDLE search = FindFirstFile((m_folder + "*").c_str(), &data);
        if (search == INVALID_HANDLE_VALUE)
            return folders;
        do {
            const std::string name = data.cFileName;
            if (!name.empty() && name.front() != '.' && (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                folders.push_back({ name, true });
        } while (FindNextFile(search, &data));
        FindClose(search);
        std::sort(folders.begin(), folders.end(),
            [](const platform::FolderEntry& a, const platform::FolderEntry& b) { return platform::LessNoCase()(a.name, b.name); });
        return folders;
    }

    bool take(HWND window, const std::string&, const platform::FolderEntry* entry, bool) override
    {
        if (!entry)
            return true; // Enter: the folder shown is the choice
        show(window, WithSeparator(m_folder + entry->name));
        return false;
    }

    void up() override
    {
        if (m_folder.size() <= m_root.size())
            return;
        std::string parent = Bare(m_folder);
        parent.erase(parent.find_last_of("\\/") + 1);
        show(m_window, parent);
    }

    void started(HWND window) override
    {
        m_window = window;
        if (m_info.lpfn)
            m_info.lpfn(window, BFFM_INITIALIZED, 0, m_info.lParam);
    }

    bool message(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == BFFM_SETSELECTION) {
            const std::string path = wParam ? std::string(lParam ? reinterpret_cast<LPCSTR>(lParam) : "")
                                            : platform::PathOfItemList(reinterpret_cast<LPCITEMIDLIST>(lParam));
            result = path.empty() ? FALSE : show(window, WithSeparator(platform::FullProgramPath(path)));
            return true;
        }
        if (message == BFFM_SETSTATUSTEXT || message == BFFM_ENABLEOK) {
            result = 0;
            return true;
        }
        return false;
    }

private:
    // Shows a folder within the root; false, keeping the one shown, for any other path.
    BOOL show(HWND window, const std::string& folder)
    {
        if (!IsWithin(folder, m_root) || !IsFolder(folder))
            return FALSE;
        m_folder = WithSeparator(platform::ExistingSpelling(folder));
        if (m_info.lpfn && window) {
            LPITEMIDLIST pidl = platform::MakeItemList(Bare(m_folder));
            m_info.lpfn(window, BFFM_SELCHANGED, reinterpret_cast<LPARAM>(pidl), m_info.lParam);
            ILFree(pidl);
        }
        return TRUE;
    }

    const BROWSEINFO& m_info;
    std::string m_root;
    std::string m_folder;
    HWND m_window { nullptr };
};

// The namespace's root: parses paths, offers nothing else.
class DesktopFolder final : public platform::SingleInterfaceObject<IShellFolder> {
public:
    HRESULT ParseDisplayName(HWND, IBindCtx*, LPOLESTR name, ULONG* eaten, LPITEMIDLIST* ppidl, ULONG* attributes) override
    {
        if (!ppidl)
            return E_INVALIDARG;
        *ppidl = nullptr;
        if (!name || !*name)
            return E_INVALIDARG;
        const std::u16string_view wide(name);
        const std::string path = Bare(platform::FullProgramPath(platform::Utf16ToUtf8(wide)));
        if (GetFileAttributes(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
        *ppidl = platform::MakeItemList(path);
        if (!*ppidl)
            return E_OUTOFMEMORY;
        if (eaten)
            *eaten = static_cast<ULONG>(wide.size());
        if (attributes)
            *attributes = 0;
        return S_OK;
    }
    HRESULT EnumObjects(HWND, DWORD, IEnumIDList**) override { return E_NOTIMPL; }
    HRESULT BindToObject(LPCITEMIDLIST, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT BindToStorage(LPCITEMIDLIST, IBindCtx*, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT CompareIDs(LPARAM, LPCITEMIDLIST, LPCITEMIDLIST) override { return E_NOTIMPL; }
    HRESULT CreateViewObject(HWND, REFIID, void**) override { return E_NOTIMPL; }
    HRESULT GetAttributesOf(UINT, LPCITEMIDLIST*, ULONG*) override { return E_NOTIMPL; }
    HRESULT GetUIObjectOf(HWND, UINT, LPCITEMIDLIST*, REFIID, UINT*, void**) override { return E_NOTIMPL; }
    HRESULT GetDisplayNameOf(LPCITEMIDLIST, DWORD, void*) override { return E_NOTIMPL; }
    HRESULT SetNameOf(HWND, LPCITEMIDLIST, LPCOLESTR, DWORD, LPITEMIDLIST*) override { return E_NOTIMPL; }

private:
    ~DesktopFolder() override = default;
};

} // namespace

namespace platform {

LPITEMIDLIST MakeItemList(const std::string& programPath)
{
    const size_t itemSize = sizeof(USHORT) + programPath.size() + 1;
    if (itemSize > 0xFFFF)
        return nullptr;
    auto* bytes = static_cast<BYTE*>(CoTaskMemAlloc(itemSize + sizeof(USHORT)));
    if (!bytes)
        return nullptr;
    const USHORT size = static_cast<USHORT>(itemSize);
    const USHORT end = 0;
    std::memcpy(bytes, &size, sizeof size);
    std::memcpy(bytes + sizeof size, programPath.c_str(), programPath.size() + 1);
    std::memcpy(bytes + itemSize, &end, sizeof end);
    return reinterpret_cast<LPITEMIDLIST>(bytes);
}

std::string PathOfItemList(LPCITEMIDLIST pidl)
{
    if (!pidl)
        return {};
    const auto* bytes = reinterpret_cast<const BYTE*>(pidl);
    USHORT size = 0;
    std::memcpy(&size, bytes, sizeof size);
    if (size <= sizeof size)
        return {};
    const auto* text = reinterpret_cast<const char*>(bytes + sizeof size);
    return std::string(text, strnlen(text, size - sizeof size));
}

} // namespace platform

LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO lpbi)
{
    if (!lpbi)
        return nullptr;
    FolderBrowserController controller(*lpbi);
    platform::ChooserWindow window(controller, lpbi->hwndOwner, lpbi->lpszTitle && *lpbi->lpszTitle ? lpbi->lpszTitle : "Browse for Folder", {});
    if (!window.run())
        return nullptr;
    const std::string chosen = Bare(controller.folder());
    if (lpbi->pszDisplayName) {
        const auto last = chosen.find_last_of('\\');
        std::string name = chosen.size() <= 3 ? chosen : chosen.substr(last + 1);
        const std::string_view cut = platform::CutUtf8(name, MAX_PATH - 1);
        std::memcpy(lpbi->pszDisplayName, cut.data(), cut.size());
        lpbi->pszDisplayName[cut.size()] = '\0';
    }
    return platform::MakeItemList(chosen);
}

BOOL SHGetPathFromIDList(LPCITEMIDLIST pidl, LPSTR pszPath)
{
    if (!pszPath)
        return FALSE;
    pszPath[0] = '\0';
    std::string path = platform::PathOfItemList(pidl);
    if (path.empty() && pidl)
        path = kNamespaceRoot;
    if (path.empty() || path.size() >= MAX_PATH)
        return FALSE;
    std::memcpy(pszPath, path.c_str(), path.size() + 1);
    return TRUE;
}

HRESULT SHGetMalloc(IMalloc** ppMalloc)
{
    return CoGetMalloc(1, ppMalloc);
}

void ILFree(LPITEMIDLIST pidl)
{
    CoTaskMemFree(pidl);
}

HRESULT SHGetDesktopFolder(IShellFolder** ppshf)
{
    if (!ppshf)
        return E_INVALIDARG;
    *ppshf = new DesktopFolder;
    return S_OK;
}
