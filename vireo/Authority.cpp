#include "vireo/Authority.h"

namespace vireo {

std::string Authority::EncodedText() const { return m_value.empty() ? std::string() : "//" + m_value + "/"; }

std::string Authority::Describe() const { return "host:" + m_value; }

bool Authority::IsLocal(const std::string& localName) const
{
    return m_value.empty() || m_value == "localhost" || m_value == localName;
}

} // namespace vireo
