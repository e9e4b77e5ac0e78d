// The start-up help library. The program calls its export number 2 once, before any window exists,
// with the help file's path and 1, and goes on only on a non-zero answer. Help needs no preparation
// here (the desktop's viewer opens the file when asked), so every start may go on.

#include "platform/base/WinTypes.h"

extern "C" int ordinal_2(LPCSTR, int)
{
    return 1;
}
