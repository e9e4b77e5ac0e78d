#include "app/CAlbumInfoBasicPage.h"

#include <array>

#include "app/BindingFields.h"
#include "app/CMusicDetailInfoSheet.h"
#include "app/CPelicanApp.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "library/AppRoutines.h"
#include "library/LibraryLocations.h"
#include "library/PathRoutines.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/afx/AfxDDX.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/afx/CFileDialog.h"
#include "platform/base/FileApi.h"
#include "platform/base/PathApi.h"

namespace {

constexpr UINT kLabels[] = { IDC_ALBUM_ARTIST_LABEL, IDC_ALBUM_TITLE_LABEL, IDC_ALBUM_LABEL_LABEL, IDC_ALBUM_YEAR_LABEL,
    IDC_ALBUM_GENRE_LABEL, IDC_ALBUM_SUBGENRE_LABEL };
constexpr int kMaxRelativeCoverPath = 255;

bool FileExists(const CString& path) { return !path.IsEmpty() && ::GetFileAttributes(path) != INVALID_FILE_ATTRIBUTES; }

// The text after the last backslash or slash.
CString FileNamePart(const CString& path)
{
    const int cut = std::max(path.ReverseFind('\\'), path.ReverseFind('/'));
    return cut < 0 ? path : path.Mid(cut + 1);
}

} // namespace

BEGIN_MESSAGE_MAP(CAlbumInfoBasicPage, CDetailPage)
ON_CBN_SELCHANGE(IDC_ALBUM_GENRE, OnSelChangeGenre)
ON_CBN_SELCHANGE(IDC_ALBUM_SUBGENRE, OnSelChangeSecondaryGenre)
ON_CONTROL(STN_DBLCLK, IDC_ALBUM_COVER, OnBrowseCoverArt)
END_MESSAGE_MAP()

CAlbumInfoBasicPage::CAlbumInfoBasicPage(CMusicDetailInfoSheet* pSheet)
    : CDetailPage(IDD_ALBUM_BASIC_PAGE, pSheet)
{
}

void CAlbumInfoBasicPage::DoDataExchange(CDataExchange* pDX)
{
    CDetailPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ALBUM_ARTIST, m_strArtist);
    DDX_Text(pDX, IDC_ALBUM_TITLE, m_strTitle);
    DDX_Text(pDX, IDC_ALBUM_LABEL, m_strLabel);
    DDX_Text(pDX, IDC_ALBUM_YEAR, m_strYear);
    DDX_Control(pDX, IDC_ALBUM_GENRE, m_genre);
    DDX_Control(pDX, IDC_ALBUM_SUBGENRE, m_secondaryGenre);
    DDX_Control(pDX, IDC_ALBUM_INDICATOR, m_indicator);
    DDX_Control(pDX, IDC_ALBUM_COVER, m_cover);
    if (pDX->m_bSaveAndValidate) {
        if (!m_bReadOnly) {
            const int genre = m_genre.GetCurSel();
            if (genre >= 0)
                m_lGenreId = static_cast<long>(m_genre.GetItemData(genre));
            const int secondary = m_secondaryGenre.GetCurSel();
            m_lSecondaryGenreId = secondary >= 0 ? static_cast<long>(m_secondaryGenre.GetItemData(secondary)) : -1;
        }
    } else if (FileExists(m_strCoverPath)) {
        if (m_cover.GetPath().CompareNoCase(m_strCoverPath) != 0)
            m_cover.SetPicture(m_strCoverPath);
    } else {
        m_cover.SetPicture(GetGenreCoverPath(m_lGenreId));
    }
}

BOOL CAlbumInfoBasicPage::OnInitDialog()
{
    CDetailPage::OnInitDialog();
    m_strLastBrowsePath = m_strCoverPath;
    for (UINT id : kLabels)
        SetControlTextFromId(id);
    const CPelicanApp* app = GetPelicanApp();
    for (int i = 0; i < app->m_genres.GetSize(); ++i) {
        const CGenre& genre = app->m_genres[i];
        const int row = m_genre.InsertString(i, genre.m_strGenre);
        m_genre.SetItemData(row, static_cast<DWORD_PTR>(genre.m_nGenreId));
    }
    SelectGenres();
    SetReadOnly(m_bReadOnly);
    return TRUE;
}

void CAlbumInfoBasicPage::SelectGenres()
{
    if (!m_genre.m_hWnd)
        return;
    if (m_lGenreId > 0) {
        int found = -1;
        for (int row = 0; row < m_genre.GetCount() && found < 0; ++row) {
            if (static_cast<long>(m_genre.GetItemData(row)) == m_lGenreId)
                found = row;
        }
        m_genre.SetCurSel(found);
    } else {
        m_genre.SetCurSel(0);
    }
    FillSecondaryGenres();
    int secondary = -1;
    for (int row = 0; row < m_secondaryGenre.GetCount() && m_lSecondaryGenreId > 0; ++row) {
        if (static_cast<long>(m_secondaryGenre.GetItemData(row)) == m_lSecondaryGenreId)
            secondary = row;
    }
    m_secondaryGenre.SetCurSel(secondary);
}

void CAlbumInfoBasicPage::FillSecondaryGenres()
{
    if (!m_secondaryGenre.m_hWnd)
        return;
    m_secondaryGenre.ResetContent();
    const _variant_t genre(m_lGenreId);
    _ADORecordsetHelper rows;
    if (theLibraryConnection.RunStoredQuery("qSubGenreList", &genre, 1, rows.ReceivePointer(), nullptr, adCmdStoredProc)
        && rows.HasRecordset())
        FillComboFromRecordset(m_secondaryGenre, rows.Get(), true);
}

void CAlbumInfoBasicPage::ShowIndicator(UINT bitmap)
{
    m_nIndicatorBitmap = bitmap;
    if (!m_indicator.m_hWnd)
        return;
    if (bitmap == 0) {
        m_indicator.ShowWindow(SW_HIDE);
        return;
    }
    HBITMAP picture = ::LoadBitmap(AfxGetResourceHandle(), MAKEINTRESOURCE(bitmap));
    if (HBITMAP previous = m_indicator.SetBitmap(picture))
        ::DeleteObject(previous);
    m_indicator.ShowWindow(SW_SHOW);
}

void CAlbumInfoBasicPage::Load(BOOL clear)
{
    const CMusicTrackRsBinding& row = m_pSheet->m_track;
    UINT indicator = 0;
    if (clear) {
        m_strArtist.Empty();
        m_strTitle.Empty();
        m_strLabel.Empty();
        m_strYear.Empty();
        m_strCoverPath.Empty();
        m_lGenreId = -1;
        m_lSecondaryGenreId = -1;
        SetReadOnly(TRUE);
    } else {
        if (m_bReadOnly)
            SetReadOnly(FALSE);
        m_strArtist = FieldText(row.m_szArtist, row.m_lArtistStatus);
        m_strTitle = FieldText(row.m_szTitle, row.m_lTitleStatus);
        m_strLabel = FieldText(row.m_szLabel, row.m_lLabelStatus);
        m_strYear = FieldText(row.m_szYear, row.m_lYearStatus);
        m_lGenreId = FieldLong(row.m_lQVGenreID, row.m_lQVGenreIDStatus);
        m_lSecondaryGenreId = row.m_lSecondaryGenreIDStatus == adFldOK ? row.m_lSecondaryGenreID : -1;
        const CString cover = FieldText(row.m_szCoverArt, row.m_lCoverArtStatus);
        m_strCoverPath = cover.IsEmpty() ? CString() : MakeLibraryPath(cover);
        const BOOL isCD = FieldBool(row.m_bIsCD, row.m_lIsCDStatus);
        indicator = isCD ? IDB_ALBUM_CD : 0;
        if (FieldBool(row.m_bHideFlag, row.m_lHideFlagStatus)) {
            SetReadOnly(TRUE);
            indicator = isCD ? IDB_ALBUM_HIDDEN_CD : IDB_ALBUM_HIDDEN;
        }
    }
    m_bDirty = FALSE;
    ShowIndicator(indicator);
    if (m_hWnd) {
        SelectGenres();
        if (clear) {
            m_genre.SetCurSel(0);
            m_secondaryGenre.SetCurSel(0);
        }
        ShowMembers();
    }
}

void CAlbumInfoBasicPage::SetReadOnly(BOOL readOnly)
{
    CDetailPage::SetReadOnly(readOnly);
    for (CWnd* control : { static_cast<CWnd*>(&m_genre), static_cast<CWnd*>(&m_secondaryGenre), static_cast<CWnd*>(&m_cover) }) {
        if (control->m_hWnd)
            control->EnableWindow(!readOnly);
    }
}

void CAlbumInfoBasicPage::OnKillFocusField()
{
    if (!m_bDirty || m_bReadOnly || !m_hWnd)
        return;
    CMusicTrackRsBinding& row = m_pSheet->m_track;
    const CString storedArtist = FieldText(row.m_szArtist, row.m_lArtistStatus);
    const CString storedTitle = FieldText(row.m_szTitle, row.m_lTitleStatus);
    CString artist, title;
    GetDlgItemText(IDC_ALBUM_ARTIST, artist);
    GetDlgItemText(IDC_ALBUM_TITLE, title);
    if (RestoreEmptiedText(IDC_ALBUM_ARTIST, artist, storedArtist) || RestoreEmptiedText(IDC_ALBUM_TITLE, title, storedTitle)) {
        m_bDirty = FALSE;
        return;
    }
    if (!UpdateData(TRUE))
        return;
    const bool artistChanged = m_strArtist.CompareNoCase(storedArtist) != 0;
    const bool titleChanged = m_strTitle.CompareNoCase(storedTitle) != 0;
    PutFieldText(row.m_szArtist, row.m_lArtistStatus, m_strArtist);
    PutFieldText(row.m_szTitle, row.m_lTitleStatus, m_strTitle);
    PutFieldLong(row.m_lQVGenreID, row.m_lQVGenreIDStatus, m_lGenreId);
    PutFieldLong(row.m_lSecondaryGenreID, row.m_lSecondaryGenreIDStatus, m_lSecondaryGenreId);
    PutFieldText(row.m_szLabel, row.m_lLabelStatus, m_strLabel);
    PutFieldText(row.m_szYear, row.m_lYearStatus, m_strYear);
    WriteBackRow(row);
    m_pSheet->RefreshListView();
    // The tree shows albums by the title stored now, which is cut to its column.
    if (titleChanged)
        m_pSheet->RenameAlbumNodes(FieldLong(row.m_lQVCDID, row.m_lQVCDIDStatus), storedTitle, m_strTitle);
    if (artistChanged)
        m_pSheet->RefreshArtists();
}

void CAlbumInfoBasicPage::OnSelChangeGenre()
{
    if (m_bReadOnly)
        return;
    m_bDirty = TRUE;
    const int genre = m_genre.GetCurSel();
    if (genre >= 0)
        m_lGenreId = static_cast<long>(m_genre.GetItemData(genre));
    FillSecondaryGenres();
    SetLibraryModified(true);
    OnKillFocusField();
    const CMusicTrackRsBinding& row = m_pSheet->m_track;
    if (DetailSheetHost* host = m_pSheet->Host())
        host->MoveAlbumToGenreGroup(m_lGenreId, FieldLong(row.m_lQVCDID, row.m_lQVCDIDStatus), m_strTitle);
}

void CAlbumInfoBasicPage::OnSelChangeSecondaryGenre()
{
    if (m_bReadOnly)
        return;
    m_bDirty = TRUE;
    SetLibraryModified(true);
    OnKillFocusField();
}

void CAlbumInfoBasicPage::OnBrowseCoverArt()
{
    if (m_bReadOnly)
        return;
    CString filter, title;
    filter.LoadString(IDS_COVER_FILTER);
    title.LoadString(IDS_COVER_TITLE);
    CFileDialog dialog(TRUE, nullptr, m_strLastBrowsePath, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_LONGNAMES, filter, this);
    dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return;
    ::SetCurrentDirectory(GetDataSourceDirectory());
    UseCoverFile(dialog.GetPathName());
}

bool CAlbumInfoBasicPage::UseCoverFile(const CString& path)
{
    const CString covers = GetCoversPath();
    const CString destination = covers + MakeFileNameSafe(FileNamePart(path));
    if (!m_cover.SetPicture(path)) {
        ShowMembers();
        return false;
    }
    if (destination.CompareNoCase(path) != 0) {
        if (FileExists(destination)) {
            CString question;
            question.FormatMessage(IDS_COVER_OVERWRITE, path.GetString(), destination.GetString());
            if (AfxMessageBox(question, MB_OKCANCEL | MB_DEFBUTTON2) != IDOK) {
                ShowMembers();
                return false;
            }
            ::SetFileAttributes(destination, FILE_ATTRIBUTE_NORMAL);
        }
        if (!::CopyFile(path, destination, FALSE)) {
            CString message;
            message.FormatMessage(IDS_COVER_COPY_FAILED, path.GetString(), covers.GetString());
            AfxMessageBox(message, MB_OK);
            ShowMembers();
            return false;
        }
    }
    CString relative = MakeRelativePath(destination);
    if (relative.GetLength() > kMaxRelativeCoverPath)
        relative = relative.Left(kMaxRelativeCoverPath);
    m_strCoverPath = destination;
    m_strLastBrowsePath = path;
    CMusicTrackRsBinding& row = m_pSheet->m_track;
    PutFieldText(row.m_szCoverArt, row.m_lCoverArtStatus, relative);
    row.m_szCoverArtDevice[0] = u'\0';
    row.m_lCoverArtDeviceStatus = adFldNull;
    MarkRowModified(row.m_bModifyFlag, row.m_lModifyFlagStatus, row.m_dtTimeStamp, row.m_lTimeStampStatus);
    m_pSheet->UpdateCurrentRow();
    Load(FALSE);
    SetModified();
    SetLibraryModified(true);
    return true;
}
