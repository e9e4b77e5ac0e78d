#include "platform/cddb/CFileIdentifier.h"

#include "platform/base/CaseFold.h"
#include "platform/base/CodePage.h"
#include "platform/cddb/CDiscInfo.h"
#include "platform/cddb/CdDatabase.h"
#include "platform/cddb/ComText.h"
#include "platform/cddb/Mp3TagFile.h"

#include <algorithm>

namespace platform::cddb {

HRESULT CFileIdentifier::IdentifyFile(BSTR path, LONG flags, LONG* trackNumber, IDiscInfo** disc)
{
    if (!trackNumber || !disc)
        return E_POINTER;
    *trackNumber = 0;
    *disc = nullptr;

    std::string error;
    const std::unique_ptr<Mp3TagFile> tags = Mp3TagFile::Open(TextOf(path), true, error);
    if (!tags)
        return Error(platform::Utf8ToUtf16(error).c_str(), platform::IidOf<IFileIdentifier>(), E_FAIL);

    std::optional<XmcdDisc> found = CdDatabase::Configured().FindByAlbum(
        tags->Text(Mp3TagFile::Field::Artist), tags->Text(Mp3TagFile::Field::Album));
    if (!found)
        return S_FALSE;

    const std::string title = tags->Text(Mp3TagFile::Field::Title);
    if (!title.empty()) {
        const auto& titles = found->trackTitles;
        const auto match = std::find_if(
            titles.begin(), titles.end(), [&](const std::string& t) { return platform::EqualsNoCase(t, title); });
        if (match != titles.end())
            *trackNumber = static_cast<LONG>(match - titles.begin()) + 1;
    }
    return CDiscInfo::Create(std::move(*found), disc);
}

} // namespace platform::cddb
