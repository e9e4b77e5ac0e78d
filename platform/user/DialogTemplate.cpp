#include "platform/user/DialogTemplate.h"

#include <cstring>

#include "platform/base/CodePage.h"

namespace platform::user {

namespace {

// A little-endian reader that remembers when it ran out of data.
class Reader {
public:
    Reader(const BYTE* data, std::size_t size)
        : m_data(data)
        , m_size(size)
    {
    }

    bool ok() const { return m_ok; }
    WORD word()
    {
        if (!need(2))
            return 0;
        const WORD v = static_cast<WORD>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return v;
    }
    DWORD dword()
    {
        const DWORD low = word();
        return low | (static_cast<DWORD>(word()) << 16);
    }
    BYTE byte()
    {
        if (!need(1))
            return 0;
        return m_data[m_pos++];
    }
    short coordinate() { return static_cast<short>(word()); }
    void alignDword() { m_pos = std::min(m_size, (m_pos + 3) & ~std::size_t { 3 }); }
    void alignWord() { m_pos = std::min(m_size, (m_pos + 1) & ~std::size_t { 1 }); }

    std::string text()
    {
        std::u16string units;
        for (WORD unit = word(); m_ok && unit; unit = word())
            units.push_back(static_cast<char16_t>(unit));
        return toUtf8(units);
    }
    TemplateName nameOrNumber()
    {
        TemplateName name;
        if (!need(2))
            return name;
        const WORD first = static_cast<WORD>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        if (first == 0xFFFF) {
            word();
            name.isNumber = true;
            name.number = word();
        } else {
            name.text = text();
        }
        return name;
    }
    std::vector<BYTE> bytes(std::size_t count)
    {
        if (!need(count))
            return {};
        std::vector<BYTE> out(m_data + m_pos, m_data + m_pos + count);
        m_pos += count;
        return out;
    }

private:
    bool need(std::size_t n)
    {
        if (!m_ok || m_size - m_pos < n) {
            m_ok = false;
            return false;
        }
        return true;
    }
    static std::string toUtf8(const std::u16string& units)
    {
        if (units.empty())
            return {};
        const int length = WideCharToMultiByte(
            CP_UTF8, 0, units.data(), static_cast<int>(units.size()), nullptr, 0, nullptr, nullptr);
        std::string out(static_cast<std::size_t>(std::max(length, 0)), '\0');
        if (length > 0)
            WideCharToMultiByte(
                CP_UTF8, 0, units.data(), static_cast<int>(units.size()), out.data(), length, nullptr, nullptr);
        return out;
    }

    const BYTE* m_data;
    std::size_t m_size;
    std::size_t m_pos { 0 };
    bool m_ok { true };
};

} // namespace

std::optional<DialogTemplate> DialogTemplate::Parse(const void* data, std::size_t size)
{
    if (!data)
        return std::nullopt;
    Reader r(static_cast<const BYTE*>(data), size);
    DialogTemplate t;
    const WORD version = r.word();
    const WORD signature = r.word();
    t.extended = version == 1 && signature == 0xFFFF;
    if (t.extended) {
        t.helpId = r.dword();
        t.exStyle = r.dword();
        t.style = r.dword();
    } else {
        // The classic header starts with the style itself.
        t.style = version | (static_cast<DWORD>(signature) << 16);
        t.exStyle = r.dword();
    }
    const WORD count = r.word();
    t.x = r.coordinate();
    t.y = r.coordinate();
    t.cx = r.coordinate();
    t.cy = r.coordinate();
    t.menu = r.nameOrNumber();
    t.windowClass = r.nameOrNumber();
    t.caption = r.text();
    if (t.style & DS_SETFONT) {
        t.hasFont = true;
        t.pointSize = r.word();
        if (t.extended) {
            t.weight = r.word();
            t.italic = r.byte() != 0;
            t.charset = r.byte();
        }
        t.face = r.text();
    }
    for (WORD i = 0; i < count && r.ok(); ++i) {
        r.alignDword();
        DialogItem item;
        if (t.extended) {
            item.helpId = r.dword();
            item.exStyle = r.dword();
            item.style = r.dword();
        } else {
            item.style = r.dword();
            item.exStyle = r.dword();
        }
        item.x = r.coordinate();
        item.y = r.coordinate();
        item.cx = r.coordinate();
        item.cy = r.coordinate();
        item.id = t.extended ? r.dword() : r.word();
        item.windowClass = r.nameOrNumber();
        item.text = r.nameOrNumber();
        const WORD extra = r.word();
        if (extra) {
            if (!t.extended)
                r.alignWord();
            std::vector<BYTE> data = r.bytes(extra);
            if (r.ok()) {
                item.data.push_back(static_cast<BYTE>(extra & 0xFF));
                item.data.push_back(static_cast<BYTE>(extra >> 8));
                item.data.insert(item.data.end(), data.begin(), data.end());
            }
        }
        t.items.push_back(std::move(item));
    }
    if (!r.ok())
        return std::nullopt;
    return t;
}

} // namespace platform::user
