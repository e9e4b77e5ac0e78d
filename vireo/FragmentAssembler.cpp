#include "vireo/FragmentAssembler.h"

#include <algorithm>

namespace vireo {

FragmentAssembler::Outcome FragmentAssembler::Add(const std::string& sender, const Fragment& piece, std::string& text)
{
    const int count = piece.Count();
    const int index = piece.Index();
    if (count < 1 || count > kMaxCount || index < 1 || index > count)
        return Outcome::Invalid;

    const Key key { sender, piece.MessageID() };
    auto it = m_pending.find(key);
    if (it == m_pending.end()) {
        if (count == 1) {
            text = piece.Body();
            return Outcome::Complete;
        }
        if (m_pending.size() >= kMaxPending) {
            m_pending.erase(m_order.front());
            m_order.pop_front();
        }
        it = m_pending.emplace(key, Entry { count, 0, {} }).first;
        m_order.push_back(key);
    }
    Entry& entry = it->second;
    if (entry.count != count)
        return Outcome::Invalid;
    if (!entry.bodies.emplace(index, piece.Body()).second)
        return Outcome::Duplicate;
    entry.bytes += piece.Body().size();
    if (static_cast<int>(entry.bodies.size()) < count)
        return Outcome::Held;

    text.clear();
    text.reserve(entry.bytes);
    for (const auto& [i, body] : entry.bodies)
        text += body;
    m_pending.erase(it);
    m_order.erase(std::find(m_order.begin(), m_order.end(), key));
    return Outcome::Complete;
}

} // namespace vireo
