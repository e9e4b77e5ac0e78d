#include "platform/comctl/ListView.h"

#include <algorithm>
#include <cstring>
#include <numeric>

#include "platform/base/CaseFold.h"
#include "platform/comctl/ControlClasses.h"
#include "platform/comctl/Header.h"

namespace platform::comctl {

namespace {

constexpr int kLabelMargin = 2;
constexpr int kTextMargin = 6;
constexpr std::size_t kDispTextSize = 260;

void CopyText(const std::string& text, LPSTR out, int size)
{
    if (!out || out == LPSTR_TEXTCALLBACK || size <= 0)
        return;
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size) - 1);
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

bool KeyDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

} // namespace

ListView::~ListView()
{
    if (!(style() & LVS_SHAREIMAGELISTS))
        for (HIMAGELIST list : { m_normal, m_small, m_stateImages })
            if (list)
                ImageList_Destroy(list);
}

int ListView::columns() const { return static_cast<int>(m_columnFormats.size()); }

// ---- Items --------------------------------------------------------------------------------------

UINT ListView::stateOf(int i)
{
    if (!valid(i))
        return 0;
    return ownerData() ? m_ownerStates[static_cast<std::size_t>(i)] : m_items[static_cast<std::size_t>(i)].state;
}

void ListView::keepState(int i, UINT state)
{
    if (ownerData())
        m_ownerStates[static_cast<std::size_t>(i)] = state;
    else
        m_items[static_cast<std::size_t>(i)].state = state;
}

int ListView::insertItem(const LVITEM& in)
{
    if (ownerData() || in.iSubItem != 0)
        return -1;
    Item item;
    const std::size_t subs = static_cast<std::size_t>(std::max(columns(), 1));
    item.texts.resize(subs);
    item.callback.resize(subs, false);
    if (in.mask & LVIF_TEXT) {
        item.callback[0] = in.pszText == LPSTR_TEXTCALLBACK;
        if (!item.callback[0] && in.pszText)
            item.texts[0] = in.pszText;
    }
    if (in.mask & LVIF_IMAGE)
        item.image = in.iImage;
    if (in.mask & LVIF_PARAM)
        item.lParam = in.lParam;
    if (in.mask & LVIF_INDENT)
        item.indent = in.iIndent;
    if (in.mask & LVIF_STATE)
        item.state = in.state & in.stateMask & kKeptStates;
    int at = std::clamp(in.iItem, 0, count());
    if (style() & (LVS_SORTASCENDING | LVS_SORTDESCENDING)) {
        const bool down = (style() & LVS_SORTDESCENDING) != 0;
        at = static_cast<int>(std::find_if(m_items.begin(), m_items.end(), [&](const Item& other) {
            const int c = platform::CompareNoCase(item.texts[0], other.texts[0]);
            return down ? c > 0 : c < 0;
        }) - m_items.begin());
    }
    m_items.insert(m_items.begin() + at, std::move(item));
    if (m_focus >= at)
        ++m_focus;
    if (m_mark >= at)
        ++m_mark;
    if (m_items[static_cast<std::size_t>(at)].state & LVIS_FOCUSED) {
        if (valid(m_focus) && m_focus != at)
            keepState(m_focus, stateOf(m_focus) & ~LVIS_FOCUSED);
        m_focus = at;
    }
    notifyItem(LVN_INSERTITEM, at, 0, {});
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return at;
}

bool ListView::deleteItem(int i)
{
    if (!valid(i))
        return false;
    notifyItem(LVN_DELETEITEM, i, 0, {});
    if (ownerData()) {
        m_ownerStates.erase(m_ownerStates.begin() + i);
        --m_ownerCount;
    } else {
        m_items.erase(m_items.begin() + i);
    }
    if (m_focus == i)
        m_focus = -1;
    else if (m_focus > i)
        --m_focus;
    if (m_mark == i)
        m_mark = -1;
    else if (m_mark > i)
        --m_mark;
    m_top = std::clamp(m_top, 0, std::max(0, count() - perPage()));
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return true;
}

void ListView::deleteAll()
{
    // An owner that answers TRUE does not want a notice per item.
    const bool each = !ownerData() && !notifyItem(LVN_DELETEALLITEMS, -1, 0, {});
    if (each)
        for (int i = 0; i < count(); ++i)
            notifyItem(LVN_DELETEITEM, i, 0, {});
    m_items.clear();
    m_ownerCount = 0;
    m_ownerStates.clear();
    m_focus = m_mark = -1;
    m_top = 0;
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

bool ListView::setItem(const LVITEM& in)
{
    if (!valid(in.iItem) || in.iSubItem < 0 || (in.iSubItem > 0 && in.iSubItem >= columns()))
        return false;
    if (in.mask & LVIF_STATE)
        changeState(in.iItem, in.state, in.stateMask);
    if (ownerData())
        return true; // the owner keeps everything but the states
    Item& item = m_items[static_cast<std::size_t>(in.iItem)];
    const std::size_t sub = static_cast<std::size_t>(in.iSubItem);
    if (item.texts.size() <= sub) {
        item.texts.resize(sub + 1);
        item.callback.resize(sub + 1, false);
    }
    UINT changed = 0;
    if (in.mask & LVIF_TEXT) {
        item.callback[sub] = in.pszText == LPSTR_TEXTCALLBACK;
        item.texts[sub] = item.callback[sub] || !in.pszText ? std::string() : std::string(in.pszText);
        changed |= LVIF_TEXT;
    }
    if (sub == 0) {
        if (in.mask & LVIF_IMAGE) {
            item.image = in.iImage;
            changed |= LVIF_IMAGE;
        }
        if (in.mask & LVIF_PARAM) {
            item.lParam = in.lParam;
            changed |= LVIF_PARAM;
        }
        if (in.mask & LVIF_INDENT)
            item.indent = in.iIndent;
    }
    if (changed) {
        NMLISTVIEW nm;
        nm.iItem = in.iItem;
        nm.iSubItem = in.iSubItem;
        nm.uChanged = changed;
        nm.lParam = item.lParam;
        SendNotify(m_hwnd, LVN_ITEMCHANGED, nm.hdr);
        RECT r = rowRect(in.iItem);
        InvalidateRect(m_hwnd, &r, TRUE);
    }
    return true;
}

ListView::Shown ListView::shown(int i, int sub, UINT mask)
{
    Shown out;
    UINT ask = 0;
    if (ownerData()) {
        ask = mask;
        out.state = stateOf(i);
    } else {
        const Item& item = m_items[static_cast<std::size_t>(i)];
        const std::size_t s = static_cast<std::size_t>(sub);
        if (s < item.texts.size()) {
            out.text = item.texts[s];
            if ((mask & LVIF_TEXT) && item.callback[s])
                ask |= LVIF_TEXT;
        }
        out.image = sub == 0 ? item.image : -1;
        if ((mask & LVIF_IMAGE) && sub == 0 && item.image == I_IMAGECALLBACK)
            ask |= LVIF_IMAGE;
        out.state = item.state;
    }
    if ((mask & LVIF_STATE) && m_callbackMask)
        ask |= LVIF_STATE;
    if (!ask)
        return out;
    char buffer[kDispTextSize] {};
    NMLVDISPINFO info;
    info.item.mask = ask;
    info.item.iItem = i;
    info.item.iSubItem = sub;
    info.item.stateMask = m_callbackMask;
    info.item.pszText = buffer;
    info.item.cchTextMax = static_cast<int>(sizeof buffer);
    info.item.iImage = out.image;
    info.item.lParam = ownerData() ? 0 : m_items[static_cast<std::size_t>(i)].lParam;
    SendNotify(m_hwnd, LVN_GETDISPINFO, info.hdr);
    if (ask & LVIF_TEXT) {
        // The owner either filled the buffer or pointed at a text of its own.
        if (info.item.pszText && info.item.pszText != LPSTR_TEXTCALLBACK)
            out.text.assign(info.item.pszText, strnlen(info.item.pszText, info.item.pszText == buffer ? sizeof buffer - 1 : 4096));
    }
    if (ask & LVIF_IMAGE)
        out.image = info.item.iImage;
    if (ask & LVIF_STATE)
        out.state = (out.state & ~m_callbackMask) | (info.item.state & m_callbackMask);
    if ((info.item.mask & LVIF_DI_SETITEM) && !ownerData()) {
        Item& item = m_items[static_cast<std::size_t>(i)];
        if ((ask & LVIF_TEXT) && static_cast<std::size_t>(sub) < item.texts.size()) {
            item.texts[static_cast<std::size_t>(sub)] = out.text;
            item.callback[static_cast<std::size_t>(sub)] = false;
        }
        if (ask & LVIF_IMAGE)
            item.image = out.image;
    }
    return out;
}

bool ListView::getItem(LVITEM& io)
{
    if (!valid(io.iItem) || io.iSubItem < 0)
        return false;
    Shown s = shown(io.iItem, io.iSubItem, io.mask);
    if (io.mask & LVIF_TEXT)
        CopyText(s.text, io.pszText, io.cchTextMax);
    if (io.mask & LVIF_IMAGE)
        io.iImage = s.image;
    if (io.mask & LVIF_STATE)
        io.state = s.state & io.stateMask;
    if (!ownerData()) {
        const Item& item = m_items[static_cast<std::size_t>(io.iItem)];
        if (io.mask & LVIF_PARAM)
            io.lParam = item.lParam;
        if (io.mask & LVIF_INDENT)
            io.iIndent = item.indent;
    }
    return true;
}

bool ListView::changeState(int i, UINT state, UINT mask)
{
    mask &= kKeptStates;
    if (i == -1) {
        bool all = true;
        if (ownerData()) {
            // One notice for the whole list, as the owner keeps nothing per row here.
            for (int k = 0; k < count(); ++k)
                keepState(k, (stateOf(k) & ~mask) | (state & mask));
            if (mask & LVIS_FOCUSED)
                m_focus = (state & LVIS_FOCUSED) && count() ? count() - 1 : -1;
            NMLISTVIEW nm;
            nm.iItem = -1;
            nm.uChanged = LVIF_STATE;
            nm.uNewState = state & mask;
            nm.uOldState = 0;
            SendNotify(m_hwnd, LVN_ITEMCHANGED, nm.hdr);
            InvalidateRect(m_hwnd, nullptr, TRUE);
            return true;
        }
        for (int k = 0; k < count(); ++k)
            all = changeState(k, state, mask) && all;
        return all;
    }
    if (!valid(i))
        return false;
    const UINT old = stateOf(i);
    const UINT next = (old & ~mask) | (state & mask);
    if (next == old)
        return true;
    NMLISTVIEW nm;
    nm.iItem = i;
    nm.uChanged = LVIF_STATE;
    nm.uOldState = old;
    nm.uNewState = next;
    nm.lParam = ownerData() ? 0 : m_items[static_cast<std::size_t>(i)].lParam;
    if (!ownerData() && SendNotify(m_hwnd, LVN_ITEMCHANGING, nm.hdr))
        return false;
    // One item has the focus at a time.
    if ((next & LVIS_FOCUSED) && m_focus != i) {
        if (valid(m_focus))
            changeState(m_focus, 0, LVIS_FOCUSED);
        m_focus = i;
    } else if (!(next & LVIS_FOCUSED) && m_focus == i) {
        m_focus = -1;
    }
    if ((next & LVIS_SELECTED) && (style() & LVS_SINGLESEL))
        for (int k = 0; k < count(); ++k)
            if (k != i && (stateOf(k) & LVIS_SELECTED))
                changeState(k, 0, LVIS_SELECTED);
    keepState(i, next);
    nm.uOldState = old;
    nm.uNewState = next;
    SendNotify(m_hwnd, LVN_ITEMCHANGED, nm.hdr);
    RECT r = rowRect(i);
    InvalidateRect(m_hwnd, &r, TRUE);
    return true;
}

int ListView::nextItem(int start, UINT flags)
{
    const UINT want = flags & (LVNI_FOCUSED | LVNI_SELECTED | LVNI_CUT | LVNI_DROPHILITED);
    auto matches = [&](int i) { return (stateOf(i) & want) == want; };
    if (flags & LVNI_ABOVE) {
        for (int i = std::min(start, count()) - 1; i >= 0; --i)
            if (matches(i))
                return i;
        return -1;
    }
    if (flags & (LVNI_TOLEFT | LVNI_TORIGHT))
        return -1; // report rows have nothing beside them
    // LVNI_BELOW and the plain search both go down from after start (-1: from the first).
    for (int i = std::max(start + 1, 0); i < count(); ++i)
        if (matches(i))
            return i;
    return -1;
}

int ListView::findItem(int start, const LVFINDINFO& info)
{
    if (ownerData()) {
        NMLVFINDITEM nm;
        nm.iStart = start + 1;
        nm.lvfi = info;
        return static_cast<int>(SendNotify(m_hwnd, LVN_ODFINDITEM, nm.hdr));
    }
    const int n = count();
    const int from = start + 1;
    const int tries = (info.flags & LVFI_WRAP) ? n : std::max(0, n - from);
    for (int k = 0; k < tries; ++k) {
        const int i = (from + k) % std::max(n, 1);
        if (i < 0 || i >= n)
            break;
        const Item& item = m_items[static_cast<std::size_t>(i)];
        if (info.flags & LVFI_PARAM) {
            if (item.lParam == info.lParam)
                return i;
        } else if ((info.flags & (LVFI_STRING | LVFI_PARTIAL)) && info.psz) {
            const std::string text = shown(i, 0, LVIF_TEXT).text;
            const std::string wanted = info.psz;
            const bool hit = (info.flags & LVFI_PARTIAL) ? text.size() >= wanted.size()
                    && platform::EqualsNoCase(text.substr(0, wanted.size()), wanted)
                                                          : platform::EqualsNoCase(text, wanted);
            if (hit)
                return i;
        }
    }
    return -1;
}

void ListView::sortItems(PFNLVCOMPARE compare, LPARAM data)
{
    if (!compare || ownerData())
        return;
    std::stable_sort(m_items.begin(), m_items.end(),
        [&](const Item& a, const Item& b) { return compare(a.lParam, b.lParam, data) < 0; });
    // The focus follows its item; a range anchor means nothing in the new order.
    m_focus = -1;
    for (int i = 0; i < count(); ++i)
        if (m_items[static_cast<std::size_t>(i)].state & LVIS_FOCUSED)
            m_focus = i;
    m_mark = -1;
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void ListView::setCount(int n, DWORD flags)
{
    if (n < 0)
        return;
    if (!ownerData())
        return; // a capacity hint only
    m_ownerCount = n;
    m_ownerStates.resize(static_cast<std::size_t>(n), 0);
    if (m_focus >= n)
        m_focus = -1;
    if (m_mark >= n)
        m_mark = -1;
    if (!(flags & LVSICF_NOSCROLL))
        m_top = std::clamp(m_top, 0, std::max(0, n - perPage()));
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

// ---- Columns ------------------------------------------------------------------------------------

int ListView::insertColumn(int at, const LVCOLUMN& in)
{
    at = std::clamp(at, 0, columns());
    HDITEM hd;
    hd.mask = HDI_FORMAT | HDI_WIDTH;
    hd.fmt = HDF_STRING | ((in.mask & LVCF_FMT) ? (in.fmt & LVCFMT_JUSTIFYMASK) : 0);
    hd.cxy = (in.mask & LVCF_WIDTH) ? in.cx : 0;
    if (in.mask & LVCF_TEXT) {
        hd.mask |= HDI_TEXT;
        hd.pszText = in.pszText;
    }
    if ((in.mask & LVCF_IMAGE) && (in.fmt & LVCFMT_IMAGE)) {
        hd.mask |= HDI_IMAGE;
        hd.fmt |= HDF_IMAGE | ((in.fmt & LVCFMT_BITMAP_ON_RIGHT) ? HDF_BITMAP_ON_RIGHT : 0);
        hd.iImage = in.iImage;
    }
    SendMessage(m_header, HDM_INSERTITEM, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&hd));
    m_columnFormats.insert(m_columnFormats.begin() + at, (in.mask & LVCF_FMT) ? in.fmt : LVCFMT_LEFT);
    m_columnImages.insert(m_columnImages.begin() + at, (in.mask & LVCF_IMAGE) ? in.iImage : -1);
    m_columnSubItems.insert(m_columnSubItems.begin() + at, (in.mask & LVCF_SUBITEM) ? in.iSubItem : at);
    // Subitem texts stay with their column.
    if (columns() > 1)
        for (auto& item : m_items) {
            if (item.texts.size() > static_cast<std::size_t>(at) && at > 0) {
                item.texts.insert(item.texts.begin() + at, std::string());
                item.callback.insert(item.callback.begin() + at, false);
            }
        }
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return at;
}

bool ListView::setColumn(int col, const LVCOLUMN& in)
{
    if (col < 0 || col >= columns())
        return false;
    HDITEM hd;
    if (in.mask & LVCF_WIDTH) {
        hd.mask |= HDI_WIDTH;
        hd.cxy = in.cx;
    }
    if (in.mask & LVCF_TEXT) {
        hd.mask |= HDI_TEXT;
        hd.pszText = in.pszText;
    }
    if (in.mask & LVCF_FMT) {
        m_columnFormats[static_cast<std::size_t>(col)] = in.fmt;
        hd.mask |= HDI_FORMAT;
        hd.fmt = HDF_STRING | (in.fmt & LVCFMT_JUSTIFYMASK) | ((in.fmt & LVCFMT_IMAGE) ? HDF_IMAGE : 0)
            | ((in.fmt & LVCFMT_BITMAP_ON_RIGHT) ? HDF_BITMAP_ON_RIGHT : 0);
    }
    if (in.mask & LVCF_IMAGE) {
        m_columnImages[static_cast<std::size_t>(col)] = in.iImage;
        hd.mask |= HDI_IMAGE;
        hd.iImage = in.iImage;
    }
    if (in.mask & LVCF_SUBITEM)
        m_columnSubItems[static_cast<std::size_t>(col)] = in.iSubItem;
    SendMessage(m_header, HDM_SETITEM, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&hd));
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return true;
}

bool ListView::getColumn(int col, LVCOLUMN& io) const
{
    if (col < 0 || col >= columns())
        return false;
    HDITEM hd;
    hd.mask = HDI_WIDTH | HDI_ORDER | ((io.mask & LVCF_TEXT) ? HDI_TEXT : 0);
    hd.pszText = io.pszText;
    hd.cchTextMax = io.cchTextMax;
    SendMessage(m_header, HDM_GETITEM, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&hd));
    if (io.mask & LVCF_FMT)
        io.fmt = m_columnFormats[static_cast<std::size_t>(col)];
    if (io.mask & LVCF_WIDTH)
        io.cx = hd.cxy;
    if (io.mask & LVCF_SUBITEM)
        io.iSubItem = m_columnSubItems[static_cast<std::size_t>(col)];
    if (io.mask & LVCF_IMAGE)
        io.iImage = m_columnImages[static_cast<std::size_t>(col)];
    if (io.mask & LVCF_ORDER)
        io.iOrder = hd.iOrder;
    return true;
}

bool ListView::deleteColumn(int col)
{
    if (col < 0 || col >= columns())
        return false;
    SendMessage(m_header, HDM_DELETEITEM, static_cast<WPARAM>(col), 0);
    m_columnFormats.erase(m_columnFormats.begin() + col);
    m_columnImages.erase(m_columnImages.begin() + col);
    m_columnSubItems.erase(m_columnSubItems.begin() + col);
    if (col > 0)
        for (auto& item : m_items)
            if (item.texts.size() > static_cast<std::size_t>(col)) {
                item.texts.erase(item.texts.begin() + col);
                item.callback.erase(item.callback.begin() + col);
            }
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return true;
}

int ListView::columnWidth(int col) const
{
    HDITEM hd;
    hd.mask = HDI_WIDTH;
    return SendMessage(m_header, HDM_GETITEM, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&hd)) ? hd.cxy : 0;
}

int ListView::labelLead() const
{
    int lead = kLabelMargin;
    int cx = 0;
    int cy = 0;
    if (m_stateImages && ImageList_GetIconSize(m_stateImages, &cx, &cy))
        lead += cx;
    if (m_small && ImageList_GetIconSize(m_small, &cx, &cy))
        lead += cx;
    return lead;
}

int ListView::autoWidth(int col, bool header)
{
    // The room around the texts mirrors drawRow: a cell shows its text in full once it is this wide.
    HDC dc = GetDC(m_hwnd);
    HGDIOBJ old = SelectObject(dc, ControlFont(m_font));
    auto widthOf = [&](const std::string& s) {
        SIZE size {};
        GetTextExtentPoint32(dc, s.c_str(), static_cast<int>(s.size()), &size);
        return static_cast<int>(size.cx);
    };
    int smallCx = 0;
    int smallCy = 0;
    if (m_small)
        ImageList_GetIconSize(m_small, &smallCx, &smallCy);
    const bool subItemImages = col > 0 && (m_exStyle & LVS_EX_SUBITEMIMAGES) && m_small;
    const int margins = col == 0 ? labelLead() + kLabelMargin + kTextMargin : 2 * kTextMargin;
    int width = 0;
    for (int i = 0; i < count(); ++i) {
        const Shown s = shown(i, col, LVIF_TEXT | (subItemImages ? LVIF_IMAGE : 0));
        const int image = subItemImages && s.image >= 0 ? smallCx + kLabelMargin : 0;
        width = std::max(width, widthOf(s.text) + margins + image);
    }
    SelectObject(dc, old);
    if (header) {
        char text[260] {};
        HDITEM hd;
        hd.mask = HDI_TEXT | HDI_FORMAT;
        hd.pszText = text;
        hd.cchTextMax = sizeof text;
        SendMessage(m_header, HDM_GETITEM, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&hd));
        // The header draws its labels in its own font, beside an image when the item has one.
        old = SelectObject(dc, ControlFont(reinterpret_cast<HFONT>(SendMessage(m_header, WM_GETFONT, 0, 0))));
        int imageCx = 0;
        int imageCy = 0;
        const auto images = reinterpret_cast<HIMAGELIST>(SendMessage(m_header, HDM_GETIMAGELIST, 0, 0));
        if ((hd.fmt & HDF_IMAGE) && images)
            ImageList_GetIconSize(images, &imageCx, &imageCy);
        width = std::max(width, Header::WidthForLabel(widthOf(text), imageCx));
        SelectObject(dc, old);
        // The last column also takes what is left of the client width.
        if (col == columns() - 1) {
            RECT client {};
            GetClientRect(m_hwnd, &client);
            width = std::max(width, static_cast<int>(client.right) - (totalWidth() - columnWidth(col)));
        }
    }
    ReleaseDC(m_hwnd, dc);
    return width;
}

bool ListView::setColumnWidth(int col, int width)
{
    if (col < 0 || col >= columns())
        return false;
    if (width == LVSCW_AUTOSIZE || width == LVSCW_AUTOSIZE_USEHEADER)
        width = autoWidth(col, width == LVSCW_AUTOSIZE_USEHEADER);
    HDITEM hd;
    hd.mask = HDI_WIDTH;
    hd.cxy = std::max(width, 0);
    SendMessage(m_header, HDM_SETITEM, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&hd));
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
    return true;
}

RECT ListView::columnRect(int col) const
{
    RECT r {};
    SendMessage(m_header, HDM_GETITEMRECT, static_cast<WPARAM>(col), reinterpret_cast<LPARAM>(&r));
    OffsetRect(&r, -m_originX, 0);
    return r;
}

int ListView::totalWidth() const
{
    int width = 0;
    for (int c = 0; c < columns(); ++c)
        width += columnWidth(c);
    return width;
}

// ---- Geometry -----------------------------------------------------------------------------------

int ListView::rowHeight() const
{
    int height = ControlFontHeight(m_hwnd, m_font) + 3;
    for (HIMAGELIST list : { m_small, m_stateImages }) {
        int cx = 0;
        int cy = 0;
        if (list && ImageList_GetIconSize(list, &cx, &cy))
            height = std::max(height, cy + 1);
    }
    return height;
}

int ListView::perPage() const
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    return std::max(0, static_cast<int>(client.bottom - m_headerHeight) / rowHeight());
}

RECT ListView::rowRect(int i) const
{
    const int h = rowHeight();
    const int top = m_headerHeight + (i - m_top) * h;
    return { -m_originX, top, totalWidth() - m_originX, top + h };
}

bool ListView::itemRect(int i, int code, RECT& out) const
{
    if (!valid(i))
        return false;
    RECT row = rowRect(i);
    if (code == LVIR_BOUNDS) {
        out = row;
        return true;
    }
    RECT col0 = columnRect(0);
    int iconWidth = 0;
    if (m_small) {
        int cy = 0;
        ImageList_GetIconSize(m_small, &iconWidth, &cy);
    }
    const int x = col0.left + labelLead() - iconWidth;
    const RECT icon { x, row.top, x + iconWidth, row.bottom };
    const RECT label { icon.right, row.top, std::max(icon.right, static_cast<LONG>(col0.right)), row.bottom };
    switch (code) {
    case LVIR_ICON:
        out = icon;
        return true;
    case LVIR_LABEL:
        out = label;
        return true;
    case LVIR_SELECTBOUNDS:
        out = { icon.left, row.top, (m_exStyle & LVS_EX_FULLROWSELECT) ? row.right : label.right, row.bottom };
        return true;
    default:
        return false;
    }
}

bool ListView::subItemRect(int i, int sub, int code, RECT& out) const
{
    if (!valid(i) || sub < 0 || sub >= std::max(columns(), 1))
        return false;
    if (sub == 0) {
        if (!itemRect(i, code, out))
            return false;
        if (code == LVIR_BOUNDS)
            out.right = columnRect(0).right;
        return true;
    }
    const RECT row = rowRect(i);
    const RECT col = columnRect(sub);
    out = { col.left, row.top, col.right, row.bottom };
    if (code == LVIR_ICON)
        out.right = out.left;
    return true;
}

int ListView::hitTest(LVHITTESTINFO& hit, bool subItems) const
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    hit.flags = 0;
    hit.iItem = -1;
    hit.iSubItem = 0;
    const POINT pt = hit.pt;
    if (pt.y < m_headerHeight)
        hit.flags |= LVHT_ABOVE;
    if (pt.y >= client.bottom)
        hit.flags |= LVHT_BELOW;
    if (pt.x < 0)
        hit.flags |= LVHT_TOLEFT;
    if (pt.x >= client.right)
        hit.flags |= LVHT_TORIGHT;
    if (hit.flags)
        return -1;
    const int row = m_top + (pt.y - m_headerHeight) / rowHeight();
    if (!valid(row) || pt.x >= totalWidth() - m_originX) {
        hit.flags = LVHT_NOWHERE;
        return -1;
    }
    int column = 0;
    for (int c = 0; c < columns(); ++c) {
        const RECT r = columnRect(c);
        if (pt.x >= r.left && pt.x < r.right)
            column = c;
    }
    RECT icon {};
    RECT label {};
    itemRect(row, LVIR_ICON, icon);
    itemRect(row, LVIR_LABEL, label);
    if (column == 0) {
        hit.flags = pt.x < icon.left ? LVHT_ONITEMSTATEICON : pt.x < icon.right ? LVHT_ONITEMICON : LVHT_ONITEMLABEL;
    } else if (subItems || (m_exStyle & LVS_EX_FULLROWSELECT)) {
        hit.flags = LVHT_ONITEMLABEL;
    } else {
        hit.flags = LVHT_NOWHERE;
        return -1;
    }
    hit.iItem = row;
    hit.iSubItem = subItems ? column : 0;
    return row;
}

void ListView::updateScrollBars()
{
    if (style() & LVS_NOSCROLL)
        return;
    RECT client {};
    GetClientRect(m_hwnd, &client);
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(count() - 1, 0);
    si.nPage = static_cast<UINT>(perPage());
    si.nPos = m_top;
    SetScrollInfo(m_hwnd, SB_VERT, &si, TRUE);
    si.nMax = std::max(totalWidth() - 1, 0);
    si.nPage = static_cast<UINT>(std::max(0, static_cast<int>(client.right)));
    si.nPos = m_originX;
    SetScrollInfo(m_hwnd, SB_HORZ, &si, TRUE);
}

void ListView::scrollTo(int top, int originX)
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    top = std::clamp(top, 0, std::max(0, count() - perPage()));
    originX = std::clamp(originX, 0, std::max(0, totalWidth() - static_cast<int>(client.right)));
    if (top == m_top && originX == m_originX)
        return;
    m_top = top;
    const bool moved = originX != m_originX;
    m_originX = originX;
    if (moved)
        layout();
    updateScrollBars();
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void ListView::ensureVisible(int i)
{
    if (!valid(i))
        return;
    const int page = std::max(perPage(), 1);
    if (i < m_top)
        scrollTo(i, m_originX);
    else if (i >= m_top + page)
        scrollTo(i - page + 1, m_originX);
}

void ListView::vscroll(int code)
{
    const int page = std::max(perPage(), 1);
    switch (code) {
    case SB_LINEUP:
        scrollTo(m_top - 1, m_originX);
        break;
    case SB_LINEDOWN:
        scrollTo(m_top + 1, m_originX);
        break;
    case SB_PAGEUP:
        scrollTo(m_top - page, m_originX);
        break;
    case SB_PAGEDOWN:
        scrollTo(m_top + page, m_originX);
        break;
    case SB_TOP:
        scrollTo(0, m_originX);
        break;
    case SB_BOTTOM:
        scrollTo(count(), m_originX);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(m_hwnd, SB_VERT, &si);
        scrollTo(si.nTrackPos, m_originX);
        break;
    }
    default:
        break;
    }
}

void ListView::hscroll(int code)
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    switch (code) {
    case SB_LINELEFT:
        scrollTo(m_top, m_originX - 8);
        break;
    case SB_LINERIGHT:
        scrollTo(m_top, m_originX + 8);
        break;
    case SB_PAGELEFT:
        scrollTo(m_top, m_originX - client.right);
        break;
    case SB_PAGERIGHT:
        scrollTo(m_top, m_originX + client.right);
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        SCROLLINFO si;
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(m_hwnd, SB_HORZ, &si);
        scrollTo(m_top, si.nTrackPos);
        break;
    }
    default:
        break;
    }
}

void ListView::layout()
{
    if (!m_header)
        return;
    if (m_laying) {
        // Showing or hiding a scroll bar changes the client area from inside a layout: the header must
        // follow the new width, so the outer layout runs again.
        m_layoutAgain = true;
        return;
    }
    m_laying = true;
    // A bar that appears narrows the client so far that it may go away again; a few passes settle it.
    constexpr int kMaxLayoutPasses = 3;
    for (int pass = 0; pass < kMaxLayoutPasses; ++pass) {
        m_layoutAgain = false;
        layoutHeader();
        if (!m_layoutAgain)
            break;
    }
    m_laying = false;
}

void ListView::layoutHeader()
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    RECT area { -m_originX, 0, client.right, client.bottom };
    WINDOWPOS pos {};
    HDLAYOUT hl;
    hl.prc = &area;
    hl.pwpos = &pos;
    SendMessage(m_header, HDM_LAYOUT, 0, reinterpret_cast<LPARAM>(&hl));
    const bool hidden = (style() & LVS_NOCOLUMNHEADER) != 0;
    m_headerHeight = hidden ? 0 : pos.cy;
    SetWindowPos(m_header, nullptr, pos.x, pos.y, std::max(pos.cx, totalWidth()), pos.cy,
        SWP_NOZORDER | SWP_NOACTIVATE | (hidden ? SWP_HIDEWINDOW : SWP_SHOWWINDOW));
    updateScrollBars();
}

// ---- Input --------------------------------------------------------------------------------------

LRESULT ListView::notifyItem(UINT code, int item, int sub, POINT pt, UINT keyFlags)
{
    NMITEMACTIVATE nm;
    nm.iItem = item;
    nm.iSubItem = sub;
    nm.ptAction = pt;
    nm.uKeyFlags = keyFlags;
    if (valid(item) && !ownerData())
        nm.lParam = m_items[static_cast<std::size_t>(item)].lParam;
    return SendNotify(m_hwnd, code, nm.hdr);
}

void ListView::select(int i, bool ctrl, bool shift)
{
    const bool single = (style() & LVS_SINGLESEL) != 0;
    if (single)
        ctrl = shift = false;
    if (shift && valid(m_mark)) {
        const int lo = std::min(m_mark, i);
        const int hi = std::max(m_mark, i);
        for (int k = 0; k < count(); ++k) {
            const bool in = k >= lo && k <= hi;
            if (!ctrl || in)
                changeState(k, in ? LVIS_SELECTED : 0, LVIS_SELECTED);
        }
    } else if (ctrl) {
        changeState(i, stateOf(i) ^ LVIS_SELECTED, LVIS_SELECTED);
        m_mark = i;
    } else {
        for (int k = 0; k < count(); ++k)
            if (k != i && (stateOf(k) & LVIS_SELECTED))
                changeState(k, 0, LVIS_SELECTED);
        changeState(i, LVIS_SELECTED, LVIS_SELECTED);
        m_mark = i;
    }
    changeState(i, LVIS_FOCUSED, LVIS_FOCUSED);
}

void ListView::moveFocus(int to, bool ctrl, bool shift)
{
    if (!count())
        return;
    to = std::clamp(to, 0, count() - 1);
    if (ctrl && !(style() & LVS_SINGLESEL))
        changeState(to, LVIS_FOCUSED, LVIS_FOCUSED); // the focus moves alone
    else
        select(to, false, shift);
    ensureVisible(to);
}

void ListView::keyDown(int vk)
{
    NMLVKEYDOWN nm;
    nm.wVKey = static_cast<WORD>(vk);
    SendNotify(m_hwnd, LVN_KEYDOWN, nm.hdr);
    const bool ctrl = KeyDown(VK_CONTROL);
    const bool shift = KeyDown(VK_SHIFT);
    const int page = std::max(perPage(), 1);
    const int focus = valid(m_focus) ? m_focus : -1;
    switch (vk) {
    case VK_UP:
        moveFocus(focus < 0 ? 0 : focus - 1, ctrl, shift);
        break;
    case VK_DOWN:
        moveFocus(focus < 0 ? 0 : focus + 1, ctrl, shift);
        break;
    case VK_HOME:
        moveFocus(0, ctrl, shift);
        break;
    case VK_END:
        moveFocus(count() - 1, ctrl, shift);
        break;
    case VK_PRIOR:
        moveFocus(focus <= m_top ? focus - page : m_top, ctrl, shift);
        break;
    case VK_NEXT:
        moveFocus(focus >= m_top + page - 1 ? focus + page : m_top + page - 1, ctrl, shift);
        break;
    case VK_SPACE:
        if (valid(focus))
            select(focus, ctrl, shift);
        break;
    case VK_RETURN: {
        NMHDR header;
        SendNotify(m_hwnd, NM_RETURN, header);
        break;
    }
    default:
        break;
    }
}

void ListView::buttonDown(UINT message, POINT pt, WPARAM keys)
{
    if (GetFocus() != m_hwnd)
        SetFocus(m_hwnd);
    LVHITTESTINFO hit;
    hit.pt = pt;
    const int item = hitTest(hit, false);
    LVHITTESTINFO subHit;
    subHit.pt = pt;
    hitTest(subHit, true);
    const bool ctrl = (keys & MK_CONTROL) != 0;
    const bool shift = (keys & MK_SHIFT) != 0;
    if (message == WM_LBUTTONDBLCLK) {
        notifyItem(NM_DBLCLK, item, subHit.iSubItem, pt, 0);
        if (valid(item))
            notifyItem(LVN_ITEMACTIVATE, item, subHit.iSubItem, pt, 0);
        return;
    }
    if (message == WM_RBUTTONDBLCLK) {
        notifyItem(NM_RDBLCLK, item, subHit.iSubItem, pt, 0);
        return;
    }
    if (valid(item)) {
        if (message == WM_RBUTTONDOWN) {
            // The right button keeps a selection it lands in.
            if (!(stateOf(item) & LVIS_SELECTED))
                select(item, false, false);
            else
                changeState(item, LVIS_FOCUSED, LVIS_FOCUSED);
        } else if (!(stateOf(item) & LVIS_SELECTED) || ctrl || shift) {
            select(item, ctrl, shift);
        } else {
            changeState(item, LVIS_FOCUSED, LVIS_FOCUSED);
        }
    } else if (!ctrl && !shift) {
        for (int k = 0; k < count(); ++k)
            if (stateOf(k) & LVIS_SELECTED)
                changeState(k, 0, LVIS_SELECTED);
    }
    m_pressButton = message;
    m_pressItem = item;
    m_pressSub = subHit.iSubItem;
    m_pressAt = pt;
    SetCapture(m_hwnd);
}

void ListView::buttonUp(UINT message, POINT pt)
{
    const bool left = message == WM_LBUTTONUP;
    if (m_pressButton != (left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN))
        return;
    m_pressButton = 0;
    ReleaseCapture();
    // A click on a selected item among several narrows the selection to it.
    if (left && valid(m_pressItem) && !KeyDown(VK_CONTROL) && !KeyDown(VK_SHIFT))
        for (int k = 0; k < count(); ++k)
            if (k != m_pressItem && (stateOf(k) & LVIS_SELECTED))
                changeState(k, 0, LVIS_SELECTED);
    notifyItem(left ? NM_CLICK : NM_RCLICK, m_pressItem, m_pressSub, pt, 0);
}

// ---- Drawing ------------------------------------------------------------------------------------

LRESULT ListView::customDraw(HDC dc, DWORD stage, int item, int sub, const RECT& rc, UINT itemState, LPARAM param,
    COLORREF& text, COLORREF& back)
{
    NMLVCUSTOMDRAW cd;
    cd.nmcd.dwDrawStage = stage;
    cd.nmcd.hdc = dc;
    cd.nmcd.rc = rc;
    cd.nmcd.dwItemSpec = static_cast<DWORD_PTR>(item);
    cd.nmcd.uItemState = itemState;
    cd.nmcd.lItemlParam = param;
    cd.clrText = text;
    cd.clrTextBk = back;
    cd.iSubItem = sub;
    const LRESULT result = SendNotify(m_hwnd, NM_CUSTOMDRAW, cd.nmcd.hdr);
    text = cd.clrText;
    back = cd.clrTextBk;
    return result;
}

void ListView::drawRow(HDC dc, int i, LRESULT stages)
{
    const RECT row = rowRect(i);
    const bool focusedWindow = m_hasFocus;
    const bool showSelection = focusedWindow || (style() & LVS_SHOWSELALWAYS);
    const bool fullRow = (m_exStyle & LVS_EX_FULLROWSELECT) != 0;
    const UINT imageMask = LVIF_IMAGE | LVIF_STATE;
    Shown first = shown(i, 0, LVIF_TEXT | imageMask);
    const bool selected = (first.state & LVIS_SELECTED) && showSelection;
    UINT cdState = 0;
    if (first.state & LVIS_SELECTED)
        cdState |= CDIS_SELECTED;
    if (i == m_focus && focusedWindow)
        cdState |= CDIS_FOCUS;
    const LPARAM param = ownerData() ? 0 : m_items[static_cast<std::size_t>(i)].lParam;

    COLORREF text = m_text == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : m_text;
    COLORREF back = m_textBk == CLR_DEFAULT ? CLR_NONE : m_textBk;
    LRESULT itemResult = CDRF_DODEFAULT;
    if (stages & CDRF_NOTIFYITEMDRAW) {
        itemResult = customDraw(dc, CDDS_ITEMPREPAINT, i, 0, row, cdState, param, text, back);
        if (itemResult & CDRF_SKIPDEFAULT)
            return;
    }
    const COLORREF rowText = text;
    const COLORREF rowBack = back;
    const COLORREF selText = focusedWindow ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_BTNTEXT);
    const COLORREF selBack = focusedWindow ? GetSysColor(COLOR_HIGHLIGHT) : GetSysColor(COLOR_BTNFACE);

    const int columnCount = std::max(columns(), 1);
    for (int c = 0; c < columnCount; ++c) {
        RECT cell {};
        subItemRect(i, c, LVIR_BOUNDS, cell);
        if (columns() == 0)
            cell.right = cell.left;
        else if (cell.right <= cell.left)
            continue; // a column hidden at width 0 shows nothing of its row
        Shown s = c == 0 ? first : shown(i, c, LVIF_TEXT | ((m_exStyle & LVS_EX_SUBITEMIMAGES) ? LVIF_IMAGE : 0));
        COLORREF cellText = rowText;
        COLORREF cellBack = rowBack;
        if (itemResult & CDRF_NOTIFYSUBITEMDRAW) {
            if (customDraw(dc, CDDS_ITEMPREPAINT | CDDS_SUBITEM, i, c, cell, cdState, param, cellText, cellBack)
                & CDRF_SKIPDEFAULT)
                continue;
        }
        RECT textRect = cell;
        if (c == 0) {
            RECT label {};
            itemRect(i, LVIR_LABEL, label);
            RECT icon {};
            itemRect(i, LVIR_ICON, icon);
            const UINT stateImage = (s.state & LVIS_STATEIMAGEMASK) >> 12;
            if (m_stateImages && stateImage > 0) {
                int cx = 0;
                int cy = 0;
                ImageList_GetIconSize(m_stateImages, &cx, &cy);
                ImageList_Draw(m_stateImages, static_cast<int>(stateImage) - 1, dc, icon.left - cx,
                    row.top + (row.bottom - row.top - cy) / 2, ILD_TRANSPARENT);
            }
            if (m_small && s.image >= 0) {
                int cx = 0;
                int cy = 0;
                ImageList_GetIconSize(m_small, &cx, &cy);
                ImageList_Draw(m_small, s.image, dc, icon.left, row.top + (row.bottom - row.top - cy) / 2,
                    (selected ? ILD_SELECTED : ILD_NORMAL) | (s.state & LVIS_OVERLAYMASK));
            }
            textRect = label;
        } else if ((m_exStyle & LVS_EX_SUBITEMIMAGES) && m_small && s.image >= 0) {
            int cx = 0;
            int cy = 0;
            ImageList_GetIconSize(m_small, &cx, &cy);
            ImageList_Draw(m_small, s.image, dc, cell.left + kLabelMargin, row.top + (row.bottom - row.top - cy) / 2,
                ILD_NORMAL);
            textRect.left += cx + kLabelMargin;
        }
        const bool highlighted = selected && (c == 0 || fullRow);
        if (highlighted) {
            HBRUSH brush = CreateSolidBrush(selBack);
            FillRect(dc, &textRect, brush);
            DeleteObject(brush);
        } else if (cellBack != CLR_NONE) {
            HBRUSH brush = CreateSolidBrush(cellBack);
            FillRect(dc, &textRect, brush);
            DeleteObject(brush);
        }
        SetTextColor(dc, highlighted ? selText : cellText);
        const int fmt = c < columns() ? m_columnFormats[static_cast<std::size_t>(c)] & LVCFMT_JUSTIFYMASK : 0;
        RECT inner { textRect.left + (c == 0 ? kLabelMargin : kTextMargin), textRect.top, textRect.right - kTextMargin,
            textRect.bottom };
        // A cell narrower than its margins has no room for text: none may spill over its neighbours.
        inner.right = std::max(inner.right, inner.left);
        DrawText(dc, s.text.c_str(), static_cast<int>(s.text.size()), &inner,
            (fmt == LVCFMT_RIGHT ? DT_RIGHT : fmt == LVCFMT_CENTER ? DT_CENTER : DT_LEFT) | DT_SINGLELINE | DT_VCENTER
                | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (i == m_focus && focusedWindow) {
        RECT focus {};
        itemRect(i, LVIR_SELECTBOUNDS, focus);
        DrawFocusRect(dc, &focus);
    }
    if (itemResult & CDRF_NOTIFYPOSTPAINT)
        customDraw(dc, CDDS_ITEMPOSTPAINT, i, 0, row, cdState, param, text, back);
}

void ListView::paint(HDC dc, const RECT& clip)
{
    RECT client {};
    GetClientRect(m_hwnd, &client);
    const COLORREF bk = m_bk == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : m_bk;
    if (bk != CLR_NONE) {
        HBRUSH brush = CreateSolidBrush(bk);
        FillRect(dc, &clip, brush);
        DeleteObject(brush);
    }
    HGDIOBJ oldFont = SelectObject(dc, ControlFont(m_font));
    SetBkMode(dc, TRANSPARENT);
    const int h = rowHeight();
    const int first = m_top + std::max(0, static_cast<int>(clip.top) - m_headerHeight) / h;
    const int last = std::min(count() - 1, m_top + std::max(0, static_cast<int>(clip.bottom) - m_headerHeight - 1) / h);
    if (ownerData() && first <= last) {
        // The owner gets to fetch the rows about to be asked for in one go.
        NMLVCACHEHINT hint;
        hint.iFrom = first;
        hint.iTo = last;
        SendNotify(m_hwnd, LVN_ODCACHEHINT, hint.hdr);
    }
    COLORREF text = 0;
    COLORREF back = 0;
    const LRESULT stages = customDraw(dc, CDDS_PREPAINT, 0, 0, client, 0, 0, text, back);
    if (!(stages & CDRF_SKIPDEFAULT)) {
        for (int i = first; i <= last; ++i)
            drawRow(dc, i, stages);
        if (m_exStyle & LVS_EX_GRIDLINES) {
            HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
            HGDIOBJ oldPen = SelectObject(dc, pen);
            for (int c = 0; c < columns(); ++c) {
                const RECT r = columnRect(c);
                MoveToEx(dc, r.right - 1, m_headerHeight, nullptr);
                LineTo(dc, r.right - 1, client.bottom);
            }
            for (int y = m_headerHeight + h - 1; y < client.bottom; y += h) {
                MoveToEx(dc, 0, y, nullptr);
                LineTo(dc, std::min(static_cast<int>(client.right), totalWidth() - m_originX), y);
            }
            SelectObject(dc, oldPen);
            DeleteObject(pen);
        }
    }
    if (stages & CDRF_NOTIFYPOSTPAINT)
        customDraw(dc, CDDS_POSTPAINT, 0, 0, client, 0, 0, text, back);
    SelectObject(dc, oldFont);
}

LRESULT ListView::forwardHeader(NMHDR* header)
{
    // The owner sees the header's notices as they are (they come from the header), and may refuse.
    const LRESULT answer = SendMessage(GetParent(m_hwnd), WM_NOTIFY, header->idFrom, reinterpret_cast<LPARAM>(header));
    const auto* nm = reinterpret_cast<NMHEADER*>(header);
    switch (header->code) {
    case HDN_ITEMCLICK:
        if (!(style() & LVS_NOSORTHEADER)) {
            NMLISTVIEW click;
            click.iSubItem = nm->iItem;
            SendNotify(m_hwnd, LVN_COLUMNCLICK, click.hdr);
        }
        break;
    case HDN_ITEMCHANGED:
    case HDN_TRACK:
    case HDN_ENDTRACK:
        updateScrollBars();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        layout();
        break;
    default:
        break;
    }
    return answer;
}

// ---- Messages -----------------------------------------------------------------------------------

LRESULT ListView::windowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: {
        m_header = CreateWindowEx(0, WC_HEADER, "",
            WS_CHILD | HDS_HORZ | ((style() & LVS_NOSORTHEADER) ? 0 : HDS_BUTTONS), 0, 0, 0, 0, m_hwnd, nullptr,
            nullptr, nullptr);
        layout();
        return m_header ? 0 : -1;
    }
    case WM_SIZE:
        layout();
        scrollTo(m_top, m_originX);
        return 0;
    case WM_STYLECHANGED:
        layout();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        paint(dc, ps.rcPaint);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        m_font = reinterpret_cast<HFONT>(wParam);
        SendMessage(m_header, WM_SETFONT, wParam, lParam);
        layout();
        if (LOWORD(lParam))
            InvalidateRect(m_hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_font);
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        m_hasFocus = message == WM_SETFOCUS;
        InvalidateRect(m_hwnd, nullptr, TRUE);
        NMHDR header;
        SendNotify(m_hwnd, m_hasFocus ? NM_SETFOCUS : NM_KILLFOCUS, header);
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
        keyDown(static_cast<int>(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        buttonDown(message, { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) }, wParam);
        return 0;
    case WM_MOUSEMOVE:
        if (m_pressButton && valid(m_pressItem)) {
            const POINT pt { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) };
            if (std::abs(pt.x - m_pressAt.x) > GetSystemMetrics(SM_CXDRAG)
                || std::abs(pt.y - m_pressAt.y) > GetSystemMetrics(SM_CYDRAG)) {
                // Far enough with the button held: a drag, not a click.
                const UINT code = m_pressButton == WM_LBUTTONDOWN ? LVN_BEGINDRAG : LVN_BEGINRDRAG;
                const int item = m_pressItem;
                m_pressButton = 0;
                ReleaseCapture();
                NMLISTVIEW nm;
                nm.iItem = item;
                nm.ptAction = m_pressAt;
                nm.lParam = ownerData() ? 0 : m_items[static_cast<std::size_t>(item)].lParam;
                SendNotify(m_hwnd, code, nm.hdr);
            }
        }
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        buttonUp(message, { GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
        return 0;
    case WM_CAPTURECHANGED:
        m_pressButton = 0;
        return 0;
    case WM_VSCROLL:
        vscroll(LOWORD(wParam));
        return 0;
    case WM_HSCROLL:
        hscroll(LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        scrollTo(m_top - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * kWheelLines, m_originX);
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header && header->hwndFrom == m_header)
            return forwardHeader(header);
        return 0;
    }
    case LVM_GETITEMCOUNT:
        return count();
    case LVM_SETITEMCOUNT:
        setCount(static_cast<int>(wParam), static_cast<DWORD>(lParam));
        return TRUE;
    case LVM_INSERTITEM:
        return lParam ? insertItem(*reinterpret_cast<const LVITEM*>(lParam)) : -1;
    case LVM_DELETEITEM:
        return deleteItem(static_cast<int>(wParam));
    case LVM_DELETEALLITEMS:
        deleteAll();
        return TRUE;
    case LVM_GETITEM:
        return lParam && getItem(*reinterpret_cast<LVITEM*>(lParam));
    case LVM_SETITEM:
        return lParam && setItem(*reinterpret_cast<const LVITEM*>(lParam));
    case LVM_GETITEMTEXT: {
        auto* io = reinterpret_cast<LVITEM*>(lParam);
        if (!io || !valid(static_cast<int>(wParam)))
            return 0;
        const std::string text = shown(static_cast<int>(wParam), io->iSubItem, LVIF_TEXT).text;
        CopyText(text, io->pszText, io->cchTextMax);
        return static_cast<LRESULT>(std::min<std::size_t>(text.size(), io->cchTextMax > 0 ? io->cchTextMax - 1 : 0));
    }
    case LVM_SETITEMTEXT: {
        auto* in = reinterpret_cast<const LVITEM*>(lParam);
        if (!in)
            return FALSE;
        LVITEM item = *in;
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(wParam);
        return setItem(item);
    }
    case LVM_GETITEMSTATE:
        return static_cast<LRESULT>(shown(static_cast<int>(wParam), 0, LVIF_STATE).state & static_cast<UINT>(lParam));
    case LVM_SETITEMSTATE: {
        auto* in = reinterpret_cast<const LVITEM*>(lParam);
        return in && changeState(static_cast<int>(static_cast<INT_PTR>(wParam)), in->state, in->stateMask);
    }
    case LVM_GETNEXTITEM:
        return nextItem(static_cast<int>(static_cast<INT_PTR>(wParam)), LOWORD(lParam));
    case LVM_GETSELECTEDCOUNT: {
        int n = 0;
        for (int i = 0; i < count(); ++i)
            n += (stateOf(i) & LVIS_SELECTED) ? 1 : 0;
        return n;
    }
    case LVM_FINDITEM:
        return lParam ? findItem(static_cast<int>(static_cast<INT_PTR>(wParam)), *reinterpret_cast<const LVFINDINFO*>(lParam))
                      : -1;
    case LVM_SORTITEMS:
        sortItems(reinterpret_cast<PFNLVCOMPARE>(lParam), static_cast<LPARAM>(wParam));
        return TRUE;
    case LVM_SETCALLBACKMASK:
        m_callbackMask = static_cast<UINT>(wParam) & kKeptStates;
        return TRUE;
    case LVM_GETCALLBACKMASK:
        return m_callbackMask;
    case LVM_INSERTCOLUMN:
        return lParam ? insertColumn(static_cast<int>(wParam), *reinterpret_cast<const LVCOLUMN*>(lParam)) : -1;
    case LVM_SETCOLUMN:
        return lParam && setColumn(static_cast<int>(wParam), *reinterpret_cast<const LVCOLUMN*>(lParam));
    case LVM_GETCOLUMN:
        return lParam && getColumn(static_cast<int>(wParam), *reinterpret_cast<LVCOLUMN*>(lParam));
    case LVM_DELETECOLUMN:
        return deleteColumn(static_cast<int>(wParam));
    case LVM_GETCOLUMNWIDTH:
        return columnWidth(static_cast<int>(wParam));
    case LVM_SETCOLUMNWIDTH:
        return setColumnWidth(static_cast<int>(wParam), static_cast<short>(LOWORD(lParam)));
    case LVM_GETHEADER:
        return reinterpret_cast<LRESULT>(m_header);
    case LVM_SETCOLUMNORDERARRAY:
        return SendMessage(m_header, HDM_SETORDERARRAY, wParam, lParam);
    case LVM_GETCOLUMNORDERARRAY:
        return SendMessage(m_header, HDM_GETORDERARRAY, wParam, lParam);
    case LVM_SETIMAGELIST: {
        HIMAGELIST* slot = wParam == LVSIL_SMALL ? &m_small : wParam == LVSIL_STATE ? &m_stateImages
            : wParam == LVSIL_NORMAL                                                 ? &m_normal
                                                                                     : nullptr;
        if (!slot)
            return 0;
        HIMAGELIST previous = *slot;
        *slot = reinterpret_cast<HIMAGELIST>(lParam);
        layout();
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return reinterpret_cast<LRESULT>(previous);
    }
    case LVM_GETIMAGELIST:
        return reinterpret_cast<LRESULT>(wParam == LVSIL_SMALL ? m_small : wParam == LVSIL_STATE ? m_stateImages
                : wParam == LVSIL_NORMAL                                                          ? m_normal
                                                                                                  : nullptr);
    case LVM_SETEXTENDEDLISTVIEWSTYLE: {
        const DWORD previous = m_exStyle;
        const DWORD mask = wParam ? static_cast<DWORD>(wParam) : 0xFFFFFFFF;
        m_exStyle = (m_exStyle & ~mask) | (static_cast<DWORD>(lParam) & mask);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return previous;
    }
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
        return m_exStyle;
    case LVM_GETITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        return r && itemRect(static_cast<int>(wParam), r->left, *r);
    }
    case LVM_GETSUBITEMRECT: {
        auto* r = reinterpret_cast<RECT*>(lParam);
        return r && subItemRect(static_cast<int>(wParam), r->top, r->left, *r);
    }
    case LVM_HITTEST:
    case LVM_SUBITEMHITTEST: {
        auto* hit = reinterpret_cast<LVHITTESTINFO*>(lParam);
        return hit ? hitTest(*hit, message == LVM_SUBITEMHITTEST) : -1;
    }
    case LVM_ENSUREVISIBLE:
        ensureVisible(static_cast<int>(wParam));
        return valid(static_cast<int>(wParam));
    case LVM_SCROLL:
        scrollTo(m_top + static_cast<int>(lParam) / std::max(rowHeight(), 1), m_originX + static_cast<int>(wParam));
        return TRUE;
    case LVM_GETTOPINDEX:
        return m_top;
    case LVM_GETCOUNTPERPAGE:
        return perPage();
    case LVM_GETORIGIN:
        if (auto* pt = reinterpret_cast<POINT*>(lParam)) {
            pt->x = m_originX;
            pt->y = 0;
        }
        return TRUE;
    case LVM_GETVIEWRECT:
        if (auto* r = reinterpret_cast<RECT*>(lParam)) {
            *r = { -m_originX, m_headerHeight, totalWidth() - m_originX, m_headerHeight + (count() - m_top) * rowHeight() };
            return TRUE;
        }
        return FALSE;
    case LVM_REDRAWITEMS:
    case LVM_UPDATE:
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    case LVM_GETSTRINGWIDTH: {
        auto* text = reinterpret_cast<LPCSTR>(lParam);
        if (!text)
            return 0;
        HDC dc = GetDC(m_hwnd);
        HGDIOBJ old = SelectObject(dc, ControlFont(m_font));
        SIZE size {};
        GetTextExtentPoint32(dc, text, static_cast<int>(std::strlen(text)), &size);
        SelectObject(dc, old);
        ReleaseDC(m_hwnd, dc);
        return size.cx;
    }
    case LVM_GETSELECTIONMARK:
        return m_mark;
    case LVM_SETSELECTIONMARK: {
        const int previous = m_mark;
        m_mark = valid(static_cast<int>(lParam)) ? static_cast<int>(lParam) : -1;
        return previous;
    }
    case LVM_SETBKCOLOR:
    case LVM_SETTEXTCOLOR:
    case LVM_SETTEXTBKCOLOR: {
        COLORREF& slot = message == LVM_SETBKCOLOR ? m_bk : message == LVM_SETTEXTCOLOR ? m_text : m_textBk;
        slot = static_cast<COLORREF>(lParam);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return TRUE;
    }
    case LVM_GETBKCOLOR:
        return m_bk == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : m_bk;
    case LVM_GETTEXTCOLOR:
        return m_text == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : m_text;
    case LVM_GETTEXTBKCOLOR:
        return m_textBk == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : m_textBk;
    case LVM_EDITLABEL:
    case LVM_GETEDITCONTROL:
        return 0; // in-place label editing is not offered by this list
    default:
        return DefWindowProc(m_hwnd, message, wParam, lParam);
    }
}

} // namespace platform::comctl
