// Text output, measuring and DrawText's formatting.

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/gdi/Raster.h"
#include "platform/gdi/TextRender.h"

using namespace platform::gdi;

namespace {

constexpr int kMaxTextBytes = 1 << 20;

std::string_view viewOf(LPCSTR s, int c)
{
    if (!s)
        return {};
    if (c < 0)
        return std::string_view(s, strnlen(s, kMaxTextBytes));
    return std::string_view(s, static_cast<std::size_t>(std::min(c, kMaxTextBytes)));
}

struct Axes {
    double ux, uy, vx, vy;
};

Axes axesOf(const FontFace& f)
{
    const double a = f.escapement() * M_PI / 1800.0;
    return { std::cos(a), -std::sin(a), std::sin(a), std::cos(a) };
}

POINT along(POINT p, const Axes& ax, double u, double v)
{
    return { static_cast<LONG>(std::lround(p.x + u * ax.ux + v * ax.vx)), static_cast<LONG>(std::lround(p.y + u * ax.uy + v * ax.vy)) };
}

int runLength(FontFace& face, std::u32string_view text, int extra, const std::vector<int>* advances)
{
    auto guard = face.lock();
    int w = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        w += advances && i < advances->size() ? (*advances)[i] : face.glyph(text[i]).advance + extra;
    return w;
}

// Text at a logical point, placed by the DC's alignment; fills the cell first when opaque.
BOOL textOut(DeviceContext& dc, int x, int y, UINT options, const RECT* rect, std::string_view bytes, const INT* lpDx)
{
    const RECT clipRect = rect ? dc.rectToSurface(*rect) : RECT {};
    if ((options & ETO_OPAQUE) && rect)
        fillRect(dc, clipRect, Pattern::solid(devicePixel(dc, dc.state.bkColor)), 0xF0);
    const std::u32string text = decodeUtf8(bytes);
    if (text.empty())
        return TRUE;
    auto face = faceOf(dc);
    std::vector<int> advances;
    if (lpDx)
        for (std::size_t i = 0; i < text.size(); ++i)
            advances.push_back(dc.scaleX(lpDx[i]));
    const int length = runLength(*face, text, dc.state.charExtra, lpDx ? &advances : nullptr);
    const UINT align = dc.state.textAlign;
    POINT ref = (align & TA_UPDATECP) ? dc.toSurface(dc.state.current.x, dc.state.current.y) : dc.toSurface(x, y);
    const Axes ax = axesOf(*face);
    const TEXTMETRIC& tm = face->metrics();
    double u = 0;
    if ((align & TA_CENTER) == TA_CENTER)
        u = -length / 2.0;
    else if (align & TA_RIGHT)
        u = -length;
    double v = 0; // from the reference point down to the top of the cell
    if ((align & TA_BASELINE) == TA_BASELINE)
        v = -tm.tmAscent;
    else if (align & TA_BOTTOM)
        v = -tm.tmHeight;
    const POINT topLeft = along(ref, ax, u, v);
    const RECT* clip = (options & ETO_CLIPPED) && rect ? &clipRect : nullptr;
    if (dc.state.bkMode == OPAQUE && !(options & ETO_OPAQUE))
        fillCell(dc, *face, topLeft, length, clip);
    drawRun(dc, *face, along(topLeft, ax, 0, tm.tmAscent), text, lpDx ? &advances : nullptr, nullptr, clip);
    if (align & TA_UPDATECP) {
        // The current position moves along the text (left-aligned) or stays (right-aligned runs move back).
        const int dx = dc.unscaleX(static_cast<int>(std::lround(length * ax.ux)));
        const int dy = dc.unscaleY(static_cast<int>(std::lround(length * ax.uy)));
        if (align & TA_RIGHT && (align & TA_CENTER) != TA_CENTER) {
            dc.state.current.x -= dx;
            dc.state.current.y -= dy;
        } else if ((align & TA_CENTER) != TA_CENTER) {
            dc.state.current.x += dx;
            dc.state.current.y += dy;
        }
    }
    return TRUE;
}

int tabWidthOf(const FontFace& face, int tabChars) { return std::max(1, static_cast<int>(face.metrics().tmAveCharWidth) * tabChars); }

// The width of a line whose tabs go to the next stop (the stops counted from the line start).
int lineWidth(FontFace& face, std::u32string_view line, bool expandTabs, int tabWidth, int extra)
{
    auto guard = face.lock();
    int w = 0;
    for (char32_t c : line) {
        if (c == U'\t') {
            if (expandTabs)
                w = (w / tabWidth + 1) * tabWidth;
            continue;
        }
        w += face.glyph(c).advance + extra;
    }
    return w;
}

struct Line {
    std::u32string text;
    std::vector<bool> underline;
};

} // namespace

BOOL TextOut(HDC hdc, int x, int y, LPCSTR lpString, int c)
{
    auto dc = lookupDC(hdc);
    if (!dc || (!lpString && c > 0) || c < 0)
        return FALSE;
    return textOut(*dc, x, y, 0, nullptr, viewOf(lpString, c), nullptr);
}

BOOL ExtTextOut(HDC hdc, int x, int y, UINT options, const RECT* lprect, LPCSTR lpString, UINT c, const INT* lpDx)
{
    auto dc = lookupDC(hdc);
    if (!dc || (!lpString && c > 0))
        return FALSE;
    return textOut(*dc, x, y, options, lprect, viewOf(lpString, static_cast<int>(std::min<UINT>(c, kMaxTextBytes))), lpDx);
}

BOOL GetTextExtentPoint32(HDC hdc, LPCSTR lpString, int c, LPSIZE psizl)
{
    auto dc = lookupDC(hdc);
    if (!dc || !psizl || c < 0 || (!lpString && c > 0))
        return FALSE;
    auto face = faceOf(*dc);
    const std::u32string text = decodeUtf8(viewOf(lpString, c));
    const int w = runLength(*face, text, dc->state.charExtra, nullptr);
    psizl->cx = dc->unscaleX(w);
    psizl->cy = dc->unscaleY(face->metrics().tmHeight);
    return TRUE;
}

BOOL GetTextExtentExPoint(HDC hdc, LPCSTR lpszString, int cchString, int nMaxExtent, INT* lpnFit, INT* lpnDx, LPSIZE lpSize)
{
    auto dc = lookupDC(hdc);
    if (!dc || cchString < 0 || (!lpszString && cchString > 0))
        return FALSE;
    auto face = faceOf(*dc);
    const std::u32string text = decodeUtf8(viewOf(lpszString, cchString));
    auto guard = face->lock();
    int w = 0, fit = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        w += face->glyph(text[i]).advance + dc->state.charExtra;
        if (lpnDx)
            lpnDx[i] = dc->unscaleX(w);
        if (nMaxExtent < 0 || dc->unscaleX(w) <= nMaxExtent)
            fit = static_cast<int>(i + 1);
    }
    if (lpnFit)
        *lpnFit = fit;
    if (lpSize) {
        lpSize->cx = dc->unscaleX(w);
        lpSize->cy = dc->unscaleY(face->metrics().tmHeight);
    }
    return TRUE;
}

DWORD GetTabbedTextExtent(HDC hdc, LPCSTR lpString, int chCount, int nTabPositions, const INT* lpnTabStopPositions)
{
    auto dc = lookupDC(hdc);
    if (!dc || chCount < 0 || (!lpString && chCount > 0))
        return 0;
    auto face = faceOf(*dc);
    const std::u32string text = decodeUtf8(viewOf(lpString, chCount));
    auto guard = face->lock();
    const int interval = nTabPositions == 1 && lpnTabStopPositions ? std::max(1, lpnTabStopPositions[0]) : tabWidthOf(*face, 8);
    int w = 0;
    for (char32_t c : text) {
        if (c != U'\t') {
            w += face->glyph(c).advance + dc->state.charExtra;
            continue;
        }
        int next = -1;
        if (nTabPositions > 1 && lpnTabStopPositions)
            for (int i = 0; i < nTabPositions; ++i)
                if (lpnTabStopPositions[i] > w) {
                    next = lpnTabStopPositions[i];
                    break;
                }
        w = next >= 0 ? next : (w / interval + 1) * interval;
    }
    return static_cast<DWORD>(MAKELONG(static_cast<unsigned>(dc->unscaleX(w)), static_cast<unsigned>(dc->unscaleY(face->metrics().tmHeight))));
}

LONG TabbedTextOut(HDC hdc, int x, int y, LPCSTR lpString, int chCount, int nTabPositions, const INT* lpnTabStopPositions,
    int nTabOrigin)
{
    auto dc = lookupDC(hdc);
    if (!dc || chCount < 0 || (!lpString && chCount > 0))
        return 0;
    const std::string_view all = viewOf(lpString, chCount);
    int penX = x;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = all.find('\t', start);
        const std::string_view piece = all.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
        SIZE sz {};
        GetTextExtentPoint32(hdc, piece.data(), static_cast<int>(piece.size()), &sz);
        textOut(*dc, penX, y, 0, nullptr, piece, nullptr);
        penX += sz.cx;
        if (tab == std::string_view::npos)
            break;
        const int interval = nTabPositions == 1 && lpnTabStopPositions ? std::max(1, lpnTabStopPositions[0]) : 8 * 6;
        int next = -1;
        if (nTabPositions > 1 && lpnTabStopPositions)
            for (int i = 0; i < nTabPositions; ++i)
                if (nTabOrigin + lpnTabStopPositions[i] > penX) {
                    next = nTabOrigin + lpnTabStopPositions[i];
                    break;
                }
        penX = next >= 0 ? next : nTabOrigin + ((penX - nTabOrigin) / interval + 1) * interval;
        start = tab + 1;
    }
    SIZE sz {};
    GetTextExtentPoint32(hdc, "", 0, &sz);
    return MAKELONG(static_cast<unsigned>(penX - x), static_cast<unsigned>(sz.cy));
}

BOOL GetTextMetrics(HDC hdc, LPTEXTMETRIC lptm)
{
    auto dc = lookupDC(hdc);
    if (!dc || !lptm)
        return FALSE;
    auto face = faceOf(*dc);
    *lptm = face->metrics();
    if (dc->state.mapMode != MM_TEXT) {
        for (LONG* v : { &lptm->tmHeight, &lptm->tmAscent, &lptm->tmDescent, &lptm->tmInternalLeading, &lptm->tmExternalLeading })
            *v = dc->unscaleY(*v);
        for (LONG* v : { &lptm->tmAveCharWidth, &lptm->tmMaxCharWidth })
            *v = dc->unscaleX(*v);
    }
    return TRUE;
}

int GetTextFace(HDC hdc, int c, LPSTR lpName)
{
    auto dc = lookupDC(hdc);
    if (!dc)
        return 0;
    const std::string name = faceOf(*dc)->faceName();
    if (!lpName)
        return static_cast<int>(name.size() + 1);
    if (c <= 0)
        return 0;
    const std::size_t n = std::min(name.size(), static_cast<std::size_t>(c - 1));
    std::memcpy(lpName, name.data(), n);
    lpName[n] = '\0';
    return static_cast<int>(n);
}

int DrawText(HDC hdc, LPCSTR lpchText, int cchText, LPRECT lprc, UINT format)
{
    auto dc = lookupDC(hdc);
    if (!dc || !lprc || (!lpchText && cchText != 0))
        return 0;
    auto face = faceOf(*dc);
    const TEXTMETRIC& tm = face->metrics();
    const std::u32string all = decodeUtf8(viewOf(lpchText, cchText));
    const bool expandTabs = format & DT_EXPANDTABS;
    const int tabChars = (format & DT_TABSTOP) ? static_cast<int>((format >> 8) & 0xFF) : 8;
    const int tabWidth = tabWidthOf(*face, tabChars > 0 ? tabChars : 8);
    const int extra = dc->state.charExtra;
    const int lineHeight = tm.tmHeight + ((format & DT_EXTERNALLEADING) ? tm.tmExternalLeading : 0);
    const RECT box = dc->rectToSurface(*lprc);
    const int maxWidth = box.right - box.left;

    const bool prefixes = !(format & DT_NOPREFIX);
    auto width = [&](std::u32string_view s) { return lineWidth(*face, s, expandTabs, tabWidth, extra); };
    const auto calculated = [&](int maxLine, int total) {
        const POINT tl = dc->toLogical(box.left - dc->origin.x, box.top - dc->origin.y);
        const POINT br = dc->toLogical(box.left + maxLine - dc->origin.x, box.top + total - dc->origin.y);
        lprc->right = lprc->left + (br.x - tl.x);
        lprc->bottom = lprc->top + (br.y - tl.y);
        return dc->unscaleY(total);
    };
    if ((format & DT_CALCRECT) && (format & DT_SINGLELINE) && !(format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))) {
        // Measuring one line needs neither its underline marks nor a list of lines: lists and trees
        // measure every row this way.
        std::u32string line;
        line.reserve(all.size());
        for (std::size_t i = 0; i < all.size(); ++i) {
            char32_t c = all[i];
            if (prefixes && c == U'&') {
                if (i + 1 >= all.size())
                    continue;
                c = all[++i];
            }
            if (c != U'\r' && c != U'\n')
                line.push_back(c);
        }
        return calculated(width(line), lineHeight);
    }

    // "&x" underlines x, "&&" is one "&".
    std::u32string text;
    std::vector<bool> marks;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (prefixes && all[i] == U'&') {
            if (i + 1 < all.size() && all[i + 1] == U'&') {
                text.push_back(U'&');
                marks.push_back(false);
                ++i;
            } else if (i + 1 < all.size()) {
                text.push_back(all[i + 1]);
                marks.push_back(!(format & DT_HIDEPREFIX));
                ++i;
            }
            continue;
        }
        text.push_back(all[i]);
        marks.push_back(false);
    }

    // Paragraphs at line ends (unless single-line), then word wrapping.
    std::vector<Line> lines;
    auto addParagraph = [&](std::size_t from, std::size_t to) {
        if (!(format & DT_WORDBREAK) || format & DT_SINGLELINE) {
            lines.push_back({ text.substr(from, to - from), std::vector<bool>(marks.begin() + from, marks.begin() + to) });
            return;
        }
        std::size_t start = from;
        while (true) {
            // Take words while they fit; a word too long for the line stands alone.
            std::size_t end = start, lastBreak = std::string::npos;
            while (end < to) {
                std::size_t wordEnd = end;
                while (wordEnd < to && text[wordEnd] == U' ')
                    ++wordEnd;
                while (wordEnd < to && text[wordEnd] != U' ')
                    ++wordEnd;
                if (width(std::u32string_view(text).substr(start, wordEnd - start)) > maxWidth && lastBreak != std::string::npos)
                    break;
                lastBreak = wordEnd;
                end = wordEnd;
            }
            std::size_t lineEnd = end;
            while (lineEnd > start && text[lineEnd - 1] == U' ')
                --lineEnd;
            lines.push_back({ text.substr(start, lineEnd - start), std::vector<bool>(marks.begin() + start, marks.begin() + lineEnd) });
            start = end;
            while (start < to && text[start] == U' ')
                ++start;
            if (start >= to)
                break;
        }
    };
    if (format & DT_SINGLELINE) {
        // Line breaks are not drawn on a single line.
        std::u32string flat;
        std::vector<bool> flatMarks;
        for (std::size_t i = 0; i < text.size(); ++i)
            if (text[i] != U'\r' && text[i] != U'\n') {
                flat.push_back(text[i]);
                flatMarks.push_back(marks[i]);
            }
        text = std::move(flat);
        marks = std::move(flatMarks);
        addParagraph(0, text.size());
    } else {
        std::size_t start = 0;
        for (std::size_t i = 0; i <= text.size(); ++i) {
            if (i == text.size() || text[i] == U'\n' || text[i] == U'\r') {
                addParagraph(start, i);
                if (i + 1 < text.size() && text[i] == U'\r' && text[i + 1] == U'\n')
                    ++i;
                start = i + 1;
            }
        }
    }

    // End ellipsis: lines too wide lose characters from the end until they fit with "...".
    if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS)) {
        for (Line& line : lines) {
            if (width(line.text) <= maxWidth)
                continue;
            // The longest start of the line that fits with the dots (widths grow with length).
            std::size_t lo = 0, hi = line.text.size();
            while (lo < hi) {
                const std::size_t mid = (lo + hi + 1) / 2;
                if (width(line.text.substr(0, mid) + U"...") <= maxWidth)
                    lo = mid;
                else
                    hi = mid - 1;
            }
            std::u32string cut = line.text.substr(0, lo);
            line.underline.resize(cut.size());
            line.text = cut + U"...";
            line.underline.resize(line.text.size(), false);
        }
    }

    int maxLine = 0;
    for (const Line& line : lines)
        maxLine = std::max(maxLine, width(line.text));
    const int total = static_cast<int>(lines.size()) * lineHeight;

    if (format & DT_CALCRECT)
        return calculated(maxLine, total);

    int y = box.top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = box.top + (box.bottom - box.top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = box.bottom - lineHeight;
    }
    const RECT* clip = (format & DT_NOCLIP) ? nullptr : &box;
    for (const Line& line : lines) {
        const int w = width(line.text);
        int x = box.left;
        if (format & DT_CENTER)
            x = box.left + (maxWidth - w) / 2;
        else if (format & DT_RIGHT)
            x = box.right - w;
        // Tabs split the line into runs placed at their stops.
        std::size_t start = 0;
        int pen = 0;
        if (dc->state.bkMode == OPAQUE)
            fillCell(*dc, *face, POINT { x, y }, w, clip);
        while (start <= line.text.size()) {
            std::size_t tab = line.text.find(U'\t', start);
            if (tab == std::u32string::npos)
                tab = line.text.size();
            const std::u32string_view run = std::u32string_view(line.text).substr(start, tab - start);
            const std::vector<bool> runMarks(line.underline.begin() + start, line.underline.begin() + tab);
            if (!(format & DT_PREFIXONLY) || std::find(runMarks.begin(), runMarks.end(), true) != runMarks.end())
                pen += drawRun(*dc, *face, POINT { x + pen, y + tm.tmAscent }, run, nullptr, &runMarks, clip);
            if (tab >= line.text.size())
                break;
            if (expandTabs)
                pen = (pen / tabWidth + 1) * tabWidth;
            start = tab + 1;
        }
        y += lineHeight;
    }
    const int drawnBottom = (format & DT_SINGLELINE) && (format & (DT_VCENTER | DT_BOTTOM)) ? (y - box.top) : total;
    return dc->unscaleY(drawnBottom);
}
