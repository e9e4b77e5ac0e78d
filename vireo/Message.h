#pragma once
// A framework message: a URI whose path names the target process, whose arguments are the
// parameters and whose anchor holds the dotted message name, optionally followed by a payload.

#include <string>

#include "vireo/VireoURI.h"

namespace vireo {

class Message : public VireoURI {
public:
    // A default URI with an empty anchor.
    Message() = default;
    // The URI's parts and arguments.
    explicit Message(const VireoURI& uri);
    explicit Message(VireoURI&& uri);
    // Scheme "vqp", the local host and the name as anchor, then the target text parsed over it.
    Message(const std::string& target, const std::string& name);
    // As above, with one string argument.
    Message(const std::string& target, const std::string& name, const std::string& key, const std::string& value);

    // The anchor up to its first "!" or "@".
    std::string Name() const;
    // A new message with the text's parts over this one's; arguments already present stay.
    Message Resolve(const std::string& text) const;
};

} // namespace vireo
