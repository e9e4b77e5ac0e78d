#pragma once
// Joins the pieces of fragmented messages. Pieces may arrive in any order, twice, or not at all; a
// message is handed out only when every piece from 1 to its count is held, joined in index order, so
// it arrives whole or not at all. Pieces are kept apart per sender, so that two senders that use the
// same message identifier cannot mix their pieces.

#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "vireo/Fragment.h"

namespace vireo {

class FragmentAssembler {
public:
    // At most this many messages are held incomplete; a new one beyond it drops the oldest, so that
    // pieces that never complete cannot use up memory.
    static constexpr std::size_t kMaxPending = 64;
    // A count above this is taken as a lying header (it would be over 100 MB of text).
    static constexpr int kMaxCount = 65536;

    enum class Outcome { Held, Complete, Duplicate, Invalid };

    // Takes one piece from the sender; when it completes its message, the joined text is stored in
    // 'text'. Invalid pieces (index outside 1..count, a count that differs from the other pieces of
    // the same message) are refused and change nothing.
    Outcome Add(const std::string& sender, const Fragment& piece, std::string& text);

    // The number of messages held incomplete.
    std::size_t Pending() const { return m_pending.size(); }

private:
    using Key = std::pair<std::string, std::string>; // sender, message identifier

    struct Entry {
        int count { 0 };
        std::size_t bytes { 0 };
        std::map<int, std::string> bodies;
    };

    std::map<Key, Entry> m_pending;
    std::deque<Key> m_order;
};

} // namespace vireo
