// Painting one screen of a 100,000-row owner-data list and scrolling it one page, for the toolkit's
// list control beside the platform's list view doing the same. Goal: the toolkit's list costs at most
// 1.5 times what the platform's list view costs (compare the two results' times).

#include <benchmark/benchmark.h>

#include <cstdio>

#include "platform/comctl/CommCtrl.h"
#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECListCtrl.h"

namespace {

constexpr int kRows = 100000;
constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr UINT kListId = 7;

// The owner of either list: it keeps no rows and answers every text request with the row's number
// and column, as an owner of a large data set would.
class Owner : public CWnd {
public:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        *pResult = 0;
        auto* pInfo = reinterpret_cast<NMLVDISPINFO*>(lParam);
        if (pInfo->hdr.code == LVN_GETDISPINFO && (pInfo->item.mask & LVIF_TEXT) && pInfo->item.pszText != nullptr
            && pInfo->item.cchTextMax > 0)
            std::snprintf(pInfo->item.pszText, static_cast<size_t>(pInfo->item.cchTextMax), "Track %d, part %d",
                pInfo->item.iItem, pInfo->item.iSubItem);
        return TRUE;
    }
};

// One screen with an owner window filling it.
struct Stage {
    Stage() { owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), nullptr, 0); }
    ~Stage() { owner.DestroyWindow(); }
    platform::user::TestScreen screen { kWidth, kHeight };
    Owner owner;
};

const char* const kHeadings[] = { "Title", "Artist", "Album" };
constexpr int kColumnWidth = 200;

// Paints the whole list, then turns one page down and paints what that shows; back to the top when
// the last page is reached.
template <typename TopIndex>
void PaintAndPage(benchmark::State& state, HWND hList, TopIndex topIndex)
{
    for (auto _ : state) {
        ::InvalidateRect(hList, nullptr, TRUE);
        ::UpdateWindow(hList);
        const int nTop = topIndex();
        ::SendMessage(hList, WM_VSCROLL, SB_PAGEDOWN, 0);
        if (topIndex() == nTop)
            ::SendMessage(hList, WM_VSCROLL, SB_TOP, 0);
        ::UpdateWindow(hList);
    }
}

void ToolkitList(benchmark::State& state)
{
    Stage stage;
    SECListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOLABELWRAP, CRect(0, 0, kWidth, kHeight), &stage.owner,
        kListId);
    for (const char* heading : kHeadings)
        list.AddColumn(heading, LVCFMT_LEFT, kColumnWidth);
    for (int i = 0; i < kRows; ++i)
        list.InsertItem(i, LPSTR_TEXTCALLBACK);
    list.RecalcLayout();
    stage.screen.pump();
    PaintAndPage(state, list.m_hWnd, [&list]() { return list.GetTopIndex(); });
}
BENCHMARK(ToolkitList)->Unit(benchmark::kMicrosecond);

void PlatformListView(benchmark::State& state)
{
    Stage stage;
    ::InitCommonControls();
    const HWND hList = ::CreateWindowEx(0, WC_LISTVIEW, nullptr, WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_OWNERDATA, 0,
        0, kWidth, kHeight, stage.owner.m_hWnd, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kListId)), nullptr,
        nullptr);
    for (int i = 0; i < 3; ++i) {
        LVCOLUMN column;
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<LPSTR>(kHeadings[i]);
        column.cx = kColumnWidth;
        column.iSubItem = i;
        ::SendMessage(hList, LVM_INSERTCOLUMN, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
    ::SendMessage(hList, LVM_SETITEMCOUNT, kRows, 0);
    stage.screen.pump();
    PaintAndPage(state, hList, [hList]() { return static_cast<int>(::SendMessage(hList, LVM_GETTOPINDEX, 0, 0)); });
    ::DestroyWindow(hList);
}
BENCHMARK(PlatformListView)->Unit(benchmark::kMicrosecond);

} // namespace
