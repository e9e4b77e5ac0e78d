#include "app/CTrackInfoPage.h"

#include <array>

#include "app/BindingFields.h"
#include "app/CMusicDetailInfoSheet.h"
#include "app/TuneStewardIds.h"
#include "library/AppRoutines.h"
#include "library/_ADOConnectionHelper.h"
#include "platform/afx/AfxDDX.h"
#include "platform/comctl/CommCtrl.h"

namespace {

int Wrap(int number)
{
    if (number > kMaxTrackNumber)
        return 1;
    if (number < 1)
        return kMaxTrackNumber;
    return number;
}

// True when another track of the album has the number.
bool IsTrackNumberTaken(long albumId, int number)
{
    const std::array<_variant_t, 2> parameters { _variant_t(albumId), _variant_t(static_cast<long>(number)) };
    const _variant_t track = theLibraryConnection.RunStoredQueryScalar("qTrackIDForAlbumTrackNumber", parameters.data(),
        static_cast<int>(parameters.size()), adCmdStoredProc);
    return track.vt != VT_EMPTY && track.vt != VT_NULL;
}


} // namespace

int FindFreeTrackNumber(int position, int step, const std::function<bool(int)>& taken)
{
    int number = position;
    // Every number is tried at most once; when all are taken the search stops back where it began.
    for (int tried = 0; tried < kMaxTrackNumber; ++tried) {
        number = Wrap(number + step);
        if (number == position && tried > 0)
            break;
        if (!taken(number))
            return number;
        step = step > 0 ? 1 : -1;
    }
    return position;
}

BEGIN_MESSAGE_MAP(CTrackInfoPage, CDetailPage)
ON_NOTIFY(UDN_DELTAPOS, IDC_TRACK_NUMBER_SPIN, OnDeltaPosTrackNumber)
END_MESSAGE_MAP()

CTrackInfoPage::CTrackInfoPage(CMusicDetailInfoSheet* pSheet)
    : CDetailPage(IDD_TRACK_INFO_PAGE, pSheet)
{
    // The template holds common controls, which are registered on first use.
    InitCommonControls();
}

void CTrackInfoPage::DoDataExchange(CDataExchange* pDX)
{
    CDetailPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TRACK_TITLE, m_strTitle);
    DDX_Control(pDX, IDC_TRACK_NUMBER_SPIN, m_spin);
}

BOOL CTrackInfoPage::OnInitDialog()
{
    CDetailPage::OnInitDialog();
    SetControlTextFromId(IDC_TRACK_NUMBER_LABEL);
    SetControlTextFromId(IDC_TRACK_TITLE_LABEL);
    SendDlgItemMessage(IDC_TRACK_TITLE, EM_LIMITTEXT, 50);
    SetReadOnly(m_bReadOnly);
    m_spin.SetRange32(1, kMaxTrackNumber);
    UDACCEL acceleration[] = { { 0, 1 }, { 2, 2 }, { 2, 4 }, { 6, 100 } };
    m_spin.SetAccel(static_cast<int>(std::size(acceleration)), acceleration);
    m_spin.SetPos(m_nTrackNumber);
    SetDlgItemInt(IDC_TRACK_NUMBER, static_cast<UINT>(m_nTrackNumber), TRUE);
    return TRUE;
}

void CTrackInfoPage::Load(BOOL clear)
{
    if (clear) {
        m_strTitle.Empty();
        m_nTrackNumber = 0;
        m_lAlbumId = 0;
        SetReadOnly(TRUE);
    } else {
        const CMusicTrackRsBinding& row = m_pSheet->m_track;
        m_strTitle = FieldText(row.m_szTrackTitle, row.m_lTrackTitleStatus);
        m_nTrackNumber = static_cast<int>(FieldLong(row.m_lTrackNumber, row.m_lTrackNumberStatus));
        m_lAlbumId = FieldLong(row.m_lQVCDID, row.m_lQVCDIDStatus);
        SetReadOnly(FieldBool(row.m_bHideFlag, row.m_lHideFlagStatus));
    }
    m_bDirty = FALSE;
    if (m_hWnd) {
        ShowMembers();
        if (m_spin.GetPos() != m_nTrackNumber)
            m_spin.SetPos(m_nTrackNumber);
        SetDlgItemInt(IDC_TRACK_NUMBER, static_cast<UINT>(m_nTrackNumber), TRUE);
    }
}

void CTrackInfoPage::SetReadOnly(BOOL readOnly)
{
    CDetailPage::SetReadOnly(readOnly);
    // The number is only ever stepped, never typed.
    if (m_hWnd) {
        SendDlgItemMessage(IDC_TRACK_NUMBER, EM_SETREADONLY, TRUE);
        if (m_spin.m_hWnd)
            m_spin.EnableWindow(!readOnly);
    }
}

void CTrackInfoPage::OnKillFocusField()
{
    if (!m_bDirty || m_bReadOnly || !m_hWnd)
        return;
    CMusicTrackRsBinding& row = m_pSheet->m_track;
    CString typed;
    GetDlgItemText(IDC_TRACK_TITLE, typed);
    if (RestoreEmptiedText(IDC_TRACK_TITLE, typed, FieldText(row.m_szTrackTitle, row.m_lTrackTitleStatus))) {
        m_bDirty = FALSE;
        return;
    }
    if (!UpdateData(TRUE))
        return;
    PutFieldText(row.m_szTrackTitle, row.m_lTrackTitleStatus, m_strTitle);
    PutFieldLong(row.m_lTrackNumber, row.m_lTrackNumberStatus, m_nTrackNumber);
    WriteBackRow(row);
    m_pSheet->RefreshListView();
}

void CTrackInfoPage::OnDeltaPosTrackNumber(NMHDR* pNMHDR, LRESULT* pResult)
{
    // The control's own step is cancelled: the page chooses the number.
    *pResult = 1;
    const auto* change = reinterpret_cast<NMUPDOWN*>(pNMHDR);
    const long albumId = m_lAlbumId;
    m_nTrackNumber = FindFreeTrackNumber(m_spin.GetPos(), change->iDelta,
        [albumId](int number) { return IsTrackNumberTaken(albumId, number); });
    m_spin.SetPos(m_nTrackNumber);
    SetDlgItemInt(IDC_TRACK_NUMBER, static_cast<UINT>(m_nTrackNumber), TRUE);
    if (m_bReadOnly)
        return;
    m_bDirty = TRUE;
    SetLibraryModified(true);
    OnKillFocusField();
}
