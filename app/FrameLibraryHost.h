#pragma once
// The main window's side of the library's import and edits: the overwrite prompt, the status bar and
// its progress, the wait cursor, the library tree's updates, the empty-album question and the delete
// confirmations, all carried out on the frame that owns this object.

#include "library/LibraryEditHost.h"
#include "library/MusicImportHost.h"

class CMainFrame;

class FrameLibraryHost : public MusicImportHost, public LibraryEditHost {
public:
    explicit FrameLibraryHost(CMainFrame& frame)
        : m_frame(frame)
    {
    }

    bool YesToAll() const override;
    void SetYesToAll(bool yesToAll) override;
    void SetSyncRunning(bool running) override;
    int AskOverwrite(LPCTSTR fileName) override;
    void SetStatusText(LPCTSTR text) override;
    void PumpMessages() override;
    void BeginWaitCursor() override;
    void RestoreWaitCursor() override;
    void EndWaitCursor() override;
    CString MakeUniqueAlbumName(LPCTSTR baseName) override;
    void AddAlbumToTree(long albumId, LPCTSTR title, LPCTSTR artist, long genreId) override;
    void RefreshPlaylists() override;
    void RefreshTree() override;
    void RequeryView() override;
    void BeginProgress() override;
    void SetProgress(int percent) override;
    void EndProgress() override;
    bool RaiseMatchWindow() override;

    bool AskDeleteEmptyAlbum(LPCTSTR albumTitle) override;
    void DeleteAlbum(long albumId) override;
    bool ConfirmDelete(CPelicanApp::ConfirmKind kind, LPCTSTR name, bool& dontAskAgain) override;

private:
    CMainFrame& m_frame;
};
