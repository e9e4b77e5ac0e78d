#include "platform/com/RegistryScript.h"

#include <cctype>
#include <cstdlib>

#include "platform/base/CaseFold.h"
#include "platform/base/Registry.h"
#include "platform/com/ComErrors.h"

namespace platform {

namespace {

struct RootName {
    const char* shortName;
    const char* longName;
    HKEY hive;
    const char* subPath;
};

const RootName kRoots[] = {
    { "HKCR", "HKEY_CLASSES_ROOT", HKEY_LOCAL_MACHINE, "Software\\Classes" },
    { "HKCU", "HKEY_CURRENT_USER", HKEY_CURRENT_USER, "" },
    { "HKLM", "HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE, "" },
    { "HKU", "HKEY_USERS", HKEY_USERS, "" },
};

// Splits the script into words, quoted texts and braces.
class Tokenizer {
public:
    explicit Tokenizer(std::string_view text)
        : m_text(text)
    {
    }

    // The next token; false at the end. Quoted texts come back with quoted set.
    bool Next(std::string& token, bool& quoted)
    {
        while (m_pos < m_text.size() && std::isspace(static_cast<unsigned char>(m_text[m_pos])))
            ++m_pos;
        if (m_pos >= m_text.size())
            return false;
        quoted = false;
        token.clear();
        const char c = m_text[m_pos];
        if (c == '{' && !LooksLikeGuid()) {
            ++m_pos;
            token = "{";
            return true;
        }
        if (c == '}' || c == '=') {
            ++m_pos;
            token = std::string(1, c);
            return true;
        }
        if (c == '\'') {
            quoted = true;
            ++m_pos;
            for (;;) {
                if (m_pos >= m_text.size()) {
                    m_error = "unterminated text";
                    return false;
                }
                if (m_text[m_pos] == '\'') {
                    if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\'') {
                        token.push_back('\'');
                        m_pos += 2;
                        continue;
                    }
                    ++m_pos;
                    return true;
                }
                token.push_back(m_text[m_pos++]);
            }
        }
        if (c == '{') {
            // A class identifier used as a key name.
            while (m_text[m_pos] != '}')
                token.push_back(m_text[m_pos++]);
            token.push_back(m_text[m_pos++]);
            return true;
        }
        while (m_pos < m_text.size() && !std::isspace(static_cast<unsigned char>(m_text[m_pos]))
            && std::string_view("='{}").find(m_text[m_pos]) == std::string_view::npos)
            token.push_back(m_text[m_pos++]);
        if (token.empty()) {
            m_error = "unexpected character";
            return false;
        }
        return true;
    }

    const std::string& Error() const { return m_error; }

private:
    // A brace that opens a class identifier "{XXXXXXXX-...}" is part of a key name, not a block.
    bool LooksLikeGuid() const
    {
        std::size_t end = m_pos + 1;
        while (end < m_text.size() && (std::isxdigit(static_cast<unsigned char>(m_text[end])) || m_text[end] == '-'))
            ++end;
        return end < m_text.size() && m_text[end] == '}' && end - m_pos > 1;
    }

    std::string_view m_text;
    std::size_t m_pos { 0 };
    std::string m_error;
};

class Parser {
public:
    explicit Parser(std::string_view text)
        : m_tokens(text)
    {
        Advance();
    }

    bool ParseScript(std::vector<RegistryScript::Root>& roots)
    {
        while (m_have) {
            const RootName* root = nullptr;
            for (const RootName& r : kRoots)
                if (!m_quoted && (EqualsNoCase(m_token, r.shortName) || EqualsNoCase(m_token, r.longName)))
                    root = &r;
            if (!root)
                return Fail("unknown root key '" + m_token + "'");
            Advance();
            RegistryScript::Root parsed;
            parsed.hive = root->hive;
            parsed.subPath = root->subPath;
            if (!Expect("{") || !ParseKeys(parsed.keys) || !Expect("}"))
                return false;
            roots.push_back(std::move(parsed));
        }
        return m_tokens.Error().empty() || Fail(m_tokens.Error());
    }

    const std::string& Error() const { return m_error; }

private:
    void Advance() { m_have = m_tokens.Next(m_token, m_quoted); }
    bool Is(const char* text) const { return m_have && !m_quoted && m_token == text; }
    bool IsWord(const char* word) const { return m_have && !m_quoted && EqualsNoCase(m_token, word); }
    bool Fail(std::string message)
    {
        if (m_error.empty())
            m_error = m_tokens.Error().empty() ? std::move(message) : m_tokens.Error();
        return false;
    }
    bool Expect(const char* text)
    {
        if (!Is(text))
            return Fail(
                std::string("expected '") + text + "'" + (m_have ? " before '" + m_token + "'" : " at the end"));
        Advance();
        return true;
    }

    // "= type 'text'"
    bool ParseAssignment(RegistryScript::Value& value)
    {
        if (!Expect("="))
            return false;
        if (!m_have || m_quoted || m_token.size() != 1
            || std::string_view("sedbm").find(FoldCase(m_token[0])) == std::string_view::npos)
            return Fail("expected a value type (s, e, d, b or m)");
        value.type = FoldCase(m_token[0]);
        Advance();
        if (!m_have || !m_quoted)
            return Fail("expected a quoted value");
        value.text = m_token;
        Advance();
        return true;
    }

    bool ParseKeys(std::vector<RegistryScript::Key>& keys)
    {
        while (m_have && !Is("}")) {
            if (IsWord("val"))
                return Fail("a named value must be inside a key");
            if (!ParseOneKey(keys))
                return false;
        }
        return m_error.empty();
    }

    bool ParseBody(RegistryScript::Key& key)
    {
        while (m_have && !Is("}")) {
            if (IsWord("val")) {
                Advance();
                if (!m_have || Is("="))
                    return Fail("expected a value name");
                RegistryScript::Value value;
                value.name = m_token;
                Advance();
                if (!ParseAssignment(value))
                    return false;
                key.values.push_back(std::move(value));
                continue;
            }
            if (!ParseOneKey(key.keys))
                return false;
        }
        return m_error.empty();
    }

    bool ParseOneKey(std::vector<RegistryScript::Key>& keys)
    {
        RegistryScript::Key key;
        if (IsWord("ForceRemove"))
            key.flag = RegistryScript::Key::Flag::ForceRemove;
        else if (IsWord("NoRemove"))
            key.flag = RegistryScript::Key::Flag::NoRemove;
        else if (IsWord("Delete"))
            key.flag = RegistryScript::Key::Flag::Delete;
        if (key.flag != RegistryScript::Key::Flag::None)
            Advance();
        if (!m_have || Is("{") || Is("}") || Is("="))
            return Fail("expected a key name");
        key.name = m_token;
        Advance();
        if (Is("=")) {
            RegistryScript::Value value;
            if (!ParseAssignment(value))
                return false;
            key.values.push_back(std::move(value));
        }
        if (Is("{")) {
            Advance();
            if (!ParseBody(key) || !Expect("}"))
                return false;
        }
        keys.push_back(std::move(key));
        return true;
    }

    Tokenizer m_tokens;
    std::string m_token;
    bool m_quoted { false };
    bool m_have { false };
    std::string m_error;
};

bool Substitute(
    std::string_view text, const std::map<std::string, std::string>& replacements, std::string& out, std::string* error)
{
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out.push_back(text[i]);
            continue;
        }
        const std::size_t end = text.find('%', i + 1);
        if (end == std::string_view::npos) {
            if (error)
                *error = "unterminated %NAME%";
            return false;
        }
        const std::string_view name = text.substr(i + 1, end - i - 1);
        if (name.empty()) {
            out.push_back('%');
        } else {
            bool found = false;
            for (const auto& [key, value] : replacements)
                if (EqualsNoCase(key, name)) {
                    out += value;
                    found = true;
                    break;
                }
            if (!found) {
                if (error)
                    *error = "no replacement for %" + std::string(name) + "%";
                return false;
            }
        }
        i = end;
    }
    return true;
}

HRESULT FromStatus(LONG status)
{
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(status));
}

// An open key that closes itself.
class KeyHandle {
public:
    KeyHandle() = default;
    ~KeyHandle()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;
    HKEY* Put() { return &m_key; }
    HKEY Get() const { return m_key; }

private:
    HKEY m_key { nullptr };
};

// Deletes a key with everything under it; a missing key is no failure.
LONG DeleteTree(HKEY parent, const std::string& name)
{
    {
        KeyHandle key;
        LONG status = RegOpenKeyEx(parent, name.c_str(), 0, KEY_ALL_ACCESS, key.Put());
        if (status == ERROR_FILE_NOT_FOUND)
            return ERROR_SUCCESS;
        if (status != ERROR_SUCCESS)
            return status;
        for (;;) {
            char child[256];
            DWORD length = sizeof child;
            status = RegEnumKeyEx(key.Get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr);
            if (status == ERROR_NO_MORE_ITEMS)
                break;
            if (status != ERROR_SUCCESS)
                return status;
            status = DeleteTree(key.Get(), child);
            if (status != ERROR_SUCCESS)
                return status;
        }
    }
    return RegDeleteKey(parent, name.c_str());
}

bool HasSubkeys(HKEY parent, const std::string& name)
{
    KeyHandle key;
    if (RegOpenKeyEx(parent, name.c_str(), 0, KEY_READ, key.Put()) != ERROR_SUCCESS)
        return false;
    char child[256];
    DWORD length = sizeof child;
    return RegEnumKeyEx(key.Get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

LONG WriteValue(HKEY key, const RegistryScript::Value& value)
{
    const char* name = value.name.empty() ? nullptr : value.name.c_str();
    switch (value.type) {
    case 'd': {
        const DWORD number = static_cast<DWORD>(std::strtoul(value.text.c_str(), nullptr, 0));
        return RegSetValueEx(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    }
    case 'b': {
        std::vector<BYTE> bytes;
        for (std::size_t i = 0; i + 1 < value.text.size(); i += 2)
            bytes.push_back(static_cast<BYTE>(std::strtoul(value.text.substr(i, 2).c_str(), nullptr, 16)));
        return RegSetValueEx(key, name, 0, REG_BINARY, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    case 'm': {
        std::string multi;
        for (std::size_t i = 0; i < value.text.size(); ++i) {
            if (value.text[i] == '\\' && i + 1 < value.text.size() && value.text[i + 1] == '0') {
                multi.push_back('\0');
                ++i;
            } else {
                multi.push_back(value.text[i]);
            }
        }
        multi.append(2, '\0');
        return RegSetValueEx(
            key, name, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi.data()), static_cast<DWORD>(multi.size()));
    }
    default:
        return RegSetValueEx(key, name, 0, value.type == 'e' ? REG_EXPAND_SZ : REG_SZ,
            reinterpret_cast<const BYTE*>(value.text.c_str()), static_cast<DWORD>(value.text.size() + 1));
    }
}

LONG Register(HKEY parent, const RegistryScript::Key& key)
{
    using Flag = RegistryScript::Key::Flag;
    if (key.flag == Flag::Delete)
        return DeleteTree(parent, key.name);
    if (key.flag == Flag::ForceRemove) {
        const LONG status = DeleteTree(parent, key.name);
        if (status != ERROR_SUCCESS)
            return status;
    }
    KeyHandle handle;
    LONG status = RegCreateKeyEx(
        parent, key.name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, handle.Put(), nullptr);
    if (status != ERROR_SUCCESS)
        return status;
    for (const auto& value : key.values)
        if ((status = WriteValue(handle.Get(), value)) != ERROR_SUCCESS)
            return status;
    for (const auto& child : key.keys)
        if ((status = Register(handle.Get(), child)) != ERROR_SUCCESS)
            return status;
    return ERROR_SUCCESS;
}

LONG Unregister(HKEY parent, const RegistryScript::Key& key)
{
    using Flag = RegistryScript::Key::Flag;
    if (key.flag == Flag::Delete)
        return ERROR_SUCCESS;
    if (key.flag == Flag::ForceRemove)
        return DeleteTree(parent, key.name);
    {
        KeyHandle handle;
        const LONG status = RegOpenKeyEx(parent, key.name.c_str(), 0, KEY_ALL_ACCESS, handle.Put());
        if (status == ERROR_FILE_NOT_FOUND)
            return ERROR_SUCCESS;
        if (status != ERROR_SUCCESS)
            return status;
        for (const auto& child : key.keys) {
            const LONG childStatus = Unregister(handle.Get(), child);
            if (childStatus != ERROR_SUCCESS)
                return childStatus;
        }
        if (key.flag == Flag::NoRemove)
            return ERROR_SUCCESS;
        for (const auto& value : key.values)
            if (!value.name.empty())
                RegDeleteValue(handle.Get(), value.name.c_str());
    }
    // Keys that others have added to stay.
    if (HasSubkeys(parent, key.name))
        return ERROR_SUCCESS;
    const LONG status = RegDeleteKey(parent, key.name.c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

} // namespace

bool RegistryScript::Parse(
    std::string_view text, const std::map<std::string, std::string>& replacements, std::string* error)
{
    std::string expanded;
    if (!Substitute(text, replacements, expanded, error))
        return false;
    Parser parser(expanded);
    std::vector<Root> roots;
    if (!parser.ParseScript(roots)) {
        if (error)
            *error = parser.Error();
        return false;
    }
    m_roots = std::move(roots);
    return true;
}

HRESULT RegistryScript::Apply(bool bRegister) const
{
    for (const Root& root : m_roots) {
        KeyHandle base;
        LONG status = root.subPath.empty() ? RegOpenKeyEx(root.hive, nullptr, 0, KEY_ALL_ACCESS, base.Put())
                                           : RegCreateKeyEx(root.hive, root.subPath.c_str(), 0, nullptr,
                                               REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, base.Put(), nullptr);
        if (status != ERROR_SUCCESS)
            return FromStatus(status);
        for (const Key& key : root.keys) {
            status = bRegister ? Register(base.Get(), key) : Unregister(base.Get(), key);
            if (status != ERROR_SUCCESS)
                return FromStatus(status);
        }
    }
    return S_OK;
}

} // namespace platform
