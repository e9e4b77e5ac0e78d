#include "vireo/Anchor.h"

namespace vireo {

std::string Anchor::EncodedText() const { return m_value.empty() ? std::string() : "#" + m_value; }

std::string Anchor::Describe() const { return "anchor:" + m_value; }

} // namespace vireo
