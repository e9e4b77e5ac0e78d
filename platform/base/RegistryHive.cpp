#include "platform/base/RegistryHive.h"

#include <chrono>
#include <optional>
#include <vector>

#include "platform/base/CaseFold.h"
#include "platform/base/Debug.h"
#include "platform/base/FolderLock.h"
#include "platform/base/WinError.h"

namespace platform {

namespace {

constexpr std::string_view kHeader = "REGEDIT4";
// Between 1601-01-01 and 1970-01-01, in 100 ns units.
constexpr std::uint64_t kUnixEpochAsFileTime = 116444736000000000ull;
// File times can be coarser than the time between two writes; a file changed this recently is
// compared by contents, not only by its stamp.
constexpr std::int64_t kStampTrustAfterNs = 2'000'000'000;
// Bytes of a hex list on one line before it continues on the next.
constexpr std::size_t kHexBytesPerLine = 24;

std::int64_t unixNowNs()
{
    const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::nanoseconds>(sinceEpoch).count();
}

std::uint64_t fileTimeFromUnixNs(std::int64_t ns)
{
    return kUnixEpochAsFileTime + static_cast<std::uint64_t>(ns / 100);
}

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::uint32_t> parseHexNumber(std::string_view s)
{
    if (s.empty() || s.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : s) {
        const int d = hexDigit(c);
        if (d < 0)
            return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(d);
    }
    return value;
}

// Reads a quoted text at the start of s (escapes \\ and \"), leaving s after the closing quote.
std::optional<std::string> takeQuoted(std::string_view& s)
{
    if (s.empty() || s.front() != '"')
        return std::nullopt;
    std::string out;
    for (std::size_t i = 1; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"') {
            s.remove_prefix(i + 1);
            return out;
        }
        if (c == '\\') {
            if (i + 1 >= s.size() || (s[i + 1] != '\\' && s[i + 1] != '"'))
                return std::nullopt;
            out += s[++i];
            continue;
        }
        out += c;
    }
    return std::nullopt;
}

std::optional<std::vector<BYTE>> parseHexList(std::string_view list)
{
    std::vector<BYTE> bytes;
    list = trim(list);
    if (list.empty())
        return bytes;
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view item = trim(list.substr(0, comma));
        if (item.empty() || item.size() > 2)
            return std::nullopt;
        const auto value = parseHexNumber(item);
        if (!value)
            return std::nullopt;
        bytes.push_back(static_cast<BYTE>(*value));
        if (comma == std::string_view::npos)
            return bytes;
        list.remove_prefix(comma + 1);
    }
}

class Parser {
public:
    Parser(std::string_view text, std::string_view rootName, RegistryKey& root, std::uint64_t time)
        : m_lines(splitLines(text))
        , m_rootName(rootName)
        , m_root(root)
        , m_time(time)
    {
        if (!m_lines.empty() && m_lines.front().substr(0, 3) == "\xEF\xBB\xBF")
            m_lines.front().remove_prefix(3);
    }

    bool run()
    {
        std::size_t i = 0;
        while (i < m_lines.size() && trim(m_lines[i]).empty())
            ++i;
        if (i == m_lines.size() || trim(m_lines[i]) != kHeader)
            return fail(i, "the file does not start with " + std::string(kHeader));
        for (++i; i < m_lines.size(); ++i) {
            const std::string_view line = trim(m_lines[i]);
            if (line.empty() || line.front() == ';')
                continue;
            const bool ok = line.front() == '[' ? keyLine(i, line) : valueLine(i, line);
            if (!ok)
                return false;
        }
        return true;
    }

    const std::string& problem() const { return m_problem; }

private:
    bool fail(std::size_t line, const std::string& why)
    {
        m_problem = "line " + std::to_string(line + 1) + ": " + why;
        return false;
    }

    bool keyLine(std::size_t i, std::string_view line)
    {
        if (line.size() < 2 || line.back() != ']')
            return fail(i, "a key header without its closing bracket");
        std::string_view path = line.substr(1, line.size() - 2);
        if (path.size() < m_rootName.size() || !EqualsNoCase(path.substr(0, m_rootName.size()), m_rootName))
            return fail(i, "a key outside " + std::string(m_rootName));
        path.remove_prefix(m_rootName.size());
        m_current = &m_root;
        if (path.empty())
            return true;
        if (path.front() != '\\')
            return fail(i, "a key outside " + std::string(m_rootName));
        path.remove_prefix(1);
        for (;;) {
            const std::size_t slash = path.find('\\');
            const std::string_view name = path.substr(0, slash);
            if (name.empty())
                return fail(i, "an empty key name");
            const bool known = m_current->findSubkey(name) != nullptr;
            RegistryKey* next = m_current->obtainSubkey(name).get();
            if (!known)
                next->setLastWriteTime(m_time);
            m_current = next;
            if (slash == std::string_view::npos)
                return true;
            path.remove_prefix(slash + 1);
        }
    }

    bool valueLine(std::size_t& i, std::string_view line)
    {
        if (!m_current)
            return fail(i, "a value before the first key");
        std::string name;
        if (line.front() == '@') {
            line.remove_prefix(1);
        } else {
            auto quoted = takeQuoted(line);
            if (!quoted)
                return fail(i, "a value name that is not a quoted text");
            name = std::move(*quoted);
        }
        line = trim(line);
        if (line.empty() || line.front() != '=')
            return fail(i, "a value without '='");
        line = trim(line.substr(1));

        if (!line.empty() && line.front() == '"') {
            auto text = takeQuoted(line);
            if (!text || !trim(line).empty())
                return fail(i, "a malformed text value");
            std::vector<BYTE> data(text->begin(), text->end());
            data.push_back(0);
            m_current->setValue(name, 1 /* REG_SZ */, std::move(data));
            return true;
        }
        if (line.substr(0, 6) == "dword:") {
            const auto number = parseHexNumber(line.substr(6));
            if (!number)
                return fail(i, "a malformed dword value");
            std::vector<BYTE> data(4);
            for (int b = 0; b < 4; ++b)
                data[static_cast<std::size_t>(b)] = static_cast<BYTE>(*number >> (8 * b));
            m_current->setValue(name, 4 /* REG_DWORD */, std::move(data));
            return true;
        }
        if (line.substr(0, 3) == "hex") {
            DWORD type = 3; // REG_BINARY
            line.remove_prefix(3);
            if (!line.empty() && line.front() == '(') {
                const std::size_t close = line.find(')');
                const auto number
                    = close == std::string_view::npos ? std::nullopt : parseHexNumber(line.substr(1, close - 1));
                if (!number)
                    return fail(i, "a malformed value type");
                type = *number;
                line.remove_prefix(close + 1);
            }
            if (line.empty() || line.front() != ':')
                return fail(i, "a malformed hex value");
            line.remove_prefix(1);
            std::string list;
            const std::size_t first = i;
            // A list continues on the next line while a line ends in a backslash.
            for (;;) {
                std::string_view part = trim(line);
                if (part.empty() || part.back() != '\\') {
                    list.append(part);
                    break;
                }
                part.remove_suffix(1);
                list.append(part);
                if (++i >= m_lines.size())
                    return fail(first, "a hex value continued past the end of the file");
                line = m_lines[i];
            }
            auto bytes = parseHexList(list);
            if (!bytes)
                return fail(first, "a malformed hex list");
            m_current->setValue(name, type, std::move(*bytes));
            return true;
        }
        return fail(i, "a value of unknown form");
    }

    std::vector<std::string_view> m_lines;
    std::string_view m_rootName;
    RegistryKey& m_root;
    std::uint64_t m_time;
    RegistryKey* m_current { nullptr };
    std::string m_problem;
};

std::string quotedText(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
    return out;
}

// True when a text value can be written as a quoted text and read back to the same bytes.
bool isPlainText(const std::vector<BYTE>& data)
{
    if (data.empty() || data.back() != 0)
        return false;
    for (std::size_t i = 0; i + 1 < data.size(); ++i) {
        if (data[i] == 0 || data[i] == '\n' || data[i] == '\r')
            return false;
    }
    return true;
}

void writeValue(std::string& out, const RegistryValue& value)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    out += value.name.empty() ? std::string("@") : quotedText(value.name);
    out += '=';
    if (value.type == 1 /* REG_SZ */ && isPlainText(value.data)) {
        out += quotedText(std::string_view(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1));
    } else if (value.type == 4 /* REG_DWORD */ && value.data.size() == 4) {
        const std::uint32_t number = static_cast<std::uint32_t>(value.data[0])
            | (static_cast<std::uint32_t>(value.data[1]) << 8) | (static_cast<std::uint32_t>(value.data[2]) << 16)
            | (static_cast<std::uint32_t>(value.data[3]) << 24);
        out += "dword:";
        for (int shift = 28; shift >= 0; shift -= 4)
            out += kDigits[(number >> shift) & 0xF];
    } else {
        out += "hex";
        if (value.type != 3 /* REG_BINARY */) {
            out += '(';
            bool leading = true;
            for (int shift = 28; shift >= 0; shift -= 4) {
                const unsigned digit = (value.type >> shift) & 0xF;
                if (digit == 0 && leading && shift > 0)
                    continue;
                leading = false;
                out += kDigits[digit];
            }
            out += ')';
        }
        out += ':';
        for (std::size_t i = 0; i < value.data.size(); ++i) {
            if (i > 0) {
                out += ',';
                if (i % kHexBytesPerLine == 0)
                    out += "\\\n  ";
            }
            out += kDigits[value.data[i] >> 4];
            out += kDigits[value.data[i] & 0xF];
        }
    }
    out += '\n';
}

void writeKey(std::string& out, const RegistryKey& key, const std::string& path)
{
    const bool isRoot = key.parent() == nullptr;
    if (!isRoot || !key.values().empty()) {
        out += "\n[";
        out += path;
        out += "]\n";
        for (const RegistryValue& value : key.values())
            writeValue(out, value);
    }
    for (const auto& subkey : key.subkeys())
        writeKey(out, *subkey, path + "\\" + subkey->name());
}

} // namespace

std::uint64_t FileTimeNow() { return fileTimeFromUnixNs(unixNowNs()); }

RegistryHive::RegistryHive(std::filesystem::path file, std::string rootName)
    : m_file(std::move(file))
    , m_rootName(std::move(rootName))
{
}

DWORD RegistryHive::parse(
    std::string_view text, std::string_view rootName, RegistryKey& root, std::uint64_t time, std::string& problem)
{
    Parser parser(text, rootName, root, time);
    if (parser.run())
        return ERROR_SUCCESS;
    problem = parser.problem();
    return ERROR_REGISTRY_CORRUPT;
}

std::string RegistryHive::serialize(const RegistryKey& root, std::string_view rootName)
{
    std::string out(kHeader);
    out += '\n';
    writeKey(out, root, std::string(rootName));
    return out;
}

DWORD RegistryHive::refresh()
{
    const FileStamp now = StampOf(m_file);
    if (m_loaded && now == m_stamp) {
        if (!now.exists || unixNowNs() - now.modifiedNs > kStampTrustAfterNs)
            return m_error;
    }

    std::string text;
    FileStamp stamp;
    const DWORD readError = ReadFileContents(m_file, text, stamp);
    if (readError != ERROR_SUCCESS && readError != ERROR_FILE_NOT_FOUND) {
        // Keep the tree; the error stands until the file can be read again.
        m_loaded = false;
        return m_error = readError;
    }
    if (m_loaded && stamp.exists == m_stamp.exists && text == m_text) {
        m_stamp = stamp;
        return m_error;
    }

    const std::uint64_t time = stamp.exists ? fileTimeFromUnixNs(stamp.modifiedNs) : FileTimeNow();
    RegistryKey fresh { std::string() };
    fresh.setLastWriteTime(time);
    std::string problem;
    const DWORD error = stamp.exists ? parse(text, m_rootName, fresh, time, problem) : ERROR_SUCCESS;
    m_loaded = true;
    m_stamp = stamp;
    m_text = std::move(text);
    m_error = error;
    if (error != ERROR_SUCCESS) {
        const std::string message
            = "registry: " + m_file.string() + " is corrupt (" + problem + "); it is left as it is and not used\n";
        OutputDebugStringA(message.c_str());
        return error;
    }
    m_root->adopt(fresh);
    return ERROR_SUCCESS;
}

DWORD RegistryHive::modify(const std::function<DWORD(RegistryKey& root)>& change)
{
    const FolderLock lock(m_file.parent_path());
    if (lock.error() != ERROR_SUCCESS)
        return lock.error();
    if (const DWORD error = refresh(); error != ERROR_SUCCESS)
        return error;
    if (const DWORD error = change(*m_root); error != ERROR_SUCCESS)
        return error;

    std::string text = serialize(*m_root, m_rootName);
    if (m_stamp.exists && text == m_text)
        return ERROR_SUCCESS;
    if (const DWORD error = WriteFileAtomically(m_file, text); error != ERROR_SUCCESS) {
        // Go back to what the file holds, so memory never claims a change the disk does not have.
        m_loaded = false;
        m_text.clear();
        m_stamp = {};
        refresh();
        return error;
    }
    m_text = std::move(text);
    m_stamp = StampOf(m_file);
    return ERROR_SUCCESS;
}

} // namespace platform
