#pragma once
// The program's resource and command ids, shared by its resource script and its code. Plain macros:
// the resource compiler reads this file too.

#define IDD_ABOUTBOX                    100
#define IDR_MAINFRAME                   128
#define IDB_ABOUT                       270
#define IDB_SPLASH                      298
#define IDS_STATUS_PROGRESS_PANE        203
#define IDS_ABOUT_NOTICE                2377
#define IDS_ABOUT_RIGHTS                2378
#define IDC_ABOUT_NOTICE                2377
#define IDC_ABOUT_RIGHTS                2378
#define IDS_WINSOCK_FAILED              1072
#define IDS_OLE_INIT_FAILED             32819
#define IDS_TRACK_INFORMATION           32875
#define IDS_TOOLBAR_DEFAULT             32876
#define IDS_DOCKING_WINDOW              32878

// Commands of the main menu (the shell's own; the class library's ids are written as numbers).
#define ID_INSTALLATION_REQUEST         101
#define ID_VIEW_CUSTOMIZE_TOOLBAR       200
#define ID_DETAIL_REBIND                1025
#define ID_FILE_OPEN_LIBRARY            32771
#define ID_FILE_CLOSE_LIBRARY           32772
#define ID_TOOLS_SEARCH_FOR_MUSIC_FILE  32773
#define ID_FILE_SYNCHRONIZE_LIBRARY     32774
#define ID_FILE_IMPORT_PLAYLIST         32776
#define ID_PLAYLIST_ADD_TAGGED_TRACKS   32779
#define ID_TOOLS_SEARCH_LIBRARY         32780
#define ID_FILE_IMPORT_MUSIC_FILE       32781
#define ID_MEDIA_ADD_STATION            32782
#define ID_TOOLS_ACCOUNT_MANAGEMENT     32785
#define ID_TOOLS_PREFERENCES            32786
#define ID_HELP_CHECK_FOR_UPDATE        32787
#define ID_HELP_TUNE_STEWARD            32789
#define ID_PLAYLIST_ADD_TRACK           32791
#define ID_MEDIA_DELETE_TRACK           32833
#define ID_PLAYLIST_REMOVE_TRACK        32834
#define ID_MEDIA_CHANGE_ALBUM           32835
#define ID_VIEW_REFRESH                 32836
#define ID_PLAYLIST_MOVE_UP             32882
#define ID_PLAYLIST_MOVE_DOWN           32883
#define ID_MEDIA_DELETE_STATION         32898
#define ID_MEDIA_RENAME_ALBUM           32899
#define ID_MEDIA_DELETE_ALBUM           32900
#define ID_MEDIA_DELETE_ARTIST          32901
#define ID_MEDIA_RENAME_ARTIST          32902
#define ID_MUSICGROUP_NEW               32903
#define ID_MUSICGROUP_RENAME            32904
#define ID_MUSICGROUP_DELETE            32905
#define ID_MUSICGROUP_ADD_ALBUM         32906
#define ID_MUSICGROUP_ADD_PLAYLIST      32907
#define ID_MUSICGROUP_REMOVE_ALBUM      32909
#define ID_MUSICGROUP_REMOVE_PLAYLIST   32910
#define ID_RADIOGROUP_NEW               32911
#define ID_RADIOGROUP_RENAME            32912
#define ID_RADIOGROUP_DELETE            32913
#define ID_RADIOGROUP_ADD_STATION       32914
#define ID_RADIOGROUP_REMOVE_STATION    32915
#define ID_PLAYLIST_DELETE              32916
#define ID_PLAYLIST_RENAME              32917
#define ID_PLAYLIST_NEW                 32918

// The record list: its tag state images, its context menus and their commands.
#define IDB_TAG_STATES                  317
#define IDR_TAGS_MENU                   318
#define IDR_TRACK_MENU                  265
#define IDR_STATION_MENU                294
#define IDR_FOLDERS_MENU                305
#define IDR_ALBUM_MENU                  286
#define IDR_GROUP_ALBUM_MENU            284
#define ID_TAGS_CLEAR_ALL               32938
#define ID_TAGS_SET_ALL                 32939
#define ID_FOLDERS_IMPORT_FILE          32931
#define ID_FOLDERS_IMPORT_TAGGED        32934
#define ID_FOLDERS_ADD_TAGGED_TO_ALBUM  32935
#define ID_FOLDERS_ALBUM_FROM_TAGGED    32936
#define ID_FOLDERS_ADD_FILE_TO_ALBUM    32937
#define ID_ALBUM_MOVE_TAGGED_TO_GROUP   32858
#define ID_ALBUM_DELETE_TAGGED          32863
#define ID_ALBUM_ADD_TAGGED_TO_GROUP    32864

// The library tree: its node images, its node labels and the menu texts its build looks for.
#define IDB_TREE_NODES                  249
#define IDS_TREE_FILE_MENU              2480
#define IDS_TREE_MEDIA_MENU             2482
#define IDS_TREE_RADIO_GROUP_MENU       2485
#define IDS_TREE_TOOLS_MENU             2487
#define IDS_TREE_NEW_GROUP              32783
#define IDS_TREE_MY_COMPUTER            32784
#define IDS_TREE_PLAYLISTS              32788
#define IDS_TREE_STATIONS               32790
#define IDS_TREE_GROUPS                 32793
#define IDS_TREE_ALBUMS                 32795
#define IDS_TREE_ARTISTS                32797
#define IDS_TREE_ALL                    32799
#define IDS_TREE_SEARCH_RESULTS         32801
#define IDS_TREE_NEW_PLAYLIST           32803
#define IDS_TREE_MUSIC                  32895
#define IDS_TREE_RADIO                  32896
