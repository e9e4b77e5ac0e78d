#include "platform/ado/JetLike.h"

#include "platform/base/CaseFold.h"

namespace platform::ado {

namespace {

// The length of the UTF-8 sequence that begins with byte c (1 for a stray continuation byte).
size_t SequenceLength(unsigned char c)
{
    if (c >= 0xF0)
        return 4;
    if (c >= 0xE0)
        return 3;
    if (c >= 0xC0)
        return 2;
    return 1;
}

std::string_view NextChar(std::string_view s, size_t at)
{
    const size_t length = std::min(SequenceLength(static_cast<unsigned char>(s[at])), s.size() - at);
    return s.substr(at, length);
}

bool SameChar(std::string_view a, std::string_view b)
{
    return a.size() == 1 && b.size() == 1 ? FoldCase(a[0]) == FoldCase(b[0]) : a == b;
}

// Matches one "[...]" set at pattern[p] against character c; 'end' gets the index after ']'.
bool MatchSet(std::string_view pattern, size_t p, std::string_view c, size_t& end, bool& valid)
{
    size_t i = p + 1;
    bool negate = false;
    if (i < pattern.size() && pattern[i] == '!') {
        negate = true;
        ++i;
    }
    bool found = false;
    bool first = true;
    while (i < pattern.size() && (pattern[i] != ']' || first)) {
        first = false;
        const std::string_view low = NextChar(pattern, i);
        i += low.size();
        if (i + 1 < pattern.size() && pattern[i] == '-' && pattern[i + 1] != ']') {
            const std::string_view high = NextChar(pattern, i + 1);
            i += 1 + high.size();
            if (low.size() == 1 && high.size() == 1 && c.size() == 1) {
                const char x = FoldCase(c[0]);
                if (x >= FoldCase(low[0]) && x <= FoldCase(high[0]))
                    found = true;
            }
        } else if (SameChar(low, c)) {
            found = true;
        }
    }
    valid = i < pattern.size();
    end = i + 1;
    return found != negate;
}

bool Match(std::string_view pattern, size_t p, std::string_view text, size_t t)
{
    while (p < pattern.size()) {
        const char pc = pattern[p];
        if (pc == '*' || pc == '%') {
            while (p < pattern.size() && (pattern[p] == '*' || pattern[p] == '%'))
                ++p;
            if (p == pattern.size())
                return true;
            for (size_t k = t; k <= text.size(); k += (k < text.size() ? NextChar(text, k).size() : 1))
                if (Match(pattern, p, text, k))
                    return true;
            return false;
        }
        if (t >= text.size())
            return false;
        const std::string_view c = NextChar(text, t);
        if (pc == '?' || pc == '_') {
            ++p;
        } else if (pc == '#') {
            if (c.size() != 1 || c[0] < '0' || c[0] > '9')
                return false;
            ++p;
        } else if (pc == '[') {
            size_t end = 0;
            bool valid = false;
            const bool matched = MatchSet(pattern, p, c, end, valid);
            if (!valid) { // an unclosed '[' stands for itself
                if (c != "[")
                    return false;
                ++p;
            } else {
                if (!matched)
                    return false;
                p = end;
            }
        } else {
            const std::string_view want = NextChar(pattern, p);
            if (!SameChar(want, c))
                return false;
            p += want.size();
        }
        t += c.size();
    }
    return t == text.size();
}

} // namespace

bool JetLikeMatch(std::string_view pattern, std::string_view text) { return Match(pattern, 0, text, 0); }

} // namespace platform::ado
