#include "platform/cddb/CGenreList.h"

#include "platform/base/CaseFold.h"
#include "platform/cddb/ComText.h"

#include <array>
#include <utility>

namespace platform::cddb {

namespace {

// The standard categories of xmcd databases and the names they are shown under.
constexpr std::array<std::pair<const char*, const char*>, 11> kCategoryNames { {
    { "blues", "Blues" },
    { "classical", "Classical" },
    { "country", "Country" },
    { "data", "Data" },
    { "folk", "Folk" },
    { "jazz", "Jazz" },
    { "misc", "Misc" },
    { "newage", "New Age" },
    { "reggae", "Reggae" },
    { "rock", "Rock" },
    { "soundtrack", "Soundtrack" },
} };

} // namespace

HRESULT CGenreList::Create(IGenreList** list)
{
    if (!list)
        return E_POINTER;
    *list = nullptr;
    CComObject<CGenreList>* object = nullptr;
    const HRESULT hr = CComObject<CGenreList>::CreateInstance(&object);
    if (FAILED(hr))
        return hr;
    return object->QueryInterface(platform::IidOf<IGenreList>(), reinterpret_cast<void**>(list));
}

HRESULT CGenreList::GenreName(BSTR genreId, BSTR* name)
{
    const std::string id = TextOf(genreId);
    for (const auto& [category, display] : kCategoryNames)
        if (platform::EqualsNoCase(id, category))
            return ReturnText(display, name);
    return ReturnText(id, name);
}

} // namespace platform::cddb
