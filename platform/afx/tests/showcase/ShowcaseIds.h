#pragma once
// Resource ids of the showcase program. Standard commands appear in its resource script by value:
// 57600 File New, 57607 Print, 57609 Print Preview, 57649 New Window, 57650 Cascade, 57651 Tile,
// 57665 Exit, 59393 the status bar, 59392 the toolbar, 57345 the idle prompt.

#define IDR_SHOWCASE_MAIN 420
#define IDR_SHOWCASE_NOTES 421
#define IDR_SHOWCASE_ITEMS 422
#define IDD_SHOWCASE_GENERAL 430
#define IDD_SHOWCASE_LAYOUT 431
#define IDD_SHOWCASE_PRINTING 432
#define IDC_SHOWCASE_AUTHOR 1430
#define IDC_SHOWCASE_GRID 1431
#define IDC_SHOWCASE_LINES 1432
#define IDC_SHOWCASE_LINES_SPIN 1433
#define IDC_SHOWCASE_HEADER 1434
#define ID_SHOWCASE_OPTIONS 33792
#define ID_SHOWCASE_NEW_NOTES 33793
#define ID_SHOWCASE_NEW_ITEMS 33794
#define ID_SHOWCASE_GRID 33795
