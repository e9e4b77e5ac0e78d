#pragma once
// The rules by which the program reads its settings and names its files: the forms of the "T"/"F"
// flags, the help file's path and the language resource library's name. Kept apart from the
// application object so that the rules can be checked without starting the program.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

// The registry section of the program's settings and of the delete confirmations.
inline constexpr const char* kSettingsSection = "Settings";
inline constexpr const char* kConfirmationSection = "ConfirmationFlags";
// The registered message by which an installer asks the running program to close.
inline constexpr const char* kInstallationMessageName = "CorvaneTuneStewardInstallationMessage";

// A flag that is on unless its text is "F" in either case (absent: on).
BOOL SettingOnUnlessFalse(const CString& text);
// A flag that is off unless its text is "T" in either case (absent: off).
BOOL SettingOnOnlyIfTrue(const CString& text);
// The help file beside the folder named by the text before the last backslash of `directory` (before
// the last colon when there is no backslash; the whole text when there is neither).
CString HelpFileFromDirectory(const CString& directory);
// "TSRES%03x.DLL" of the primary language of the locale: TSRES009.DLL for English.
CString ResourceLibraryName(LCID locale);
