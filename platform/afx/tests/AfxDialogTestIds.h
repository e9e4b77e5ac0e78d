#pragma once
// Ids of the dialogs of the class library's dialog tests.

#define IDD_SETTINGS 300
#define IDD_MISSING 399
#define IDC_NAME 1001
#define IDC_COUNT 1002
#define IDC_SHUFFLE 1003
#define IDC_LOW 1004
#define IDC_MID 1005
#define IDC_HIGH 1006
#define IDC_GENRE 1007
#define IDC_VOLUME 1008
