#include "vireo/Fragment.h"

#include <algorithm>
#include <cstdint>

namespace vireo {

Fragment::Fragment(const std::string& datagram)
{
    if (datagram.size() < 2)
        return;
    const std::size_t end = datagram.find('!', 1);
    if (end == std::string::npos) {
        m_header.Parse(datagram.substr(1));
        return;
    }
    m_header.Parse(datagram.substr(1, end - 1));
    m_body = datagram.substr(end + 1);
}

Fragment& Fragment::Next(std::string& remaining, const std::string& messageID, std::uint32_t limit)
{
    const int index = Index();
    if (index == 0) {
        // A limit that leaves no room for a body still cuts one byte per piece rather than none.
        m_chunk = limit > kFragmentHeaderRoom ? limit - kFragmentHeaderRoom : 1;
        const std::size_t count = (remaining.size() + m_chunk - 1) / m_chunk;
        SetCount(static_cast<int>(std::min<std::size_t>(count, INT32_MAX)));
        SetMessageID(messageID);
    }
    SetIndex(index < INT32_MAX ? index + 1 : index);
    const std::size_t take = std::min<std::size_t>(m_chunk, remaining.size());
    m_body = remaining.substr(0, take);
    remaining.erase(0, take);
    return *this;
}

std::string Fragment::Text() const
{
    std::string text(1, '!');
    m_header.AppendText(text, ";");
    text += '!';
    text += m_body;
    return text;
}

std::string Fragment::Dump() const { return "Fragment[ header[\n" + m_header.Dump() + "] message[" + m_body + "\n] ]"; }

bool IsFragmentText(const std::string& text) { return !text.empty() && text[0] == '!'; }

} // namespace vireo
