#pragma once
// The anchor of a URI: the message name, optionally followed by a payload marker and the payload.

#include <cstddef>
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
    void AppendEncodedText(std::string& out) const override;
    // "anchor:" followed by the value.
    std::string Describe() const override;
    // The position of the first "!" or "@", where the message name ends and the payload begins;
    // npos when there is no payload.
    std::size_t PayloadMarker() const;
};

} // namespace vireo
