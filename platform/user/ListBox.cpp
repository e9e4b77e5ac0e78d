// The LISTBOX class, and the list of a combo box: single, multiple and extended selection, sorting,
// owner-drawn items of fixed or variable height, scrolling, the keyboard and type-ahead. A combo
// box's list tells the combo box what the user does (WM_COMMAND with LBN_* codes); a dropped list
// holds the mouse until the user picks an item or clicks elsewhere.

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/base/CaseFold.h"
#include "platform/user/ControlSupport.h"

namespace platform::user {

namespace {

constexpr int kTextIndent = 2;
constexpr int kWheelLines = 3;

struct Item {
    std::string text;
    ULONG_PTR data { 0 };
    bool selected { false };
    int height { 0 };
};

struct ListBoxState {
    std::vector<Item> items;
    // The caret item; in a single-selection list also the selected item.
    int current { -1 };
    int anchor { -1 };
    int top { 0 };
    int itemHeight { 13 };
    HFONT font { nullptr };
    bool focused { false };
    bool tracking { false };
    // The combo box this list belongs to, null for a plain list box.
    HWND combo { nullptr };
    bool pressedInside { false };
    // Created with WS_VSCROLL: the bar comes and goes with the need for it, the wish stays.
    bool scrolls { false };
    std::vector<int> tabStops;
    int horizontalExtent { 0 };
};

DWORD styleOf(HWND h) { return static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)); }

class List {
public:
    List(HWND h, ListBoxState& s)
        : m_h(h)
        , m_s(s)
    {
    }

    int count() const { return static_cast<int>(m_s.items.size()); }
    bool valid(int i) const { return i >= 0 && i < count(); }
    bool multiple() const { return (styleOf(m_h) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0; }
    bool extended() const { return (styleOf(m_h) & LBS_EXTENDEDSEL) != 0; }
    bool noSelection() const { return (styleOf(m_h) & LBS_NOSEL) != 0; }
    bool ownerDraw() const { return (styleOf(m_h) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE)) != 0; }
    bool variable() const { return (styleOf(m_h) & LBS_OWNERDRAWVARIABLE) != 0; }
    bool hasStrings() const { return !ownerDraw() || (styleOf(m_h) & LBS_HASSTRINGS); }
    bool dropped() const { return m_s.combo && !(styleOf(m_h) & WS_CHILD); }

    // Owner-drawing, comparing and deleting go to the parent, or for a combo box's list to the combo
    // box's parent in the combo box's name.
    HWND owner() const { return m_s.combo ? GetParent(m_s.combo) : GetParent(m_h); }
    UINT ownerType() const { return m_s.combo ? ODT_COMBOBOX : ODT_LISTBOX; }
    HWND ownerItem() const { return m_s.combo ? m_s.combo : m_h; }
    UINT ownerId() const { return static_cast<UINT>(GetDlgCtrlID(ownerItem())); }

    void notify(WORD code)
    {
        if (m_s.combo)
            SendMessage(m_s.combo, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(m_h), code), reinterpret_cast<LPARAM>(m_h));
        else if (styleOf(m_h) & LBS_NOTIFY)
            NotifyParent(m_h, code);
    }

    int heightOf(int i) const
    {
        return variable() && valid(i) ? std::max(m_s.items[static_cast<std::size_t>(i)].height, 1) : m_s.itemHeight;
    }

    RECT itemRect(int i) const
    {
        RECT client;
        GetClientRect(m_h, &client);
        int y = 0;
        if (i >= m_s.top)
            for (int k = m_s.top; k < i; ++k)
                y += heightOf(k);
        else
            for (int k = i; k < m_s.top; ++k)
                y -= heightOf(k);
        return { 0, y, client.right, y + heightOf(i) };
    }

    int visibleCount() const
    {
        RECT client;
        GetClientRect(m_h, &client);
        int y = 0, n = 0;
        for (int i = m_s.top; i < count() && y + heightOf(i) <= client.bottom; ++i, ++n)
            y += heightOf(i);
        return std::max(n, 1);
    }

    // The item at a client point, or the nearest one; outside is set when the point is past the items
    // or outside the client area.
    int itemAt(POINT pt, bool* outside = nullptr) const
    {
        RECT client;
        GetClientRect(m_h, &client);
        bool out = !PtInRect(&client, pt);
        int found = -1;
        if (count()) {
            if (pt.y < 0) {
                found = std::max(m_s.top - 1, 0);
            } else {
                int y = 0;
                found = count() - 1;
                for (int i = m_s.top; i < count(); ++i) {
                    y += heightOf(i);
                    if (pt.y < y) {
                        found = i;
                        break;
                    }
                }
                if (pt.y >= y && found == count() - 1)
                    out = true;
            }
        }
        if (outside)
            *outside = out;
        return found;
    }

    void updateScrollBar()
    {
        if (!m_s.scrolls)
            return;
        SCROLLINFO si;
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        if (styleOf(m_h) & LBS_DISABLENOSCROLL)
            si.fMask |= SIF_DISABLENOSCROLL;
        si.nMin = 0;
        si.nMax = std::max(count() - 1, 0);
        si.nPage = static_cast<UINT>(visibleCount());
        si.nPos = m_s.top;
        SetScrollInfo(m_h, SB_VERT, &si, TRUE);
    }

    void redraw()
    {
        if (!(styleOf(m_h) & LBS_NOREDRAW))
            InvalidateRect(m_h, nullptr, TRUE);
    }

    bool setTop(int top)
    {
        const int last = std::max(0, count() - visibleCount());
        top = std::clamp(top, 0, std::max(last, 0));
        if (top == m_s.top)
            return false;
        m_s.top = top;
        redraw();
        updateScrollBar();
        return true;
    }

    void showItem(int i)
    {
        if (!valid(i))
            return;
        if (i < m_s.top) {
            setTop(i);
            return;
        }
        while (i >= m_s.top + visibleCount() && setTop(m_s.top + 1)) { }
    }

    bool isSelected(int i) const
    {
        if (!valid(i) || noSelection())
            return false;
        return multiple() ? m_s.items[static_cast<std::size_t>(i)].selected : i == m_s.current;
    }

    // Single selection: makes i the selected item; true when that changed.
    bool selectOnly(int i)
    {
        if (!valid(i))
            i = -1;
        if (multiple()) {
            bool changed = false;
            for (int k = 0; k < count(); ++k) {
                const bool want = k == i;
                changed |= m_s.items[static_cast<std::size_t>(k)].selected != want;
                m_s.items[static_cast<std::size_t>(k)].selected = want;
            }
            changed |= m_s.current != i;
            m_s.current = i;
            if (changed)
                redraw();
            return changed;
        }
        if (m_s.current == i)
            return false;
        m_s.current = i;
        redraw();
        return true;
    }

    bool selectRange(int from, int to, bool on)
    {
        if (from > to)
            std::swap(from, to);
        bool changed = false;
        for (int k = std::max(from, 0); k <= std::min(to, count() - 1); ++k) {
            changed |= m_s.items[static_cast<std::size_t>(k)].selected != on;
            m_s.items[static_cast<std::size_t>(k)].selected = on;
        }
        if (changed)
            redraw();
        return changed;
    }

    // ---- Items ---------------------------------------------------------------------------------

    int compare(const Item& a, const Item& b, int indexB) const
    {
        if (hasStrings())
            return platform::CompareNoCase(a.text, b.text);
        COMPAREITEMSTRUCT cis;
        cis.CtlType = ownerType();
        cis.CtlID = ownerId();
        cis.hwndItem = ownerItem();
        cis.itemID1 = static_cast<UINT>(-1);
        cis.itemData1 = a.data;
        cis.itemID2 = static_cast<UINT>(indexB);
        cis.itemData2 = b.data;
        return static_cast<int>(SendMessage(owner(), WM_COMPAREITEM, cis.CtlID, reinterpret_cast<LPARAM>(&cis)));
    }

    LRESULT insert(int at, LPARAM value, bool sorted)
    {
        Item item;
        if (hasStrings())
            item.text = value ? reinterpret_cast<LPCSTR>(value) : "";
        else
            item.data = static_cast<ULONG_PTR>(value);
        if (sorted && (styleOf(m_h) & LBS_SORT)) {
            at = 0;
            while (at < count() && compare(item, m_s.items[static_cast<std::size_t>(at)], at) >= 0)
                ++at;
        } else if (at < 0) {
            at = count();
        } else if (at > count()) {
            return LB_ERR;
        }
        if (variable()) {
            MEASUREITEMSTRUCT mis;
            mis.CtlType = ownerType();
            mis.CtlID = ownerId();
            mis.itemID = static_cast<UINT>(at);
            mis.itemHeight = static_cast<UINT>(m_s.itemHeight);
            mis.itemData = hasStrings() ? static_cast<ULONG_PTR>(value) : item.data;
            SendMessage(owner(), WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
            item.height = static_cast<int>(mis.itemHeight);
        }
        m_s.items.insert(m_s.items.begin() + at, std::move(item));
        if (m_s.current >= at)
            ++m_s.current;
        if (m_s.anchor >= at)
            ++m_s.anchor;
        redraw();
        updateScrollBar();
        return at;
    }

    void tellDeleted(int i)
    {
        const Item& item = m_s.items[static_cast<std::size_t>(i)];
        if (!ownerDraw() && !item.data)
            return;
        DELETEITEMSTRUCT dis;
        dis.CtlType = ownerType();
        dis.CtlID = ownerId();
        dis.itemID = static_cast<UINT>(i);
        dis.hwndItem = ownerItem();
        dis.itemData = item.data;
        SendMessage(owner(), WM_DELETEITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
    }

    LRESULT erase(int i)
    {
        if (!valid(i))
            return LB_ERR;
        tellDeleted(i);
        if (!valid(i))
            return LB_ERR;
        m_s.items.erase(m_s.items.begin() + i);
        for (int* index : { &m_s.current, &m_s.anchor }) {
            if (*index == i)
                *index = -1;
            else if (*index > i)
                --*index;
        }
        m_s.top = std::clamp(m_s.top, 0, std::max(0, count() - 1));
        redraw();
        updateScrollBar();
        return count();
    }

    void clear()
    {
        for (int i = count() - 1; i >= 0; --i)
            if (i < count())
                tellDeleted(i);
        m_s.items.clear();
        m_s.current = m_s.anchor = -1;
        m_s.top = 0;
        redraw();
        updateScrollBar();
    }

    LRESULT find(int start, LPCSTR value, LPARAM raw, bool exact) const
    {
        if (!count())
            return LB_ERR;
        const std::string wanted = hasStrings() && value ? value : "";
        const int from = (start < 0 || start >= count()) ? -1 : start;
        for (int step = 1; step <= count(); ++step) {
            const int i = (from + step) % count();
            const Item& item = m_s.items[static_cast<std::size_t>(i)];
            if (!hasStrings()) {
                if (item.data == static_cast<ULONG_PTR>(raw))
                    return i;
                continue;
            }
            if (exact ? platform::EqualsNoCase(item.text, wanted)
                      : item.text.size() >= wanted.size()
                        && platform::EqualsNoCase(item.text.substr(0, wanted.size()), wanted))
                return i;
        }
        return LB_ERR;
    }

    // ---- The user ------------------------------------------------------------------------------

    // Moves the caret to i as a click or a key does: selection by the list's kind; the parent hears
    // LBN_SELCHANGE when the selection changed.
    void choose(int i, bool shift, bool ctrl, bool toggle)
    {
        if (!valid(i) || noSelection())
            return;
        bool changed = false;
        if (!multiple()) {
            changed = selectOnly(i);
        } else if (!extended()) {
            if (toggle) {
                Item& item = m_s.items[static_cast<std::size_t>(i)];
                item.selected = !item.selected;
                changed = true;
                redraw();
            }
            if (m_s.current != i)
                redraw();
        } else if (shift) {
            if (m_s.anchor < 0)
                m_s.anchor = i;
            if (!ctrl)
                changed |= selectRange(0, count() - 1, false);
            changed |= selectRange(m_s.anchor, i, true);
        } else if (ctrl) {
            if (toggle) {
                Item& item = m_s.items[static_cast<std::size_t>(i)];
                item.selected = !item.selected;
                changed = true;
                redraw();
            }
            m_s.anchor = i;
        } else {
            changed = selectOnly(i);
            m_s.anchor = i;
        }
        if (m_s.current != i) {
            m_s.current = i;
            redraw();
        }
        showItem(i);
        if (changed)
            notify(LBN_SELCHANGE);
    }

    void keyDown(WPARAM vk)
    {
        const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
        int target = m_s.current;
        const int page = visibleCount();
        switch (vk) {
        case VK_UP:
            target = target < 0 ? 0 : target - 1;
            break;
        case VK_DOWN:
            target = target < 0 ? 0 : target + 1;
            break;
        case VK_PRIOR:
            target = std::max(target - page + 1, 0);
            break;
        case VK_NEXT:
            target = std::min(target + page - 1, count() - 1);
            break;
        case VK_HOME:
            target = 0;
            break;
        case VK_END:
            target = count() - 1;
            break;
        case VK_SPACE:
            if (multiple() && valid(m_s.current))
                choose(m_s.current, false, extended(), true);
            return;
        default:
            return;
        }
        target = std::clamp(target, 0, count() - 1);
        if (!valid(target))
            return;
        if (multiple() && !extended()) {
            // The caret moves; the selection waits for the space bar.
            m_s.current = target;
            showItem(target);
            redraw();
            return;
        }
        choose(target, shift && extended(), ctrl && extended() && !shift, false);
    }

    void typed(WPARAM ch)
    {
        if (ch < 0x20 || !hasStrings())
            return;
        const char text[2] = { static_cast<char>(ch), 0 };
        const LRESULT found = find(m_s.current, text, 0, false);
        if (found != LB_ERR)
            choose(static_cast<int>(found), false, false, false);
    }

    // ---- Painting ------------------------------------------------------------------------------

    void paint(HDC hdc)
    {
        RECT client;
        GetClientRect(m_h, &client);
        HBRUSH brush = ControlColors(m_h, hdc, WM_CTLCOLORLISTBOX);
        const COLORREF text = GetTextColor(hdc);
        HGDIOBJ oldFont = SelectObject(hdc, FontOr(m_s.font));
        FillRect(hdc, &client, brush);
        for (int i = m_s.top; i < count(); ++i) {
            RECT r = itemRect(i);
            if (r.top >= client.bottom)
                break;
            const Item& item = m_s.items[static_cast<std::size_t>(i)];
            const bool selected = isSelected(i);
            const bool caret = m_s.focused && i == m_s.current;
            if (ownerDraw()) {
                DRAWITEMSTRUCT dis;
                dis.CtlType = ownerType();
                dis.CtlID = ownerId();
                dis.itemID = static_cast<UINT>(i);
                dis.itemAction = ODA_DRAWENTIRE;
                dis.itemState = (selected ? ODS_SELECTED : 0) | (caret ? ODS_FOCUS : 0)
                    | (IsWindowEnabled(m_h) ? 0 : ODS_DISABLED);
                dis.hwndItem = m_h;
                dis.hDC = hdc;
                dis.rcItem = r;
                dis.itemData = item.data;
                SendMessage(owner(), WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis));
                continue;
            }
            SetItemColors(m_h, hdc, r, selected, text);
            SetBkMode(hdc, TRANSPARENT);
            RECT t = r;
            t.left += kTextIndent;
            UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
            if (styleOf(m_h) & LBS_USETABSTOPS)
                format |= DT_EXPANDTABS;
            DrawText(hdc, item.text.c_str(), -1, &t, format);
            if (caret && !dropped())
                DrawFocusRect(hdc, &r);
        }
        SelectObject(hdc, oldFont);
    }

    // ---- A dropped combo box list ----------------------------------------------------------------

    bool overList(POINT client) const
    {
        RECT r;
        GetClientRect(m_h, &r);
        return PtInRect(&r, client) != FALSE;
    }

    void closeDropped(bool ok)
    {
        if (m_s.combo)
            SendMessage(m_s.combo, kComboCloseList, ok ? TRUE : FALSE, 0);
    }

    LRESULT droppedMouse(UINT msg, WPARAM wParam, LPARAM lParam)
    {
        const POINT pt { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
        switch (msg) {
        case WM_MOUSEMOVE:
            // The item under the pointer is highlighted; the pick comes with the release.
            if (overList(pt) && count()) {
                const int i = itemAt(pt);
                if (i != m_s.current) {
                    m_s.current = i;
                    redraw();
                }
            }
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            if (overList(pt)) {
                m_s.pressedInside = true;
                const int i = itemAt(pt);
                if (valid(i) && i != m_s.current) {
                    m_s.current = i;
                    redraw();
                }
                return 0;
            }
            POINT screen = pt;
            ClientToScreen(m_h, &screen);
            RECT window;
            GetWindowRect(m_h, &window);
            if (PtInRect(&window, screen)) {
                // The list's own scroll bar: let it work, then hold the mouse again.
                ReleaseCapture();
                SendMessage(m_h, WM_NCLBUTTONDOWN,
                    static_cast<WPARAM>(SendMessage(m_h, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y))),
                    MAKELPARAM(screen.x, screen.y));
                if (IsWindow(m_h) && IsWindowVisible(m_h))
                    SetCapture(m_h);
                return 0;
            }
            closeDropped(false);
            return 0;
        }
        case WM_LBUTTONUP:
            if (overList(pt) && count()) {
                const int i = itemAt(pt);
                if (valid(i))
                    m_s.current = i;
                closeDropped(true);
            } else if (m_s.pressedInside) {
                m_s.pressedInside = false;
            }
            return 0;
        default:
            return 0;
        }
    }

private:
    HWND m_h;
    ListBoxState& m_s;
};

LRESULT textOut(const Item& item, bool strings, LPARAM buffer)
{
    if (!buffer)
        return LB_ERR;
    if (!strings) {
        std::memcpy(reinterpret_cast<void*>(buffer), &item.data, sizeof item.data);
        return sizeof item.data;
    }
    std::memcpy(reinterpret_cast<char*>(buffer), item.text.c_str(), item.text.size() + 1);
    return static_cast<LRESULT>(item.text.size());
}

} // namespace

LRESULT ListBoxProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    ListBoxState* s = ControlState<ListBoxState>(h);
    if (!s && msg != WM_NCCREATE)
        return DefWindowProc(h, msg, wParam, lParam);
    if (msg == WM_NCCREATE) {
        s = CreateControlState<ListBoxState>(h);
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        char name[16] {};
        GetClassName(h, name, sizeof name);
        if (cs && platform::EqualsNoCase(name, WC_COMBOLIST))
            s->combo = static_cast<HWND>(cs->lpCreateParams);
        s->scrolls = (styleOf(h) & WS_VSCROLL) != 0;
        return DefWindowProc(h, msg, wParam, lParam);
    }
    List list(h, *s);
    const auto index = static_cast<int>(static_cast<INT_PTR>(wParam));
    switch (msg) {
    case WM_CREATE: {
        HDC dc = GetDC(h);
        HGDIOBJ old = SelectObject(dc, FontOr(s->font));
        TEXTMETRIC tm {};
        GetTextMetrics(dc, &tm);
        SelectObject(dc, old);
        ReleaseDC(h, dc);
        s->itemHeight = std::max<int>(tm.tmHeight, 1);
        if (styleOf(h) & LBS_OWNERDRAWFIXED) {
            MEASUREITEMSTRUCT mis;
            mis.CtlType = list.ownerType();
            mis.CtlID = list.ownerId();
            mis.itemHeight = static_cast<UINT>(s->itemHeight);
            SendMessage(list.owner(), WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis));
            s->itemHeight = std::max<int>(static_cast<int>(mis.itemHeight), 1);
        }
        list.updateScrollBar();
        return 0;
    }
    case WM_NCDESTROY:
        if (ListBoxState* gone = ControlState<ListBoxState>(h)) {
            List(h, *gone).clear();
            DestroyControlState<ListBoxState>(h);
        }
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        if (!(styleOf(h) & (LBS_OWNERDRAWFIXED | LBS_OWNERDRAWVARIABLE))) {
            HDC dc = GetDC(h);
            HGDIOBJ old = SelectObject(dc, FontOr(s->font));
            TEXTMETRIC tm {};
            GetTextMetrics(dc, &tm);
            SelectObject(dc, old);
            ReleaseDC(h, dc);
            s->itemHeight = std::max<int>(tm.tmHeight, 1);
        }
        list.updateScrollBar();
        if (lParam)
            InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_SIZE:
        list.updateScrollBar();
        return 0;
    case WM_SETREDRAW:
        SetWindowLong(h, GWL_STYLE, static_cast<LONG>(wParam ? styleOf(h) & ~LBS_NOREDRAW : styleOf(h) | LBS_NOREDRAW));
        if (wParam)
            InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintControl(h, [&](HDC hdc) { list.paint(hdc); });
    case WM_SETFOCUS:
        s->focused = true;
        list.redraw();
        list.notify(LBN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s->focused = false;
        list.redraw();
        list.notify(LBN_KILLFOCUS);
        return 0;
    case WM_MOUSEACTIVATE:
        if (list.dropped())
            return MA_NOACTIVATE;
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (list.dropped())
            return list.droppedMouse(msg, wParam, lParam);
        if (!s->combo && GetFocus() != h)
            SetFocus(h);
        if (!(s = ControlState<ListBoxState>(h)))
            return 0;
        bool outside = false;
        const int i = list.itemAt({ GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) }, &outside);
        if (!outside && list.valid(i)) {
            list.choose(i, (wParam & MK_SHIFT) != 0, (wParam & MK_CONTROL) != 0, true);
            if (!IsWindow(h))
                return 0;
            if (msg == WM_LBUTTONDBLCLK)
                list.notify(LBN_DBLCLK);
            else if (!(styleOf(h) & LBS_MULTIPLESEL) && IsWindow(h)) {
                s->tracking = true;
                SetCapture(h);
            }
        }
        return 0;
    }
    case WM_MOUSEMOVE:
        if (list.dropped())
            return list.droppedMouse(msg, wParam, lParam);
        if (s->tracking) {
            const int i = list.itemAt({ GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
            if (list.valid(i) && i != s->current)
                list.choose(i, list.extended(), false, false);
        }
        return 0;
    case WM_LBUTTONUP:
        if (list.dropped())
            return list.droppedMouse(msg, wParam, lParam);
        if (s->tracking) {
            s->tracking = false;
            if (GetCapture() == h)
                ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        s->tracking = false;
        if (list.dropped() && IsWindowVisible(h) && reinterpret_cast<HWND>(lParam) != h)
            list.closeDropped(false);
        return 0;
    case WM_MOUSEWHEEL:
        list.setTop(s->top - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * kWheelLines);
        return 0;
    case WM_VSCROLL: {
        const int page = list.visibleCount();
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
            list.setTop(s->top - 1);
            break;
        case SB_LINEDOWN:
            list.setTop(s->top + 1);
            break;
        case SB_PAGEUP:
            list.setTop(s->top - page);
            break;
        case SB_PAGEDOWN:
            list.setTop(s->top + page);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            list.setTop(HIWORD(wParam));
            break;
        case SB_TOP:
            list.setTop(0);
            break;
        case SB_BOTTOM:
            list.setTop(list.count());
            break;
        default:
            break;
        }
        return 0;
    }
    case WM_KEYDOWN:
        list.keyDown(wParam);
        return 0;
    case WM_CHAR:
        list.typed(wParam);
        return 0;

    case LB_ADDSTRING:
        return list.insert(-1, lParam, true);
    case LB_INSERTSTRING:
        return list.insert(index, lParam, false);
    case LB_DELETESTRING:
        return list.erase(index);
    case LB_RESETCONTENT:
        list.clear();
        return 0;
    case LB_GETCOUNT:
        return list.count();
    case LB_SETCURSEL:
        if (list.multiple())
            return LB_ERR;
        list.selectOnly(index);
        list.showItem(index);
        return list.valid(index) ? index : LB_ERR;
    case LB_GETCURSEL:
        if (list.multiple())
            return list.valid(s->current) ? s->current : 0;
        return list.valid(s->current) ? s->current : LB_ERR;
    case LB_SETSEL: {
        const int i = static_cast<int>(lParam);
        if (!list.multiple() || (i != -1 && !list.valid(i)))
            return LB_ERR;
        if (i == -1)
            list.selectRange(0, list.count() - 1, wParam != 0);
        else
            list.selectRange(i, i, wParam != 0);
        return 0;
    }
    case LB_GETSEL:
        return list.valid(index) ? (list.isSelected(index) ? 1 : 0) : LB_ERR;
    case LB_GETSELCOUNT: {
        if (!list.multiple())
            return LB_ERR;
        return std::count_if(s->items.begin(), s->items.end(), [](const Item& i) { return i.selected; });
    }
    case LB_GETSELITEMS: {
        if (!list.multiple() || !lParam)
            return LB_ERR;
        auto* out = reinterpret_cast<int*>(lParam);
        int n = 0;
        for (int i = 0; i < list.count() && n < index; ++i)
            if (s->items[static_cast<std::size_t>(i)].selected)
                out[n++] = i;
        return n;
    }
    case LB_SELITEMRANGE:
        if (!list.multiple())
            return LB_ERR;
        list.selectRange(LOWORD(lParam), HIWORD(lParam), wParam != 0);
        return 0;
    case LB_SELITEMRANGEEX:
        if (!list.multiple())
            return LB_ERR;
        if (index <= static_cast<int>(lParam))
            list.selectRange(index, static_cast<int>(lParam), true);
        else
            list.selectRange(static_cast<int>(lParam), index, false);
        return 0;
    case LB_GETTEXT:
        if (!list.valid(index))
            return LB_ERR;
        return textOut(s->items[static_cast<std::size_t>(index)], list.hasStrings(), lParam);
    case LB_GETTEXTLEN:
        if (!list.valid(index))
            return LB_ERR;
        return list.hasStrings() ? static_cast<LRESULT>(s->items[static_cast<std::size_t>(index)].text.size())
                                 : static_cast<LRESULT>(sizeof(ULONG_PTR));
    case LB_GETITEMDATA:
        if (!list.valid(index))
            return LB_ERR;
        return static_cast<LRESULT>(s->items[static_cast<std::size_t>(index)].data);
    case LB_SETITEMDATA:
        if (!list.valid(index))
            return LB_ERR;
        s->items[static_cast<std::size_t>(index)].data = static_cast<ULONG_PTR>(lParam);
        return TRUE;
    case LB_FINDSTRING:
    case LB_FINDSTRINGEXACT:
        return list.find(index, reinterpret_cast<LPCSTR>(lParam), lParam, msg == LB_FINDSTRINGEXACT);
    case LB_SELECTSTRING: {
        if (list.multiple())
            return LB_ERR;
        const LRESULT found = list.find(index, reinterpret_cast<LPCSTR>(lParam), lParam, false);
        if (found != LB_ERR) {
            list.selectOnly(static_cast<int>(found));
            list.showItem(static_cast<int>(found));
        }
        return found;
    }
    case LB_GETTOPINDEX:
        return s->top;
    case LB_SETTOPINDEX:
        if (!list.valid(index) && !(index == 0 && !list.count()))
            return LB_ERR;
        list.setTop(index);
        return 0;
    case LB_GETITEMRECT:
        if (!lParam || (!list.valid(index) && !(index == 0 && !list.count())))
            return LB_ERR;
        *reinterpret_cast<RECT*>(lParam) = list.itemRect(index);
        return 0;
    case LB_ITEMFROMPOINT: {
        bool outside = false;
        const int i = list.itemAt({ GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) }, &outside);
        return MAKELRESULT(static_cast<WORD>(std::max(i, 0)), outside ? 1 : 0);
    }
    case LB_SETANCHORINDEX:
        if (!list.valid(index))
            return LB_ERR;
        s->anchor = index;
        return 0;
    case LB_GETANCHORINDEX:
        return s->anchor;
    case LB_SETCARETINDEX:
        if (!list.valid(index))
            return LB_ERR;
        s->current = index;
        list.showItem(index);
        list.redraw();
        return 0;
    case LB_GETCARETINDEX:
        return list.valid(s->current) ? s->current : 0;
    case LB_SETITEMHEIGHT:
        if (LOWORD(lParam) == 0 || LOWORD(lParam) > 255)
            return LB_ERR;
        if (list.variable()) {
            if (!list.valid(index))
                return LB_ERR;
            s->items[static_cast<std::size_t>(index)].height = LOWORD(lParam);
        } else {
            s->itemHeight = LOWORD(lParam);
        }
        list.updateScrollBar();
        list.redraw();
        return 0;
    case LB_GETITEMHEIGHT:
        if (list.variable() && !list.valid(index))
            return LB_ERR;
        return list.heightOf(index);
    case LB_SETTABSTOPS:
        s->tabStops.assign(
            reinterpret_cast<const int*>(lParam), reinterpret_cast<const int*>(lParam) + (lParam ? index : 0));
        list.redraw();
        return TRUE;
    case LB_SETHORIZONTALEXTENT:
        s->horizontalExtent = index;
        return 0;
    case LB_GETHORIZONTALEXTENT:
        return s->horizontalExtent;
    case LB_SETCOLUMNWIDTH:
    case LB_SETLOCALE:
    case LB_GETLOCALE:
        return 0;
    case LB_INITSTORAGE:
        s->items.reserve(s->items.size() + static_cast<std::size_t>(std::max(index, 0)));
        return list.count() + std::max(index, 0);
    case LB_SETCOUNT:
    case LB_DIR:
    case LB_ADDFILE:
        return LB_ERR;
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

} // namespace platform::user
