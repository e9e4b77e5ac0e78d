#include "platform/afx/AfxText.h"

#include <cstring>

#include "platform/base/CodePage.h"

namespace afx {

bool CopyText(LPSTR buffer, UINT size, std::string_view text)
{
    if (!buffer || size == 0)
        return false;
    const std::string_view cut = platform::CutUtf8(text, size - 1);
    std::memcpy(buffer, cut.data(), cut.size());
    buffer[cut.size()] = '\0';
    return cut.size() == text.size();
}

} // namespace afx
