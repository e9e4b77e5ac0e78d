#include "tools/device-emulator/SetupValues.h"

#include "platform/base/AtomicFile.h"
#include "platform/base/WinError.h"

namespace emulator {

namespace {

// One key=value line each: backslashes and line breaks in a value are written as escapes.
std::string EscapeLine(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '\\')
            escaped += "\\\\";
        else if (c == '\n')
            escaped += "\\n";
        else if (c == '\r')
            escaped += "\\r";
        else
            escaped += c;
    }
    return escaped;
}

std::string UnescapeLine(const std::string& text)
{
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            plain += text[i];
            continue;
        }
        const char next = text[++i];
        plain += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return plain;
}

} // namespace

SetupValues::SetupValues(std::filesystem::path folder)
    : m_file(std::move(folder) / "Database" / "Setup.txt")
{
}

bool SetupValues::Load()
{
    std::string contents;
    platform::FileStamp stamp;
    const DWORD result = platform::ReadFileContents(m_file, contents, stamp);
    if (result == ERROR_FILE_NOT_FOUND)
        return true;
    if (result != ERROR_SUCCESS)
        return false;
    std::lock_guard lock(m_mutex);
    m_values.clear();
    std::size_t start = 0;
    while (start < contents.size()) {
        std::size_t end = contents.find('\n', start);
        if (end == std::string::npos)
            end = contents.size();
        const std::string line = contents.substr(start, end - start);
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && line.starts_with(kSetupPrefix))
            m_values[line.substr(0, equals)] = UnescapeLine(line.substr(equals + 1));
        start = end + 1;
    }
    return true;
}

std::string SetupValues::Get(const std::string& key) const
{
    std::lock_guard lock(m_mutex);
    const auto value = m_values.find(key);
    return value == m_values.end() ? std::string() : value->second;
}

bool SetupValues::Set(const std::string& key, const std::string& value)
{
    if (!key.starts_with(kSetupPrefix) || key.size() == std::string(kSetupPrefix).size()
        || key.find_first_of("=\n\r") != std::string::npos)
        return false;
    std::lock_guard lock(m_mutex);
    const auto old = m_values.find(key);
    const bool existed = old != m_values.end();
    const std::string previous = existed ? old->second : std::string();
    m_values[key] = value;
    if (SaveLocked())
        return true;
    // The saved store and the one in memory must not part: a value that was not saved is not kept.
    if (existed)
        m_values[key] = previous;
    else
        m_values.erase(key);
    return false;
}

std::map<std::string, std::string> SetupValues::All() const
{
    std::lock_guard lock(m_mutex);
    return m_values;
}

bool SetupValues::SaveLocked() const
{
    std::string contents;
    for (const auto& [key, value] : m_values)
        contents += key + "=" + EscapeLine(value) + "\n";
    std::error_code error;
    std::filesystem::create_directories(m_file.parent_path(), error);
    return !error && platform::WriteFileAtomically(m_file, contents) == ERROR_SUCCESS;
}

} // namespace emulator
