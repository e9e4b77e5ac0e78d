#include "vireo/Message.h"

#include <utility>

namespace vireo {

Message::Message(const VireoURI& uri)
    : VireoURI(uri)
{
}

Message::Message(VireoURI&& uri)
    : VireoURI(std::move(uri))
{
}

Message::Message(const std::string& target, const std::string& name)
    : VireoURI(target, name)
{
}

Message::Message(const std::string& target, const std::string& name, const std::string& key, const std::string& value)
    : VireoURI(target, name, key, value)
{
}

std::string Message::Name() const
{
    return AnchorValue().substr(0, Anchor().PayloadMarker());
}

Message Message::Resolve(const std::string& text) const { return Message(VireoURI::Resolve(text)); }

} // namespace vireo
