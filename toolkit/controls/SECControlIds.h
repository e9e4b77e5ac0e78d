#pragma once
// The fixed numbers of the toolkit's controls: the resources their script (SECControls.rc) holds and
// the ids of the windows they make.

// The classic file dialog reduced to folders and drives that the directory chooser shows.
#define IDD_SEC_DIRSELECT 2000

// The buttons of a list-box editor's header, in the order New, Delete, Move Up, Move Down.
#define IDB_SEC_LBEDIT_NEW 20516
#define IDB_SEC_LBEDIT_DELETE 20517
#define IDB_SEC_LBEDIT_UP 20518
#define IDB_SEC_LBEDIT_DOWN 20519

// The check mark of checked menu items without an image, drawn in the button colours.
#define IDB_SEC_MENUCHECK 20525

// Tooltips of those buttons, in the same order.
#define IDS_SEC_LBEDIT_NEW 20531
#define IDS_SEC_LBEDIT_DELETE 20532
#define IDS_SEC_LBEDIT_UP 20533
#define IDS_SEC_LBEDIT_DOWN 20534

// The name the directory chooser leaves in its hidden name field, so that OK takes the folder shown.
#define IDS_SEC_NOCLOSE 20624
// The title of the directory chooser.
#define IDS_SEC_SELECTDIR 20625

// Customisable toolbars: the menu bar's title, and the title of a new toolbar of the user's, which
// takes its number.
#define IDS_SEC_MENUBAR_TITLE 20619
#define IDS_SEC_TOOLBAR_TITLE 20674
// The cursor of a toolbar button being copied by dragging it with Ctrl held: an arrow with a plus.
#define IDC_SEC_COPYDRAG 20691
