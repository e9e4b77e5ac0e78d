#pragma once
// The main window's side of the detail sheet: the kind of rows the list shows and its record set,
// refilling the list after an edit without losing the user's row, and the library tree's changes that
// follow an edit, all carried out on the frame that owns this object.

#include "app/DetailSheetHost.h"

class CMainFrame;
class CMainTreeCtrl;

class FrameDetailHost : public DetailSheetHost {
public:
    explicit FrameDetailHost(CMainFrame& frame)
        : m_frame(frame)
    {
    }

    int GetSelectionKind() override;
    _ADORecordsetHelper* GetListRecordset() override;
    void RefreshListView() override;
    void RenameAlbumNodes(long albumId, LPCTSTR oldTitle, LPCTSTR newTitle) override;
    void RefreshArtists() override;
    void MoveAlbumToGenreGroup(long genreId, long albumId, LPCTSTR title) override;
    void InsertRadioGroupNode(long groupId, LPCTSTR name) override;

private:
    // The library tree, or null while it has no window (no library shown yet).
    CMainTreeCtrl* Tree() const;

    CMainFrame& m_frame;
};
