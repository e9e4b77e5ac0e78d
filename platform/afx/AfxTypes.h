#pragma once
// Small types shared by the class library's collections and archives.

#include "platform/base/WinTypes.h"

using PUINT = UINT*;

// An opaque place in a list or map, handed out by GetHeadPosition/GetStartPosition and friends.
struct __POSITION { };
using POSITION = __POSITION*;

// The position a map's iteration starts from before its first association is handed out.
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(static_cast<INT_PTR>(-1)))

// A schema number that accepts any stored version on loading; the object asks the archive for it.
constexpr UINT VERSIONABLE_SCHEMA = 0x80000000u;
