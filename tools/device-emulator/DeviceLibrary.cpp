#include "tools/device-emulator/DeviceLibrary.h"

#include <algorithm>

#include "platform/base/AtomicFile.h"
#include "tools/device-emulator/DevicePaths.h"

namespace emulator {

namespace fs = std::filesystem;

namespace {

constexpr const char* kAll = "All";
constexpr const char* kPlaylists = "Playlists";
constexpr const char* kPlaylistKey = "Playlist";

bool IsAlbumKind(ItemKind kind) { return kind == ItemKind::Mp3Album || kind == ItemKind::CdAlbum; }

bool IsAlbum(const LibraryItem& item) { return IsAlbumKind(item.kind); }

bool InGroup(const LibraryItem& item, const std::string& group)
{
    return std::find(item.groups.begin(), item.groups.end(), group) != item.groups.end();
}

bool IsMusicOf(const LibraryItem& item, const std::string& index)
{
    if (!IsAlbum(item) && item.kind != ItemKind::Playlist)
        return false;
    if (index == kAll)
        return true;
    if (index == kPlaylists)
        return item.kind == ItemKind::Playlist;
    return InGroup(item, index);
}

bool IsMusicGroup(const LibraryItem& item, const std::string&) { return item.kind == ItemKind::MusicGroup; }

bool IsRadioGroup(const LibraryItem& item, const std::string&) { return item.kind == ItemKind::RadioGroup; }

bool IsStationOf(const LibraryItem& item, const std::string& index)
{
    return item.kind == ItemKind::Station && (index == kAll || InGroup(item, index));
}

const char* KindPrefix(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Mp3Album: return "A";
    case ItemKind::CdAlbum: return "C";
    case ItemKind::Playlist: return "P";
    case ItemKind::MusicGroup: return "G";
    case ItemKind::RadioGroup: return "H";
    case ItemKind::Station: return "R";
    }
    return "X";
}

// The number in a document file name such as "A12.xml"; 0 when it has none.
int NumberOfFile(const std::string& path)
{
    const std::string name = fs::path(path).stem().string();
    if (name.size() < 2)
        return 0;
    int number = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || number > 100'000'000)
            return 0;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

} // namespace

DeviceLibrary::DeviceLibrary(fs::path folder)
    : m_folder(std::move(folder))
{
}

std::string DeviceLibrary::ReferenceOf(const std::string& path) { return DeviceReference(path); }

std::string DeviceLibrary::KindFolder(ItemKind kind)
{
    switch (kind) {
    case ItemKind::Mp3Album: return "Database/Music/MP3s";
    case ItemKind::CdAlbum: return "Database/Music/CDs";
    case ItemKind::Playlist: return "Database/Playlists";
    case ItemKind::MusicGroup: return "Database/Groups/Music";
    case ItemKind::RadioGroup: return "Database/Groups/Radio";
    case ItemKind::Station: return "Database/Radio";
    }
    return "Database";
}

std::string DeviceLibrary::Key(const std::string& reference)
{
    // A reference may carry a query ("?type=cd") that names a view of the same document.
    std::string path = DevicePath(reference);
    const std::size_t query = path.find('?');
    if (query != std::string::npos)
        path.erase(query);
    return path;
}

std::string DeviceLibrary::NewPath(ItemKind kind)
{
    for (;;) {
        const std::string path = KindFolder(kind) + "/" + KindPrefix(kind) + std::to_string(++m_lastNumber) + ".xml";
        std::error_code error;
        if (!m_items.contains(path) && !fs::exists(m_folder / path, error))
            return path;
    }
}

LibraryItem DeviceLibrary::MakeItem(const DocumentFacts& facts, const std::string& path, std::string document)
{
    LibraryItem item;
    item.kind = facts.kind;
    item.path = path;
    item.primaryKey = facts.primaryKey;
    item.secondaryKey = facts.secondaryKey;
    item.groups = facts.groups;
    item.identifier = facts.identifier;
    item.document = std::move(document);
    return item;
}

bool DeviceLibrary::StoreLocked(LibraryItem item)
{
    const fs::path file = m_folder / item.path;
    std::error_code error;
    fs::create_directories(file.parent_path(), error);
    // The emulated device keeps its library across its own restarts, not across a crash of the machine:
    // waiting for the disk would hold every answer queued behind a create or change.
    if (error || platform::WriteFileAtomically(file, item.document, platform::WriteDurability::Unsynced) != 0)
        return false;
    const std::string key = item.path;
    m_items[key] = std::move(item);
    return true;
}

std::string DeviceLibrary::Add(ItemKind kind, const std::string& primaryKey, const std::string& secondaryKey,
    std::vector<std::string> groups, const std::string& identifier,
    const std::function<std::string(const std::string&)>& write)
{
    std::lock_guard lock(m_mutex);
    LibraryItem item;
    item.kind = kind;
    item.path = NewPath(kind);
    item.primaryKey = primaryKey;
    item.secondaryKey = secondaryKey;
    item.groups = std::move(groups);
    item.identifier = identifier;
    item.document = write(ReferenceOf(item.path));
    const std::string reference = ReferenceOf(item.path);
    return StoreLocked(std::move(item)) ? reference : std::string();
}

std::string DeviceLibrary::AddAlbum(const AlbumContent& album)
{
    return Add(album.cd ? ItemKind::CdAlbum : ItemKind::Mp3Album, album.artist, album.title, album.groups, {},
        [&](const std::string& href) { return AlbumDocument(album, href); });
}

std::string DeviceLibrary::AddPlaylist(const PlaylistContent& playlist)
{
    return Add(ItemKind::Playlist, kPlaylistKey, playlist.name, playlist.groups, {},
        [&](const std::string& href) { return PlaylistDocument(playlist, href); });
}

std::string DeviceLibrary::AddGroup(const GroupContent& group)
{
    return Add(group.radio ? ItemKind::RadioGroup : ItemKind::MusicGroup, group.name, group.name, {}, {},
        [&](const std::string& href) { return GroupDocument(group, href); });
}

std::string DeviceLibrary::AddStation(const StationContent& station)
{
    return Add(ItemKind::Station, station.name, station.identifier, station.groups, station.identifier,
        [&](const std::string& href) { return StationDocument(station, href); });
}

std::string DeviceLibrary::Create(
    const DocumentFacts& facts, const std::function<std::optional<std::string>(const std::string&)>& document)
{
    std::lock_guard lock(m_mutex);
    const std::string path = NewPath(facts.kind);
    std::optional<std::string> text = document(ReferenceOf(path));
    if (!text)
        return {};
    return StoreLocked(MakeItem(facts, path, std::move(*text))) ? ReferenceOf(path) : std::string();
}

bool DeviceLibrary::Change(const std::string& reference, const DocumentFacts& facts, const std::string& document)
{
    std::lock_guard lock(m_mutex);
    const auto item = m_items.find(Key(reference));
    if (item == m_items.end())
        return false;
    // Albums may turn from music files into a CD and back; nothing else changes its kind.
    const bool sameKind = item->second.kind == facts.kind || (IsAlbum(item->second) && IsAlbumKind(facts.kind));
    if (!sameKind)
        return false;
    return StoreLocked(MakeItem(facts, item->first, document));
}

bool DeviceLibrary::Adopt(const std::string& path, const DocumentFacts& facts, const std::string& document)
{
    std::lock_guard lock(m_mutex);
    if (path.empty() || m_items.contains(path))
        return false;
    m_items[path] = MakeItem(facts, path, document);
    m_lastNumber = std::max(m_lastNumber, NumberOfFile(path));
    return true;
}

std::vector<ContainerEntry> DeviceLibrary::Entries(
    bool (*wanted)(const LibraryItem&, const std::string&), const std::string& index) const
{
    std::lock_guard lock(m_mutex);
    std::vector<ContainerEntry> entries;
    for (const auto& [path, item] : m_items) {
        if (wanted(item, index))
            entries.push_back({ ReferenceOf(path), item.primaryKey, item.secondaryKey });
    }
    return entries;
}

std::string DeviceLibrary::MusicContainer(const std::string& index) const
{
    return ContainerDocument(Entries(&IsMusicOf, index));
}

std::string DeviceLibrary::GroupContainer(bool radio) const
{
    return ContainerDocument(Entries(radio ? &IsRadioGroup : &IsMusicGroup, {}));
}

std::string DeviceLibrary::StationContainer(const std::string& index) const
{
    return ContainerDocument(Entries(&IsStationOf, index));
}

std::optional<LibraryItem> DeviceLibrary::Find(const std::string& reference) const
{
    std::lock_guard lock(m_mutex);
    const auto item = m_items.find(Key(reference));
    if (item == m_items.end())
        return std::nullopt;
    return item->second;
}

bool DeviceLibrary::Remove(const std::string& reference)
{
    std::lock_guard lock(m_mutex);
    const auto item = m_items.find(Key(reference));
    if (item == m_items.end())
        return false;
    std::error_code error;
    fs::remove(m_folder / item->first, error);
    m_items.erase(item);
    return true;
}

bool DeviceLibrary::RemoveStation(const std::string& identifier)
{
    std::lock_guard lock(m_mutex);
    const auto item = std::find_if(m_items.begin(), m_items.end(), [&](const auto& entry) {
        return entry.second.kind == ItemKind::Station && entry.second.identifier == identifier;
    });
    if (identifier.empty() || item == m_items.end())
        return false;
    std::error_code error;
    fs::remove(m_folder / item->first, error);
    m_items.erase(item);
    return true;
}

std::size_t DeviceLibrary::Count(ItemKind kind) const
{
    std::lock_guard lock(m_mutex);
    return static_cast<std::size_t>(
        std::count_if(m_items.begin(), m_items.end(), [&](const auto& entry) { return entry.second.kind == kind; }));
}

std::vector<LibraryItem> DeviceLibrary::Items() const
{
    std::lock_guard lock(m_mutex);
    std::vector<LibraryItem> items;
    for (const auto& [path, item] : m_items)
        items.push_back(item);
    return items;
}

} // namespace emulator
