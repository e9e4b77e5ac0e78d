// Reads arbitrary texts as the documents a device answers with (album, playlist and station lists,
// album, playlist, station and group documents): whatever a device sends, reading it may not crash,
// leak or hang.

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/xml/fuzz/support/FuzzDocument.h"
#include "sync/AlbumList.h"
#include "sync/GroupRecord.h"
#include "sync/PlaylistList.h"
#include "sync/RadioList.h"
#include "sync/SyncRunState.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    platform::xml_fuzz::InitializeXml();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    bool loaded = false;
    const IXMLDOMDocument2Ptr document = platform::xml_fuzz::LoadDocument(text, false, loaded);
    if (!loaded)
        return 0;
    SyncRunState::Reset();
    AlbumList albums;
    albums.ParseItems(document);
    PlaylistList playlists;
    playlists.ParseItems(document);
    RadioList radios;
    radios.ParseItems(document);

    IXMLDOMElementPtr root;
    if (FAILED(document->get_documentElement(&root)) || !root)
        return 0;
    AlbumRecord album;
    album.ParseCdInfo(root);
    PlaylistRecord playlist;
    playlist.ParseSongListInfo(root);
    RadioRecord radio;
    radio.ParseRadioInfo(root);
    GroupRecord group;
    group.ParseGroupInfo(root);
    return 0;
}
