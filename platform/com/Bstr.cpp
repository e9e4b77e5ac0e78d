// BSTR storage: a 32-bit byte count, the characters, and a terminating zero character. The count lets
// texts carry embedded zeros; the terminator lets a BSTR be read as a plain zero-terminated text.

#include <cstdlib>
#include <cstring>
#include <limits>

#include "platform/com/OleAuto.h"

namespace {

constexpr std::size_t kPrefix = sizeof(std::uint32_t);
constexpr UINT kMaxBytes = std::numeric_limits<std::uint32_t>::max() - 16;

std::uint32_t* HeaderOf(BSTR bstr) { return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(bstr) - kPrefix); }

// A new BSTR of byteLength bytes, copied from data (zero-filled when data is null).
BSTR AllocateBytes(const void* data, UINT byteLength)
{
    if (byteLength > kMaxBytes)
        return nullptr;
    // Two terminating zero bytes even for an odd byte length, so the text is always terminated.
    char* block = static_cast<char*>(std::malloc(kPrefix + byteLength + sizeof(OLECHAR) + 1));
    if (!block)
        return nullptr;
    *reinterpret_cast<std::uint32_t*>(block) = byteLength;
    char* text = block + kPrefix;
    if (data)
        std::memcpy(text, data, byteLength);
    else
        std::memset(text, 0, byteLength);
    std::memset(text + byteLength, 0, sizeof(OLECHAR) + 1);
    return reinterpret_cast<BSTR>(text);
}

std::size_t WideLength(const OLECHAR* psz)
{
    std::size_t n = 0;
    while (psz[n])
        ++n;
    return n;
}

} // namespace

BSTR SysAllocString(const OLECHAR* psz)
{
    if (!psz)
        return nullptr;
    const std::size_t length = WideLength(psz);
    if (length > kMaxBytes / sizeof(OLECHAR))
        return nullptr;
    return AllocateBytes(psz, static_cast<UINT>(length * sizeof(OLECHAR)));
}

BSTR SysAllocStringLen(const OLECHAR* strIn, UINT ui)
{
    if (ui > kMaxBytes / sizeof(OLECHAR))
        return nullptr;
    return AllocateBytes(strIn, ui * static_cast<UINT>(sizeof(OLECHAR)));
}

BSTR SysAllocStringByteLen(LPCSTR psz, UINT len) { return AllocateBytes(psz, len); }

INT SysReAllocString(BSTR* pbstr, const OLECHAR* psz)
{
    if (!pbstr)
        return FALSE;
    BSTR fresh = SysAllocString(psz);
    if (psz && !fresh)
        return FALSE;
    SysFreeString(*pbstr);
    *pbstr = fresh;
    return TRUE;
}

INT SysReAllocStringLen(BSTR* pbstr, const OLECHAR* psz, UINT len)
{
    if (!pbstr)
        return FALSE;
    BSTR fresh = SysAllocStringLen(psz, len);
    if (!fresh)
        return FALSE;
    SysFreeString(*pbstr);
    *pbstr = fresh;
    return TRUE;
}

void SysFreeString(BSTR bstrString)
{
    if (bstrString)
        std::free(HeaderOf(bstrString));
}

UINT SysStringLen(BSTR pbstr) { return pbstr ? *HeaderOf(pbstr) / sizeof(OLECHAR) : 0; }

UINT SysStringByteLen(BSTR bstr) { return bstr ? *HeaderOf(bstr) : 0; }
