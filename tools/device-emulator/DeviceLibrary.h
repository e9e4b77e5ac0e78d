#pragma once
// The device's library: albums, playlists, music and radio groups and radio stations, each kept as
// its document in a file of the library folder (Database/...). The lists the device answers queries
// with are made from the items' keys. Every member may be used from any thread.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "tools/device-emulator/DeviceDocuments.h"

namespace emulator {

enum class ItemKind { Mp3Album, CdAlbum, Playlist, MusicGroup, RadioGroup, Station };

struct LibraryItem {
    ItemKind kind { ItemKind::Mp3Album };
    // Where the document lies below the device's root; also the item's key.
    std::string path;
    // The keys its list entry shows: artist and title, "Playlist" and name, group name, station name.
    std::string primaryKey;
    std::string secondaryKey;
    // The groups the item belongs to, for the queries by group.
    std::vector<std::string> groups;
    // Stations: the identifier that removals name.
    std::string identifier;
    std::string document;
};

// The keys of an item as its document states them; what a parser of incoming documents fills.
struct DocumentFacts {
    ItemKind kind { ItemKind::Mp3Album };
    std::string href;
    std::string primaryKey;
    std::string secondaryKey;
    std::vector<std::string> groups;
    std::string identifier;
};

class DeviceLibrary {
public:
    // The library of the folder; nothing is read or written yet.
    explicit DeviceLibrary(std::filesystem::path folder);

    // The folder given at construction.
    const std::filesystem::path& Folder() const { return m_folder; }

    // Adds an item made from its content, writes its document and returns its reference; empty
    // when the document cannot be written (the library is left as it was).
    std::string AddAlbum(const AlbumContent& album);
    std::string AddPlaylist(const PlaylistContent& playlist);
    std::string AddGroup(const GroupContent& group);
    std::string AddStation(const StationContent& station);

    // Stores a new item from a received document whose keys are known; its document is first given
    // the new reference by the callback. Returns the reference, empty when nothing was stored.
    std::string Create(
        const DocumentFacts& facts, const std::function<std::optional<std::string>(const std::string&)>& document);
    // Replaces the item that the reference names with a received document of the same kind; false
    // when there is no such item, the kinds differ or the document cannot be written.
    bool Change(const std::string& reference, const DocumentFacts& facts, const std::string& document);
    // Takes an item that was read from the library folder at start.
    bool Adopt(const std::string& path, const DocumentFacts& facts, const std::string& document);

    // The list documents: music items of an index ("All" albums and playlists, "Playlists", or a group
    // name), the music or radio groups, and the stations of an index ("All" or a group name).
    std::string MusicContainer(const std::string& index) const;
    std::string GroupContainer(bool radio) const;
    std::string StationContainer(const std::string& index) const;

    // The item a reference names (any of the reference forms), or none.
    std::optional<LibraryItem> Find(const std::string& reference) const;
    // Removes the item the reference names and its document file; false when there is none.
    bool Remove(const std::string& reference);
    // Removes the station with the identifier; false when there is none.
    bool RemoveStation(const std::string& identifier);
    // How many items of the kind the library holds.
    std::size_t Count(ItemKind kind) const;
    // Every item, in key order.
    std::vector<LibraryItem> Items() const;

    // The reference handed out for a path below the root.
    static std::string ReferenceOf(const std::string& path);
    // The folder below the root where documents of the kind are kept.
    static std::string KindFolder(ItemKind kind);

private:
    // A document path of the kind that no item and no file uses yet.
    std::string NewPath(ItemKind kind);
    static LibraryItem MakeItem(const DocumentFacts& facts, const std::string& path, std::string document);
    // Stores a new item whose document the writer makes for its reference; the reference or empty.
    std::string Add(ItemKind kind, const std::string& primaryKey, const std::string& secondaryKey,
        std::vector<std::string> groups, const std::string& identifier,
        const std::function<std::string(const std::string&)>& write);
    // Writes the item's document, then keeps the item; false (nothing kept) when the write fails.
    bool StoreLocked(LibraryItem item);
    // The list entries of the items the filter wants for the index, in key order.
    std::vector<ContainerEntry> Entries(bool (*wanted)(const LibraryItem&, const std::string&),
        const std::string& index) const;
    // The item key a reference names: its path below the root without a query.
    static std::string Key(const std::string& reference);

    const std::filesystem::path m_folder;
    mutable std::mutex m_mutex;
    std::map<std::string, LibraryItem> m_items;
    int m_lastNumber { 0 };
};

} // namespace emulator
