#pragma once
// The anchor of a URI: the message name, optionally followed by a payload marker and the payload.

#include <string>

#include "vireo/Component.h"

namespace vireo {

class Anchor : public Component {
public:
    // An empty value.
    Anchor() = default;
    // The given text as the value.
    Anchor(std::string value)
        : Component(std::move(value))
    {
    }
    // The given text as the value.
    Anchor(const char* value)
        : Component(value)
    {
    }
    // The value of another component.
    Anchor(const Component& other)
        : Component(other)
    {
    }

    // "#" + value, or nothing when the value is empty.
    std::string EncodedText() const override;
    // "anchor:" followed by the value.
    std::string Describe() const override;
};

} // namespace vireo
