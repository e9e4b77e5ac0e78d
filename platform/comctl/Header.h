#pragma once
// The header control: a row of column buttons above a list. Items have a width, text, format and
// image; a click on a button (HDS_BUTTONS) and dragging a divider are told to the parent, which may
// refuse a width change (HDN_ITEMCHANGING) or a track (HDN_BEGINTRACK).

#include <string>
#include <vector>

#include "platform/comctl/CommCtrl.h"

namespace platform::comctl {

class Header {
public:
    explicit Header(HWND hwnd)
        : m_hwnd(hwnd)
    {
    }

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // How near a divider the pointer must be to drag it.
    static constexpr int kDividerSlop = 4;
    // An item's button: its raised edge, then the gap between the edge and the label, on either side;
    // an image keeps a gap to the label.
    static constexpr int kButtonEdge = 2;
    static constexpr int kTextMargin = 6;
    static constexpr int kImageGap = 2;
    // The width an item needs to show a label this wide in full, beside an image this wide (0: none).
    static constexpr int WidthForLabel(int labelWidth, int imageWidth = 0)
    {
        return labelWidth + 2 * (kButtonEdge + kTextMargin) + (imageWidth > 0 ? imageWidth + kImageGap : 0);
    }

private:
    struct Item {
        int cxy { 0 };
        std::string text;
        bool callbackText { false };
        int fmt { HDF_LEFT | HDF_STRING };
        LPARAM lParam { 0 };
        int image { 0 };
        HBITMAP bitmap { nullptr };
    };

    int count() const { return static_cast<int>(m_items.size()); }
    // The items in display order (indexes into m_items).
    const std::vector<int>& order() const { return m_order; }
    RECT itemRect(int index) const;
    int insert(int at, const HDITEM& item);
    bool remove(int index);
    bool get(int index, HDITEM& out) const;
    // Applies an HDITEM to an item after asking the parent; false when refused.
    bool set(int index, const HDITEM& in, bool ask);
    int hitTest(POINT pt, UINT& flags) const;
    LRESULT notify(UINT code, int item, int button = 0, HDITEM* pitem = nullptr);
    int height() const;
    void paint();

    HWND m_hwnd;
    std::vector<Item> m_items;
    std::vector<int> m_order;
    HIMAGELIST m_images { nullptr };
    HFONT m_font { nullptr };
    int m_pressed { -1 };
    bool m_pressedInside { false };
    int m_tracking { -1 };
    int m_trackOffset { 0 };
    int m_trackWidth { 0 };
};

} // namespace platform::comctl
