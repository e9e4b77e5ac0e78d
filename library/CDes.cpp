#include "library/CDes.h"

#include <cstring>
#include <string>

IMPLEMENT_DYNCREATE(CDes, CObject)

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kPad = '=';

// The scramble shifts byte i by i - 4 (mod 256); its inverse by 4 - i.
unsigned char Shift(unsigned char byte, size_t position, int direction)
{
    const int offset = static_cast<int>(position % 256) - 4;
    return static_cast<unsigned char>(byte + direction * offset);
}

} // namespace

char CDes::Base64Char(int value) { return kAlphabet[value & 63]; }

int CDes::Base64Value(char ch)
{
    if (ch == '\0')
        return 0;
    const char* found = std::strchr(kAlphabet, ch);
    return found != nullptr ? static_cast<int>(found - kAlphabet) : 0;
}

CString CDes::Encode(LPCTSTR text)
{
    if (text == nullptr)
        return CString();
    const size_t length = std::strlen(text);
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>(Shift(static_cast<unsigned char>(text[i]), i, +1));

    std::string token;
    token.reserve((length + 2) / 3 * 4);
    for (size_t i = 0; i < length; i += 3) {
        const unsigned b0 = static_cast<unsigned char>(bytes[i]);
        const unsigned b1 = i + 1 < length ? static_cast<unsigned char>(bytes[i + 1]) : 0;
        const unsigned b2 = i + 2 < length ? static_cast<unsigned char>(bytes[i + 2]) : 0;
        token += Base64Char(static_cast<int>(b0 >> 2));
        token += Base64Char(static_cast<int>(((b0 & 3) << 4) | (b1 >> 4)));
        // The pad stands for a zero byte wherever it falls, inside the text too: stored tokens say so.
        token += b1 == 0 ? kPad : Base64Char(static_cast<int>(((b1 & 15) << 2) | (b2 >> 6)));
        token += b2 == 0 ? kPad : Base64Char(static_cast<int>(b2 & 63));
    }
    return CString(token.c_str(), static_cast<int>(token.size()));
}

CString CDes::Decode(LPCTSTR token)
{
    if (token == nullptr)
        return CString();
    const size_t length = std::strlen(token);
    std::string bytes;
    bytes.reserve(length / 4 * 3 + 3);
    for (size_t i = 0; i < length; i += 4) {
        int s[4] = {};
        for (size_t k = 0; k < 4 && i + k < length; ++k)
            s[k] = Base64Value(token[i + k]);
        bytes += static_cast<char>(((s[0] << 2) | (s[1] >> 4)) & 0xFF);
        bytes += static_cast<char>(((s[1] << 4) | (s[2] >> 2)) & 0xFF);
        bytes += static_cast<char>(((s[2] << 6) | s[3]) & 0xFF);
    }
    const size_t end = bytes.find('\0');
    if (end != std::string::npos)
        bytes.resize(end);
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(Shift(static_cast<unsigned char>(bytes[i]), i, -1));
    return CString(bytes.c_str(), static_cast<int>(bytes.size()));
}
