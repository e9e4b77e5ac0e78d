#include <cstring>
#include <string_view>
#include <vector>

#include "platform/base/GlobalMemory.h"
#include "platform/shell/ShellApi.h"
#include "platform/user/Input.h"

namespace {

// The names of a drop, read under the memory's lock; empty for memory that is not a drop.
class DropReader {
public:
    explicit DropReader(HDROP drop)
        : m_memory(drop)
    {
        if (!drop)
            return;
        const SIZE_T size = GlobalSize(m_memory);
        auto* block = static_cast<const char*>(GlobalLock(m_memory));
        if (!block)
            return;
        m_locked = true;
        if (size < sizeof(platform::user::DROPFILES))
            return;
        std::memcpy(&m_header, block, sizeof m_header);
        // Wide names are not written by anything of this system; a header that claims them, or a list
        // that starts outside the block, is not read.
        if (m_header.fWide || m_header.pFiles < sizeof(platform::user::DROPFILES) || m_header.pFiles >= size)
            return;
        m_valid = true;
        std::string_view rest(block + m_header.pFiles, size - m_header.pFiles);
        while (!rest.empty() && rest.front() != '\0') {
            const auto end = rest.find('\0');
            if (end == std::string_view::npos)
                break; // an unterminated last name is not a name
            m_names.push_back(rest.substr(0, end));
            rest.remove_prefix(end + 1);
        }
    }
    ~DropReader()
    {
        if (m_locked)
            GlobalUnlock(m_memory);
    }
    DropReader(const DropReader&) = delete;
    DropReader& operator=(const DropReader&) = delete;

    bool valid() const { return m_valid; }
    const platform::user::DROPFILES& header() const { return m_header; }
    const std::vector<std::string_view>& names() const { return m_names; }

private:
    HGLOBAL m_memory;
    bool m_locked { false };
    bool m_valid { false };
    platform::user::DROPFILES m_header;
    std::vector<std::string_view> m_names;
};

// The longest prefix of text within limit bytes that does not end inside a UTF-8 character.
size_t CutWithoutSplitting(std::string_view text, size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return cut;
}

} // namespace

UINT DragQueryFile(HDROP hDrop, UINT iFile, LPSTR lpszFile, UINT cch)
{
    const DropReader drop(hDrop);
    if (!drop.valid())
        return 0;
    if (iFile == 0xFFFFFFFFu)
        return static_cast<UINT>(drop.names().size());
    if (iFile >= drop.names().size())
        return 0;
    const std::string_view name = drop.names()[iFile];
    if (!lpszFile)
        return static_cast<UINT>(name.size());
    if (cch == 0)
        return 0;
    const size_t copied = CutWithoutSplitting(name, cch - 1);
    std::memcpy(lpszFile, name.data(), copied);
    lpszFile[copied] = '\0';
    return static_cast<UINT>(copied);
}

BOOL DragQueryPoint(HDROP hDrop, LPPOINT lppt)
{
    const DropReader drop(hDrop);
    if (!drop.valid() || !lppt)
        return FALSE;
    *lppt = drop.header().pt;
    return drop.header().fNC ? FALSE : TRUE;
}

void DragFinish(HDROP hDrop)
{
    if (hDrop)
        GlobalFree(hDrop);
}
