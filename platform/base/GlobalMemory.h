#pragma once
// The local and global heap: blocks handed out as handles, for the calls that pass memory ownership across
// an interface (message texts, clipboard data). Local and global handles are the same kind here. Every handle
// is checked, so a stale or foreign handle gets ERROR_INVALID_HANDLE instead of corrupting memory.

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

constexpr UINT LMEM_FIXED = 0x0000;
constexpr UINT LMEM_MOVEABLE = 0x0002;
constexpr UINT LMEM_ZEROINIT = 0x0040;
constexpr UINT LPTR = LMEM_FIXED | LMEM_ZEROINIT;
constexpr UINT LHND = LMEM_MOVEABLE | LMEM_ZEROINIT;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GMEM_SHARE = 0x2000;
constexpr UINT GPTR = GMEM_FIXED | GMEM_ZEROINIT;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Allocates uBytes; a fixed block's handle is its address, a moveable one needs GlobalLock. NULL when out of memory.
HLOCAL LocalAlloc(UINT uFlags, SIZE_T uBytes);
// Frees a block; NULL on success (and for NULL), the handle itself when it is not a live block.
HLOCAL LocalFree(HLOCAL hMem);
// As LocalAlloc; GMEM_DDESHARE and other sharing bits are accepted and mean nothing in one process.
HGLOBAL GlobalAlloc(UINT uFlags, SIZE_T dwBytes);
// As LocalFree.
HGLOBAL GlobalFree(HGLOBAL hMem);
// The block's address, counting one more lock on a moveable block; NULL for an unknown handle.
LPVOID GlobalLock(HGLOBAL hMem);
// Counts one lock less; nonzero while still locked, FALSE with NO_ERROR once unlocked (or for a fixed block),
// FALSE with ERROR_NOT_LOCKED or ERROR_INVALID_HANDLE otherwise.
BOOL GlobalUnlock(HGLOBAL hMem);
// The size asked for when the block was allocated; 0 for an unknown handle.
SIZE_T GlobalSize(HGLOBAL hMem);
