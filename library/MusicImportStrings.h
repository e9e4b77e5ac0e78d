#pragma once
// String-table ids of the music and playlist import; MusicImport.rc holds their texts.

#define IDS_NEW_ALBUM 32769
#define IDS_PLAYLIST_OPEN_FAILED 32827
#define IDS_PLAYLIST_READ_ERROR 32829
#define IDS_MUSIC_FILE_EXISTS 32861
#define IDS_MUSIC_FILE_COPY_FAILED 32865
#define IDS_IMPORTING_PLAYLIST 32867
#define IDS_ADDING_MP3_FILE 32869
