#include "tools/device-emulator/DeviceDocuments.h"

namespace emulator {

namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
// Item documents name their document type on the maker's server; nothing ever fetches it.
constexpr const char* kDocumentTypeBase = "http://www.aldercrest.example/vireo/";

std::string Opening(const std::string& root, const std::string& attributes)
{
    return std::string(kDeclaration) + "<!DOCTYPE " + root + " SYSTEM \"" + kDocumentTypeBase + root + ".dtd\">\n<"
        + root + attributes + ">\n";
}

std::string Attribute(const std::string& name, const std::string& value)
{
    return " " + name + "=\"" + EscapeXml(value) + "\"";
}

std::string Element(const std::string& name, const std::string& text, int indent = 1)
{
    return std::string(static_cast<std::size_t>(indent) * 2, ' ') + "<" + name + ">" + EscapeXml(text) + "</" + name
        + ">\n";
}

std::string Groups(const std::vector<std::string>& groups)
{
    std::string text;
    for (const std::string& group : groups)
        text += Element("group", group);
    return text;
}

std::string Track(const TrackContent& track, bool withBitrate, bool withMeta)
{
    std::string text = "  <track" + Attribute("number", std::to_string(track.number))
        + Attribute("length", std::to_string(track.length));
    if (withBitrate)
        text += Attribute("bitrate", std::to_string(track.bitrate));
    // Album files always name their file, even while it is still to come; a CD track has none.
    if (withBitrate || withMeta || !track.href.empty())
        text += Attribute("href", track.href);
    if (withMeta)
        text += Attribute("meta", track.meta);
    return text + ">" + EscapeXml(track.title) + "</track>\n";
}

} // namespace

std::string EscapeXml(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&apos;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string ContainerDocument(const std::vector<ContainerEntry>& entries)
{
    std::string text = std::string(kDeclaration) + "<container>\n";
    int label = 0;
    for (const ContainerEntry& entry : entries) {
        text += "  <item" + Attribute("label", std::to_string(++label)) + "><ref" + Attribute("href", entry.href)
            + Attribute("primarykey", entry.primaryKey) + Attribute("secondarykey", entry.secondaryKey)
            + "/></item>\n";
    }
    return text + "</container>\n";
}

std::string AlbumDocument(const AlbumContent& album, const std::string& href)
{
    const std::string root = album.cd ? "cdinfo" : "mp3info";
    std::string text = Opening(root, Attribute("href", href));
    if (album.cd)
        text += "  <rsrc" + Attribute("href", album.resource) + "/>\n";
    text += Element("toc", album.toc) + Element("artist", album.artist) + Element("title", album.title)
        + Element("titlesort", album.titleSort) + Element("label", album.label) + Element("year", album.year)
        + Element("coverart", album.coverArt) + Groups(album.groups);
    for (const TrackContent& track : album.tracks)
        text += Track(track, !album.cd, false);
    return text + "</" + root + ">\n";
}

std::string PlaylistDocument(const PlaylistContent& playlist, const std::string& href)
{
    std::string text = Opening("songlistinfo", Attribute("href", href) + Attribute("version", "1.0"));
    text += Element("title", playlist.name) + Element("coverart", playlist.coverArt) + Groups(playlist.groups);
    for (const TrackContent& track : playlist.tracks)
        text += Track(track, false, true);
    return text + "</songlistinfo>\n";
}

std::string GroupDocument(const GroupContent& group, const std::string& href)
{
    // A group is the library query of its name.
    const std::string resource = "vqp://localhost/Library?index=" + group.name
        + (group.radio ? "#Radio.query" : "#Music.query");
    std::string text = Opening("groupinfo", Attribute("href", href) + Attribute("version", "1.0"));
    text += Element("name", group.name) + Element("count", std::to_string(group.count)) + Element("resource", resource)
        + Element("coverart", group.coverArt);
    return text + "</groupinfo>\n";
}

std::string StationDocument(const StationContent& station, const std::string& href)
{
    std::string text = Opening("radioinfo", Attribute("href", href));
    text += Element("identifier", station.identifier) + Element("name", station.name)
        + Element("resource", station.resource) + Element("call", station.call) + Element("location", station.location)
        + Groups(station.groups) + "  <icon" + Attribute("href", station.icon) + "/>\n";
    text += "  <internet>\n" + Element("href", station.url, 2) + Element("urlno", std::to_string(station.urlNumber), 2)
        + Element("bandwidth", std::to_string(station.bandwidth), 2) + Element("status", station.status, 2)
        + Element("streamtype", std::to_string(station.streamType), 2) + Element("stereo", station.stereo, 2)
        + Element("strength", std::to_string(station.strength), 2) + "  </internet>\n";
    return text + "</radioinfo>\n";
}

} // namespace emulator
