#pragma once
// The documents the device describes its library with, written as text: the list document
// "container" and the item documents of albums, playlists, groups and radio stations. The item
// contents let a test or a start-up script fill a device without writing XML by hand.

#include <string>
#include <vector>

namespace emulator {

// One track of an album or a playlist.
struct TrackContent {
    int number { 0 };
    std::string title;
    int length { 0 };
    int bitrate { 0 };
    // The music file on the device ("Music/a.mp3"), or empty.
    std::string href;
    // Playlists: the album reference and track the entry stands for ("album#3").
    std::string meta;
};

struct AlbumContent {
    // A CD album (cdinfo) instead of an album of music files (mp3info).
    bool cd { false };
    std::string artist;
    std::string title;
    std::string titleSort;
    std::string label;
    std::string year;
    std::string coverArt;
    std::string toc;
    // CD albums: the drive or resource the disc plays from.
    std::string resource;
    std::vector<std::string> groups;
    std::vector<TrackContent> tracks;
};

struct PlaylistContent {
    std::string name;
    std::string coverArt;
    std::vector<std::string> groups;
    std::vector<TrackContent> tracks;
};

struct GroupContent {
    bool radio { false };
    std::string name;
    int count { 0 };
    std::string coverArt;
};

struct StationContent {
    std::string identifier;
    std::string name;
    std::string resource;
    std::string call;
    std::string location;
    std::vector<std::string> groups;
    std::string icon;
    std::string url;
    int urlNumber { 1 };
    int bandwidth { 0 };
    std::string status;
    int streamType { 0 };
    std::string stereo;
    int strength { 0 };
};

// One entry of a container document.
struct ContainerEntry {
    std::string href;
    std::string primaryKey;
    std::string secondaryKey;
};

// Text with the five XML special characters written as entities.
std::string EscapeXml(const std::string& text);

// A container document: one item per entry, labelled 1, 2, ... in order.
std::string ContainerDocument(const std::vector<ContainerEntry>& entries);
// Item documents under the given reference (the root's href).
std::string AlbumDocument(const AlbumContent& album, const std::string& href);
std::string PlaylistDocument(const PlaylistContent& playlist, const std::string& href);
std::string GroupDocument(const GroupContent& group, const std::string& href);
std::string StationDocument(const StationContent& station, const std::string& href);

} // namespace emulator
