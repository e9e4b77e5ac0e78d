#include "platform/com/TypeLib.h"

#include <charconv>
#include <cstdio>
#include <sstream>

#include "platform/base/CaseFold.h"
#include "platform/base/CodePage.h"
#include "platform/base/Registry.h"
#include "platform/com/RegistryScript.h"

namespace platform {

namespace {

// Splits a line into words and 'quoted texts'.
bool SplitLine(std::string_view line, std::vector<std::string>& words)
{
    words.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] == '\'') {
            ++i;
            while (i < line.size() && line[i] != '\'')
                word.push_back(line[i++]);
            if (i >= line.size())
                return false;
            ++i;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r')
                word.push_back(line[i++]);
        }
        words.push_back(word);
    }
    return true;
}

// A decimal dispatch identifier, negative ones (the standard members') included; nothing may follow it.
bool ParseDispid(const std::string& word, DISPID& dispid)
{
    const char* const end = word.data() + word.size();
    const auto [stop, error] = std::from_chars(word.data(), end, dispid);
    return error == std::errc() && stop == end;
}

std::string Quote(const std::string& text)
{
    std::string out = "'";
    for (char c : text) {
        out.push_back(c);
        if (c == '\'')
            out.push_back('\'');
    }
    return out + "'";
}

std::string Version(WORD major, WORD minor)
{
    char text[32];
    std::snprintf(text, sizeof text, "%x.%x", major, minor);
    return text;
}

} // namespace

bool ParseTypeLibText(std::string_view text, TypeLibInfo& info, std::string* error)
{
    TypeLibInfo parsed;
    bool haveLibrary = false;
    std::vector<std::string> words;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        auto fail = [&](const char* what) {
            if (error)
                *error = "line " + std::to_string(lineNumber) + ": " + what;
            return false;
        };
        if (!SplitLine(line, words))
            return fail("unterminated text");
        if (words.empty() || words[0].starts_with("//"))
            continue;
        if (words[0] == "library") {
            unsigned major = 0, minor = 0;
            if (words.size() < 4 || !ParseGuid(std::string_view(words[2]), parsed.libid)
                || std::sscanf(words[3].c_str(), "%u.%u", &major, &minor) != 2)
                return fail("expected: library name {guid} major.minor ['help']");
            parsed.name = words[1];
            parsed.majorVersion = static_cast<WORD>(major);
            parsed.minorVersion = static_cast<WORD>(minor);
            parsed.helpString = words.size() > 4 ? words[4] : std::string();
            haveLibrary = true;
        } else if (words[0] == "interface") {
            TypeLibInfo::Interface itf;
            if (words.size() < 4 || !ParseGuid(std::string_view(words[2]), itf.iid)
                || (words[3] != "dual" && words[3] != "dispatch" && words[3] != "custom"))
                return fail("expected: interface name {iid} dual|dispatch|custom ['help']");
            itf.name = words[1];
            itf.kind = words[3];
            itf.helpString = words.size() > 4 ? words[4] : std::string();
            parsed.interfaces.push_back(std::move(itf));
        } else if (words[0] == "member") {
            TypeLibInfo::Interface::Member member;
            if (parsed.interfaces.empty() || words.size() < 3 || !ParseDispid(words[2], member.dispid))
                return fail("expected after an interface: member name dispid ['help']");
            member.name = words[1];
            member.helpString = words.size() > 3 ? words[3] : std::string();
            parsed.interfaces.back().members.push_back(std::move(member));
        } else {
            return fail("unknown line");
        }
    }
    if (!haveLibrary) {
        if (error)
            *error = "no library line";
        return false;
    }
    info = std::move(parsed);
    return true;
}

} // namespace platform

HRESULT RegisterTypeLib(const platform::TypeLibInfo& lib, LPCOLESTR szFullPath, LPCOLESTR szHelpDir)
{
    if (!szFullPath)
        return E_INVALIDARG;
    const std::string libid = platform::GuidToString(lib.libid);
    const std::string version = platform::Version(lib.majorVersion, lib.minorVersion);
    // The same writer as the class scripts, so both follow one set of rules.
    std::ostringstream script;
    script << "HKCR {\n NoRemove TypeLib {\n  " << libid << " {\n   " << version << " = s "
           << platform::Quote(lib.helpString.empty() ? lib.name : lib.helpString) << " {\n"
           << "    '0' { win32 = s " << platform::Quote(platform::Utf16ToUtf8(szFullPath)) << " }\n"
           << "    FLAGS = s '0'\n"
           << "    HELPDIR = s " << platform::Quote(szHelpDir ? platform::Utf16ToUtf8(szHelpDir) : std::string())
           << "\n"
           << "   }\n  }\n }\n NoRemove Interface {\n";
    for (const auto& itf : lib.interfaces) {
        if (itf.kind == "custom")
            continue;
        // Dispatch and dual interfaces go through the automation marshaller elsewhere; here the
        // record only names the library.
        script << "  ForceRemove " << platform::GuidToString(itf.iid) << " = s " << platform::Quote(itf.name) << " {\n"
               << "   ProxyStubClsid = s '{00020424-0000-0000-C000-000000000046}'\n"
               << "   ProxyStubClsid32 = s '{00020424-0000-0000-C000-000000000046}'\n"
               << "   TypeLib = s '" << libid << "' { val Version = s '" << version << "' }\n  }\n";
    }
    script << " }\n}\n";
    platform::RegistryScript parsed;
    if (!parsed.Parse(script.str(), {}))
        return E_INVALIDARG;
    return parsed.Apply(true);
}

HRESULT UnRegisterTypeLib(REFGUID libID, WORD wVerMajor, WORD wVerMinor, LCID, SYSKIND)
{
    const std::string libid = platform::GuidToString(libID);
    const std::string base = "Software\\Classes\\TypeLib\\" + libid;
    HKEY key = nullptr;
    if (RegOpenKeyEx(
            HKEY_LOCAL_MACHINE, (base + "\\" + platform::Version(wVerMajor, wVerMinor)).c_str(), 0, KEY_READ, &key)
        != ERROR_SUCCESS)
        return TYPE_E_LIBNOTREGISTERED;
    RegCloseKey(key);

    // Interfaces that name this library.
    std::string interfaces;
    HKEY itfRoot = nullptr;
    if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, "Software\\Classes\\Interface", 0, KEY_READ, &itfRoot) == ERROR_SUCCESS) {
        for (DWORD i = 0;; ++i) {
            char name[256];
            DWORD length = sizeof name;
            if (RegEnumKeyEx(itfRoot, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            char value[64] {};
            LONG size = sizeof value;
            if (RegQueryValue(itfRoot, (std::string(name) + "\\TypeLib").c_str(), value, &size) == ERROR_SUCCESS
                && platform::EqualsNoCase(value, libid))
                interfaces += "  ForceRemove " + std::string(name) + "\n";
        }
        RegCloseKey(itfRoot);
    }
    const std::string script = "HKCR {\n NoRemove TypeLib {\n  " + libid + " {\n   ForceRemove "
        + platform::Version(wVerMajor, wVerMinor) + "\n  }\n }\n NoRemove Interface {\n" + interfaces + " }\n}\n";
    platform::RegistryScript parsed;
    if (!parsed.Parse(script, {}))
        return E_FAIL;
    return parsed.Apply(false);
}
