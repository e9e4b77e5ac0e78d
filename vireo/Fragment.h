#pragma once
// One piece of a message too long for one datagram. Its datagram form is "!", the header (count,
// index, messageID), "!", and the piece of the message text.

#include <cstdint>
#include <string>

#include "vireo/AttributeValueMap.h"

namespace vireo {

// Room kept free in every datagram for the header and its two "!".
inline constexpr std::uint32_t kFragmentHeaderRoom = 64;

class Fragment {
public:
    // Empty body and header.
    Fragment() = default;
    // Parses a datagram form; a text without the second "!" gives an empty body.
    explicit Fragment(const std::string& datagram);

    // Cuts the next piece off the front of remaining: the first call numbers the pieces for a
    // datagram limit and takes the message identifier; each call advances the index.
    Fragment& Next(std::string& remaining, const std::string& messageID, std::uint32_t limit);

    // "!" header "!" body.
    std::string Text() const;
    // A readable form for the log.
    std::string Dump() const;

    // Header fields ("messageID", "index", "count"), the body, the chunk size and the whole header.
    std::string MessageID() const { return m_header.GetString("messageID"); }
    int Index() const { return m_header.GetInt("index", 0); }
    int Count() const { return m_header.GetInt("count", 0); }
    const std::string& Body() const { return m_body; }
    std::uint32_t Chunk() const { return m_chunk; }
    const AttributeValueMap& Header() const { return m_header; }

    // Set the same.
    void SetMessageID(const std::string& id) { m_header.SetString("messageID", id); }
    void SetIndex(int index) { m_header.SetInt("index", index); }
    void SetCount(int count) { m_header.SetInt("count", count); }
    void SetBody(const std::string& body) { m_body = body; }
    void SetChunk(std::uint32_t chunk) { m_chunk = chunk; }

private:
    std::uint32_t m_chunk { 0 };
    std::string m_body;
    AttributeValueMap m_header;
};

// True when the text is a fragment's datagram form (it starts with "!").
bool IsFragmentText(const std::string& text);

} // namespace vireo
