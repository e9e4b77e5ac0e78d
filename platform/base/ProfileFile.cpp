#include "platform/base/ProfileFile.h"

#include <algorithm>

#include "platform/base/CaseFold.h"

namespace platform {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

// The name of a section header line, or nullopt when the line is none.
std::optional<std::string> headerName(std::string_view text)
{
    const std::string_view t = trim(text);
    if (t.empty() || t.front() != '[')
        return std::nullopt;
    const std::size_t close = t.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return std::string(trim(t.substr(1, close - 1)));
}

template<typename Container, typename Name> bool containsNoCase(const Container& names, const Name& name)
{
    return std::any_of(names.begin(), names.end(), [&](const std::string& n) { return EqualsNoCase(n, name); });
}

} // namespace

std::optional<ProfileFile::Line> ProfileFile::parseEntry(std::string_view text)
{
    const std::string_view t = trim(text);
    if (t.empty() || t.front() == ';')
        return std::nullopt;
    const std::size_t equals = t.find('=');
    if (equals == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = trim(t.substr(0, equals));
    if (key.empty())
        return std::nullopt;
    return Line { std::string(text), std::string(key), std::string(trim(t.substr(equals + 1))) };
}

ProfileFile::Line ProfileFile::entryLine(std::string_view key, std::string_view value)
{
    std::string text(key);
    text += '=';
    text += value;
    return Line { text, std::string(key), std::string(trim(value)) };
}

ProfileFile ProfileFile::parse(std::string_view text)
{
    ProfileFile file;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        file.m_byteOrderMark = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    if (text.find("\r\n") != std::string_view::npos)
        file.m_newline = "\r\n";
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        if (auto name = headerName(line)) {
            file.m_sections.push_back(Section { std::move(*name), std::string(line), {} });
        } else if (file.m_sections.empty()) {
            file.m_preamble.emplace_back(line);
        } else if (auto entry = parseEntry(line)) {
            file.m_sections.back().lines.push_back(std::move(*entry));
        } else {
            file.m_sections.back().lines.push_back(Line { std::string(line), std::nullopt, {} });
        }
    }
    return file;
}

std::string ProfileFile::serialize() const
{
    std::string out;
    if (m_byteOrderMark)
        out += kByteOrderMark;
    for (const std::string& line : m_preamble)
        out += line + m_newline;
    for (const Section& section : m_sections) {
        out += section.header + m_newline;
        for (const Line& line : section.lines)
            out += line.text + m_newline;
    }
    return out;
}

std::vector<std::string> ProfileFile::sectionNames() const
{
    std::vector<std::string> names;
    for (const Section& section : m_sections) {
        if (!containsNoCase(names, section.name))
            names.push_back(section.name);
    }
    return names;
}

std::vector<std::string> ProfileFile::keyNames(std::string_view section) const
{
    std::vector<std::string> names;
    for (const Section& s : m_sections) {
        if (!EqualsNoCase(s.name, section))
            continue;
        for (const Line& line : s.lines) {
            if (line.key && !containsNoCase(names, *line.key))
                names.push_back(*line.key);
        }
    }
    return names;
}

std::vector<std::string> ProfileFile::entries(std::string_view section) const
{
    std::vector<std::string> lines;
    for (const Section& s : m_sections) {
        if (!EqualsNoCase(s.name, section))
            continue;
        for (const Line& line : s.lines) {
            if (line.key)
                lines.push_back(*line.key + "=" + line.value);
        }
    }
    return lines;
}

std::optional<std::string> ProfileFile::value(std::string_view section, std::string_view key) const
{
    for (const Section& s : m_sections) {
        if (!EqualsNoCase(s.name, section))
            continue;
        for (const Line& line : s.lines) {
            if (line.key && EqualsNoCase(*line.key, key))
                return line.value;
        }
    }
    return std::nullopt;
}

ProfileFile::Section& ProfileFile::obtainSection(std::string_view section)
{
    for (Section& s : m_sections) {
        if (EqualsNoCase(s.name, section))
            return s;
    }
    return m_sections.emplace_back(Section { std::string(section), "[" + std::string(section) + "]", {} });
}

void ProfileFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    for (Section& s : m_sections) {
        if (!EqualsNoCase(s.name, section))
            continue;
        for (Line& line : s.lines) {
            if (line.key && EqualsNoCase(*line.key, key)) {
                line = entryLine(*line.key, value);
                return;
            }
        }
    }
    Section& target = obtainSection(section);
    // After the last entry, so that blank lines and comments closing the section stay where they are.
    auto last
        = std::find_if(target.lines.rbegin(), target.lines.rend(), [](const Line& l) { return l.key.has_value(); });
    target.lines.insert(last.base(), entryLine(key, value));
}

bool ProfileFile::removeKey(std::string_view section, std::string_view key)
{
    bool removed = false;
    for (Section& s : m_sections) {
        if (!EqualsNoCase(s.name, section))
            continue;
        const auto before = s.lines.size();
        std::erase_if(s.lines, [&](const Line& line) { return line.key && EqualsNoCase(*line.key, key); });
        removed = removed || s.lines.size() != before;
    }
    return removed;
}

bool ProfileFile::removeSection(std::string_view section)
{
    return std::erase_if(m_sections, [&](const Section& s) { return EqualsNoCase(s.name, section); }) > 0;
}

void ProfileFile::replaceEntries(std::string_view section, const std::vector<std::string>& lines)
{
    Section& target = obtainSection(section);
    for (Section& s : m_sections) {
        if (&s != &target && EqualsNoCase(s.name, section))
            std::erase_if(s.lines, [](const Line& line) { return line.key.has_value(); });
    }
    auto keep = target.lines.begin();
    for (auto it = target.lines.begin(); it != target.lines.end(); ++it) {
        if (it->key)
            keep = it + 1;
    }
    std::vector<Line> fresh;
    for (const std::string& text : lines) {
        auto entry = parseEntry(text);
        fresh.push_back(entry ? std::move(*entry) : Line { text, std::nullopt, {} });
    }
    // The new entries take the place of the old ones; lines after the last old entry stay behind them.
    std::vector<Line> rest(std::make_move_iterator(keep), std::make_move_iterator(target.lines.end()));
    std::vector<Line> before;
    for (auto it = target.lines.begin(); it != keep; ++it) {
        if (!it->key)
            before.push_back(std::move(*it));
    }
    target.lines = std::move(before);
    target.lines.insert(
        target.lines.end(), std::make_move_iterator(fresh.begin()), std::make_move_iterator(fresh.end()));
    target.lines.insert(target.lines.end(), std::make_move_iterator(rest.begin()), std::make_move_iterator(rest.end()));
}

} // namespace platform
