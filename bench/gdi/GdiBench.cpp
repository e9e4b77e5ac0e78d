// Drawing throughput on a screen-sized surface: fills, blits, text, and one paint of an
// owner-drawn list of 1,000 rows. These set the baseline; no goal is asserted.

#include <benchmark/benchmark.h>

#include <string>

#include "platform/gdi/FrameDrawing.h"
#include "platform/gdi/WinGdi.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;

struct Screen {
    Screen()
    {
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateBitmap(kWidth, kHeight, 1, 32, nullptr);
        old = SelectObject(dc, bitmap);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    }
    ~Screen()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

void FillWholeSurface(benchmark::State& state)
{
    Screen s;
    HBRUSH brush = CreateSolidBrush(RGB(192, 192, 192));
    RECT all { 0, 0, kWidth, kHeight };
    for (auto _ : state)
        FillRect(s.dc, &all, brush);
    DeleteObject(brush);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(FillWholeSurface);

void BlitWholeSurface(benchmark::State& state)
{
    Screen dst, src;
    const auto rop = static_cast<DWORD>(state.range(0));
    SelectObject(dst.dc, GetStockObject(GRAY_BRUSH));
    for (auto _ : state)
        BitBlt(dst.dc, 0, 0, kWidth, kHeight, src.dc, 0, 0, rop);
    state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}
BENCHMARK(BlitWholeSurface)->Arg(SRCCOPY)->Arg(SRCINVERT)->Arg(0xB8074A);

void TextLines(benchmark::State& state)
{
    Screen s;
    SetBkMode(s.dc, TRANSPARENT);
    const std::string line = "Track 12 - A rather long song title by some artist (Live)";
    for (auto _ : state)
        for (int y = 0; y < kHeight; y += 13)
            TextOut(s.dc, 4, y, line.c_str(), static_cast<int>(line.size()));
    state.SetItemsProcessed(state.iterations() * (kHeight / 13 + 1));
}
BENCHMARK(TextLines);

// What painting a list of 1,000 owner-drawn rows costs: a row background, a selection frame on
// some, and three columns of text each fitted with an end ellipsis.
void OwnerDrawnList(benchmark::State& state)
{
    Screen s;
    SetBkMode(s.dc, TRANSPARENT);
    HBRUSH window = GetSysColorBrush(COLOR_WINDOW);
    HBRUSH highlight = GetSysColorBrush(COLOR_HIGHLIGHT);
    for (auto _ : state) {
        for (int row = 0; row < 1000; ++row) {
            const int y = (row * 16) % (kHeight - 16);
            RECT r { 0, y, kWidth, y + 16 };
            FillRect(s.dc, &r, row % 7 == 0 ? highlight : window);
            if (row % 7 == 0)
                DrawFocusRect(s.dc, &r);
            const std::string cells[3] = { "Song number " + std::to_string(row), "An artist with a long name",
                "Album title that will not fit in the column" };
            for (int c = 0; c < 3; ++c) {
                RECT cell { 4 + c * 200, y, 200 + c * 200, y + 16 };
                DrawText(s.dc, cells[c].c_str(), -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(OwnerDrawnList)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
