#pragma once
// The path of a URI: the name of the target process.

#include <string>

#include "vireo/Component.h"

namespace vireo {

class Path : public Component {
public:
    // An empty value.
    Path() = default;
    // The given text as the value.
    Path(std::string value)
        : Component(std::move(value))
    {
    }
    // The given text as the value.
    Path(const char* value)
        : Component(value)
    {
    }
    // The value of another component.
    Path(const Component& other)
        : Component(other)
    {
    }

    // The plain value.
    void AppendEncodedText(std::string& out) const override;
    // "path:" followed by the value.
    std::string Describe() const override;
};

} // namespace vireo
