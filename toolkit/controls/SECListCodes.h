#pragma once
// The list control's own codes beside the list view's: its extended style bits and the hit flags it
// adds to the LVHT_ ones.

#include "platform/comctl/CommCtrl.h"

// The toolkit's own extended style bits.
constexpr DWORD LVXS_LABELTIPS = 0x00100000;
constexpr DWORD LVXS_HORZGRIDLINES = 0x00400000;
constexpr DWORD LVXS_VERTGRIDLINES = 0x00800000;
constexpr DWORD LVXS_FULLROWSELECT = 0x02000000;
constexpr DWORD LVXS_FITWIDTH = 0x04000000;
constexpr DWORD LVXS_KEEPCOLUMNWIDTHS = 0x08000000;

// Hit flags beyond the list view's own.
constexpr UINT LVHT_ONHEADERDIVIDER = 0x0800;
constexpr UINT LVHT_ONHEADER = 0x1000;
constexpr UINT LVHT_ONROW = 0x2000;
constexpr UINT LVHT_LEFTOFLABEL = 0x4000;
constexpr UINT LVHT_RIGHTOFLABEL = 0x8000;
