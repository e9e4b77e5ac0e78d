#include "vireo/VireoURI.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>

#include "vireo/VireoTime.h"
#include "vireo/atomic_ops.h"
#include "vireo/vireo_log.h"

namespace vireo {

namespace {

// Spill files are numbered modulo this; a number still in use is skipped.
constexpr int kSpillNumbers = 1000;
// Spill files are written and read in blocks of this size.
constexpr std::size_t kSpillBlock = 2048;
// Room made for a URI's text before it is written: most messages fit, so it grows at most rarely.
constexpr std::size_t kTextReserve = 256;

enum class ParseState { Path, Host, Args, Anchor };

std::mutex& HostMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::string& LocalHost()
{
    static std::string name;
    return name;
}

AttributeValueMap& KnownHosts()
{
    static AttributeValueMap hosts;
    return hosts;
}

std::atomic<int>& SpillCounter()
{
    static std::atomic<int> counter { 0 };
    return counter;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

// A spill name arrives with received messages, so only a plain file name inside the spill folder
// is accepted: anything that could reach another folder is refused.
bool IsUsableSpillName(const std::string& name)
{
    if (name.empty() || name == kSpillError || name == "." || name == "..")
        return false;
    return name.find_first_of("/\\") == std::string::npos && name.find('\0') == std::string::npos;
}

std::filesystem::path SpillPath(const std::string& name) { return std::filesystem::path(kSpillDirectory) / name; }

void EnsureSpillDirectory()
{
    std::error_code ec;
    if (std::filesystem::is_directory(kSpillDirectory, ec))
        return;
    if (LogEnabled(LogLevel::Trace))
        LogPrint("Initializing temp directory %s.\n", kSpillDirectory);
    std::filesystem::create_directory(kSpillDirectory, ec);
    if (!ec && LogEnabled(LogLevel::Trace))
        LogPrint("Successfully initialized temp directory %s.\n", kSpillDirectory);
}

} // namespace

VireoURI::VireoURI()
    : m_authority(LocalHostName())
{
}

VireoURI::VireoURI(const std::string& text)
{
    // The local host is looked up only for a text that names none: a received message names its own.
    if (!ParseParts(text))
        m_authority.SetValue(LocalHostName());
}

VireoURI::VireoURI(const std::string& target, const std::string& name)
    : VireoURI()
{
    m_anchor.SetValue(name);
    Parse(target);
}

VireoURI::VireoURI(const std::string& target, const std::string& name, const std::string& key, const std::string& value)
    : VireoURI(target, name)
{
    SetString(key, value);
}

bool VireoURI::Parse(const std::string& text)
{
    ParseParts(text);
    return true;
}

bool VireoURI::ParseParts(const std::string& text)
{
    bool named = false;
    const std::size_t n = text.size();
    std::size_t i = 0;
    std::size_t mark = 0;
    ParseState state = ParseState::Path;
    auto part = [&](std::size_t end) { return text.substr(mark, end - mark); };

    while (i < n) {
        switch (state) {
        case ParseState::Path:
        case ParseState::Host: {
            const char c = text[i];
            if (c == '#') {
                m_path.SetValue(part(i));
                state = ParseState::Anchor;
                mark = i + 1;
            } else if (c == ':') {
                m_access.SetValue(part(i));
                state = ParseState::Path;
                mark = i + 1;
            } else if (c == '?') {
                m_path.SetValue(part(i));
                state = ParseState::Args;
                mark = i + 1;
            } else if (c == '/') {
                if (i + 1 < n && text[i + 1] == '/') {
                    ++i;
                    state = ParseState::Host;
                    mark = i + 1;
                } else if (state == ParseState::Host) {
                    m_authority.SetValue(part(i));
                    named = true;
                    state = ParseState::Path;
                    mark = i + 1;
                }
            }
            break;
        }
        case ParseState::Args:
            while (i < n) {
                if (text[i] == '#') {
                    state = ParseState::Anchor;
                    mark = i + 1;
                    break;
                }
                if (text[i] == '&' || text[i] == ';') {
                    if (++i >= n)
                        break;
                }
                // Each attribute read consumes at least one character, so this loop always ends.
                AddIfAbsent(AttributeValue(text, i));
            }
            break;
        case ParseState::Anchor:
            m_anchor.SetValue(text.substr(mark));
            i = n;
            break;
        }
        ++i;
    }
    if (state == ParseState::Host) {
        m_authority.SetValue(mark < n ? text.substr(mark) : std::string());
        named = true;
    } else if (state == ParseState::Path) {
        m_path.SetValue(mark < n ? text.substr(mark) : std::string());
    }
    return named;
}

VireoURI VireoURI::Resolve(const std::string& text) const
{
    VireoURI copy(*this);
    copy.Parse(text);
    return copy;
}

AttributeValueMap VireoURI::Args() const
{
    AttributeValueMap args;
    args.AssignEntries(*this);
    return args;
}

std::string VireoURI::Text() const
{
    // Written into one string: a message's text is made for every send.
    std::string text;
    text.reserve(kTextReserve);
    m_access.AppendEncodedText(text);
    m_authority.AppendEncodedText(text);
    m_path.AppendEncodedText(text);
    if (!Empty()) {
        text += '?';
        AttributeValueMap::AppendText(text, ";");
    }
    m_anchor.AppendEncodedText(text);
    return text;
}

std::string VireoURI::WireText() const
{
    std::string text = Text();
    if (HasPayloadFile()) {
        text.resize(text.rfind('@'));
        text += '!';
        text += Payload();
    }
    return text;
}

std::string VireoURI::Describe() const
{
    std::string args;
    for (const auto& [key, value] : EntryMap())
        args += AttributeValue(key, value).Describe();
    return "URI[" + m_access.Describe() + " " + m_authority.Describe() + " " + m_path.Describe() + " args[" + args
        + "] " + m_anchor.Describe() + "]";
}

std::string VireoURI::TargetName(const std::string& localName) const
{
    if (IsLocalHost(localName))
        return m_path.Value();
    return "//" + m_authority.Value() + "/" + m_path.Value();
}

bool VireoURI::IsLocalHost(const std::string& localName) const { return m_authority.IsLocal(localName); }

bool VireoURI::SameTarget(const std::string& text) const
{
    const VireoURI other(text);
    if (HostValue() != other.HostValue()) {
        const std::string local = LocalHostName();
        if (!IsLocalHost(local) || !other.IsLocalHost(local))
            return false;
    }
    return PathValue() == other.PathValue();
}

VireoURI& VireoURI::SetAccess(const std::string& scheme)
{
    m_access.SetValue(scheme);
    return *this;
}

VireoURI& VireoURI::SetAuthority(const std::string& host)
{
    m_authority.SetValue(host);
    return *this;
}

VireoURI& VireoURI::SetAnchor(const std::string& anchor)
{
    m_anchor.SetValue(anchor);
    return *this;
}

VireoURI& VireoURI::SetArg(const AttributeValue& attribute)
{
    Set(attribute);
    return *this;
}

VireoURI& VireoURI::SetArg(const std::string& key, const std::string& value) { return SetArg(AttributeValue(key, value)); }

VireoURI& VireoURI::SetArg(const std::string& key, const char* value) { return SetArg(AttributeValue(key, value)); }

VireoURI& VireoURI::SetArg(const std::string& key, int value) { return SetArg(AttributeValue(key, value)); }

VireoURI& VireoURI::SetArg(const std::string& key, bool value) { return SetArg(AttributeValue(key, value)); }

VireoURI& VireoURI::SetArg(const std::string& key, const VireoURI& value) { return SetArg(AttributeValue(key, value)); }

VireoURI& VireoURI::SetArg(const std::string& key, const VireoTime& value) { return SetArg(AttributeValue(key, value)); }

VireoURI& VireoURI::AddArgs(const AttributeValueMap& args)
{
    Merge(args);
    return *this;
}

VireoURI& VireoURI::AssignParts(const std::string& scheme, const std::string& host, const std::string& path,
    const std::string& anchor, const AttributeValueMap& args)
{
    m_access.SetValue(scheme);
    m_authority.SetValue(host);
    m_path.SetValue(path);
    m_anchor.SetValue(anchor);
    AssignEntries(args);
    return *this;
}

VireoURI& VireoURI::SetPayload(const std::string& payload)
{
    if (payload.size() < kInlinePayloadLimit)
        m_anchor.SetValue(m_anchor.Value() + "!" + payload);
    else
        m_anchor.SetValue(m_anchor.Value() + "@" + WriteSpillFile(payload));
    return *this;
}

bool VireoURI::HasPayloadFile() const
{
    const std::size_t marker = m_anchor.PayloadMarker();
    return marker != std::string::npos && m_anchor.Value()[marker] == '@';
}

std::string VireoURI::PayloadRef() const
{
    const std::string& anchor = m_anchor.Value();
    const std::size_t marker = m_anchor.PayloadMarker();
    if (marker == std::string::npos || marker + 1 >= anchor.size())
        return {};
    return anchor.substr(marker + 1);
}

std::string VireoURI::Payload() const
{
    return HasPayloadFile() ? ReadSpillFile(PayloadRef()) : PayloadRef();
}

std::string VireoURI::LocalHostName()
{
    std::lock_guard lock(HostMutex());
    return LocalHost();
}

void VireoURI::SetLocalHostName(const std::string& name)
{
    std::lock_guard lock(HostMutex());
    LocalHost() = name;
}

bool VireoURI::HasHost(const std::string& name)
{
    std::lock_guard lock(HostMutex());
    return KnownHosts().Has(name);
}

void VireoURI::SetHost(const std::string& name, const AttributeValueMap& record)
{
    std::lock_guard lock(HostMutex());
    KnownHosts().SetMap(name, record);
}

AttributeValueMap VireoURI::HostRecord(const std::string& name)
{
    std::lock_guard lock(HostMutex());
    return KnownHosts().GetMap(name);
}

void VireoURI::SetHostAttribute(const std::string& name, const std::string& attribute, const std::string& value)
{
    std::lock_guard lock(HostMutex());
    AttributeValueMap record = KnownHosts().GetMap(name);
    record.SetString(attribute, value);
    KnownHosts().SetMap(name, record);
}

void VireoURI::SetHostOnline(const std::string& name, bool online)
{
    SetHostAttribute(name, "online", online ? kTrueText : kFalseText);
}

std::string VireoURI::WriteSpillFile(const std::string& payload)
{
    // The folder is made whenever it is missing, not only on the first number drawn: the program
    // changes its current directory between synchronisations.
    EnsureSpillDirectory();

    FilePtr file;
    std::string name;
    std::string path;
    for (int attempt = 0; attempt < kSpillNumbers && !file; ++attempt) {
        const int number = atomic_ops::IncrementModulo(SpillCounter(), kSpillNumbers);
        name = kSpillFileStem + std::to_string(number);
        path = SpillPath(name).string();
        if (LogEnabled(LogLevel::Trace))
            LogPrint("Check for existence of temp file %s.\n", path.c_str());
        // Creating exclusively makes the probe and the creation one step, so two threads or two
        // processes sharing the folder never write into the same file.
        file.reset(std::fopen(path.c_str(), "wbx"));
        if (file) {
            if (LogEnabled(LogLevel::Trace))
                LogPrint("Opening temp file %s for write.\n", path.c_str());
            break;
        }
        if (errno != EEXIST) {
            if (LogEnabled(LogLevel::Error))
                LogPrint("Opening temp file %s for write returned error 0x%x.\n", path.c_str(), errno);
            return kSpillError;
        }
    }
    if (!file)
        return kSpillError;

    std::size_t written = 0;
    while (written < payload.size()) {
        const std::size_t chunk = std::min(kSpillBlock, payload.size() - written);
        const std::size_t put = std::fwrite(payload.data() + written, 1, chunk, file.get());
        written += put;
        if (put != chunk)
            break;
    }
    if (written == payload.size() && std::fflush(file.get()) == 0) {
        if (LogEnabled(LogLevel::Trace))
            LogPrint("Successfully wrote temp file %s.\n", path.c_str());
        return name;
    }
    if (LogEnabled(LogLevel::Error))
        LogPrint("Writing temp file %s returned error 0x%x.\n", path.c_str(), errno);
    return kSpillError;
}

std::string VireoURI::ReadSpillFile(const std::string& name)
{
    if (name.empty() || name == kSpillError)
        return {};
    if (!IsUsableSpillName(name)) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("Refusing temp file name %s.\n", name.c_str());
        return {};
    }
    const std::string path = SpillPath(name).string();
    if (LogEnabled(LogLevel::Trace))
        LogPrint("Reading temp file %s.\n", path.c_str());
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("Opening temp file %s for read returned error 0x%x.\n", path.c_str(), errno);
        return {};
    }
    // Read to the end: a payload has no size limit here.
    std::string content;
    char block[kSpillBlock];
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, file.get());
        if (got == 0)
            break;
        content.append(block, got);
    }
    if (LogEnabled(LogLevel::Trace))
        LogPrint("Successfully read temp file %s.\n", path.c_str());
    return content;
}

void VireoURI::RemoveSpillFile(const std::string& name)
{
    if (name.empty() || name == kSpillError)
        return;
    if (!IsUsableSpillName(name)) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("Refusing temp file name %s.\n", name.c_str());
        return;
    }
    const std::string path = SpillPath(name).string();
    const int result = std::remove(path.c_str());
    if (result != 0) {
        if (LogEnabled(LogLevel::Warning))
            LogPrint("Removing temp file %s returned %d (error 0x%x).\n", path.c_str(), result, errno);
    } else if (LogEnabled(LogLevel::Debug)) {
        LogPrint("Removed temp file %s.\n", path.c_str());
    }
}

} // namespace vireo
