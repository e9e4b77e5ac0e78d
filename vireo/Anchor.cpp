#include "vireo/Anchor.h"

#include <algorithm>

namespace vireo {

void Anchor::AppendEncodedText(std::string& out) const
{
    if (!m_value.empty())
        out.append(1, '#').append(m_value);
}

std::string Anchor::Describe() const { return "anchor:" + m_value; }

std::size_t Anchor::PayloadMarker() const
{
    // A plain scan: find_first_of would search the two markers once for every character.
    const auto marker = std::find_if(m_value.begin(), m_value.end(), [](char c) { return c == '!' || c == '@'; });
    return marker == m_value.end() ? std::string::npos : static_cast<std::size_t>(marker - m_value.begin());
}

} // namespace vireo
