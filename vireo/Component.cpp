#include "vireo/Component.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "platform/base/CaseFold.h"
#include "vireo/AttributeValueMap.h"
#include "vireo/VireoTime.h"
#include "vireo/VireoURI.h"

namespace vireo {

namespace {

// Characters that would be taken for structure by a URI or properties reader.
constexpr std::string_view kQuotingCharacters = "&;#=?:\n\r\"";

bool IsTokenEnd(char c) { return c == '#' || c == '&' || c == ';' || c == '='; }

} // namespace

Component::Component(std::string value)
    : m_value(std::move(value))
{
}

Component::Component(const char* value)
    : m_value(value ? value : "")
{
}

Component::Component(int value)
    : m_value(std::to_string(value))
{
}

Component::Component(bool value)
    : m_value(value ? kTrueText : kFalseText)
{
}

Component::Component(const StringList& list)
    : m_value(JoinList(list))
{
}

Component::Component(const AttributeValueMap& map)
    : m_value(map.Text(";"))
{
}

Component::Component(const VireoURI& uri)
    : m_value(uri.WireText())
{
}

Component::Component(const VireoTime& time)
    : m_value(time.RawText())
{
}

std::string Component::EncodedText() const
{
    std::string text;
    AppendEncodedText(text);
    return text;
}

void Component::AppendEncodedText(std::string& out) const { AppendQuoted(out, m_value); }

std::string Component::Describe() const { return m_value; }

int Component::ToInt() const { return std::atoi(m_value.c_str()); }

bool Component::ToBool() const
{
    const std::string folded = platform::FoldedCopy(m_value);
    return folded == "true" || folded == "yes" || folded == "on" || folded == "set";
}

StringList Component::ToList() const
{
    StringList items;
    std::size_t start = 0;
    while (start < m_value.size()) {
        const std::size_t comma = m_value.find(kListSeparator, start);
        if (comma == std::string::npos) {
            items.push_back(m_value.substr(start));
            break;
        }
        items.push_back(m_value.substr(start, comma - start));
        start = comma + 1;
    }
    return items;
}

AttributeValueMap Component::ToMap() const
{
    AttributeValueMap map;
    map.Parse(m_value);
    return map;
}

VireoURI Component::ToURI() const { return VireoURI(m_value); }

Component ReadToken(const std::string& text, std::size_t& pos)
{
    std::string out;
    bool quoted = false;
    const std::size_t n = text.size();
    std::size_t start = pos;
    const std::size_t first = pos;
    for (; pos < n; ++pos) {
        const char c = text[pos];
        if (c == '"') {
            // A quote that begins the token always opens quoting: the writer encloses every value
            // that holds a quote, so a value beginning with a quote starts with three of them.
            const bool opensToken = !quoted && pos == first;
            if (!opensToken && pos + 1 < n && text[pos + 1] == '"') {
                // A doubled quote stands for one literal quote, quoted or not.
                out.append(text, start, pos + 1 - start);
                ++pos;
                start = pos + 1;
            } else {
                out.append(text, start, pos - start);
                start = pos + 1;
                quoted = !quoted;
            }
        } else if (!quoted && IsTokenEnd(c)) {
            break;
        }
    }
    if (start < pos)
        out.append(text, start, pos - start);
    return Component(std::move(out));
}

bool NeedsQuoting(const std::string& value)
{
    return value.find_first_of(kQuotingCharacters) != std::string::npos;
}

std::string QuoteText(const std::string& value)
{
    std::string quoted;
    AppendQuoted(quoted, value);
    return quoted;
}

void AppendQuoted(std::string& out, const std::string& value)
{
    if (!NeedsQuoting(value)) {
        out += value;
        return;
    }
    out.reserve(out.size() + value.size() + 2);
    out += '"';
    for (char c : value) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

StringList::const_iterator ListFind(const StringList& list, const std::string& s)
{
    return std::find(list.begin(), list.end(), s);
}

bool ListContains(const StringList& list, const std::string& s) { return ListFind(list, s) != list.end(); }

StringList ListUnion(const StringList& a, const StringList& b)
{
    StringList result = a;
    for (const std::string& item : b) {
        if (!ListContains(result, item))
            result.push_back(item);
    }
    return result;
}

StringList ListIntersection(const StringList& a, const StringList& b)
{
    StringList result;
    for (const std::string& item : b) {
        if (ListContains(a, item))
            result.push_back(item);
    }
    return result;
}

StringList ListDifference(const StringList& a, const StringList& b)
{
    StringList result;
    for (const std::string& item : a) {
        if (!ListContains(b, item))
            result.push_back(item);
    }
    return result;
}

std::string JoinList(const StringList& list)
{
    std::string joined;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i > 0)
            joined += kListSeparator;
        joined += list[i];
    }
    return joined;
}

} // namespace vireo
