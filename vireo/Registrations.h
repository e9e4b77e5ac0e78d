#pragma once
// Per registrant, the event types it asked to be told about. A pattern matches its own text, or,
// when it has an asterisk after its first character, every type that begins with the text before
// that asterisk.

#include <cstddef>
#include <string>

#include "vireo/Properties.h"

namespace vireo {

class Registrations : public Properties {
public:
    // Adds the pattern to the registrant's list unless it is there already; returns the list's length.
    std::size_t Register(const std::string& registrant, const std::string& pattern);
    // Removes the pattern from the registrant's list; an emptied registrant is erased and 0 returned,
    // else the list's length.
    std::size_t Unregister(const std::string& registrant, const std::string& pattern);
    // The registrants, in key order, with a pattern that matches the event type.
    StringList Registrants(const std::string& type) const;

    // True when the pattern matches the event type.
    static bool Matches(const std::string& pattern, const std::string& type);
};

} // namespace vireo
