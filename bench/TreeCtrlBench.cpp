// Opening every branch of a tree of 50,000 items under 500 parents, painting the screen after each,
// for the toolkit's tree beside its list control inserting and showing the same rows. Goal: the tree
// costs at most 2 times what the list costs (compare the two results' times).

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/user/TestScreen.h"
#include "toolkit/controls/SECTreeCtrl.h"

namespace {

constexpr int kParents = 500;
constexpr int kChildren = 100;
constexpr int kWidth = 640;
constexpr int kHeight = 480;

struct Stage {
    Stage() { owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), nullptr, 0); }
    ~Stage() { owner.DestroyWindow(); }
    platform::user::TestScreen screen { kWidth, kHeight };
    CWnd owner;
};

void PaintNow(CWnd& wnd)
{
    wnd.Invalidate(FALSE);
    wnd.UpdateWindow();
}

void ToolkitTreeExpandAll(benchmark::State& state)
{
    Stage stage;
    SECTreeCtrl tree;
    tree.Create(WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0,
        CRect(0, 0, kWidth, kHeight), &stage.owner, 7);
    std::vector<HTREEITEM> parents;
    tree.SetRedraw(FALSE);
    for (int p = 0; p < kParents; ++p) {
        const HTREEITEM hParent = tree.InsertItem(("Artist " + std::to_string(p)).c_str());
        parents.push_back(hParent);
        for (int c = 0; c < kChildren; ++c)
            tree.InsertItem(("Track " + std::to_string(c)).c_str(), hParent);
    }
    tree.SetRedraw(TRUE);
    tree.RecalcLayout();
    stage.screen.pump();
    for (auto _ : state) {
        for (HTREEITEM hParent : parents) {
            tree.Expand(hParent, TVE_EXPAND);
            PaintNow(tree);
        }
        state.PauseTiming();
        for (HTREEITEM hParent : parents)
            tree.Expand(hParent, TVE_COLLAPSE, FALSE);
        tree.SetTopIndex(0);
        stage.screen.pump();
        state.ResumeTiming();
    }
}
BENCHMARK(ToolkitTreeExpandAll)->Unit(benchmark::kMillisecond)->Iterations(2);

void ToolkitListSameRows(benchmark::State& state)
{
    Stage stage;
    SECListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOLABELWRAP | LVS_NOCOLUMNHEADER, CRect(0, 0, kWidth, kHeight),
        &stage.owner, 7);
    list.AddColumn("", LVCFMT_LEFT, kWidth);
    for (auto _ : state) {
        state.PauseTiming();
        list.DeleteAllItems();
        for (int p = 0; p < kParents; ++p)
            list.InsertItem(p, ("Artist " + std::to_string(p)).c_str());
        list.RecalcLayout();
        stage.screen.pump();
        state.ResumeTiming();
        // Each parent's children come in below it, and the last of them is brought into view, as the
        // tree does.
        int nRow = 0;
        for (int p = 0; p < kParents; ++p) {
            for (int c = 0; c < kChildren; ++c)
                list.InsertItem(nRow + 1 + c, ("Track " + std::to_string(c)).c_str());
            nRow += kChildren + 1;
            list.UpdateScrollBars();
            list.EnsureVisible(nRow - 1);
            PaintNow(list);
        }
    }
}
BENCHMARK(ToolkitListSameRows)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
