#pragma once
// The host of a URI: the machine on which the target process runs.

#include <string>

#include "vireo/Component.h"

namespace vireo {

class Authority : public Component {
public:
    // An empty value.
    Authority() = default;
    // The given text as the value.
    Authority(std::string value)
        : Component(std::move(value))
    {
    }
    // The given text as the value.
    Authority(const char* value)
        : Component(value)
    {
    }
    // The value of another component.
    Authority(const Component& other)
        : Component(other)
    {
    }

    // True when this host is "localhost", the given local name, or empty.
    bool IsLocal(const std::string& localName) const;

    // "//" + value + "/", or nothing when the value is empty.
    void AppendEncodedText(std::string& out) const override;
    // "host:" followed by the value.
    std::string Describe() const override;
};

} // namespace vireo
