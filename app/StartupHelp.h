#pragma once
// The outside help library the program calls once at start-up, before its main window exists.

#include "platform/base/WinTypes.h"

// The library's file name.
constexpr const char* kStartupHelpLibrary = "CsHtml.dll";

// Calls export number 2 of the library with the help file's path and 1; false when it answers 0,
// which ends start-up. A library that cannot be loaded, or lacks the export, prepares nothing and
// lets start-up go on: help is then only missing its preparation.
bool PrepareStartupHelp(LPCTSTR library, LPCTSTR helpFile);
