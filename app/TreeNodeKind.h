#pragma once
// The kinds of the library tree's nodes. The kind decides a node's image, its menu, whether it can be
// renamed, dragged or dropped on, how it is filled and refreshed, and which records the list shows when
// it is selected. The values are stored in the clipboard's node blocks and compared with numbers from
// the frame, so they never change.

enum TreeNodeKind : int {
    kindSearchResults = 1,   // the results of the last search; top level, first
    kindMusic = 2,           // the Music branch
    kindAll = 3,             // every track
    kindArtists = 4,         // the Artists branch
    kindAlbums = 5,          // the Albums branch
    kindGroupTrack = 6,      // a track in a music group; record id AlbumTrackID
    kindArtist = 7,          // an artist, known by its label (record id 0)
    kindAlbum = 8,           // an album; record id QVCDID
    kindCDAlbum = 9,         // an album made from a CD; record id QVCDID
    kindUnused = 10,         // no node of this kind is made
    kindRadio = 11,          // the Radio branch
    kindStations = 12,       // every radio station
    kindMusicGroups = 13,    // the music Groups branch
    kindMusicGroup = 14,     // a music group; record id GroupID of tGroup
    kindRadioGroups = 15,    // the radio Groups branch
    kindRadioGroup = 16,     // a radio group; record id GroupID of tIRadioGroup
    kindPlaylists = 17,      // the Playlists branch
    kindPlaylist = 18,       // a playlist; record id PlaylistID
    kindMyComputer = 19,     // the My Computer branch
    kindFixedDrive = 20,     // a fixed drive (also RAM disks and drives of unknown type)
    kindFolder = 21,         // a folder on a drive
    kindRemovableDrive = 22, // a removable drive
    kindCDRomDrive = 23,     // a CD-ROM drive
    kindNetworkDrive = 24,   // a network drive
};

// True for the drive kinds, whose folders are read when they are expanded.
constexpr bool IsDriveKind(int nKind)
{
    return nKind == kindFixedDrive || (nKind >= kindRemovableDrive && nKind <= kindNetworkDrive);
}
