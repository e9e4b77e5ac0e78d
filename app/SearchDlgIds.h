#pragma once
// The ids of the docking tab window and the search dialog, shared by their resource script and code.
// Plain macros: the resource compiler reads this file too.

#define IDD_SEARCH                      250
#define IDI_TAB_LIBRARY                 299
#define IDI_TAB_SEARCH                  300

#define IDC_SEARCH_STRING               1006
#define IDC_SEARCH_IN                   1010
#define IDC_SEARCH_LOCATION             1014
#define IDC_SEARCH_START                1016
#define IDC_SEARCH_STOP                 1019
#define IDC_SEARCH_RECURSIVE            1023
#define IDC_SEARCH_FILE_TYPE            2327
#define IDC_SEARCH_FIELD                2329
#define IDC_SEARCH_MATCH                2330
#define IDC_SEARCH_LOCATION_LABEL       2331
#define IDC_SEARCH_FOR_LABEL            2457
#define IDC_SEARCH_TYPE_LABEL           2458
#define IDC_SEARCH_STRING_LABEL         2459

// The label strings share their controls' ids; "Search" is also the search tab's label.
#define IDS_SEARCH_TAB                  1016
#define IDS_SEARCH_IN_LIBRARY           2489
#define IDS_SEARCH_ON_DISK              2490
#define IDS_SEARCH_NO_LOCATION          32811
#define IDS_SEARCH_NO_FILE              32813
#define IDS_LIBRARY_TAB                 32840
#define IDS_SEARCH_LOCATION             32844
#define IDS_SEARCH_FIELD                32846
