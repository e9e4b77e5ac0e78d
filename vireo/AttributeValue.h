#pragma once
// One named value: the unit of URI arguments, properties lines and message parameters.

#include <cstddef>
#include <string>

#include "vireo/Component.h"

namespace vireo {

class AttributeValue {
public:
    // Empty name and value.
    AttributeValue() = default;
    // Reads one attribute from the start of the text; what follows it is ignored.
    explicit AttributeValue(const std::string& text);
    // Reads one attribute from pos and leaves pos on the character that ended it (or at the end).
    AttributeValue(const std::string& text, std::size_t& pos);
    // The name and the value's component.
    AttributeValue(const std::string& name, const Component& value);
    AttributeValue(const std::string& name, const std::string& value);
    AttributeValue(const std::string& name, const char* value);
    AttributeValue(const std::string& name, int value);
    AttributeValue(const std::string& name, bool value);
    AttributeValue(const std::string& name, const StringList& value);
    AttributeValue(const std::string& name, const VireoURI& value);
    AttributeValue(const std::string& name, const AttributeValueMap& value);
    AttributeValue(const std::string& name, const VireoTime& value);

    // Replaces name and value.
    void Set(const std::string& name, const std::string& value);

    // The name and the value.
    const Component& Name() const { return m_name; }
    const Component& Value() const { return m_value; }

    // The encoded name, "=", the encoded value.
    std::string Text() const;
    // Appends that text for a name and value to out, without making an attribute of them.
    static void AppendText(std::string& out, const std::string& name, const Component& value);
    // "[attribute:<name> value:<value>]" for diagnostics.
    std::string Describe() const;

private:
    Component m_name;
    Component m_value;
};

} // namespace vireo
