#pragma once
// One disc of the CD database, read from its xmcd text file: "KEY=value" lines, "#" comments, values of
// a repeated key joined, the escapes \n, \t and \\ in values. DTITLE is "artist / title" (a title without
// " / " is both), TTITLEn names track n+1. Texts are UTF-8; a file that is not valid UTF-8 is read as
// Latin-1, as older disc files were written.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::cddb {

struct XmcdDisc {
    std::string category; // the folder the file lies in: the disc's genre id
    std::vector<std::string> ids; // DISCID, which may list several ids
    std::string artist;
    std::string title;
    std::string year;
    std::string genre; // DGENRE, free text
    std::vector<std::string> trackTitles; // by track number - 1

    // The disc of an xmcd text; none when the text has no "# xmcd" signature in its first line or no DISCID.
    static std::optional<XmcdDisc> Parse(std::string_view text, std::string category);
    // True when one of the disc's ids is id (without regard to case).
    bool HasId(std::string_view id) const;
};

} // namespace platform::cddb
