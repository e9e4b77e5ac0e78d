#include "vireo/Path.h"

namespace vireo {

void Path::AppendEncodedText(std::string& out) const { out += m_value; }

std::string Path::Describe() const { return "path:" + m_value; }

} // namespace vireo
