#include "vireo/Authority.h"

namespace vireo {

void Authority::AppendEncodedText(std::string& out) const
{
    if (!m_value.empty())
        out.append("//").append(m_value).append(1, '/');
}

std::string Authority::Describe() const { return "host:" + m_value; }

bool Authority::IsLocal(const std::string& localName) const
{
    return m_value.empty() || m_value == "localhost" || m_value == localName;
}

} // namespace vireo
