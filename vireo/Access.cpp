#include "vireo/Access.h"

namespace vireo {

void Access::AppendEncodedText(std::string& out) const
{
    if (!m_value.empty())
        out.append(m_value).append(1, ':');
}

std::string Access::Describe() const { return "access:" + m_value; }

} // namespace vireo
