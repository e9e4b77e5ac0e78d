#include "platform/shell/FolderPictures.h"

#include <initializer_list>
#include <vector>

namespace platform {

namespace {

constexpr COLORREF kOutline = RGB(0, 0, 0);
constexpr COLORREF kFolderBack = RGB(192, 160, 0);
constexpr COLORREF kFolderFront = RGB(255, 224, 96);
constexpr COLORREF kDriveBody = RGB(192, 192, 192);
constexpr COLORREF kDriveLight = RGB(0, 192, 0);

// A filled shape outlined in black, its points relative to x, y.
void Shape(HDC dc, int x, int y, COLORREF fill, std::initializer_list<POINT> points)
{
    std::vector<POINT> placed;
    for (POINT p : points)
        placed.push_back({ x + p.x, y + p.y });
    HPEN pen = CreatePen(PS_SOLID, 1, kOutline);
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    Polygon(dc, placed.data(), static_cast<int>(placed.size()));
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

} // namespace

void DrawFolderPicture(HDC dc, int x, int y, bool open)
{
    // The back with its tab; an open folder's front leans forward, a closed one's covers the back.
    Shape(dc, x, y, kFolderBack, { { 0, 1 }, { 5, 1 }, { 6, 2 }, { 13, 2 }, { 13, 11 }, { 0, 11 } });
    if (open)
        Shape(dc, x, y, kFolderFront, { { 3, 5 }, { 15, 5 }, { 12, 11 }, { 0, 11 } });
    else
        Shape(dc, x, y, kFolderFront, { { 0, 4 }, { 13, 4 }, { 13, 11 }, { 0, 11 } });
}

void DrawDrivePicture(HDC dc, int x, int y)
{
    Shape(dc, x, y, kDriveBody, { { 0, 3 }, { 15, 3 }, { 15, 10 }, { 0, 10 } });
    Shape(dc, x, y, kDriveLight, { { 11, 6 }, { 13, 6 }, { 13, 7 }, { 11, 7 } });
}

} // namespace platform
