#pragma once
// Ids of the resources compiled into the class library's tests and their resource-only library.

#define IDS_GREETING 101
#define IDS_ONLY_IN_PROGRAM 102
#define IDS_DATE_FORMAT 103
#define IDS_APP_TITLE 0xE000
#define IDR_PROGRAM_DATA 200
