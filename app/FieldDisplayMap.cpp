#include "app/FieldDisplayMap.h"

#include "library/RegistryRoutines.h"

namespace {

constexpr const char* kGridViewsSection = "GridViews";
constexpr int kColumnWidth = 75;

// When a field shows: always, never, unless its setting is exactly "F", or only when it is exactly "T".
enum class Shown { Always, Never, UnlessF, OnlyT };

struct FieldRow {
    const char* name;
    UINT captionId;
    Shown shown;
};

constexpr FieldRow kFields[] = {
    { "TrackTitle", 2014, Shown::Always },
    { "Title", 32888, Shown::Always },
    { "Name", 2474, Shown::Always },
    { "Size", 2468, Shown::Always },
    { "TrackNumber", 1062, Shown::UnlessF },
    { "TitleSort", 1063, Shown::OnlyT },
    { "Label", 1064, Shown::OnlyT },
    { "Year", 1065, Shown::OnlyT },
    { "Note", 1066, Shown::UnlessF },
    { "Language", 1067, Shown::OnlyT },
    { "SecondaryGenreID", 1068, Shown::OnlyT },
    { "RadioCallSign", 2420, Shown::UnlessF },
    { "HomePage", 1057, Shown::UnlessF },
    { "Description", 1058, Shown::UnlessF },
    { "Frequency", 1061, Shown::OnlyT },
    { "LongDescription", 1059, Shown::UnlessF },
    { "Bandwidth", 1060, Shown::OnlyT },
    { "LastModified", 2368, Shown::UnlessF },
    { "Created", 1054, Shown::OnlyT },
    { "LastAccessed", 1055, Shown::OnlyT },
    { "Path", 1056, Shown::UnlessF },
    { "QVGenreID", 2382, Shown::Never },
    { "TitleThe", 2384, Shown::Never },
    { "ArtistFullname", 2386, Shown::Never },
    { "Compilation", 2387, Shown::Never },
    { "TotalInset", 2392, Shown::Never },
    { "NumberInSet", 2393, Shown::Never },
    { "Category", 2464, Shown::Never },
    { "SubCategory", 2465, Shown::Never },
    { "StreamType", 2466, Shown::Never },
    { "URL", 2467, Shown::Never },
    { "CoverArt", 0, Shown::Never },
    { "AlbumTrackID", 0, Shown::Never },
    { "QVCDID", 0, Shown::Never },
    { "IsCD", 0, Shown::Never },
    { "HideFlag", 0, Shown::Never },
    { "QVRadioID", 0, Shown::Never },
    { "GroupID", 0, Shown::Never },
    { "PlaylistID", 0, Shown::Never },
    { "ModifyFlag", 0, Shown::Never },
    { "TimeStamp", 0, Shown::Never },
    { "ZUVUdureDaz", 0, Shown::Never },
};

// The settings are compared exactly: "t" does not show a field, "f" does not hide one.
bool IsShown(const FieldRow& field)
{
    switch (field.shown) {
    case Shown::Always:
        return true;
    case Shown::Never:
        return false;
    case Shown::UnlessF:
        return ReadRegistryValue(field.name, kGridViewsSection) != "F";
    case Shown::OnlyT:
        return ReadRegistryValue(field.name, kGridViewsSection) == "T";
    }
    return false;
}

} // namespace

void FieldDisplayMap::Fill()
{
    if (IsFilled())
        return;
    for (const FieldRow& field : kFields)
        m_fields[field.name] = CUIFieldDisplay(IsShown(field) ? TRUE : FALSE, field.captionId);
}

FieldDisplayMap::Column FieldDisplayMap::ColumnFor(const CString& fieldName) const
{
    Column column { fieldName, kColumnWidth, true };
    const auto found = m_fields.find(fieldName);
    const bool hidden = found != m_fields.end() ? !found->second.m_bVisible : fieldName.Left(4) == "Expr";
    if (hidden)
        return { CString(), 0, false };
    if (found != m_fields.end() && !found->second.m_strCaption.IsEmpty())
        column.caption = found->second.m_strCaption;
    return column;
}
