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

// The toolbar customise sheet: the commands page, the dialog asking for a new toolbar's name, and the
// toolbars page; the label of the toolbars page's reset button for a default bar and for a user's bar.
#define IDD_SEC_TOOLBAR_COMMANDS 20509
#define IDD_SEC_NEWTOOLBAR 20511
#define IDD_SEC_TOOLBARS 20513
#define IDS_SEC_TOOLBAR_RESET 20536
#define IDS_SEC_TOOLBAR_DELETE 20537
// Their controls.
#define IDC_SEC_BUTTONS_GROUP 43093
#define IDC_SEC_TOOLBAR_LIST 43094
#define IDC_SEC_DESCRIPTION 43095
#define IDC_SEC_NEWTOOLBAR_NAME 43096
#define IDC_SEC_TOOLBAR_NAME_LABEL 43097
#define IDC_SEC_TOOLBAR_NEW 43098
#define IDC_SEC_TOOLBAR_RESET 43100
#define IDC_SEC_TOOLTIPS 43101
#define IDC_SEC_TOOLBAR_NAME 43102
#define IDC_SEC_LARGEBUTTONS 43103
#define IDC_SEC_COOLLOOK 43104
