#pragma once
// The small pictures the file dialogs draw beside folder and drive names: a folder, closed or open,
// and a fixed drive, each kPictureWidth by kPictureHeight pixels.

#include "platform/gdi/WinGdi.h"

namespace platform {

constexpr int kPictureWidth = 16;
constexpr int kPictureHeight = 12;

// A folder with its top-left corner at x, y: open for the folders on the way to the one shown.
void DrawFolderPicture(HDC dc, int x, int y, bool open);
void DrawDrivePicture(HDC dc, int x, int y);

} // namespace platform
