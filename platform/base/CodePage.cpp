#include "platform/base/CodePage.h"

#include <cstring>
#include <optional>

#include "platform/base/WinError.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isUtf8CodePage(UINT codePage)
{
    return codePage == CP_ACP || codePage == CP_OEMCP || codePage == CP_THREAD_ACP || codePage == CP_UTF8;
}

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes one character at the front of text. Returns the code point, or nothing for an invalid sequence;
// `length` receives the bytes consumed: the whole character, or the maximal invalid prefix (at least one byte),
// so that each bad sequence turns into exactly one replacement character.
std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& length)
{
    const auto lead = static_cast<unsigned char>(text[0]);
    length = 1;
    if (lead < 0x80)
        return lead;
    int trailing = 0;
    char32_t cp = 0;
    unsigned char lo = 0x80, hi = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        trailing = 1;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        trailing = 2;
        cp = lead & 0x0F;
        if (lead == 0xE0)
            lo = 0xA0; // no overlong forms
        if (lead == 0xED)
            hi = 0x9F; // no encoded surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        trailing = 3;
        cp = lead & 0x07;
        if (lead == 0xF0)
            lo = 0x90;
        if (lead == 0xF4)
            hi = 0x8F; // nothing past U+10FFFF
    } else {
        return std::nullopt;
    }
    for (int i = 1; i <= trailing; ++i) {
        if (static_cast<std::size_t>(i) >= text.size())
            return std::nullopt;
        const auto c = static_cast<unsigned char>(text[i]);
        const bool ok = i == 1 ? (c >= lo && c <= hi) : isContinuation(c);
        if (!ok)
            return std::nullopt;
        cp = (cp << 6) | (c & 0x3F);
        length = static_cast<std::size_t>(i) + 1;
    }
    return cp;
}

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool isLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Walks UTF-8 text and reports each UTF-16 unit; false when a bad sequence is met and `strict` is set.
template<typename Sink> bool utf8ToUtf16(std::string_view text, bool strict, Sink&& sink)
{
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t length = 0;
        const auto cp = decodeUtf8(text.substr(pos), length);
        pos += length;
        if (!cp) {
            if (strict)
                return false;
            sink(static_cast<char16_t>(kReplacement));
        } else if (*cp >= 0x10000) {
            const char32_t v = *cp - 0x10000;
            sink(static_cast<char16_t>(0xD800 + (v >> 10)));
            sink(static_cast<char16_t>(0xDC00 + (v & 0x3FF)));
        } else {
            sink(static_cast<char16_t>(*cp));
        }
    }
    return true;
}

// Walks UTF-16 text and reports each code point; a lone surrogate is reported as nothing.
template<typename Sink> void utf16ToCodePoints(std::u16string_view text, Sink&& sink)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (isHighSurrogate(c) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            sink(std::optional<char32_t>(0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00)));
            ++i;
        } else if (isHighSurrogate(c) || isLowSurrogate(c)) {
            sink(std::optional<char32_t>());
        } else {
            sink(std::optional<char32_t>(c));
        }
    }
}

bool overlaps(const void* a, std::size_t aBytes, const void* b, std::size_t bBytes)
{
    const auto pa = reinterpret_cast<std::uintptr_t>(a);
    const auto pb = reinterpret_cast<std::uintptr_t>(b);
    return pa < pb + bBytes && pb < pa + aBytes;
}

int fail(DWORD error)
{
    SetLastError(error);
    return 0;
}

} // namespace

UINT GetACP() { return CP_UTF8; }

UINT GetOEMCP() { return CP_UTF8; }

int MultiByteToWideChar(
    UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar)
{
    if (!lpMultiByteStr || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0
        || (cchWideChar > 0 && !lpWideCharStr))
        return fail(ERROR_INVALID_PARAMETER);
    if (!isUtf8CodePage(CodePage))
        return fail(ERROR_INVALID_PARAMETER);
    if (dwFlags & ~(MB_PRECOMPOSED | MB_COMPOSITE | MB_USEGLYPHCHARS | MB_ERR_INVALID_CHARS))
        return fail(ERROR_INVALID_FLAGS);

    const std::size_t inBytes = cbMultiByte == -1 ? std::strlen(lpMultiByteStr) + 1 : std::size_t(cbMultiByte);
    if (cchWideChar > 0 && overlaps(lpMultiByteStr, inBytes, lpWideCharStr, std::size_t(cchWideChar) * 2))
        return fail(ERROR_INVALID_PARAMETER);
    const std::string_view input(lpMultiByteStr, inBytes);
    const bool strict = (dwFlags & MB_ERR_INVALID_CHARS) != 0;

    std::size_t needed = 0;
    if (!utf8ToUtf16(input, strict, [&](char16_t) { ++needed; }))
        return fail(ERROR_NO_UNICODE_TRANSLATION);
    if (needed > std::size_t(INT32_MAX))
        return fail(ERROR_INVALID_PARAMETER);
    if (cchWideChar == 0)
        return static_cast<int>(needed);
    if (needed > std::size_t(cchWideChar))
        return fail(ERROR_INSUFFICIENT_BUFFER);
    std::size_t written = 0;
    utf8ToUtf16(input, false, [&](char16_t c) { lpWideCharStr[written++] = c; });
    return static_cast<int>(written);
}

int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
    int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar)
{
    if (!lpWideCharStr || cchWideChar == 0 || cchWideChar < -1 || cbMultiByte < 0
        || (cbMultiByte > 0 && !lpMultiByteStr))
        return fail(ERROR_INVALID_PARAMETER);
    if (!isUtf8CodePage(CodePage))
        return fail(ERROR_INVALID_PARAMETER);
    if (dwFlags
        & ~(WC_DISCARDNS | WC_SEPCHARS | WC_DEFAULTCHAR | WC_ERR_INVALID_CHARS | WC_COMPOSITECHECK
            | WC_NO_BEST_FIT_CHARS))
        return fail(ERROR_INVALID_FLAGS);

    std::size_t inUnits = 0;
    if (cchWideChar == -1) {
        while (lpWideCharStr[inUnits] != 0)
            ++inUnits;
        ++inUnits; // the terminating zero is converted too
    } else {
        inUnits = std::size_t(cchWideChar);
    }
    if (cbMultiByte > 0 && overlaps(lpWideCharStr, inUnits * 2, lpMultiByteStr, std::size_t(cbMultiByte)))
        return fail(ERROR_INVALID_PARAMETER);

    std::string replacement;
    if (lpDefaultChar)
        replacement = lpDefaultChar;
    else
        platform::AppendUtf8(replacement, kReplacement);

    std::string out;
    bool usedDefault = false;
    utf16ToCodePoints(std::u16string_view(lpWideCharStr, inUnits), [&](std::optional<char32_t> cp) {
        if (cp) {
            platform::AppendUtf8(out, *cp);
        } else {
            usedDefault = true;
            out += replacement;
        }
    });
    if (usedDefault && (dwFlags & WC_ERR_INVALID_CHARS))
        return fail(ERROR_NO_UNICODE_TRANSLATION);
    if (out.size() > std::size_t(INT32_MAX))
        return fail(ERROR_INVALID_PARAMETER);
    if (cbMultiByte == 0) {
        if (lpUsedDefaultChar)
            *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
        return static_cast<int>(out.size());
    }
    if (out.size() > std::size_t(cbMultiByte))
        return fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(lpMultiByteStr, out.data(), out.size());
    if (lpUsedDefaultChar)
        *lpUsedDefaultChar = usedDefault ? TRUE : FALSE;
    return static_cast<int>(out.size());
}

namespace platform {

void AppendUtf8(std::string& out, char32_t cp)
{
    if ((cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF)
        cp = kReplacement;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::u16string Utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    utf8ToUtf16(text, false, [&](char16_t c) { out += c; });
    return out;
}

std::string Utf16ToUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    utf16ToCodePoints(text, [&](std::optional<char32_t> cp) { AppendUtf8(out, cp.value_or(kReplacement)); });
    return out;
}

std::string_view CutUtf8(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    // Find where the character that straddles the cut begins; if it is a valid sequence that would not fit,
    // cut before it. Stray continuation bytes are single units of their own and may be cut anywhere.
    std::size_t start = maxBytes;
    while (start > 0 && maxBytes - start < 3 && isContinuation(static_cast<unsigned char>(text[start])))
        --start;
    if (start == maxBytes)
        return text.substr(0, maxBytes);
    std::size_t length = 0;
    if (decodeUtf8(text.substr(start), length) && start + length > maxBytes)
        return text.substr(0, start);
    return text.substr(0, maxBytes);
}

std::size_t CountUtf8Characters(std::string_view text)
{
    std::size_t count = 0;
    for (char c : text)
        count += isContinuation(static_cast<unsigned char>(c)) ? 0 : 1;
    return count;
}

std::string_view CutUtf8Characters(std::string_view text, std::size_t maxCharacters)
{
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[i]))) {
            if (seen == maxCharacters)
                return text.substr(0, i);
            ++seen;
        }
    }
    return text;
}

} // namespace platform
