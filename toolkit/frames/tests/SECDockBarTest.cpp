// The toolkit's dock bar: row shares and their minimums, the splitters and client edges of a layout,
// splitter drags with their limits and the ways a drag ends, expanding a bar over its row.

#include "toolkit/frames/SECDockBar.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <memory>
#include <vector>

#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/TestScreen.h"
#include "toolkit/frames/tests/CaptureTaker.h"
#include "toolkit/frames/tests/FramesTestFixture.h"
#include "toolkit/frames/tests/FramesTestGeometry.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECFrameWnd.h"

using platform::user::TestScreen;

namespace {

constexpr UINT ID_DOCK_TOP = 0xE81B;
constexpr UINT ID_DOCK_LEFT = 0xE81C;
constexpr UINT ID_DOCK_RIGHT = 0xE81D;
constexpr UINT ID_DOCK_BOTTOM = 0xE81E;
constexpr UINT ID_FIRST_BAR = 0xE860;

class DockBars : public DockingFrameTest {
protected:
    // The tests make the dock bars they need themselves.
    DockBars() { m_dwDockSides = 0; }
    SECDockBar* AddDockBar(UINT nID, DWORD dwAlign)
    {
        auto* pDockBar = new SECDockBar; // owns itself, as the frame's dock bars do
        EXPECT_TRUE(pDockBar->Create(m_frame, WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CHILD | WS_VISIBLE | dwAlign, nID));
        return pDockBar;
    }
    // Bars docked in one row of the dock bar, in order, each with the share and extended style given.
    std::vector<SECControlBar*> DockRow(SECDockBar* pDockBar, std::initializer_list<float> shares, DWORD dwExStyle = 0)
    {
        std::vector<SECControlBar*> row;
        for (float share : shares) {
            auto& bar = m_bars.emplace_back(std::make_unique<SECControlBar>());
            EXPECT_TRUE(bar->Create(m_frame, "bar", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC, dwExStyle,
                ID_FIRST_BAR + static_cast<UINT>(m_bars.size())));
            bar->m_szHorz = CSize(100, 40);
            bar->m_szVert = CSize(40, 100);
            bar->EnableDocking(CBRS_ALIGN_ANY);
            m_frame->DockControlBar(bar.get(), pDockBar);
            bar->m_fPctWidth = share;
            row.push_back(bar.get());
        }
        // One row: drop the row ends the docking put between them.
        pDockBar->m_arrBars.RemoveAll();
        pDockBar->m_arrBars.Add(nullptr);
        for (SECControlBar* bar : row)
            pDockBar->m_arrBars.Add(bar);
        pDockBar->m_arrBars.Add(nullptr);
        Layout();
        return row;
    }
    static int SplitterCount(const SECDockBar& dockBar, int nKind)
    {
        int n = 0;
        for (const auto& s : dockBar.GetSplitters())
            n += s->m_nKind == nKind;
        return n;
    }
    static SECDockBar::Splitter* FindSplitter(const SECDockBar& dockBar, int nKind)
    {
        for (const auto& s : dockBar.GetSplitters()) {
            if (s->m_nKind == nKind)
                return s.get();
        }
        return nullptr;
    }

    std::vector<std::unique_ptr<SECControlBar>> m_bars;
};

TEST_F(DockBars, ARowsSharesAreNormalisedAroundTheResizedBar)
{
    SECDockBar* top = AddDockBar(ID_DOCK_TOP, CBRS_ALIGN_TOP);
    auto row = DockRow(top, { 0.3F, 1.0F });
    row[0]->m_fPctWidth = 0.3F;
    row[1]->m_fPctWidth = 1.0F;
    int nShare = 0;
    int nFixed = 0;
    top->NormalizeRow(1, row[0], nShare, nFixed);
    EXPECT_EQ(nShare, 2);
    EXPECT_EQ(nFixed, 0);
    EXPECT_FLOAT_EQ(row[0]->m_fPctWidth, 0.3F);
    EXPECT_FLOAT_EQ(row[1]->m_fPctWidth, 0.7F);

    // The last bar of the row reaches the frame's right edge.
    top->SetResizingBar(row[0]);
    Layout();
    CRect client;
    m_frame->GetClientRect(&client);
    EXPECT_EQ(ChildRect(*row[1], *top).right, client.right);
    EXPECT_LT(ChildRect(*row[0], *top).right, ChildRect(*row[1], *top).left);
}

TEST_F(DockBars, SharesKeepTheirMinimumAndAResizedShareItsCap)
{
    SECDockBar* top = AddDockBar(ID_DOCK_TOP, CBRS_ALIGN_TOP);
    auto row = DockRow(top, { 1.0F, 1.0F, 1.0F });
    CRect client;
    top->GetClientRect(&client);
    const float fMin = 18.0F / static_cast<float>(client.Width());
    struct Case {
        float resized, other1, other2;
        float expect0, expect1, expect2;
    };
    const Case cases[] = {
        // Without a resizing bar the shares are scaled to fill the row.
        { 1.0F, 1.0F, 2.0F, 0.25F, 0.25F, 0.5F },
        // A resized share beyond 0.95 is not taken as resized.
        { 2.0F, 1.0F, 1.0F, 0.5F, 0.25F, 0.25F },
        // A resized share below the minimum comes back to it; the others share the row evenly.
        { 0.001F, 1.0F, 1.0F, fMin, 0.5F - fMin / 4.0F, 0.5F - fMin / 4.0F },
    };
    for (const Case& c : cases) {
        row[0]->m_fPctWidth = c.resized;
        row[1]->m_fPctWidth = c.other1;
        row[2]->m_fPctWidth = c.other2;
        int nShare = 0;
        int nFixed = 0;
        top->NormalizeRow(1, c.resized == 1.0F ? nullptr : row[0], nShare, nFixed);
        EXPECT_NEAR(row[0]->m_fPctWidth, c.expect0, 1e-4) << c.resized;
        EXPECT_NEAR(row[1]->m_fPctWidth, c.expect1, 1e-4) << c.resized;
        EXPECT_NEAR(row[2]->m_fPctWidth, c.expect2, 1e-4) << c.resized;
    }
    EXPECT_FLOAT_EQ(top->GetMinShare(), fMin);

    // AdjustShare gives back what would take a share below the minimum.
    row[0]->m_fPctWidth = 0.5F;
    EXPECT_FLOAT_EQ(top->AdjustShare(-0.2F, row[0]), 0.0F);
    EXPECT_FLOAT_EQ(row[0]->m_fPctWidth, 0.3F);
    EXPECT_NEAR(top->AdjustShare(-0.3F, row[0]), -fMin, 1e-6);
    EXPECT_FLOAT_EQ(row[0]->m_fPctWidth, fMin);
    EXPECT_FLOAT_EQ(top->AdjustShare(0.25F, nullptr), 0.25F);
}

TEST_F(DockBars, SideDockBarsPutTheEdgeOnTheFrameSideAndTheSplitterOnTheClientSide)
{
    SECDockBar* left = AddDockBar(ID_DOCK_LEFT, CBRS_ALIGN_LEFT);
    SECDockBar* right = AddDockBar(ID_DOCK_RIGHT, CBRS_ALIGN_RIGHT);
    auto leftRow = DockRow(left, { 1.0F });
    auto rightRow = DockRow(right, { 1.0F });

    ASSERT_EQ(left->GetClientEdges().size(), 1U);
    ASSERT_EQ(SplitterCount(*left, 0), 1);
    const CRect leftEdge = left->GetClientEdges()[0]->m_rect;
    const CRect leftSplitter = FindSplitter(*left, 0)->m_rect;
    EXPECT_EQ(leftEdge.Width(), SECDockBar::kClientEdgeSize);
    EXPECT_EQ(leftSplitter.Width(), SECDockBar::kSplitterSize);
    EXPECT_LT(leftEdge.left, ChildRect(*leftRow[0], *left).left + 1);
    EXPECT_GE(leftSplitter.left, ChildRect(*leftRow[0], *left).right);

    ASSERT_EQ(right->GetClientEdges().size(), 1U);
    ASSERT_EQ(SplitterCount(*right, 0), 1);
    EXPECT_LE(FindSplitter(*right, 0)->m_rect.right, ChildRect(*rightRow[0], *right).left);
    EXPECT_GE(right->GetClientEdges()[0]->m_rect.left, ChildRect(*rightRow[0], *right).right);
}

TEST_F(DockBars, RowsOfBarsKeepingTheirLengthHaveNoSplitters)
{
    SECDockBar* top = AddDockBar(ID_DOCK_TOP, CBRS_ALIGN_TOP);
    auto row = DockRow(top, { 1.0F, 1.0F }, BARX_KEEP_LENGTH);
    EXPECT_TRUE(top->GetSplitters().empty());
    EXPECT_TRUE(top->GetClientEdges().empty());
    EXPECT_EQ(ChildRect(*row[0], *top).Width(), 100);
    EXPECT_EQ(ChildRect(*row[1], *top).Width(), 100);
    EXPECT_TRUE(row[0]->GetExBarStyle() & BARX_SHADED_BORDERS);
}

TEST_F(DockBars, AnEmptyDockBarTakesNoRoom)
{
    SECDockBar* top = AddDockBar(ID_DOCK_TOP, CBRS_ALIGN_TOP);
    SECDockBar* left = AddDockBar(ID_DOCK_LEFT, CBRS_ALIGN_LEFT);
    Layout();
    EXPECT_EQ(ChildRect(*top, *m_frame).Height(), 0);
    EXPECT_EQ(ChildRect(*left, *m_frame).Width(), 0);
    EXPECT_EQ(top->GetVisibleBarCount(), 0);
}

TEST_F(DockBars, ExpandGivesTheBarItsRowAndContractSharesItEvenly)
{
    SECDockBar* top = AddDockBar(ID_DOCK_TOP, CBRS_ALIGN_TOP);
    auto row = DockRow(top, { 0.2F, 0.3F, 0.5F });
    top->ExpandBar(row[1], 1);
    const float fMin = top->GetMinShare();
    EXPECT_FLOAT_EQ(row[0]->m_fPctWidth, fMin);
    EXPECT_FLOAT_EQ(row[2]->m_fPctWidth, fMin);
    EXPECT_FLOAT_EQ(row[1]->m_fPctWidth, 1.0F);
    Layout();
    // The neighbours keep 18 pixels each (less the overlap of their borders).
    EXPECT_LE(ChildRect(*row[0], *top).Width(), SECDockBar::kMinBarLength);
    EXPECT_LE(ChildRect(*row[2], *top).Width(), SECDockBar::kMinBarLength + 2);
    EXPECT_TRUE(top->IsBarExpanded(row[1]));
    EXPECT_FALSE(top->IsBarExpanded(row[0]));

    top->ExpandBar(row[1], 2);
    for (SECControlBar* bar : row)
        EXPECT_NEAR(bar->m_fPctWidth, 1.0F / 3.0F, 1e-4);
    EXPECT_FALSE(top->IsBarExpanded(row[1]));
    EXPECT_FALSE(top->IsBarAloneInRow(row[1]));
    row[0]->ShowWindow(SW_HIDE);
    row[2]->ShowWindow(SW_HIDE);
    EXPECT_TRUE(top->IsBarAloneInRow(row[1]));
}

TEST_F(DockBars, ARowSplitterDragGrowsTheRowWithinItsLimits)
{
    SECDockBar* top = AddDockBar(ID_DOCK_TOP, CBRS_ALIGN_TOP);
    auto row = DockRow(top, { 1.0F });
    ASSERT_EQ(ChildRect(*row[0], *top).Height(), 40);
    auto dragRowSplitter = [&](int dy) {
        SECDockBar::Splitter* splitter = FindSplitter(*top, 0);
        const CPoint from = OnScreen(*top, splitter->m_rect.CenterPoint());
        m_screen.drag(from.x, from.y, from.x, from.y + dy);
        Layout();
        return ChildRect(*row[0], *top).Height();
    };
    EXPECT_EQ(dragRowSplitter(20), 60);
    // The row keeps 19 pixels, and so does the frame's free client area (300 high here).
    EXPECT_EQ(dragRowSplitter(-200), SECDockBar::kMinRowThickness);
    const int nGrown = dragRowSplitter(500);
    EXPECT_GT(nGrown, 200);
    CRect client;
    m_frame->GetClientRect(&client);
    EXPECT_GE(client.bottom - ChildRect(*top, *m_frame).bottom, SECDockBar::kMinRowThickness);
}

TEST_F(DockBars, ABarSplitterDragMovesLengthBetweenNeighboursDownToTheirMinimum)
{
    SECDockBar* top = AddDockBar(ID_DOCK_TOP, CBRS_ALIGN_TOP);
    auto row = DockRow(top, { 0.5F, 0.5F });
    SECDockBar::Splitter* splitter = FindSplitter(*top, 1);
    ASSERT_NE(splitter, nullptr);
    top->CalcSplitterLimits(splitter);
    CRect client;
    top->GetClientRect(&client);
    EXPECT_EQ(splitter->m_nMin, client.left + 24);
    EXPECT_EQ(splitter->m_nMax, client.right - 24);

    const int nBefore = ChildRect(*row[0], *top).Width();
    const CPoint from = OnScreen(*top, splitter->m_rect.CenterPoint());
    m_screen.drag(from.x, from.y, from.x + 30, from.y);
    Layout();
    EXPECT_EQ(ChildRect(*row[0], *top).Width(), nBefore + 30);

    m_screen.drag(from.x + 30, from.y, from.x + 1000, from.y);
    Layout();
    EXPECT_GE(ChildRect(*row[1], *top).Width(), SECDockBar::kMinBarLength);
    EXPECT_GE(row[1]->m_fPctWidth, top->GetMinShare());
}

TEST_F(DockBars, ASplitterDragEndsOnCancelLostCaptureAndQuit)
{
    SECDockBar* top = AddDockBar(ID_DOCK_TOP, CBRS_ALIGN_TOP);
    auto row = DockRow(top, { 1.0F });
    CaptureTaker taker;
    ASSERT_TRUE(taker.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), m_frame, 1));

    enum class End { Escape, RightButton, LostCapture, Quit };
    struct Case {
        End end;
        int expectHeight;
    };
    // Cancelling keeps the layout; losing the capture keeps the place last tracked; a quit cancels and
    // leaves WM_QUIT for the program's loop.
    const Case cases[] = { { End::Escape, 40 }, { End::RightButton, 40 }, { End::LostCapture, 50 }, { End::Quit, 40 } };
    for (const Case& c : cases) {
        row[0]->m_szHorz = CSize(100, 40);
        Layout();
        SECDockBar::Splitter* splitter = FindSplitter(*top, 0);
        const CPoint at = splitter->m_rect.CenterPoint();
        top->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y + 10));
        switch (c.end) {
        case End::Escape:
            top->PostMessage(WM_KEYDOWN, VK_ESCAPE, 0);
            break;
        case End::RightButton:
            top->PostMessage(WM_RBUTTONDOWN, 0, MAKELPARAM(at.x, at.y + 10));
            break;
        case End::LostCapture:
            taker.PostMessage(CaptureTaker::WM_TAKE, 0, 0);
            top->PostMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y + 30));
            break;
        case End::Quit:
            ::PostQuitMessage(7);
            break;
        }
        top->TrackSplitter(splitter, at.x, at.y);
        ::ReleaseCapture();
        if (c.end == End::Quit) {
            MSG msg {};
            ASSERT_TRUE(::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
            EXPECT_EQ(msg.wParam, 7U);
        }
        Layout();
        EXPECT_EQ(ChildRect(*row[0], *top).Height(), c.expectHeight) << static_cast<int>(c.end);
    }
}

// The entry list as letters: '0' a row end, a letter a bar, '#' a placeholder.
class EntryLists : public DockBars {
protected:
    void SetUp() override
    {
        DockBars::SetUp();
        m_top = AddDockBar(ID_DOCK_TOP, CBRS_ALIGN_TOP);
        for (char name : std::string("ABCXO")) {
            auto& bar = m_bars.emplace_back(std::make_unique<SECControlBar>());
            ASSERT_TRUE(bar->Create(m_frame, "bar", WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_SIZE_DYNAMIC,
                name == 'O' ? BARX_OWN_ROW : 0, ID_FIRST_BAR + static_cast<UINT>(m_bars.size())));
            m_named[name] = bar.get();
        }
    }
    void Set(const std::string& pattern)
    {
        m_top->m_arrBars.RemoveAll();
        for (char c : pattern)
            m_top->m_arrBars.Add(c == '0' ? nullptr : c == '#' ? reinterpret_cast<void*>(UINT_PTR { 77 }) : m_named[c]);
    }
    std::string Get() const
    {
        std::string pattern;
        for (INT_PTR i = 0; i < m_top->m_arrBars.GetSize(); ++i) {
            void* entry = m_top->m_arrBars[i];
            char c = entry ? '#' : '0';
            for (const auto& [name, bar] : m_named)
                c = entry == bar ? name : c;
            pattern += c;
        }
        return pattern;
    }
    SECDockBar* m_top { nullptr };
    std::map<char, SECControlBar*> m_named;
};

TEST_F(EntryLists, RowsAndColumnsPlaceABarAsAsked)
{
    struct Case {
        const char* before;
        SECDockPos pos;
        char bar;
        const char* after;
    };
    const Case cases[] = {
        { "0", { 0, 0, 0 }, 'X', "0X0" },
        // Negative rows from the front: -1 joins the first row, -2 makes a new first row.
        { "0A0", { -1, 0, 0 }, 'X', "0XA0" },
        { "0A0", { -2, 0, 0 }, 'X', "0X0A0" },
        // From the end, a positive row appends rows: two empty ones and the bar's.
        { "0A0", { 3, 0, SECDockPos::RowFromEnd }, 'X', "0A000X0" },
        { "0A0B0", { 0, 0, SECDockPos::RowFromEnd }, 'X', "0A0XB0" },
        // A row past the last one is made, with the empty rows before it.
        { "0A0", { 2, 0, 0 }, 'X', "0A00X0" },
        // Columns count visible bars; placeholders are passed freely; a column past the end appends.
        { "0AB0", { 0, 1, 0 }, 'X', "0AXB0" },
        { "0A#B0", { 0, 1, 0 }, 'X', "0A#XB0" },
        { "0AB0", { 0, 5, 0 }, 'X', "0ABX0" },
        { "0AB0", { 0, 1, SECDockPos::ColFromEnd }, 'X', "0ABX0" },
        { "0A0B0", { 1, 0, SECDockPos::NewRow }, 'X', "0A0X0B0" },
        // A bar that takes a row of its own splits the row it is put in.
        { "0AB0", { 0, 1, 0 }, 'O', "0A0O0B0" },
        { "0O0", { 0, 1, 0 }, 'X', "0O0X0" },
    };
    for (const Case& c : cases) {
        Set(c.before);
        const int nPos = m_top->Insert(m_named[c.bar], c.pos);
        EXPECT_EQ(Get(), c.after) << c.before << " row " << c.pos.m_nRow << " col " << c.pos.m_nCol;
        EXPECT_EQ(m_top->m_arrBars[nPos], m_named[c.bar]) << c.before;
    }
    Set("0");
}

TEST_F(EntryLists, ARemovedBarLeavesAPlaceholderItsReDockingFillsAgain)
{
    Set("0");
    for (char name : std::string("AB")) {
        m_named[name]->EnableDocking(CBRS_ALIGN_ANY);
        m_top->DockControlBar(m_named[name], nullptr);
    }
    Layout();
    ASSERT_EQ(Get(), "0A0B0");
    SECControlBar* a = m_named['A'];
    m_frame->FloatControlBar(a, CPoint(300, 300), CBRS_ALIGN_TOP);
    ASSERT_TRUE(a->IsFloating());
    EXPECT_EQ(Get(), "0#0B0");
    EXPECT_EQ(m_top->m_arrBars[1], reinterpret_cast<void*>(static_cast<UINT_PTR>(a->GetDlgCtrlID())));

    // Put back through the frame, the bar takes its placeholder's entry; the floating frame goes.
    const HWND hFloating = a->GetParentFrame()->m_hWnd;
    m_frame->ReDockControlBar(a);
    Layout();
    EXPECT_EQ(Get(), "0A0B0");
    EXPECT_FALSE(::IsWindow(hFloating));
}

TEST_F(EntryLists, TheDragOutlineTakesTheBarsShareOfTheRow)
{
    Set("0AB0");
    for (char name : std::string("AB")) {
        m_named[name]->m_fPctWidth = 0.5F;
        m_named[name]->m_szHorz = CSize(100, 30);
        m_named[name]->m_pDockBar = m_top;
    }
    Layout();
    CRect window;
    m_top->GetWindowRect(&window);
    SECControlBar* x = m_named['X'];
    x->m_fPctWidth = 1.0F;
    x->m_szHorz = CSize(100, 40);
    // Dragged over the row of A and B, the bar would take half of it; over a new row, all of it.
    const CRect drag(window.left + 10, window.top + 5, window.left + 110, window.top + 25);
    CRect outline;
    int nRow = -1;
    CRect last;
    CPoint ptLast;
    m_top->CalcDragRect(outline, x, drag, drag.left + 50, drag.top + 10, nRow, last, ptLast);
    EXPECT_EQ(outline.Width(), window.Width() / 2);
    // As thick as the thickest bar, the dragged one counted.
    EXPECT_EQ(outline.Height(), 40);
    EXPECT_EQ(outline.left, drag.left + 50 - window.Width() / 4);
    // The same row again: the last outline follows the mouse.
    m_top->CalcDragRect(outline, x, drag, drag.left + 53, drag.top + 11, nRow, last, ptLast);
    EXPECT_EQ(outline.TopLeft(), CPoint(drag.left + 53 - window.Width() / 4, last.top));

    const CRect below = drag + CPoint(0, 200);
    nRow = -1;
    m_top->CalcDragRect(outline, x, below, below.left + 50, below.top + 10, nRow, last, ptLast);
    EXPECT_EQ(outline.Width(), window.Width());
    for (char name : std::string("AB"))
        m_named[name]->m_pDockBar = nullptr;
    Set("0");
}

} // namespace
