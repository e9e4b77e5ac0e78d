#pragma once
// The scheme of a URI.

#include <string>

#include "vireo/Component.h"

namespace vireo {

class Access : public Component {
public:
    // An empty value.
    Access() = default;
    // The given text as the value.
    Access(std::string value)
        : Component(std::move(value))
    {
    }
    // The given text as the value.
    Access(const char* value)
        : Component(value)
    {
    }
    // The value of another component.
    Access(const Component& other)
        : Component(other)
    {
    }

    // The value followed by ":", or nothing when the value is empty.
    void AppendEncodedText(std::string& out) const override;
    // "access:" followed by the value.
    std::string Describe() const override;
};

} // namespace vireo
