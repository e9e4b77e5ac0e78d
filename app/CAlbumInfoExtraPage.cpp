#include "app/CAlbumInfoExtraPage.h"

#include "app/BindingFields.h"
#include "app/CMusicDetailInfoSheet.h"
#include "app/TuneStewardIds.h"
#include "library/AppRoutines.h"
#include "platform/afx/AfxDDX.h"
#include "platform/comctl/CommCtrl.h"

namespace {

constexpr int kUnboundEdits[] = { IDC_ALBUM_REGION, IDC_ALBUM_LANGUAGE, IDC_ALBUM_REVISION };

} // namespace

void NormaliseSetNumbers(int& total, int& number)
{
    if (total == 0)
        total = 1;
    if (number == 0)
        number = 1;
    if (number > total)
        number = total;
}

BEGIN_MESSAGE_MAP(CAlbumInfoExtraPage, CDetailPage)
ON_NOTIFY(UDN_DELTAPOS, IDC_ALBUM_NUMBER_SPIN, OnDeltaPosNumber)
ON_NOTIFY(UDN_DELTAPOS, IDC_ALBUM_TOTAL_SPIN, OnDeltaPosTotal)
ON_BN_CLICKED(IDC_ALBUM_COMPILATION, OnCompilationClicked)
END_MESSAGE_MAP()

CAlbumInfoExtraPage::CAlbumInfoExtraPage(CMusicDetailInfoSheet* pSheet)
    : CDetailPage(IDD_ALBUM_EXTRA_PAGE, pSheet)
{
    // The template holds common controls, which are registered on first use.
    InitCommonControls();
}

void CAlbumInfoExtraPage::DoDataExchange(CDataExchange* pDX)
{
    CDetailPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ALBUM_TITLE_SORT, m_strTitleSort);
    DDX_Text(pDX, IDC_ALBUM_NOTE, m_strNote);
    DDX_Text(pDX, IDC_ALBUM_TITLE_THE, m_strTitleThe);
    DDX_Text(pDX, IDC_ALBUM_ARTIST_FULLNAME, m_strArtistFullname);
    DDX_Check(pDX, IDC_ALBUM_COMPILATION, m_bCompilation);
    DDX_Control(pDX, IDC_ALBUM_NUMBER_SPIN, m_numberSpin);
    DDX_Control(pDX, IDC_ALBUM_TOTAL_SPIN, m_totalSpin);
}

BOOL CAlbumInfoExtraPage::OnInitDialog()
{
    CDetailPage::OnInitDialog();
    SetReadOnly(m_bReadOnly);
    m_numberSpin.SetRange32(0, UD_MAXVAL);
    m_totalSpin.SetRange32(0, UD_MAXVAL);
    ShowNumbers();
    return TRUE;
}

void CAlbumInfoExtraPage::ShowNumbers()
{
    if (!m_hWnd)
        return;
    m_numberSpin.SetPos(m_nNumberInSet);
    m_totalSpin.SetPos(m_nTotalInSet);
    SetDlgItemInt(IDC_ALBUM_NUMBER_IN_SET, static_cast<UINT>(m_nNumberInSet), TRUE);
    SetDlgItemInt(IDC_ALBUM_TOTAL_IN_SET, static_cast<UINT>(m_nTotalInSet), TRUE);
}

void CAlbumInfoExtraPage::Load(BOOL clear)
{
    const CMusicTrackRsBinding& row = m_pSheet->m_track;
    if (clear) {
        m_strTitleSort.Empty();
        m_strNote.Empty();
        m_strTitleThe.Empty();
        m_strArtistFullname.Empty();
        m_strLanguage.Empty();
        m_bCompilation = FALSE;
        m_nTotalInSet = 0;
        m_nNumberInSet = 0;
        SetReadOnly(TRUE);
    } else {
        if (m_bReadOnly)
            SetReadOnly(FALSE);
        m_strTitleSort = FieldText(row.m_szTitleSort, row.m_lTitleSortStatus);
        m_strNote = FieldText(row.m_szNote, row.m_lNoteStatus);
        m_strTitleThe = FieldText(row.m_szTitleThe, row.m_lTitleTheStatus);
        m_strArtistFullname = FieldText(row.m_szArtistFullname, row.m_lArtistFullnameStatus);
        m_strLanguage = FieldText(row.m_szLanguage, row.m_lLanguageStatus);
        m_bCompilation = FieldBool(row.m_bCompilation, row.m_lCompilationStatus);
        m_nTotalInSet = static_cast<int>(FieldLong(row.m_lTotalInset, row.m_lTotalInsetStatus));
        m_nNumberInSet = static_cast<int>(FieldLong(row.m_lNumberInSet, row.m_lNumberInSetStatus));
        NormaliseSetNumbers(m_nTotalInSet, m_nNumberInSet);
        if (FieldBool(row.m_bHideFlag, row.m_lHideFlagStatus))
            SetReadOnly(TRUE);
    }
    m_bDirty = FALSE;
    ShowMembers();
    ShowNumbers();
}

void CAlbumInfoExtraPage::SetReadOnly(BOOL readOnly)
{
    CDetailPage::SetReadOnly(readOnly);
    if (!m_hWnd)
        return;
    for (int id : kUnboundEdits)
        SendDlgItemMessage(id, EM_SETREADONLY, readOnly);
    for (int id : { IDC_ALBUM_COMPILATION, IDC_ALBUM_NUMBER_SPIN, IDC_ALBUM_TOTAL_SPIN }) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(!readOnly);
    }
}

void CAlbumInfoExtraPage::OnKillFocusField()
{
    if (!m_bDirty || m_bReadOnly || !m_hWnd)
        return;
    if (!UpdateData(TRUE))
        return;
    CMusicTrackRsBinding& row = m_pSheet->m_track;
    PutFieldText(row.m_szTitleSort, row.m_lTitleSortStatus, m_strTitleSort);
    PutFieldText(row.m_szNote, row.m_lNoteStatus, m_strNote);
    PutFieldText(row.m_szTitleThe, row.m_lTitleTheStatus, m_strTitleThe);
    PutFieldText(row.m_szArtistFullname, row.m_lArtistFullnameStatus, m_strArtistFullname);
    PutFieldText(row.m_szLanguage, row.m_lLanguageStatus, m_strLanguage);
    PutFieldBool(row.m_bCompilation, row.m_lCompilationStatus, m_bCompilation);
    PutFieldLong(row.m_lTotalInset, row.m_lTotalInsetStatus, m_nTotalInSet);
    PutFieldLong(row.m_lNumberInSet, row.m_lNumberInSetStatus, m_nNumberInSet);
    WriteBackRow(row);
}

void CAlbumInfoExtraPage::WriteNow()
{
    if (m_bReadOnly)
        return;
    m_bDirty = TRUE;
    SetLibraryModified(true);
    OnKillFocusField();
}

void CAlbumInfoExtraPage::OnDeltaPosNumber(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* change = reinterpret_cast<NMUPDOWN*>(pNMHDR);
    const int number = m_numberSpin.GetPos() + change->iDelta;
    if (number > m_totalSpin.GetPos() || number < 1) {
        *pResult = 1;
        return;
    }
    *pResult = 0;
    m_nNumberInSet = number;
    SetDlgItemInt(IDC_ALBUM_NUMBER_IN_SET, static_cast<UINT>(number), TRUE);
    WriteNow();
}

void CAlbumInfoExtraPage::OnDeltaPosTotal(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* change = reinterpret_cast<NMUPDOWN*>(pNMHDR);
    const int total = m_totalSpin.GetPos() + change->iDelta;
    if (total < m_numberSpin.GetPos()) {
        *pResult = 1;
        return;
    }
    *pResult = 0;
    m_nTotalInSet = total;
    SetDlgItemInt(IDC_ALBUM_TOTAL_IN_SET, static_cast<UINT>(total), TRUE);
    WriteNow();
}

void CAlbumInfoExtraPage::OnCompilationClicked() { WriteNow(); }
