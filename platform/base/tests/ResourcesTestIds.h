#pragma once
// Ids of the resources compiled into the platform tests and their resource-only library.

#define IDS_ESCAPES 101
#define IDS_ADJACENT 102
#define IDS_SIZE 103
#define IDS_WIDE 104
#define IDS_MISSING_IN_BLOCK 105
#define IDS_BLOCK_END 207
#define IDS_BLOCK_START (IDS_BLOCK_END + 1)
#define IDS_LIBRARY_ONLY 300

#define IDR_TESTREGISTRY 101
#define IDR_RAWDATA 7
