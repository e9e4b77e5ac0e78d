#include "platform/cddb/CdDatabase.h"

#include "platform/base/CaseFold.h"
#include "platform/base/HomeFolder.h"
#include "platform/base/Paths.h"
#include "platform/base/Registry.h"
#include "platform/cddb/CDDBControl.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

namespace platform::cddb {

namespace {

constexpr std::uintmax_t kMaxDiscFileSize = 1 << 20;
constexpr const char* kDriveFileName = "drive";

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string SettingText(const char* keyName, const char* valueName)
{
    HKEY key = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    DWORD type = 0;
    DWORD size = 0;
    std::string text;
    if (RegQueryValueEx(key, valueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ
        && size > 0) {
        text.resize(size);
        if (RegQueryValueEx(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size)
            != ERROR_SUCCESS)
            text.clear();
        text.resize(std::min<std::size_t>(text.find('\0'), text.size()));
    }
    RegCloseKey(key);
    return text;
}

std::optional<std::string> ReadSmallFile(const std::filesystem::path& path)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error) || std::filesystem::file_size(path, error) > kMaxDiscFileSize
        || error)
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream contents;
    contents << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return contents.str();
}

// The entries of a folder of the given kind in byte-wise name order, hidden ones left out.
std::vector<std::filesystem::path> SortedEntries(const std::filesystem::path& folder, bool folders)
{
    std::vector<std::filesystem::path> entries;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (it->path().filename().string().starts_with('.'))
            continue;
        std::error_code kindError;
        if (folders ? it->is_directory(kindError) : it->is_regular_file(kindError))
            entries.push_back(it->path());
    }
    std::sort(entries.begin(), entries.end());
    return entries;
}

} // namespace

CdDatabase CdDatabase::Configured()
{
    const std::string setting = SettingText(kCdDatabaseSettingsKey, kCdDatabaseFolderValue);
    if (setting.empty())
        return CdDatabase(platform::HomeFolder() / "cddb");
    const std::string native = platform::ToNativePath(setting);
    return CdDatabase(native.empty() ? std::filesystem::path(setting) : std::filesystem::path(native));
}

CdDatabase::CdDatabase(std::filesystem::path folder)
    : m_folder(std::move(folder))
{
}

std::optional<std::string> CdDatabase::DiscInDrive() const
{
    const std::optional<std::string> contents = ReadSmallFile(m_folder / kDriveFileName);
    if (!contents)
        return std::nullopt;
    std::istringstream words(*contents);
    std::string id;
    if (!(words >> id))
        return std::nullopt;
    return id;
}

std::optional<XmcdDisc> CdDatabase::FindById(std::string_view id) const
{
    if (Trimmed(id).empty())
        return std::nullopt;
    return FindFirst([&](const XmcdDisc& disc) { return disc.HasId(Trimmed(id)); });
}

std::optional<XmcdDisc> CdDatabase::FindByAlbum(std::string_view artist, std::string_view album) const
{
    artist = Trimmed(artist);
    album = Trimmed(album);
    if (album.empty())
        return std::nullopt;
    return FindFirst([&](const XmcdDisc& disc) {
        return platform::EqualsNoCase(disc.title, album)
            && (artist.empty() || platform::EqualsNoCase(disc.artist, artist));
    });
}

std::optional<XmcdDisc> CdDatabase::FindFirst(const std::function<bool(const XmcdDisc&)>& matches) const
{
    for (const std::filesystem::path& category : SortedEntries(m_folder, true)) {
        for (const std::filesystem::path& file : SortedEntries(category, false)) {
            const std::optional<std::string> contents = ReadSmallFile(file);
            if (!contents)
                continue;
            std::optional<XmcdDisc> disc = XmcdDisc::Parse(*contents, category.filename().string());
            if (disc && matches(*disc))
                return disc;
        }
    }
    return std::nullopt;
}

} // namespace platform::cddb
