#pragma once
// Puts a library file rebuilt from the device in the place of the live one. The live file is the
// user's whole library: at no moment may the folder be without a complete one, and a swap that fails
// leaves the live file exactly as it was.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

#include <functional>

// The points a swap passes, in order; a test stops the process at each to see what it leaves behind.
enum class LibrarySwapStep { Started, BackupMade, RebuiltInPlace, BackupDropped };

// Keeps a copy of the live file as a backup beside it, moves the rebuilt file over the live one in one
// step (the live file is replaced whole or not at all), then drops the backup. On any failure the live
// file is restored from the backup when it was lost, and neither the backup nor the rebuilt file
// remains. A backup left by an interrupted earlier swap is removed first. reached, when given, is
// called at each step.
bool ReplaceLibraryFile(LPCTSTR livePath, LPCTSTR rebuiltPath, const std::function<void(LibrarySwapStep)>& reached = {});

// The backup's name beside the live file: its folder + "BackupDB.mdb".
CString LibraryBackupPath(LPCTSTR livePath);
