#include "app/SearchPatterns.h"

#include <string_view>

namespace SearchPatterns {

namespace {

// The characters the database's LIKE reads as wildcards or the start of a set.
constexpr std::string_view kLikeSpecials = "*?#%_[";

constexpr const char* kStatement
    = "SELECT [TrackTitle], [TrackNumber], [Artist], [Title], [TitleSort], [Label], [Year], [Note], [QVGenreID], "
      "[TitleThe], [ArtistFullname], [Compilation], [SecondaryGenreID], [Language], [TotalInset], [NumberInSet], "
      "[IsCD], [CoverArt], [ZUVUdureDaz], [AlbumTrackID], [tMusicMain].[QVCDID], [tMusicMain].[ModifyFlag], "
      "[tMusicMain].[TimeStamp], [tMusicMain].[HideFlag] FROM tMusicMain INNER JOIN tMusicTracks ON "
      "tMusicMain.QVCDID = tMusicTracks.QVCDID WHERE ([%s] LIKE '%s') AND ([tMusicMain].[DeleteFlag]<>True) AND "
      "([tMusicTracks].[DeleteFlag]<>True)";

} // namespace

CString LikeLiteral(const CString& typed)
{
    CString literal;
    for (const char c : std::string_view(typed.GetString(), static_cast<size_t>(typed.GetLength()))) {
        if (c == '\'') {
            literal += "''";
        } else if (kLikeSpecials.find(c) != std::string_view::npos) {
            literal += '[';
            literal += c;
            literal += ']';
        } else {
            literal += c;
        }
    }
    return literal;
}

CString LibraryPattern(const CString& typed, int nMatch)
{
    if (typed == "*")
        return "%";
    const CString literal = LikeLiteral(typed);
    switch (nMatch) {
    case matchIs:
        return literal;
    case matchContains:
        return "%" + literal + "%";
    case matchBeginsWith:
        return literal + "%";
    case matchEndsWith:
        return "%" + literal;
    default:
        return CString();
    }
}

CString FieldName(int nField)
{
    switch (nField) {
    case fieldTrackTitle:
        return "tMusicTracks.TrackTitle";
    case fieldArtist:
        return "tMusicMain.Artist";
    case fieldAlbumTitle:
        return "tMusicMain.Title";
    case fieldAlbumLabel:
        return "tMusicMain.Label";
    default:
        return CString();
    }
}

CString LibraryStatement(int nField, int nMatch, const CString& typed)
{
    CString statement;
    statement.Format(kStatement, FieldName(nField).GetString(), LibraryPattern(typed, nMatch).GetString());
    return statement;
}

CString DiskPattern(const CString& location, const CString& typed, const CString& fileType)
{
    CString pattern = location + (typed.IsEmpty() ? CString("*") : typed) + fileType;
    pattern.TrimRight(' ');
    return pattern;
}

CString SavedSearchPath(const CString& location) { return location.Left(location.ReverseFind('\\') + 1); }

} // namespace SearchPatterns
