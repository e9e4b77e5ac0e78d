// The EDIT class: single-line and multi-line text entry with selection, caret, scrolling, a length
// limit, password display, read-only and digits-only modes, the clipboard keys and one level of undo.
// Positions are byte offsets into the UTF-8 text and always lie on character boundaries; a line
// break of a multi-line control is "\r\n" (a lone "\n" also breaks the line).

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/user/ControlSupport.h"

namespace platform::user {

namespace {

constexpr std::size_t kDefaultLimit = 30000;
constexpr std::size_t kNoLimit = 0x7FFFFFFE;
constexpr int kDefaultMargin = 1;
constexpr int kWheelLines = 3;

struct Line {
    std::size_t start { 0 };
    std::size_t end { 0 }; // the text of the line ends here (before its break)
    std::size_t next { 0 }; // where the next line starts
};

struct EditState {
    std::string text;
    std::size_t anchor { 0 };
    std::size_t caret { 0 };
    std::size_t limit { kDefaultLimit };
    bool modified { false };
    HFONT font { nullptr };
    int scrollX { 0 };
    int firstLine { 0 };
    char passwordChar { 0 };
    int leftMargin { kDefaultMargin };
    int rightMargin { kDefaultMargin };
    bool focused { false };
    bool tracking { false };
    std::vector<int> tabStops; // pixels
    // One level of undo: the text and selection before the last change.
    bool canUndo { false };
    std::string undoText;
    std::size_t undoAnchor { 0 };
    std::size_t undoCaret { 0 };
    std::vector<Line> lines;
    int lineHeight { 13 };
    int averageWidth { 6 };
};

DWORD styleOf(HWND h) { return static_cast<DWORD>(GetWindowLong(h, GWL_STYLE)); }
bool multiLine(HWND h) { return (styleOf(h) & ES_MULTILINE) != 0; }
bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::size_t snap(const std::string& text, std::size_t pos)
{
    pos = std::min(pos, text.size());
    while (pos > 0 && pos < text.size() && isContinuation(text[pos]))
        --pos;
    // Never between the two halves of a line break.
    if (pos > 0 && pos < text.size() && text[pos - 1] == '\r' && text[pos] == '\n')
        --pos;
    return pos;
}

std::size_t nextPos(const std::string& text, std::size_t pos)
{
    if (pos >= text.size())
        return text.size();
    if (text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
        return pos + 2;
    ++pos;
    while (pos < text.size() && isContinuation(text[pos]))
        ++pos;
    return pos;
}

std::size_t prevPos(const std::string& text, std::size_t pos)
{
    if (pos == 0)
        return 0;
    if (pos >= 2 && text[pos - 1] == '\n' && text[pos - 2] == '\r')
        return pos - 2;
    --pos;
    while (pos > 0 && isContinuation(text[pos]))
        --pos;
    return pos;
}

bool isWordChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || (static_cast<unsigned char>(c) >= 0x80);
}

std::string encodeUtf8(unsigned cp)
{
    std::string out;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x110000) {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
    return out;
}

// A DC that measures with the control's font.
class MeasureDC {
public:
    explicit MeasureDC(const EditState& s)
        : m_dc(CreateCompatibleDC(nullptr))
        , m_old(SelectObject(m_dc, FontOr(s.font)))
    {
    }
    ~MeasureDC()
    {
        SelectObject(m_dc, m_old);
        DeleteDC(m_dc);
    }
    MeasureDC(const MeasureDC&) = delete;
    MeasureDC& operator=(const MeasureDC&) = delete;
    HDC get() const { return m_dc; }

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

class Editor {
public:
    Editor(HWND h, EditState& s)
        : m_h(h)
        , m_s(s)
    {
    }

    // ---- Measuring and layout --------------------------------------------------------------

    // What is shown for a piece of the text: the password character for each character.
    std::string shown(std::size_t from, std::size_t to) const
    {
        if (!m_s.passwordChar)
            return m_s.text.substr(from, to - from);
        std::string out;
        for (std::size_t i = from; i < to; i = nextPos(m_s.text, i))
            out.push_back(m_s.passwordChar);
        return out;
    }

    int tabWidthAfter(int x) const
    {
        for (int stop : m_s.tabStops)
            if (stop > x)
                return stop - x;
        const int every = m_s.tabStops.empty() ? 8 * m_s.averageWidth
            : m_s.tabStops.size() == 1         ? std::max(m_s.tabStops[0], 1)
                                               : 8 * m_s.averageWidth;
        return every - x % every;
    }

    int width(HDC dc, const std::string& s) const
    {
        int x = 0;
        std::size_t start = 0;
        while (start <= s.size()) {
            const std::size_t tab = s.find('\t', start);
            const std::size_t end = tab == std::string::npos ? s.size() : tab;
            if (end > start) {
                SIZE size {};
                GetTextExtentPoint32(dc, s.c_str() + start, static_cast<int>(end - start), &size);
                x += size.cx;
            }
            if (tab == std::string::npos)
                break;
            x += tabWidthAfter(x);
            start = tab + 1;
        }
        return x;
    }

    RECT textRect() const
    {
        RECT r;
        GetClientRect(m_h, &r);
        r.left += m_s.leftMargin;
        r.right = std::max(r.left, r.right - m_s.rightMargin);
        return r;
    }

    bool wraps() const { return multiLine(m_h) && !(styleOf(m_h) & (ES_AUTOHSCROLL | WS_HSCROLL)); }

    void layout()
    {
        MeasureDC dc(m_s);
        TEXTMETRIC tm {};
        GetTextMetrics(dc.get(), &tm);
        m_s.lineHeight = std::max<int>(tm.tmHeight, 1);
        m_s.averageWidth = std::max<int>(tm.tmAveCharWidth, 1);
        m_s.lines.clear();
        const std::string& t = m_s.text;
        if (!multiLine(m_h)) {
            m_s.lines.push_back({ 0, t.size(), t.size() });
            return;
        }
        const RECT r = textRect();
        const int limit = r.right - r.left;
        std::size_t start = 0;
        while (true) {
            std::size_t brk = t.find('\n', start);
            std::size_t end = brk == std::string::npos ? t.size() : brk;
            const std::size_t next = brk == std::string::npos ? t.size() : brk + 1;
            if (end > start && t[end - 1] == '\r' && brk != std::string::npos)
                --end;
            if (wraps() && limit > 0)
                wrapParagraph(dc.get(), start, end, next, limit);
            else
                m_s.lines.push_back({ start, end, next });
            if (brk == std::string::npos)
                break;
            start = next;
        }
    }

    // Breaks one paragraph into lines no wider than the limit, at spaces where there are any.
    void wrapParagraph(HDC dc, std::size_t start, std::size_t end, std::size_t next, int limit)
    {
        while (true) {
            if (width(dc, shown(start, end)) <= limit) {
                m_s.lines.push_back({ start, end, next });
                return;
            }
            std::size_t fit = start;
            for (std::size_t p = nextPos(m_s.text, start); p <= end; p = nextPos(m_s.text, p)) {
                if (width(dc, shown(start, p)) > limit)
                    break;
                fit = p;
                if (p == end)
                    break;
            }
            if (fit == start)
                fit = nextPos(m_s.text, start); // one character at least
            std::size_t cut = fit;
            for (std::size_t p = fit; p > start; --p) {
                if (m_s.text[p - 1] == ' ') {
                    cut = p;
                    break;
                }
            }
            m_s.lines.push_back({ start, cut, cut });
            start = cut;
        }
    }

    int lineOf(std::size_t pos) const
    {
        for (std::size_t i = 0; i < m_s.lines.size(); ++i) {
            const Line& l = m_s.lines[i];
            if (pos < l.next || i + 1 == m_s.lines.size())
                return static_cast<int>(i);
            // A position at the end of a wrapped line belongs to the next line.
        }
        return 0;
    }

    int visibleLines() const
    {
        const RECT r = textRect();
        return std::max(1, static_cast<int>((r.bottom - r.top) / m_s.lineHeight));
    }

    int lineOffset(HDC dc, const Line& l) const
    {
        const RECT r = textRect();
        const DWORD align = styleOf(m_h) & (ES_CENTER | ES_RIGHT);
        if (!align)
            return 0;
        const int free = (r.right - r.left) - width(dc, shown(l.start, l.end));
        if (free <= 0)
            return 0;
        return align == ES_CENTER ? free / 2 : free;
    }

    POINT pointOf(std::size_t pos) const
    {
        MeasureDC dc(m_s);
        const int line = lineOf(pos);
        const Line& l = m_s.lines[static_cast<std::size_t>(line)];
        const RECT r = textRect();
        const std::size_t at = std::clamp(pos, l.start, l.end);
        return { r.left - m_s.scrollX + lineOffset(dc.get(), l) + width(dc.get(), shown(l.start, at)),
            r.top + (line - m_s.firstLine) * m_s.lineHeight };
    }

    std::size_t posFromPoint(POINT pt) const
    {
        const RECT r = textRect();
        int line = m_s.firstLine + static_cast<int>(std::floor(static_cast<double>(pt.y - r.top) / m_s.lineHeight));
        line = std::clamp(line, 0, static_cast<int>(m_s.lines.size()) - 1);
        const Line& l = m_s.lines[static_cast<std::size_t>(line)];
        MeasureDC dc(m_s);
        const int x = pt.x - r.left + m_s.scrollX - lineOffset(dc.get(), l);
        std::size_t best = l.start;
        int previous = 0;
        for (std::size_t p = l.start; p < l.end;) {
            const std::size_t n = nextPos(m_s.text, p);
            const int w = width(dc.get(), shown(l.start, std::min(n, l.end)));
            if (x < (previous + w) / 2)
                return p;
            best = std::min(n, l.end);
            previous = w;
            p = n;
        }
        return best;
    }

    // ---- Scrolling -------------------------------------------------------------------------

    void updateScrollBars()
    {
        const DWORD style = styleOf(m_h);
        if (style & WS_VSCROLL) {
            SCROLLINFO si;
            si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
            si.nMin = 0;
            si.nMax = static_cast<int>(m_s.lines.size()) - 1;
            si.nPage = static_cast<UINT>(visibleLines());
            si.nPos = m_s.firstLine;
            SetScrollInfo(m_h, SB_VERT, &si, TRUE);
        }
        if (style & WS_HSCROLL) {
            MeasureDC dc(m_s);
            int widest = 0;
            for (const Line& l : m_s.lines)
                widest = std::max(widest, width(dc.get(), shown(l.start, l.end)));
            const RECT r = textRect();
            SCROLLINFO si;
            si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
            si.nMin = 0;
            si.nMax = widest;
            si.nPage = static_cast<UINT>(std::max<LONG>(r.right - r.left, 1));
            si.nPos = m_s.scrollX;
            SetScrollInfo(m_h, SB_HORZ, &si, TRUE);
        }
    }

    void scrollToCaret()
    {
        const int oldX = m_s.scrollX, oldLine = m_s.firstLine;
        const RECT r = textRect();
        const int line = lineOf(m_s.caret);
        if (multiLine(m_h)) {
            const int visible = visibleLines();
            if (line < m_s.firstLine)
                m_s.firstLine = line;
            else if (line >= m_s.firstLine + visible)
                m_s.firstLine = line - visible + 1;
            m_s.firstLine = std::clamp(m_s.firstLine, 0, std::max(0, static_cast<int>(m_s.lines.size()) - 1));
        }
        if (!wraps()) {
            const POINT p = pointOf(m_s.caret);
            const int x = p.x - r.left + m_s.scrollX;
            const int width = r.right - r.left;
            if (x < m_s.scrollX)
                m_s.scrollX = std::max(0, x - width / 4);
            else if (x >= m_s.scrollX + width)
                m_s.scrollX = x - width + width / 4;
        } else {
            m_s.scrollX = 0;
        }
        if (oldX != m_s.scrollX || oldLine != m_s.firstLine) {
            InvalidateRect(m_h, nullptr, FALSE);
            if (oldLine != m_s.firstLine)
                NotifyParent(m_h, EN_VSCROLL);
            if (oldX != m_s.scrollX && IsWindow(m_h))
                NotifyParent(m_h, EN_HSCROLL);
        }
        updateScrollBars();
        placeCaret();
    }

    void placeCaret()
    {
        if (!m_s.focused)
            return;
        const POINT p = pointOf(m_s.caret);
        SetCaretPos(p.x, p.y);
    }

    void scrollLines(int delta)
    {
        const int last = std::max(0, static_cast<int>(m_s.lines.size()) - visibleLines());
        const int target = std::clamp(m_s.firstLine + delta, 0, std::max(last, 0));
        if (target == m_s.firstLine)
            return;
        m_s.firstLine = target;
        InvalidateRect(m_h, nullptr, FALSE);
        updateScrollBars();
        placeCaret();
        NotifyParent(m_h, EN_VSCROLL);
    }

    // ---- Selection and changes -------------------------------------------------------------

    std::size_t selStart() const { return std::min(m_s.anchor, m_s.caret); }
    std::size_t selEnd() const { return std::max(m_s.anchor, m_s.caret); }

    void select(std::size_t anchor, std::size_t caret)
    {
        anchor = snap(m_s.text, anchor);
        caret = snap(m_s.text, caret);
        if (anchor == m_s.anchor && caret == m_s.caret)
            return;
        m_s.anchor = anchor;
        m_s.caret = caret;
        InvalidateRect(m_h, nullptr, FALSE);
        scrollToCaret();
    }

    void moveCaret(std::size_t to, bool extend) { select(extend ? m_s.anchor : to, to); }

    bool readOnly() const { return (styleOf(m_h) & ES_READONLY) != 0; }

    // Replaces the selection. A change from the keyboard is limited (EN_MAXTEXT when cut short)
    // and can be undone; the parent hears EN_UPDATE and EN_CHANGE.
    bool replaceSelection(std::string insert, bool fromUser, bool undoable)
    {
        if (!multiLine(m_h)) {
            const std::size_t brk = insert.find_first_of("\r\n");
            if (brk != std::string::npos)
                insert.resize(brk);
        }
        const std::size_t start = selStart(), end = selEnd();
        const std::size_t kept = m_s.text.size() - (end - start);
        if (kept + insert.size() > m_s.limit) {
            std::size_t room = m_s.limit > kept ? m_s.limit - kept : 0;
            while (room > 0 && room < insert.size() && isContinuation(insert[room]))
                --room;
            insert.resize(std::min(room, insert.size()));
            NotifyParent(m_h, EN_MAXTEXT);
            if (!IsWindow(m_h))
                return false;
            if (insert.empty() && start == end)
                return false;
        }
        if (fromUser && !multiLine(m_h) && !(styleOf(m_h) & ES_AUTOHSCROLL)) {
            // Without automatic scrolling a single line only takes what fits.
            std::string candidate = m_s.text;
            candidate.replace(start, end - start, insert);
            MeasureDC dc(m_s);
            const RECT r = textRect();
            const std::string saved = std::exchange(m_s.text, candidate);
            const int w = width(dc.get(), shown(0, candidate.size()));
            m_s.text = saved;
            if (w > r.right - r.left && !insert.empty()) {
                NotifyParent(m_h, EN_MAXTEXT);
                return false;
            }
        }
        if (undoable) {
            m_s.canUndo = true;
            m_s.undoText = m_s.text;
            m_s.undoAnchor = m_s.anchor;
            m_s.undoCaret = m_s.caret;
        }
        m_s.text.replace(start, end - start, insert);
        m_s.anchor = m_s.caret = start + insert.size();
        m_s.modified = true;
        changed(true);
        return true;
    }

    void changed(bool notify)
    {
        layout();
        InvalidateRect(m_h, nullptr, FALSE);
        scrollToCaret();
        if (!notify)
            return;
        NotifyParent(m_h, EN_UPDATE);
        if (IsWindow(m_h))
            NotifyParent(m_h, EN_CHANGE);
    }

    void setText(const std::string& text)
    {
        m_s.text = text;
        m_s.anchor = m_s.caret = 0;
        m_s.scrollX = 0;
        m_s.firstLine = 0;
        m_s.canUndo = false;
        m_s.modified = false;
        changed(true);
    }

    void undo()
    {
        if (!m_s.canUndo)
            return;
        // Undoing twice redoes: the current state becomes the one to go back to.
        std::swap(m_s.text, m_s.undoText);
        std::swap(m_s.anchor, m_s.undoAnchor);
        std::swap(m_s.caret, m_s.undoCaret);
        m_s.modified = true;
        changed(true);
    }

    std::string selection() const { return m_s.text.substr(selStart(), selEnd() - selStart()); }

    void copy() const
    {
        if (!m_s.passwordChar && selStart() != selEnd())
            CopyTextToClipboard(m_h, selection());
    }

    void paste()
    {
        if (readOnly())
            return;
        const std::string text = TextFromClipboard(m_h);
        if (!text.empty())
            replaceSelection(text, true, true);
    }

    void clear()
    {
        if (!readOnly() && selStart() != selEnd())
            replaceSelection({}, true, true);
    }

    // ---- Keys ------------------------------------------------------------------------------

    std::size_t wordLeft(std::size_t pos) const
    {
        const std::string& t = m_s.text;
        while (pos > 0 && !isWordChar(t[pos - 1]))
            pos = prevPos(t, pos);
        while (pos > 0 && isWordChar(t[pos - 1]))
            pos = prevPos(t, pos);
        return pos;
    }
    std::size_t wordRight(std::size_t pos) const
    {
        const std::string& t = m_s.text;
        while (pos < t.size() && isWordChar(t[pos]))
            pos = nextPos(t, pos);
        while (pos < t.size() && !isWordChar(t[pos]))
            pos = nextPos(t, pos);
        return pos;
    }

    std::size_t lineMove(int delta) const
    {
        const int line = std::clamp(lineOf(m_s.caret) + delta, 0, static_cast<int>(m_s.lines.size()) - 1);
        const POINT p = pointOf(m_s.caret);
        const RECT r = textRect();
        return posFromPoint({ p.x, r.top + (line - m_s.firstLine) * m_s.lineHeight });
    }

    bool keyDown(WPARAM vk)
    {
        const bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
        const Line& line = m_s.lines[static_cast<std::size_t>(lineOf(m_s.caret))];
        switch (vk) {
        case VK_LEFT:
            if (!shift && selStart() != selEnd())
                moveCaret(selStart(), false);
            else
                moveCaret(ctrl ? wordLeft(m_s.caret) : prevPos(m_s.text, m_s.caret), shift);
            return true;
        case VK_RIGHT:
            if (!shift && selStart() != selEnd())
                moveCaret(selEnd(), false);
            else
                moveCaret(ctrl ? wordRight(m_s.caret) : nextPos(m_s.text, m_s.caret), shift);
            return true;
        case VK_HOME:
            moveCaret(ctrl ? 0 : line.start, shift);
            return true;
        case VK_END:
            moveCaret(ctrl ? m_s.text.size() : line.end, shift);
            return true;
        case VK_UP:
        case VK_DOWN:
            if (multiLine(m_h))
                moveCaret(lineMove(vk == VK_UP ? -1 : 1), shift);
            return true;
        case VK_PRIOR:
        case VK_NEXT:
            if (multiLine(m_h)) {
                const int page = visibleLines();
                scrollLines(vk == VK_PRIOR ? -page : page);
                moveCaret(lineMove(vk == VK_PRIOR ? -page : page), shift);
            }
            return true;
        case VK_DELETE:
            if (shift) {
                SendMessage(m_h, WM_CUT, 0, 0);
            } else if (!readOnly()) {
                if (selStart() == selEnd()) {
                    if (m_s.caret >= m_s.text.size())
                        return true;
                    m_s.anchor = nextPos(m_s.text, m_s.caret);
                }
                replaceSelection({}, true, true);
            }
            return true;
        case VK_INSERT:
            if (ctrl)
                SendMessage(m_h, WM_COPY, 0, 0);
            else if (shift)
                SendMessage(m_h, WM_PASTE, 0, 0);
            return true;
        default:
            return false;
        }
    }

    // The clipboard keys go through the clipboard messages, so that a window that subclasses the
    // control handles them as it handles the messages.
    void character(WPARAM ch)
    {
        switch (ch) {
        case 0x03: // Ctrl+C
            SendMessage(m_h, WM_COPY, 0, 0);
            return;
        case 0x16: // Ctrl+V
            SendMessage(m_h, WM_PASTE, 0, 0);
            return;
        case 0x18: // Ctrl+X
            SendMessage(m_h, WM_CUT, 0, 0);
            return;
        case 0x1A: // Ctrl+Z
            undo();
            return;
        case 0x08: // backspace
            if (readOnly()) {
                MessageBeep(0);
                return;
            }
            if (selStart() == selEnd()) {
                if (m_s.caret == 0)
                    return;
                m_s.anchor = prevPos(m_s.text, m_s.caret);
            }
            replaceSelection({}, true, true);
            return;
        default:
            break;
        }
        const DWORD style = styleOf(m_h);
        std::string insert;
        if (ch == '\r' || ch == '\n') {
            if (!multiLine(m_h))
                return;
            insert = "\r\n";
        } else if (ch == '\t') {
            if (!multiLine(m_h))
                return;
            insert = "\t";
        } else if (ch < 0x20 || ch == 0x7F) {
            return;
        } else {
            if ((style & ES_NUMBER) && !(ch >= '0' && ch <= '9')) {
                MessageBeep(0);
                return;
            }
            unsigned cp = static_cast<unsigned>(ch);
            if ((style & ES_UPPERCASE) && cp < 0x80)
                cp = static_cast<unsigned>(std::toupper(static_cast<int>(cp)));
            else if ((style & ES_LOWERCASE) && cp < 0x80)
                cp = static_cast<unsigned>(std::tolower(static_cast<int>(cp)));
            insert = encodeUtf8(cp);
        }
        if (readOnly()) {
            MessageBeep(0);
            return;
        }
        replaceSelection(insert, true, true);
    }

    // ---- Painting --------------------------------------------------------------------------

    void paint(HDC hdc)
    {
        RECT client;
        GetClientRect(m_h, &client);
        const bool enabled = IsWindowEnabled(m_h) != FALSE;
        HBRUSH brush = ControlColors(m_h, hdc, (readOnly() || !enabled) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
        FillRect(hdc, &client, brush);
        HGDIOBJ oldFont = SelectObject(hdc, FontOr(m_s.font));
        if (!enabled)
            SetTextColor(hdc, GetSysColor(COLOR_GRAYTEXT));
        const COLORREF text = GetTextColor(hdc);
        SetBkMode(hdc, TRANSPARENT);
        const RECT r = textRect();
        IntersectClipRect(hdc, r.left, r.top, r.right, r.bottom);
        const bool showSelection = m_s.focused || (styleOf(m_h) & ES_NOHIDESEL);
        const std::size_t s0 = selStart(), s1 = selEnd();
        const int last = std::min(static_cast<int>(m_s.lines.size()), m_s.firstLine + visibleLines() + 1);
        for (int i = m_s.firstLine; i < last; ++i) {
            const Line& l = m_s.lines[static_cast<std::size_t>(i)];
            const int y = r.top + (i - m_s.firstLine) * m_s.lineHeight;
            int x = r.left - m_s.scrollX + lineOffset(hdc, l);
            auto run = [&](std::size_t from, std::size_t to, bool selected) {
                if (to <= from)
                    return;
                const std::string piece = shown(from, to);
                const int w = width(hdc, piece);
                if (selected) {
                    RECT band { x, y, x + w, y + m_s.lineHeight };
                    FillRect(hdc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
                    SetTextColor(hdc, GetSysColor(COLOR_HIGHLIGHTTEXT));
                } else {
                    SetTextColor(hdc, text);
                }
                drawRun(hdc, x, y, piece);
                x += w;
            };
            if (showSelection && s0 != s1) {
                const std::size_t a = std::clamp(s0, l.start, l.end), b = std::clamp(s1, l.start, l.end);
                run(l.start, a, false);
                run(a, b, true);
                run(b, l.end, false);
            } else {
                run(l.start, l.end, false);
            }
        }
        SelectObject(hdc, oldFont);
    }

    void drawRun(HDC hdc, int x, int y, const std::string& piece)
    {
        std::size_t start = 0;
        int at = x;
        while (start <= piece.size()) {
            const std::size_t tab = piece.find('\t', start);
            const std::size_t end = tab == std::string::npos ? piece.size() : tab;
            if (end > start) {
                TextOut(hdc, at, y, piece.c_str() + start, static_cast<int>(end - start));
                SIZE size {};
                GetTextExtentPoint32(hdc, piece.c_str() + start, static_cast<int>(end - start), &size);
                at += size.cx;
            }
            if (tab == std::string::npos)
                break;
            at += tabWidthAfter(at - x);
            start = tab + 1;
        }
    }

private:
    HWND m_h;
    EditState& m_s;
};

LRESULT copyOut(const std::string& text, WPARAM size, LPSTR buffer)
{
    if (!buffer || size == 0)
        return 0;
    std::size_t n = std::min<std::size_t>(text.size(), size - 1);
    while (n > 0 && n < text.size() && isContinuation(text[n]))
        --n;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<LRESULT>(n);
}

LRESULT onScroll(Editor& e, EditState& s, HWND h, UINT msg, WPARAM wParam)
{
    if (msg == WM_VSCROLL || msg == EM_SCROLL) {
        const int visible = e.visibleLines();
        int delta = 0;
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
            delta = -1;
            break;
        case SB_LINEDOWN:
            delta = 1;
            break;
        case SB_PAGEUP:
            delta = -visible;
            break;
        case SB_PAGEDOWN:
            delta = visible;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            delta = static_cast<int>(HIWORD(wParam)) - s.firstLine;
            break;
        case SB_TOP:
            delta = -s.firstLine;
            break;
        case SB_BOTTOM:
            delta = static_cast<int>(s.lines.size());
            break;
        default:
            break;
        }
        const int before = s.firstLine;
        e.scrollLines(delta);
        return msg == EM_SCROLL ? MAKELRESULT(static_cast<WORD>(s.firstLine - before), TRUE) : 0;
    }
    // Horizontal.
    const RECT r = e.textRect();
    int x = s.scrollX;
    switch (LOWORD(wParam)) {
    case SB_LINELEFT:
        x -= s.averageWidth;
        break;
    case SB_LINERIGHT:
        x += s.averageWidth;
        break;
    case SB_PAGELEFT:
        x -= r.right - r.left;
        break;
    case SB_PAGERIGHT:
        x += r.right - r.left;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        x = HIWORD(wParam);
        break;
    case SB_LEFT:
        x = 0;
        break;
    default:
        break;
    }
    x = std::max(0, x);
    if (x != s.scrollX) {
        s.scrollX = x;
        InvalidateRect(h, nullptr, FALSE);
        e.updateScrollBars();
        e.placeCaret();
    }
    return 0;
}

} // namespace

LRESULT EditProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam)
{
    EditState* s = ControlState<EditState>(h);
    if (!s && msg != WM_NCCREATE)
        return DefWindowProc(h, msg, wParam, lParam);
    if (msg == WM_NCCREATE) {
        s = CreateControlState<EditState>(h);
        const auto* cs = reinterpret_cast<const CREATESTRUCT*>(lParam);
        if (cs && cs->lpszName)
            s->text = cs->lpszName;
        if (styleOf(h) & ES_PASSWORD)
            s->passwordChar = '*';
        if (styleOf(h) & ES_MULTILINE)
            s->limit = kNoLimit;
        Editor(h, *s).layout();
        return DefWindowProc(h, msg, wParam, lParam);
    }
    Editor e(h, *s);
    switch (msg) {
    case WM_NCDESTROY:
        if (s->focused)
            DestroyCaret();
        DestroyControlState<EditState>(h);
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_GETDLGCODE: {
        LRESULT code = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
        const auto* m = reinterpret_cast<const MSG*>(lParam);
        if (m && multiLine(h) && m->message == WM_KEYDOWN && m->wParam == VK_RETURN && (styleOf(h) & ES_WANTRETURN))
            code |= DLGC_WANTALLKEYS;
        return code;
    }
    case WM_SETTEXT:
        e.setText(lParam ? reinterpret_cast<LPCSTR>(lParam) : "");
        return TRUE;
    case WM_GETTEXT:
        return copyOut(s->text, wParam, reinterpret_cast<LPSTR>(lParam));
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(s->text.size());
    case WM_SETFONT:
        s->font = reinterpret_cast<HFONT>(wParam);
        e.layout();
        if (s->focused) {
            DestroyCaret();
            CreateCaret(h, nullptr, 1, s->lineHeight);
            ShowCaret(h);
        }
        e.scrollToCaret();
        if (lParam)
            InvalidateRect(h, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s->font);
    case WM_SIZE:
        e.layout();
        e.scrollToCaret();
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_STYLECHANGED:
    case WM_ENABLE:
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        return PaintControl(h, [&](HDC hdc) { e.paint(hdc); });
    case WM_SETFOCUS:
        s->focused = true;
        CreateCaret(h, nullptr, 1, s->lineHeight);
        e.placeCaret();
        ShowCaret(h);
        InvalidateRect(h, nullptr, FALSE);
        NotifyParent(h, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s->focused = false;
        s->tracking = false;
        DestroyCaret();
        InvalidateRect(h, nullptr, FALSE);
        NotifyParent(h, EN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN: {
        if (GetFocus() != h)
            SetFocus(h);
        if (!(s = ControlState<EditState>(h)))
            return 0;
        const std::size_t pos = e.posFromPoint({ GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
        e.moveCaret(pos, (wParam & MK_SHIFT) != 0);
        s->tracking = true;
        SetCapture(h);
        return 0;
    }
    case WM_MOUSEMOVE:
        if (s->tracking)
            e.moveCaret(e.posFromPoint({ GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) }), true);
        return 0;
    case WM_LBUTTONUP:
        if (s->tracking) {
            s->tracking = false;
            if (GetCapture() == h)
                ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        s->tracking = false;
        return 0;
    case WM_LBUTTONDBLCLK: {
        const std::size_t pos = e.posFromPoint({ GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
        std::size_t a = pos, b = pos;
        while (a > 0 && isWordChar(s->text[a - 1]))
            --a;
        while (b < s->text.size() && isWordChar(s->text[b]))
            ++b;
        e.select(a, b);
        return 0;
    }
    case WM_MOUSEWHEEL:
        if (multiLine(h))
            e.scrollLines(-GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * kWheelLines);
        return 0;
    case WM_KEYDOWN:
        if (e.keyDown(wParam))
            return 0;
        return DefWindowProc(h, msg, wParam, lParam);
    case WM_CHAR:
        e.character(wParam);
        return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
    case EM_SCROLL:
        return onScroll(e, *s, h, msg, wParam);
    case WM_COPY:
        e.copy();
        return 0;
    case WM_CUT:
        e.copy();
        e.clear();
        return 0;
    case WM_PASTE:
        e.paste();
        return 0;
    case WM_CLEAR:
        e.clear();
        return 0;
    case WM_UNDO:
    case EM_UNDO:
        e.undo();
        return s->canUndo ? TRUE : FALSE;
    case EM_CANUNDO:
        return s->canUndo ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER:
        s->canUndo = false;
        s->undoText.clear();
        return 0;
    case EM_GETSEL: {
        const auto start = static_cast<DWORD>(e.selStart()), end = static_cast<DWORD>(e.selEnd());
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = start;
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = end;
        return MAKELRESULT(std::min<DWORD>(start, 0xFFFF), std::min<DWORD>(end, 0xFFFF));
    }
    case EM_SETSEL: {
        const auto start = static_cast<LONG_PTR>(static_cast<int>(wParam));
        const auto end = static_cast<LONG_PTR>(static_cast<int>(lParam));
        if (start < 0) {
            e.select(s->caret, s->caret);
            return 0;
        }
        const std::size_t size = s->text.size();
        e.select(static_cast<std::size_t>(start), end < 0 ? size : static_cast<std::size_t>(end));
        return 0;
    }
    case EM_REPLACESEL:
        e.replaceSelection(lParam ? reinterpret_cast<LPCSTR>(lParam) : "", false, wParam != 0);
        return 0;
    case EM_LIMITTEXT:
        s->limit = wParam ? static_cast<std::size_t>(wParam) : kNoLimit;
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(s->limit);
    case EM_GETMODIFY:
        return s->modified ? TRUE : FALSE;
    case EM_SETMODIFY:
        s->modified = wParam != 0;
        return 0;
    case EM_SETREADONLY: {
        const DWORD style = styleOf(h);
        SetWindowLong(h, GWL_STYLE, static_cast<LONG>(wParam ? (style | ES_READONLY) : (style & ~ES_READONLY)));
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    }
    case EM_SETPASSWORDCHAR:
        s->passwordChar = static_cast<char>(wParam);
        e.layout();
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case EM_GETPASSWORDCHAR:
        return static_cast<unsigned char>(s->passwordChar);
    case EM_GETLINECOUNT:
        return static_cast<LRESULT>(s->lines.size());
    case EM_LINEINDEX: {
        const int line = static_cast<int>(wParam) < 0 ? e.lineOf(s->caret) : static_cast<int>(wParam);
        if (line >= static_cast<int>(s->lines.size()))
            return -1;
        return static_cast<LRESULT>(s->lines[static_cast<std::size_t>(line)].start);
    }
    case EM_LINELENGTH: {
        if (static_cast<int>(wParam) < 0) {
            const Line& a = s->lines[static_cast<std::size_t>(e.lineOf(e.selStart()))];
            const Line& b = s->lines[static_cast<std::size_t>(e.lineOf(e.selEnd()))];
            return static_cast<LRESULT>((e.selStart() - a.start) + (b.end - std::min(b.end, e.selEnd())));
        }
        const Line& l = s->lines[static_cast<std::size_t>(e.lineOf(static_cast<std::size_t>(wParam)))];
        return static_cast<LRESULT>(l.end - l.start);
    }
    case EM_LINEFROMCHAR:
        return e.lineOf(static_cast<int>(wParam) < 0 ? s->caret : static_cast<std::size_t>(wParam));
    case EM_GETLINE: {
        const auto line = static_cast<std::size_t>(wParam);
        auto* buffer = reinterpret_cast<char*>(lParam);
        if (!buffer || line >= s->lines.size())
            return 0;
        WORD room = 0;
        std::memcpy(&room, buffer, sizeof room);
        const Line& l = s->lines[line];
        std::size_t n = std::min<std::size_t>(l.end - l.start, room);
        while (n > 0 && l.start + n < l.end && isContinuation(s->text[l.start + n]))
            --n;
        std::memcpy(buffer, s->text.data() + l.start, n);
        return static_cast<LRESULT>(n);
    }
    case EM_GETFIRSTVISIBLELINE:
        if (multiLine(h))
            return s->firstLine;
        return static_cast<LRESULT>(e.posFromPoint({ e.textRect().left, 0 }));
    case EM_SCROLLCARET:
        e.scrollToCaret();
        return TRUE;
    case EM_LINESCROLL:
        if (!multiLine(h))
            return FALSE;
        e.scrollLines(static_cast<int>(lParam));
        if (static_cast<int>(wParam))
            onScroll(e, *s, h, WM_HSCROLL,
                MAKEWPARAM(SB_THUMBPOSITION, std::max(0, s->scrollX + static_cast<int>(wParam) * s->averageWidth)));
        return TRUE;
    case EM_SETTABSTOPS: {
        s->tabStops.clear();
        const auto* stops = reinterpret_cast<const int*>(lParam);
        for (WPARAM i = 0; stops && i < wParam; ++i)
            s->tabStops.push_back(MulDiv(stops[i], 6, 4));
        e.layout();
        InvalidateRect(h, nullptr, FALSE);
        return TRUE;
    }
    case EM_SETMARGINS:
        if (wParam & EC_LEFTMARGIN)
            s->leftMargin = LOWORD(lParam) == EC_USEFONTINFO ? kDefaultMargin : LOWORD(lParam);
        if (wParam & EC_RIGHTMARGIN)
            s->rightMargin = HIWORD(lParam) == EC_USEFONTINFO ? kDefaultMargin : HIWORD(lParam);
        e.layout();
        InvalidateRect(h, nullptr, FALSE);
        return 0;
    case EM_GETMARGINS:
        return MAKELRESULT(s->leftMargin, s->rightMargin);
    case EM_GETRECT:
        if (lParam)
            *reinterpret_cast<RECT*>(lParam) = e.textRect();
        return 0;
    case EM_SETRECT:
    case EM_SETRECTNP:
        return 0;
    case EM_POSFROMCHAR: {
        if (wParam > s->text.size())
            return -1;
        const POINT p = e.pointOf(static_cast<std::size_t>(wParam));
        return MAKELRESULT(static_cast<WORD>(p.x), static_cast<WORD>(p.y));
    }
    case EM_CHARFROMPOS: {
        const std::size_t pos = e.posFromPoint({ GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam) });
        return MAKELRESULT(static_cast<WORD>(pos), static_cast<WORD>(e.lineOf(pos)));
    }
    default:
        return DefWindowProc(h, msg, wParam, lParam);
    }
}

} // namespace platform::user
