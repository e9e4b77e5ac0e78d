#pragma once
// The framework's address and message form: scheme, host, target process (the path), arguments and
// anchor (message name, optionally a payload). Its text is what travels in a datagram. A payload of
// kInlinePayloadLimit bytes or more is kept in a spill file in the current directory and named in
// the anchor after "@"; smaller payloads follow the name inline after "!".

#include <cstddef>
#include <string>

#include "vireo/Access.h"
#include "vireo/Anchor.h"
#include "vireo/AttributeValueMap.h"
#include "vireo/Authority.h"
#include "vireo/Path.h"

namespace vireo {

// Payloads of at least this many bytes go to a spill file.
inline constexpr std::size_t kInlinePayloadLimit = 1800;
// The folder of the spill files, in the current directory, and the stem of their names.
inline constexpr const char* kSpillDirectory = "tempVireoURI";
inline constexpr const char* kSpillFileStem = "tf";
// The spill name that stands for a payload that could not be written.
inline constexpr const char* kSpillError = "TEMP_FILE_ERROR";
// The scheme of every framework URI.
inline constexpr const char* kDefaultScheme = "vqp";

class VireoURI : public AttributeValueMap {
public:
    // Default scheme and host (the local host name), no path, anchor or arguments.
    VireoURI();
    // The defaults with the text parsed over them.
    explicit VireoURI(const std::string& text);
    // Scheme "vqp", the local host, the message name as anchor, then the target text parsed over it.
    VireoURI(const std::string& target, const std::string& name);
    // As above, then one string argument.
    VireoURI(const std::string& target, const std::string& name, const std::string& key, const std::string& value);

    // Reads a URI text over the current parts; the first occurrence of an argument key wins and
    // arguments already present stay. Always true.
    bool Parse(const std::string& text);
    // A copy of this URI with the text parsed over it.
    VireoURI Resolve(const std::string& text) const;

    // The four parts.
    const vireo::Access& Access() const { return m_access; }
    const vireo::Authority& Authority() const { return m_authority; }
    const vireo::Path& Path() const { return m_path; }
    const vireo::Anchor& Anchor() const { return m_anchor; }
    // The arguments alone.
    AttributeValueMap Args() const;
    // The texts of the host, path and anchor.
    const std::string& HostValue() const { return m_authority.Value(); }
    const std::string& PathValue() const { return m_path.Value(); }
    const std::string& AnchorValue() const { return m_anchor.Value(); }

    // scheme ":" "//" host "/" path "?" arguments "#" anchor, each part only when present.
    std::string Text() const;
    // Text with a spilled payload inlined: the form sent to another machine.
    std::string WireText() const;
    // A labelled form of every part for the log.
    std::string Describe() const;
    // The path alone when the host is local to localName, else "//" host "/" path.
    std::string TargetName(const std::string& localName) const;
    // True when the host is local to localName.
    bool IsLocalHost(const std::string& localName) const;
    // True when the text names the same process: same path, and same host or both hosts local.
    bool SameTarget(const std::string& text) const;

    // Replace the scheme, host or anchor text; each returns the URI so that calls chain.
    VireoURI& SetAccess(const std::string& scheme);
    VireoURI& SetAuthority(const std::string& host);
    VireoURI& SetAnchor(const std::string& anchor);
    // Argument setters; an existing key is replaced.
    VireoURI& SetArg(const AttributeValue& attribute);
    VireoURI& SetArg(const std::string& key, const std::string& value);
    VireoURI& SetArg(const std::string& key, const char* value);
    VireoURI& SetArg(const std::string& key, int value);
    VireoURI& SetArg(const std::string& key, bool value);
    VireoURI& SetArg(const std::string& key, const VireoURI& value);
    VireoURI& SetArg(const std::string& key, const VireoTime& value);
    // Merges the map into the arguments.
    VireoURI& AddArgs(const AttributeValueMap& args);
    // Replaces every part and the arguments.
    VireoURI& AssignParts(const std::string& scheme, const std::string& host, const std::string& path,
        const std::string& anchor, const AttributeValueMap& args);
    // Appends the payload to the anchor, inline or through a spill file; call once, after the name.
    VireoURI& SetPayload(const std::string& payload);

    // True when the payload lies in a spill file.
    bool HasPayloadFile() const;
    // The anchor after its first "!" or "@": the inline payload or the spill name.
    std::string PayloadRef() const;
    // The payload, read from the spill file when it was spilled.
    std::string Payload() const;

    // The process-wide local host name, the default host of new URIs.
    static std::string LocalHostName();
    static void SetLocalHostName(const std::string& name);

    // The process-wide table of known hosts: host name -> record map text. HostRecord gives a copy
    // of one record (empty when unknown).
    static bool HasHost(const std::string& name);
    static void SetHost(const std::string& name, const AttributeValueMap& record);
    static AttributeValueMap HostRecord(const std::string& name);
    static void SetHostAttribute(const std::string& name, const std::string& attribute, const std::string& value);
    static void SetHostOnline(const std::string& name, bool online);

    // Writes a payload to a new spill file; returns its name or kSpillError.
    static std::string WriteSpillFile(const std::string& payload);
    // The whole content of a spill file; empty for an unusable name or an unreadable file.
    static std::string ReadSpillFile(const std::string& name);
    // Removes a spill file; an unusable name is ignored.
    static void RemoveSpillFile(const std::string& name);

private:
    // Parse's work; true when the text named a host (an empty one too).
    bool ParseParts(const std::string& text);

    vireo::Access m_access { kDefaultScheme };
    vireo::Authority m_authority;
    vireo::Path m_path;
    vireo::Anchor m_anchor;
};

} // namespace vireo
