#include "vireo/Access.h"

namespace vireo {

std::string Access::EncodedText() const { return m_value.empty() ? std::string() : m_value + ":"; }

std::string Access::Describe() const { return "access:" + m_value; }

} // namespace vireo
