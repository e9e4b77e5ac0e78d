#pragma once
// The list view in report mode: rows of items with subitem columns under a header control, images
// from the small and state image lists, selection and focus kept per item, keyboard and mouse
// selection, scrolling, custom drawing, and owner data (LVS_OWNERDATA), where the owner keeps the
// rows and is asked only for the ones on screen.

#include <string>
#include <vector>

#include "platform/comctl/CommCtrl.h"

namespace platform::comctl {

class ListView {
public:
    explicit ListView(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }
    ~ListView();
    ListView(const ListView&) = delete;
    ListView& operator=(const ListView&) = delete;

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The states the control keeps itself (the owner may take them over with the callback mask).
    static constexpr UINT kKeptStates = LVIS_FOCUSED | LVIS_SELECTED | LVIS_CUT | LVIS_DROPHILITED
        | LVIS_OVERLAYMASK | LVIS_STATEIMAGEMASK;
    static constexpr int kWheelLines = 3;

private:
    struct Item {
        std::vector<std::string> texts; // per subitem
        std::vector<bool> callback; // per subitem: the owner gives the text
        int image { 0 };
        LPARAM lParam { 0 };
        UINT state { 0 };
        int indent { 0 };
    };
    // What a row shows, from the item or the owner.
    struct Shown {
        std::string text;
        int image { -1 };
        UINT state { 0 };
    };

    DWORD style() const { return static_cast<DWORD>(GetWindowLongPtr(m_hwnd, GWL_STYLE)); }
    bool ownerData() const { return (style() & LVS_OWNERDATA) != 0; }
    int count() const { return ownerData() ? m_ownerCount : static_cast<int>(m_items.size()); }
    bool valid(int i) const { return i >= 0 && i < count(); }
    int columns() const;

    // Items.
    int insertItem(const LVITEM& in);
    bool deleteItem(int i);
    void deleteAll();
    bool setItem(const LVITEM& in);
    bool getItem(LVITEM& io);
    Shown shown(int i, int sub, UINT mask);
    UINT stateOf(int i);
    void keepState(int i, UINT state);
    // Changes state bits of one item (-1: all), telling the owner; false when it refused.
    bool changeState(int i, UINT state, UINT mask);
    int nextItem(int start, UINT flags);
    int findItem(int start, const LVFINDINFO& info);
    void sortItems(PFNLVCOMPARE compare, LPARAM data);
    void setCount(int n, DWORD flags);

    // Columns (widths and texts live in the header).
    int insertColumn(int at, const LVCOLUMN& in);
    bool setColumn(int col, const LVCOLUMN& in);
    bool getColumn(int col, LVCOLUMN& io) const;
    bool deleteColumn(int col);
    int columnWidth(int col) const;
    bool setColumnWidth(int col, int width);
    // The width that shows every row's text of the column in full (and, with header, its heading).
    int autoWidth(int col, bool header);
    // Where a row's label starts in the first column: the margin, the state image and the small icon.
    int labelLead() const;
    RECT columnRect(int col) const;
    int totalWidth() const;

    // Geometry.
    void layout();
    void layoutHeader();
    int rowHeight() const;
    int headerHeight() const { return m_headerHeight; }
    int perPage() const;
    RECT rowRect(int i) const;
    bool itemRect(int i, int code, RECT& out) const;
    bool subItemRect(int i, int sub, int code, RECT& out) const;
    int hitTest(LVHITTESTINFO& hit, bool subItems) const;
    void scrollTo(int top, int originX);
    void ensureVisible(int i);
    void updateScrollBars();
    void vscroll(int code);
    void hscroll(int code);

    // Input.
    void select(int i, bool ctrl, bool shift);
    void moveFocus(int to, bool ctrl, bool shift);
    void keyDown(int vk);
    void buttonDown(UINT message, POINT pt, WPARAM keys);
    void buttonUp(UINT message, POINT pt);
    LRESULT notifyItem(UINT code, int item, int sub, POINT pt, UINT keyFlags = 0);

    // Drawing.
    void paint(HDC dc, const RECT& clip);
    void drawRow(HDC dc, int i, LRESULT stages);
    LRESULT customDraw(HDC dc, DWORD stage, int item, int sub, const RECT& rc, UINT itemState, LPARAM param,
        COLORREF& text, COLORREF& back);

    LRESULT forwardHeader(NMHDR* header);

    HWND m_hwnd;
    HWND m_header { nullptr };
    std::vector<Item> m_items;
    int m_ownerCount { 0 };
    std::vector<UINT> m_ownerStates;
    std::vector<int> m_columnFormats; // LVCFMT_ per column
    std::vector<int> m_columnImages;
    std::vector<int> m_columnSubItems;
    HIMAGELIST m_normal { nullptr };
    HIMAGELIST m_small { nullptr };
    HIMAGELIST m_stateImages { nullptr };
    DWORD m_exStyle { 0 };
    UINT m_callbackMask { 0 };
    COLORREF m_bk { CLR_DEFAULT };
    COLORREF m_text { CLR_DEFAULT };
    COLORREF m_textBk { CLR_DEFAULT };
    HFONT m_font { nullptr };
    int m_headerHeight { 0 };
    int m_top { 0 };
    int m_originX { 0 };
    int m_focus { -1 };
    int m_mark { -1 };
    bool m_hasFocus { false };
    bool m_laying { false };
    bool m_layoutAgain { false };
    // A press waiting to become a click or a drag.
    UINT m_pressButton { 0 };
    int m_pressItem { -1 };
    int m_pressSub { 0 };
    POINT m_pressAt {};
};

} // namespace platform::comctl
