#pragma once
// Help: a help file named by the program opens in the desktop's viewer for it; without a desktop
// viewer, or for a file that does not exist, nothing shows and the call fails quietly.

#include <string_view>

#include "platform/base/WinTypes.h"

// Commands of WinHelp.
constexpr UINT HELP_CONTEXT = 0x0001;
constexpr UINT HELP_QUIT = 0x0002;
constexpr UINT HELP_INDEX = 0x0003;
constexpr UINT HELP_CONTENTS = 0x0003;
constexpr UINT HELP_HELPONHELP = 0x0004;
constexpr UINT HELP_SETINDEX = 0x0005;
constexpr UINT HELP_KEY = 0x0101;
constexpr UINT HELP_FINDER = 0x000B;

// Commands of the help control's entry point.
constexpr UINT HH_DISPLAY_TOPIC = 0x0000;
constexpr UINT HH_DISPLAY_TOC = 0x0001;
constexpr UINT HH_DISPLAY_INDEX = 0x0002;
constexpr UINT HH_DISPLAY_SEARCH = 0x0003;
constexpr UINT HH_HELP_CONTEXT = 0x000F;
constexpr UINT HH_CLOSE_ALL = 0x0012;

// The help control's entry point (its export HtmlHelpA, number 14): shows the help file for a command;
// the help window, which is the desktop viewer's and never a window of this program, so always null.
using HtmlHelpProc = HWND (*)(HWND hwndCaller, LPCSTR pszFile, UINT uCommand, DWORD_PTR dwData);

// Shows help from a help file for a command (HELP_CONTEXT, HELP_FINDER, HELP_CONTENTS...); HELP_QUIT
// closes nothing and succeeds. FALSE when the file does not exist or no viewer could be started.
BOOL WinHelp(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData);

namespace platform {

// The help file a help-control file argument names: "file.chm::/topic.htm>window" names file.chm.
std::string_view HelpFileOf(std::string_view fileArgument);
// Opens the help file of a help-control call in the desktop's viewer; false when there is none to
// open (no file, a closing command) or it could not be started.
bool ShowHelpFile(LPCSTR fileArgument, UINT command);

} // namespace platform
