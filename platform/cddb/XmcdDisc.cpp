#include "platform/cddb/XmcdDisc.h"

#include "platform/base/CaseFold.h"

#include <algorithm>
#include <charconv>
#include <map>

namespace platform::cddb {

namespace {

// Track titles beyond this are not believed: a disc holds at most 99 tracks.
constexpr int kMaxTracks = 99;

bool IsValidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        const int extra = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (extra < 0 || (extra == 1 && c < 0xC2) || text.size() - i <= static_cast<std::size_t>(extra))
            return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

std::string Latin1ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() * 2);
    for (char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string Unescape(std::string_view value)
{
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            const char next = value[++i];
            out += next == 'n' ? '\n' : next == 't' ? '\t' : next;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::string_view Trimmed(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

} // namespace

std::optional<XmcdDisc> XmcdDisc::Parse(std::string_view raw, std::string category)
{
    const std::string text = IsValidUtf8(raw) ? std::string(raw) : Latin1ToUtf8(raw);
    std::string_view rest(text);
    if (!rest.starts_with("# xmcd"))
        return std::nullopt;

    std::map<std::string, std::string> values;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t equals = line.find('=');
        if (line.empty() || line.front() == '#' || equals == std::string_view::npos)
            continue;
        values[std::string(Trimmed(line.substr(0, equals)))] += Unescape(line.substr(equals + 1));
    }

    XmcdDisc disc;
    disc.category = std::move(category);
    std::string_view ids = values["DISCID"];
    while (!ids.empty()) {
        const std::size_t comma = ids.find(',');
        const std::string_view id = Trimmed(ids.substr(0, comma));
        if (!id.empty())
            disc.ids.emplace_back(id);
        ids = comma == std::string_view::npos ? std::string_view() : ids.substr(comma + 1);
    }
    if (disc.ids.empty())
        return std::nullopt;

    const std::string& dtitle = values["DTITLE"];
    const std::size_t split = dtitle.find(" / ");
    disc.artist = std::string(Trimmed(std::string_view(dtitle).substr(0, split)));
    disc.title
        = split == std::string::npos ? disc.artist : std::string(Trimmed(std::string_view(dtitle).substr(split + 3)));
    disc.year = std::string(Trimmed(values["DYEAR"]));
    disc.genre = std::string(Trimmed(values["DGENRE"]));

    for (const auto& [key, value] : values) {
        if (!key.starts_with("TTITLE"))
            continue;
        int index = -1;
        const char* first = key.data() + 6;
        const char* last = key.data() + key.size();
        const auto [end, error] = std::from_chars(first, last, index);
        if (error != std::errc() || end != last || first == last || index < 0 || index >= kMaxTracks)
            continue;
        if (disc.trackTitles.size() <= static_cast<std::size_t>(index))
            disc.trackTitles.resize(index + 1);
        disc.trackTitles[index] = std::string(Trimmed(value));
    }
    return disc;
}

bool XmcdDisc::HasId(std::string_view id) const
{
    return std::any_of(ids.begin(), ids.end(), [&](const std::string& own) { return platform::EqualsNoCase(own, id); });
}

} // namespace platform::cddb
