#pragma once
// The synchronisation's modal progress dialog: it drives the run's phases (SyncRun), receives the
// component's events on the component's own thread, shows the progress and lets the user stop. It has
// no system menu and draws one caption button of its own, which minimises the whole program.

#include "app/CBaseDialog.h"
#include "app/SyncRun.h"
#include "platform/afx/AfxDispatchMap.h"
#include "platform/afx/CAnimateCtrl.h"
#include "platform/afx/CProgressCtrl.h"

#include <memory>

class CMainFrame;

class CSyncProgressDlg : public CBaseDialog {
public:
    // The private messages of the phases, above the dialog manager's own DM_ range of WM_USER.
    static constexpr UINT WM_SEND_CHANGES = WM_APP + 1;
    static constexpr UINT WM_REBUILD_LIBRARY = WM_APP + 2; // wParam: milliseconds to wait first
    static constexpr UINT WM_SWAP_DATABASE = WM_APP + 3;

    // The run uses the frame's device, which the frame must hold.
    explicit CSyncProgressDlg(CMainFrame* pFrame);
    ~CSyncProgressDlg() override;

    BOOL OnInitDialog() override;
    // The status line; null shows the dialog's title text.
    void SetStatusText(LPCTSTR text);
    // Ends the dialog once: IDCANCEL lets go of the device and of the run's working files.
    void EndSync(bool cancel);

    // The component's events, called on its thread: they only send to the window and post to it.
    void OnProgress(LONG overall, LONG file, LONG status);
    void OnSyncDone();
    void OnSyncAborted() { }
    void OnAppExiting() { }

    // Ask before sending unsent changes (a library opened with them).
    BOOL m_bAsk { FALSE };

protected:
    afx_msg LRESULT OnSendChanges(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnRebuildLibrary(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSwapDatabase(WPARAM wParam, LPARAM lParam);
    afx_msg void OnStop();
    afx_msg void OnNcPaint();
    afx_msg BOOL OnNcActivate(BOOL bActive);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg void OnNcLButtonDown(UINT nHitTest, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
    DECLARE_DISPATCH_MAP()
    DECLARE_INTERFACE_MAP()

private:
    // Shows the status text in the dialog and in the frame's status bar, and plays the animation.
    void ShowRunning(UINT textId);
    // After a step of the run: a message, then waiting, the next phase or the end.
    void Follow(const SyncRun::Step& step);
    // The caption button's rectangle in window coordinates, and whether a point lies inside (1) or not (2).
    CRect MinimizeButtonRect();
    int HitTest(CPoint clientPoint);
    void DrawMinimizeButton(bool pushed);

    CMainFrame* m_pFrame { nullptr };
    std::unique_ptr<SyncRun> m_run;
    CProgressCtrl m_wndOverall;
    CProgressCtrl m_wndFile;
    CAnimateCtrl m_wndAnimation;
    bool m_bEnded { false };
    int m_nButtonHit { 0 };
    BOOL m_nButtonTracking { FALSE };
};
