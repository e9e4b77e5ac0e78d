#pragma once
// The resources of the toolkit's frames that their script (SECFrames.rc) holds, and the ids of the
// workspace dialog's controls; plain definitions, so that the resource compiler reads them too.

// Texts of the workspace manager.
#define IDS_SEC_WS_NONE 20685
#define IDS_SEC_WS_OPEN 20686
#define IDS_SEC_WS_FILES 20687
#define IDS_SEC_WS_ALLFILES 20688
#define IDS_SEC_WS_SAVE 20689
#define IDS_SEC_WS_INVALID 20690

// The workspace manager's dialog and its texts.
#define IDD_SEC_WORKSPACE 20502
#define IDC_SEC_WS_LIST 43072
#define IDC_SEC_WS_ACTIVE 43105
#define IDC_SEC_WS_OPEN 43001
#define IDC_SEC_WS_SAVE 43000
#define IDC_SEC_WS_HELP 9
#define IDC_SEC_WS_DONE 43053
#define IDS_SEC_WS_MANAGER 20665
#define IDS_SEC_WS_BADNAME 20666
#define IDS_SEC_WS_EXISTS 20667
#define IDS_SEC_WS_BADNAME2 20668
#define IDS_SEC_WS_EXISTS2 20669
#define IDS_SEC_WS_SAVENEW 20670
#define IDS_SEC_WS_HEADER 20671
#define IDS_SEC_WS_NOACTIVE 20672
#define IDS_SEC_WS_SELECT 20673
