#include "app/CMusicDetailInfoSheet.h"

#include "app/CPelicanApp.h"
#include "app/TuneStewardIds.h"
#include "library/ResultChecking.h"
#include "library/_ADOConnectionHelper.h"
#include "library/_ADORecordsetHelper.h"

CMusicDetailInfoSheet::CMusicDetailInfoSheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CBasePropertySheet(pszCaption, pParentWnd, iSelectPage)
    , m_albumBasicPage(this)
    , m_albumExtraPage(this)
    , m_trackPage(this)
    , m_stationPage(this)
    , m_filePage(this)
    , m_emptyPage(IDD_DETAIL_EMPTY)
{
    AddPage(&m_emptyPage);
}

CMusicDetailInfoSheet::~CMusicDetailInfoSheet() = default;

BOOL CMusicDetailInfoSheet::OnInitDialog()
{
    CBasePropertySheet::OnInitDialog();
    return TRUE;
}

BOOL CMusicDetailInfoSheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) != ID_DETAIL_REBIND)
        return CBasePropertySheet::OnCommand(wParam, lParam);
    // The row number is not needed: the bound structures follow the record set's current row.
    CPelicanApp* app = GetPelicanApp();
    if (app && app->m_bUpdatingDetails)
        return TRUE;
    if (app)
        app->m_bUpdatingDetails = TRUE;
    OnRowChanged();
    if (app)
        app->m_bUpdatingDetails = FALSE;
    return TRUE;
}

void CMusicDetailInfoSheet::OnRowChanged()
{
    HWND focus = ::GetFocus();
    RebindToSelection();
    if (focus && ::IsWindow(focus))
        ::SetFocus(focus);
}

void CMusicDetailInfoSheet::RemoveAllPages()
{
    while (GetPageCount() > 0)
        RemovePage(GetPageCount() - 1);
}

void CMusicDetailInfoSheet::SetPagesForKind()
{
    int kind = m_pHost->GetSelectionKind();
    if (kind == m_nKind)
        return;
    RemoveAllPages();
    switch (kind) {
    case DetailSheetHost::TrackRows:
        AddPage(&m_albumBasicPage);
        AddPage(&m_trackPage);
        break;
    case DetailSheetHost::StationRows:
        AddPage(&m_stationPage);
        break;
    case DetailSheetHost::FileRows:
        AddPage(&m_filePage);
        break;
    default:
        kind = DetailSheetHost::NoRows;
        AddPage(&m_emptyPage);
        break;
    }
    m_nKind = kind;
    SetActivePage(0);
}

void CMusicDetailInfoSheet::RebindToSelection()
{
    if (!m_pHost)
        return;
    _ADORecordsetHelper* rows = m_pHost->GetListRecordset();
    SetPagesForKind();
    if (rows && rows->HasRecordset() && !m_binding) {
        try {
            IADORecordBindingPtr binding;
            CheckResult(rows->Get()->QueryInterface(platform::IidOf<IADORecordBinding>(), reinterpret_cast<void**>(&binding)),
                theLibraryConnection.GetConnection());
            CADORecordBinding* record = m_nKind == DetailSheetHost::TrackRows ? static_cast<CADORecordBinding*>(&m_track)
                : m_nKind == DetailSheetHost::StationRows                     ? static_cast<CADORecordBinding*>(&m_station)
                : m_nKind == DetailSheetHost::FileRows                        ? static_cast<CADORecordBinding*>(&m_file)
                                                                              : nullptr;
            if (record) {
                CheckResult(binding->BindToRecordset(record), theLibraryConnection.GetConnection());
                m_binding = binding;
            }
        } catch (const _com_error&) {
            m_binding = nullptr;
        }
    }
    const BOOL clear = !m_binding || !rows || !rows->HasRecordset() || rows->IsEOF();
    switch (m_nKind) {
    case DetailSheetHost::TrackRows:
        m_albumBasicPage.Load(clear);
        m_albumExtraPage.Load(clear);
        m_trackPage.Load(clear);
        break;
    case DetailSheetHost::StationRows:
        m_stationPage.Load(clear);
        break;
    case DetailSheetHost::FileRows:
        m_filePage.Load(clear);
        break;
    default:
        break;
    }
}

void CMusicDetailInfoSheet::ReleaseBinding() { m_binding = nullptr; }

bool CMusicDetailInfoSheet::UpdateCurrentRow()
{
    _ADORecordsetHelper* rows = m_pHost ? m_pHost->GetListRecordset() : nullptr;
    // A row a synchronisation deleted, or an empty list, has nothing to write into.
    if (!rows || !m_binding || rows->IsEOF())
        return false;
    if (m_nKind == DetailSheetHost::TrackRows)
        return rows->UpdateBinding(m_binding, &m_track);
    if (m_nKind == DetailSheetHost::StationRows)
        return rows->UpdateBinding(m_binding, &m_station);
    return false;
}

void CMusicDetailInfoSheet::RefreshListView()
{
    if (m_pHost)
        m_pHost->RefreshListView();
}

void CMusicDetailInfoSheet::RenameAlbumNodes(long albumId, LPCTSTR oldTitle, LPCTSTR newTitle)
{
    if (m_pHost)
        m_pHost->RenameAlbumNodes(albumId, oldTitle, newTitle);
}

void CMusicDetailInfoSheet::RefreshArtists()
{
    if (m_pHost)
        m_pHost->RefreshArtists();
}
