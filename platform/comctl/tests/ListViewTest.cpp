#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <string>

#include "platform/comctl/CommCtrl.h"
#include "platform/comctl/tests/ComctlTestSupport.h"
#include "platform/user/TestScreen.h"

using comctltest::codes;
using comctltest::parentLog;
using Codes = std::vector<UINT>;

namespace {

class ListViewTest : public ::testing::Test {
protected:
    void SetUp() override { parent = comctltest::MakeParent(400, 300); }
    void TearDown() override { parentLog() = comctltest::ParentLog {}; }

    HWND make(DWORD style, int height = 200)
    {
        HWND list = CreateWindowEx(0, WC_LISTVIEW, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | style, 0, 0, 300, height,
            parent, reinterpret_cast<HMENU>(40), nullptr, nullptr);
        const char* titles[] = { "Title", "Artist", "Year" };
        for (int c = 0; c < 3; ++c) {
            LVCOLUMN col;
            col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            col.pszText = const_cast<LPSTR>(titles[c]);
            col.cx = 100;
            col.fmt = c == 2 ? LVCFMT_RIGHT : LVCFMT_LEFT;
            EXPECT_EQ(SendMessage(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col)), c);
        }
        return list;
    }
    static void addRows(HWND list, int n)
    {
        for (int i = 0; i < n; ++i) {
            const std::string title = "Song " + std::to_string(i);
            LVITEM item;
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = i;
            item.pszText = const_cast<LPSTR>(title.c_str());
            item.lParam = 100 + i;
            SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
            item.mask = LVIF_TEXT;
            item.iSubItem = 1;
            item.pszText = const_cast<LPSTR>("Band");
            SendMessage(list, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    // The middle of row i on the screen (rows past the last one too).
    static POINT rowPoint(HWND list, int i, int x = 20)
    {
        RECT r {};
        r.left = LVIR_BOUNDS;
        SendMessage(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&r));
        const int height = r.bottom - r.top;
        POINT pt { x, r.top + i * height + height / 2 };
        ClientToScreen(list, &pt);
        return pt;
    }
    static std::vector<int> selected(HWND list)
    {
        std::vector<int> out;
        for (int i = -1; (i = static_cast<int>(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(i), LVNI_SELECTED))) >= 0;)
            out.push_back(i);
        return out;
    }
    static std::string textOf(HWND list, int i, int sub)
    {
        char text[64] {};
        LVITEM item;
        item.iSubItem = sub;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessage(list, LVM_GETITEMTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        return text;
    }

    platform::user::TestScreen screen { 640, 480 };
    HWND parent { nullptr };
};

} // namespace

TEST_F(ListViewTest, ItemsSubitemsAndSearches)
{
    HWND list = make(0);
    addRows(list, 5);
    EXPECT_EQ(SendMessage(list, LVM_GETITEMCOUNT, 0, 0), 5);
    EXPECT_EQ(textOf(list, 3, 0), "Song 3");
    EXPECT_EQ(textOf(list, 3, 1), "Band");
    EXPECT_EQ(textOf(list, 3, 2), "");

    LVITEM state;
    state.state = state.stateMask = LVIS_SELECTED;
    SendMessage(list, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
    SendMessage(list, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&state));
    state.state = state.stateMask = LVIS_FOCUSED;
    SendMessage(list, LVM_SETITEMSTATE, 4, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(SendMessage(list, LVM_GETSELECTEDCOUNT, 0, 0), 2);
    struct Case {
        int start;
        UINT flags;
        int expected;
    } cases[] = {
        { -1, LVNI_SELECTED, 1 },
        { 1, LVNI_SELECTED, 3 },
        { 3, LVNI_SELECTED, -1 },
        { -1, LVNI_FOCUSED, 4 },
        { 4, LVNI_SELECTED | LVNI_ABOVE, 3 },
        { 1, LVNI_SELECTED | LVNI_ABOVE, -1 },
        { 1, LVNI_BELOW, 2 },
        { 1, LVNI_TORIGHT, -1 },
    };
    for (const auto& c : cases)
        EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(c.start), c.flags), c.expected)
            << c.start << " " << c.flags;

    LVFINDINFO find;
    find.flags = LVFI_PARAM;
    find.lParam = 102;
    EXPECT_EQ(SendMessage(list, LVM_FINDITEM, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)), 2);
    find.flags = LVFI_PARTIAL | LVFI_WRAP;
    find.psz = "song 1";
    EXPECT_EQ(SendMessage(list, LVM_FINDITEM, 2, reinterpret_cast<LPARAM>(&find)), 1);

    // Sorting carries states and the focus with their items.
    auto byParamDown = [](LPARAM a, LPARAM b, LPARAM) -> int { return a < b ? 1 : a > b ? -1 : 0; };
    SendMessage(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(+byParamDown));
    EXPECT_EQ(textOf(list, 0, 0), "Song 4");
    EXPECT_EQ(selected(list), (std::vector<int> { 1, 3 }));
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 0);
    auto byParamUp = [](LPARAM a, LPARAM b, LPARAM) -> int { return a < b ? -1 : a > b ? 1 : 0; };
    SendMessage(list, LVM_SORTITEMS, 0, reinterpret_cast<LPARAM>(+byParamUp));
    EXPECT_EQ(textOf(list, 0, 0), "Song 0");

    // Deleting an item moves the states of the ones after it along.
    SendMessage(list, LVM_DELETEITEM, 0, 0);
    EXPECT_EQ(selected(list), (std::vector<int> { 0, 2 }));
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED), 3);
    EXPECT_FALSE(SendMessage(list, LVM_DELETEITEM, 9, 0));
}

TEST_F(ListViewTest, MouseAndKeysSendTheirNotifications)
{
    HWND list = make(LVS_SHOWSELALWAYS);
    addRows(list, 5);
    SetFocus(list);
    parentLog().notices.clear();

    struct Step {
        const char* name;
        std::function<void()> act;
        Codes expected;
        std::vector<int> selection;
    } steps[] = {
        { "click", [&] { POINT p = rowPoint(list, 1); screen.click(p.x, p.y); },
            { LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK }, { 1 } },
        { "down arrow",
            [&] { screen.key(VK_DOWN); },
            // row 1 deselected, row 2 selected, then row 2 asks for the focus and row 1 gives it up
            { LVN_KEYDOWN, LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_ITEMCHANGING,
                LVN_ITEMCHANGING, LVN_ITEMCHANGED, LVN_ITEMCHANGED },
            { 2 } },
        { "right click on it", [&] { POINT p = rowPoint(list, 2); screen.click(p.x, p.y, platform::user::MouseButton::Right); },
            { NM_RCLICK }, { 2 } },
        { "double click", [&] { POINT p = rowPoint(list, 2); screen.doubleClick(p.x, p.y); },
            { NM_CLICK, NM_DBLCLK, LVN_ITEMACTIVATE }, { 2 } },
        { "return", [&] { screen.key(VK_RETURN); }, { LVN_KEYDOWN, NM_RETURN }, { 2 } },
        { "click below the rows", [&] { POINT p = rowPoint(list, 8); screen.click(p.x, p.y); },
            { LVN_ITEMCHANGING, LVN_ITEMCHANGED, NM_CLICK }, {} },
    };
    // Painting asks for custom drawing each time; that is not what these steps are about.
    auto actions = [] {
        Codes out;
        for (UINT code : codes())
            if (code != NM_CUSTOMDRAW)
                out.push_back(code);
        return out;
    };
    for (auto& s : steps) {
        parentLog().notices.clear();
        s.act();
        EXPECT_EQ(actions(), s.expected) << s.name;
        EXPECT_EQ(selected(list), s.selection) << s.name;
    }

    // A column's button tells the owner which column was clicked.
    std::vector<int> columns;
    parentLog().answer = [&](NMHDR* h) -> LRESULT {
        if (h->code == LVN_COLUMNCLICK)
            columns.push_back(reinterpret_cast<NMLISTVIEW*>(h)->iSubItem);
        return 0;
    };
    HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
    RECT col {};
    SendMessage(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&col));
    POINT at { (col.left + col.right) / 2, (col.top + col.bottom) / 2 };
    ClientToScreen(header, &at);
    screen.click(at.x, at.y);
    EXPECT_EQ(columns, std::vector<int> { 1 });
}

TEST_F(ListViewTest, ShiftAndControlClicksAndARefusedChange)
{
    HWND list = make(0);
    addRows(list, 6);
    POINT p = rowPoint(list, 1);
    screen.click(p.x, p.y);
    p = rowPoint(list, 3);
    screen.keyDown(VK_SHIFT);
    screen.click(p.x, p.y);
    screen.keyUp(VK_SHIFT);
    EXPECT_EQ(selected(list), (std::vector<int> { 1, 2, 3 }));
    p = rowPoint(list, 2);
    screen.keyDown(VK_CONTROL);
    screen.click(p.x, p.y);
    screen.keyUp(VK_CONTROL);
    EXPECT_EQ(selected(list), (std::vector<int> { 1, 3 }));

    // The owner refuses selecting row 5: the selection stays as it was.
    parentLog().answer = [](NMHDR* h) -> LRESULT {
        auto* nm = reinterpret_cast<NMLISTVIEW*>(h);
        return h->code == LVN_ITEMCHANGING && nm->iItem == 5 && (nm->uNewState & LVIS_SELECTED);
    };
    LVITEM state;
    state.state = state.stateMask = LVIS_SELECTED;
    EXPECT_FALSE(SendMessage(list, LVM_SETITEMSTATE, 5, reinterpret_cast<LPARAM>(&state)));
    EXPECT_EQ(selected(list), (std::vector<int> { 1, 3 }));

    // Dragging from a row begins a drag instead of clicking.
    parentLog().notices.clear();
    p = rowPoint(list, 4);
    screen.drag(p.x, p.y, p.x + 30, p.y + 30);
    const Codes got = codes();
    EXPECT_NE(std::find(got.begin(), got.end(), LVN_BEGINDRAG), got.end());
    EXPECT_EQ(std::find(got.begin(), got.end(), NM_CLICK), got.end());
}

TEST_F(ListViewTest, OwnerDataAsksOnlyForTheVisibleRows)
{
    HWND list = make(LVS_OWNERDATA, 120);
    std::set<int> asked;
    std::vector<std::pair<int, int>> hints;
    parentLog().answer = [&](NMHDR* h) -> LRESULT {
        if (h->code == LVN_GETDISPINFO) {
            auto* info = reinterpret_cast<NMLVDISPINFO*>(h);
            asked.insert(info->item.iItem);
            if (info->item.mask & LVIF_TEXT) {
                const std::string text = "Row " + std::to_string(info->item.iItem) + "." + std::to_string(info->item.iSubItem);
                std::strncpy(info->item.pszText, text.c_str(), static_cast<std::size_t>(info->item.cchTextMax));
            }
        } else if (h->code == LVN_ODCACHEHINT) {
            auto* hint = reinterpret_cast<NMLVCACHEHINT*>(h);
            hints.emplace_back(hint->iFrom, hint->iTo);
        }
        return 0;
    };
    SendMessage(list, LVM_SETITEMCOUNT, 100000, 0);
    screen.pump();
    // Measured on a repaint, once the scroll bars have settled the client area.
    asked.clear();
    hints.clear();
    InvalidateRect(list, nullptr, TRUE);
    screen.pump();
    const int page = static_cast<int>(SendMessage(list, LVM_GETCOUNTPERPAGE, 0, 0));
    ASSERT_GT(page, 0);
    ASSERT_FALSE(asked.empty());
    // The page and at most the one row cut off at its foot.
    EXPECT_EQ(*asked.begin(), 0);
    EXPECT_LE(*asked.rbegin(), page);
    ASSERT_FALSE(hints.empty());
    EXPECT_EQ(hints.back().first, 0);
    EXPECT_LE(hints.back().second, page);

    asked.clear();
    SendMessage(list, WM_VSCROLL, SB_PAGEDOWN, 0);
    screen.pump();
    EXPECT_EQ(SendMessage(list, LVM_GETTOPINDEX, 0, 0), page);
    EXPECT_GE(*asked.begin(), page);
    EXPECT_LE(*asked.rbegin(), 2 * page);
    EXPECT_EQ(textOf(list, 77, 2), "Row 77.2");

    // The control keeps the selection of owner rows itself.
    LVITEM state;
    state.state = state.stateMask = LVIS_SELECTED;
    SendMessage(list, LVM_SETITEMSTATE, 99999, reinterpret_cast<LPARAM>(&state));
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 99999);
    SendMessage(list, LVM_SETITEMCOUNT, 3, 0); // fewer rows than a page: back to the top
    EXPECT_EQ(SendMessage(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), -1);
    EXPECT_EQ(SendMessage(list, LVM_GETTOPINDEX, 0, 0), 0);
}

TEST_F(ListViewTest, HeaderTracksAreForwardedAndMayBeRefused)
{
    HWND list = make(0);
    HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
    RECT col {};
    SendMessage(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&col));
    POINT divider { col.right, (col.top + col.bottom) / 2 };
    ClientToScreen(header, &divider);

    screen.drag(divider.x, divider.y, divider.x + 40, divider.y);
    EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0), 140);
    const Codes got = codes();
    for (UINT code : { HDN_BEGINTRACK, HDN_ENDTRACK, HDN_ITEMCHANGING, HDN_ITEMCHANGED })
        EXPECT_NE(std::find(got.begin(), got.end(), code), got.end()) << static_cast<int>(code);

    parentLog().answer = [](NMHDR* h) -> LRESULT { return h->code == HDN_ITEMCHANGING; };
    screen.drag(divider.x + 40, divider.y, divider.x, divider.y);
    EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 0, 0), 140);

    parentLog().answer = nullptr;
    SendMessage(list, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(static_cast<WORD>(LVSCW_AUTOSIZE_USEHEADER), 0));
    EXPECT_EQ(SendMessage(list, LVM_GETCOLUMNWIDTH, 2, 0), 300 - 140 - 100);
}

// A column sized to its texts or heading shows them in full: widening it further changes nothing in
// the cell or on the heading's button, with the state images and icons that push a first column's
// label right.
TEST_F(ListViewTest, AutomaticWidthsShowTextsAndHeadingsInFull)
{
    struct Case {
        const char* name;
        int column;
        const char* text;
        const char* heading;
        bool useHeader;
        bool images;
    };
    const Case cases[] = {
        { "first column", 0, "The Long and Winding Road", "Title", false, false },
        { "first column after a check box and an icon", 0, "The Long and Winding Road", "Title", false, true },
        { "another column", 1, "Ella and the Northern Lights", "Artist", false, false },
        { "a heading wider than the texts", 1, "x", "Track Number", true, false },
        { "a heading beside short texts in the first column", 0, "x", "Track Title", true, true },
    };
    HIMAGELIST states = ImageList_Create(11, 11, ILC_COLOR24, 2, 0);
    HIMAGELIST icons = ImageList_Create(16, 16, ILC_COLOR24, 1, 0);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HWND list = make(0);
        if (c.images) {
            SendMessage(list, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(states));
            SendMessage(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(icons));
        }
        LVCOLUMN heading;
        heading.mask = LVCF_TEXT;
        heading.pszText = const_cast<LPSTR>(c.heading);
        SendMessage(list, LVM_SETCOLUMN, static_cast<WPARAM>(c.column), reinterpret_cast<LPARAM>(&heading));
        LVITEM item;
        item.mask = LVIF_TEXT;
        item.iItem = 0;
        item.iSubItem = 0;
        item.pszText = const_cast<LPSTR>(c.column == 0 ? c.text : "");
        SendMessage(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = c.column;
        item.pszText = const_cast<LPSTR>(c.text);
        SendMessage(list, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
        SendMessage(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c.column),
            MAKELPARAM(static_cast<WORD>(c.useHeader ? LVSCW_AUTOSIZE_USEHEADER : LVSCW_AUTOSIZE), 0));
        const int width = static_cast<int>(SendMessage(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(c.column), 0));

        // The cell and the heading's button up to its right edge, on the screen.
        HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
        RECT button {};
        SendMessage(header, HDM_GETITEMRECT, static_cast<WPARAM>(c.column), reinterpret_cast<LPARAM>(&button));
        RECT row {};
        row.left = LVIR_BOUNDS;
        SendMessage(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
        POINT headerAt { button.left, button.top };
        ClientToScreen(header, &headerAt);
        POINT rowAt { button.left, row.top };
        ClientToScreen(list, &rowAt);
        const auto look = [&] {
            screen.pump();
            std::vector<COLORREF> pixels;
            for (int x = 0; x < width - 2; ++x) {
                for (int y = 0; y < button.bottom - button.top; ++y)
                    pixels.push_back(screen.pixel(headerAt.x + x, headerAt.y + y));
                for (int y = 0; y < row.bottom - row.top; ++y)
                    pixels.push_back(screen.pixel(rowAt.x + x, rowAt.y + y));
            }
            return pixels;
        };
        const std::vector<COLORREF> sized = look();
        SendMessage(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(c.column), width + 60);
        EXPECT_TRUE(look() == sized) << "cut at the automatic width " << width;
        DestroyWindow(list);
    }
    ImageList_Destroy(states);
    ImageList_Destroy(icons);
}

// Columns hidden at width 0, or narrower than a cell's margins, draw none of their texts, neither in
// themselves nor over the columns and the empty area beside them.
TEST_F(ListViewTest, TooNarrowColumnsDrawNoText)
{
    HWND list = make(0);
    addRows(list, 1);
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iSubItem = 2;
    item.pszText = const_cast<LPSTR>("1999");
    SendMessage(list, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
    SendMessage(list, LVM_SETCOLUMNWIDTH, 1, 8);
    SendMessage(list, LVM_SETCOLUMNWIDTH, 2, 0);
    screen.pump();
    RECT row {};
    row.left = LVIR_BOUNDS;
    SendMessage(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    POINT from { 100, row.top };
    ClientToScreen(list, &from);
    const COLORREF background = GetSysColor(COLOR_WINDOW);
    int drawn = 0;
    for (int x = 0; x < 150; ++x)
        for (int y = 0; y < row.bottom - row.top; ++y)
            drawn += screen.pixel(from.x + x, from.y + y) != background;
    EXPECT_EQ(drawn, 0);
}

TEST_F(ListViewTest, HeaderSpansTheClientWhateverTheVerticalScrollBarDoes)
{
    HWND list = make(0);
    HWND header = reinterpret_cast<HWND>(SendMessage(list, LVM_GETHEADER, 0, 0));
    addRows(list, 20);
    const auto headerFillsClient = [&] {
        RECT client {}, bar {};
        GetClientRect(list, &client);
        GetWindowRect(header, &bar);
        return client.right > 300 && bar.right - bar.left == client.right;
    };
    // Wider than its columns, so that the header's width is the client's.
    SetWindowPos(list, nullptr, 0, 0, 420, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(GetWindowLong(list, GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(headerFillsClient());
    // Tall enough for every row: the bar goes away inside the resize's own layout.
    SetWindowPos(list, nullptr, 0, 0, 420, 460, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_FALSE(GetWindowLong(list, GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(headerFillsClient());
    SetWindowPos(list, nullptr, 0, 0, 420, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_TRUE(GetWindowLong(list, GWL_STYLE) & WS_VSCROLL);
    EXPECT_TRUE(headerFillsClient());
}
