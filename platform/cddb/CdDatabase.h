#pragma once
// The CD database: a folder with one sub-folder per category, each holding xmcd disc files, and the file
// "drive" whose first word is the id of the disc in the drive.
//
// Look-ups go through the categories and then their files in name order (byte-wise); the first disc that
// matches wins. A disc matches a query by any of its ids. A disc matches a file's tags when its artist and
// title equal the file's artist and album (blanks at the ends and ASCII case aside); a file without an
// album matches no disc, a file without an artist matches by album alone. Unreadable files, files over
// 1 MiB and files without the xmcd signature are passed over.

#include "platform/cddb/XmcdDisc.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform::cddb {

class CdDatabase {
public:
    // The database of the folder the settings name (see CDDBControl.h).
    static CdDatabase Configured();

    explicit CdDatabase(std::filesystem::path folder);

    // The id of the disc in the drive; none when the drive file is missing or holds no word.
    std::optional<std::string> DiscInDrive() const;
    // The first disc with the id.
    std::optional<XmcdDisc> FindById(std::string_view id) const;
    // The first disc of the artist (any when empty) with the album as its title.
    std::optional<XmcdDisc> FindByAlbum(std::string_view artist, std::string_view album) const;

    const std::filesystem::path& Folder() const { return m_folder; }

private:
    std::optional<XmcdDisc> FindFirst(const std::function<bool(const XmcdDisc&)>& matches) const;

    std::filesystem::path m_folder;
};

} // namespace platform::cddb
