#pragma once
// Ids of the print preview's bar and commands, shared by the class library's resource script
// (AfxPrint.rc) and its code. Plain macros: the resource compiler reads this file too.

// The preview bar's dialog template.
#define AFX_IDD_PREVIEW_TOOLBAR 30721

// The print preview's commands, which are also the ids of the bar's buttons.
#define AFX_ID_PREVIEW_CLOSE 0xE300
#define AFX_ID_PREVIEW_NUMPAGE 0xE301
#define AFX_ID_PREVIEW_NEXT 0xE302
#define AFX_ID_PREVIEW_PREV 0xE303
#define AFX_ID_PREVIEW_PRINT 0xE304
#define AFX_ID_PREVIEW_ZOOMIN 0xE305
#define AFX_ID_PREVIEW_ZOOMOUT 0xE306

// The texts of the one/two page button: what a press would show.
#define AFX_IDS_ONEPAGE 0xF035
#define AFX_IDS_TWOPAGE 0xF036
