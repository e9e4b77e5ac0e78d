#pragma once
// Ids of the property pages of the class library's sheet tests.

#define IDD_PAGE_NAME 310
#define IDD_PAGE_COUNT 311
#define IDD_PAGE_NOTES 312
#define IDC_PAGE_NAME 1101
#define IDC_PAGE_COUNT 1102
#define IDC_PAGE_SHOWN_COUNT 1103
#define IDC_PAGE_NOTES 1104
