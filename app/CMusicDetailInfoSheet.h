#pragma once
// The sheet below the record list that shows and edits the row the user is on. Its pages follow the
// kind of rows the list shows; the list's record set is bound straight to the row structures, so a
// page reads the current row from them and writes an edit back through the binding's Update.

#include "app/CAlbumInfoBasicPage.h"
#include "app/CAlbumInfoExtraPage.h"
#include "app/CBasePropertySheet.h"
#include "app/CFileDetailPage.h"
#include "app/CRadioStationInfoPage.h"
#include "app/CTrackInfoPage.h"
#include "app/DetailBindings.h"
#include "app/DetailSheetHost.h"

class CMusicDetailInfoSheet : public CBasePropertySheet {
public:
    explicit CMusicDetailInfoSheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CMusicDetailInfoSheet() override;

    // The window that answers the sheet's questions; the main frame once it provides them.
    void SetHost(DetailSheetHost* host) { m_pHost = host; }
    DetailSheetHost* Host() const { return m_pHost; }

    BOOL OnInitDialog() override;
    // The current row changed: rebinds and gives the focus back to the window that had it.
    void OnRowChanged();
    // Shows the pages of the list's kind, binds the kind's structure when not bound, and loads them.
    void RebindToSelection();
    // Lets go of the binding; the list calls it before it closes its record set.
    void ReleaseBinding();
    // Writes the bound structure of the current kind into the current row; false when nothing was
    // written (no binding, no row, or the row is gone).
    bool UpdateCurrentRow();
    void RefreshListView();
    void RenameAlbumNodes(long albumId, LPCTSTR oldTitle, LPCTSTR newTitle);
    void RefreshArtists();

    int m_nKind { DetailSheetHost::NoRows };
    CMusicTrackRsBinding m_track;
    CRadioStationRsBinding m_station;
    CFileDetailRsBinding m_file;
    CAlbumInfoBasicPage m_albumBasicPage;
    CAlbumInfoExtraPage m_albumExtraPage;   // built and loaded, shown for no kind
    CTrackInfoPage m_trackPage;
    CRadioStationInfoPage m_stationPage;
    CFileDetailPage m_filePage;
    CPropertyPage m_emptyPage;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    // Replaces the pages when the list's kind changed.
    void SetPagesForKind();
    void RemoveAllPages();

    DetailSheetHost* m_pHost { nullptr };
    IADORecordBindingPtr m_binding;
};
