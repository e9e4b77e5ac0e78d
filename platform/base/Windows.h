#pragma once
// Everything of the kernel and runtime stand-in, for code written against the whole platform.

#include "platform/base/CaseFold.h"
#include "platform/base/CodePage.h"
#include "platform/base/Debug.h"
#include "platform/base/DriveApi.h"
#include "platform/base/FileApi.h"
#include "platform/base/FileInfo.h"
#include "platform/base/FindFile.h"
#include "platform/base/Format.h"
#include "platform/base/Modules.h"
#include "platform/base/PathApi.h"
#include "platform/base/Paths.h"
#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"
