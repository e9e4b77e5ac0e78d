#pragma once
// Little-endian building of the binary resource formats.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rc {

class DataWriter {
public:
    void Word(std::uint32_t v)
    {
        m_data.push_back(static_cast<std::uint8_t>(v & 0xFF));
        m_data.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    }
    void Dword(std::uint32_t v)
    {
        Word(v & 0xFFFF);
        Word(v >> 16);
    }
    // The UTF-16 units and a terminating zero.
    void Text(const std::u16string& text)
    {
        for (char16_t unit : text)
            Word(unit);
        Word(0);
    }
    void Bytes(const std::vector<std::uint8_t>& bytes) { m_data.insert(m_data.end(), bytes.begin(), bytes.end()); }
    // Zero bytes up to the next multiple of `boundary` from the start of the data.
    void Align(std::size_t boundary)
    {
        while (m_data.size() % boundary)
            m_data.push_back(0);
    }
    // ORs bits into the 16-bit word at a byte offset written earlier.
    void OrWord(std::size_t offset, std::uint16_t bits)
    {
        m_data[offset] |= static_cast<std::uint8_t>(bits & 0xFF);
        m_data[offset + 1] |= static_cast<std::uint8_t>(bits >> 8);
    }

    std::size_t Size() const { return m_data.size(); }
    std::vector<std::uint8_t> Take() { return std::move(m_data); }

private:
    std::vector<std::uint8_t> m_data;
};

} // namespace rc
