#include "app/LibraryOpening.h"

#include "app/CPelicanApp.h"
#include "app/TuneStewardIds.h"
#include "library/LibraryLocations.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/base/FileApi.h"

namespace {

CString TextOf(const _variant_t& value) { return value.vt == VT_BSTR ? CString(static_cast<const char*>(_bstr_t(value))) : CString(); }

} // namespace

void LoadGenreTable()
{
    CPelicanApp* app = GetPelicanApp();
    if (!app || app->m_genres.GetSize() > 0)
        return;
    _ADORecordsetHelper rows;
    if (!theLibraryConnection.ExecuteSql("qGenreList", rows.ReceivePointer(), 1) || !rows.HasRecordset())
        return;
    for (; !rows.IsEOF(); rows.MoveNext()) {
        CGenre genre;
        genre.m_strGenre = TextOf(rows.GetValue("Genre"));
        const _variant_t id = rows.GetValue("QVGenreID");
        genre.m_nGenreId = id.vt == VT_I4 ? id.lVal : 0;
        genre.m_strCoverArt = TextOf(rows.GetValue("Filename"));
        app->m_genres.Add(genre);
    }
    rows.Release();
}

bool PrepareLocalLibraryFile()
{
    const CString path = GetDatabasePath();
    const DWORD attributes = GetFileAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        CString text;
        text.Format(CString(MAKEINTRESOURCE(IDS_LOCAL_LIBRARY_MISSING)), path.GetString());
        AfxMessageBox(text, MB_OK);
        return false;
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
        CString text;
        text.Format(CString(MAKEINTRESOURCE(IDS_LOCAL_LIBRARY_READONLY)), path.GetString());
        if (AfxMessageBox(text, MB_YESNO) != IDYES)
            return false;
        // Only the read-only attribute goes; the others and the file's times stay.
        SetFileAttributes(path, attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    return true;
}
