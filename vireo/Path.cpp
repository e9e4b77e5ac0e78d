#include "vireo/Path.h"

namespace vireo {

std::string Path::EncodedText() const { return m_value; }

std::string Path::Describe() const { return "path:" + m_value; }

} // namespace vireo
