// Ids of the dialogs the window-manager tests compile from DialogTest.rc.
#define IDD_FORM 100
#define IDD_LISTS 101
#define IDC_NAME 1001
#define IDC_COUNT 1002
#define IDC_SHUFFLE 1003
#define IDC_LOW 1004
#define IDC_MID 1005
#define IDC_HIGH 1006
#define IDC_APPLY 1007
#define IDC_NAMELABEL 1008
#define IDC_SONGS 1010
#define IDC_GENRE 1011
#define IDC_MOOD 1012
#define IDC_PICKS 1013
#define IDD_MENUED 102
#define IDM_FORM 200
