#pragma once
// The user's locale as a locale id, taken from the process environment (LC_ALL, LC_MESSAGES, LANG):
// the language code before "_" picks the primary language, with the default sub-language.

#include "platform/base/WinTypes.h"

// The user's locale id; English (0x409) when the environment names no known language.
LCID GetUserDefaultLCID();
