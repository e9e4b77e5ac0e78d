#include "app/CSyncProgressDlg.h"

#include "app/CMainFrame.h"
#include "app/TuneStewardIds.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/base/Wait.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/gdi/FrameDrawing.h"
#include "sync/Lumasync.h"

namespace {

// The status bar's idle text.
constexpr UINT kIdleText = 57345;
// The wait between the phases when the device took changes in phase 1.
constexpr WPARAM kPauseAfterSending = 1000;
constexpr int kInside = 1;
constexpr int kOutside = 2;

CString LoadText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CSyncProgressDlg, CBaseDialog)
ON_MESSAGE(CSyncProgressDlg::WM_SEND_CHANGES, OnSendChanges)
ON_MESSAGE(CSyncProgressDlg::WM_REBUILD_LIBRARY, OnRebuildLibrary)
ON_MESSAGE(CSyncProgressDlg::WM_SWAP_DATABASE, OnSwapDatabase)
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_BN_CLICKED(IDC_SYNC_STOP, OnStop)
ON_WM_NCPAINT()
ON_WM_NCACTIVATE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCHITTEST()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

BEGIN_DISPATCH_MAP(CSyncProgressDlg, CBaseDialog)
DISP_FUNCTION_ID(CSyncProgressDlg, "Progress", DISPID_QVSYNC_PROGRESS, OnProgress, VT_EMPTY, VTS_I4 VTS_I4 VTS_I4)
DISP_FUNCTION_ID(CSyncProgressDlg, "SyncDone", DISPID_QVSYNC_SYNCDONE, OnSyncDone, VT_EMPTY, VTS_NONE)
DISP_FUNCTION_ID(CSyncProgressDlg, "SyncAborted", DISPID_QVSYNC_SYNCABORTED, OnSyncAborted, VT_EMPTY, VTS_NONE)
DISP_FUNCTION_ID(CSyncProgressDlg, "AppExiting", DISPID_QVSYNC_APPEXITING, OnAppExiting, VT_EMPTY, VTS_NONE)
END_DISPATCH_MAP()

BEGIN_INTERFACE_MAP(CSyncProgressDlg, CBaseDialog)
INTERFACE_PART(CSyncProgressDlg, platform::IidOf<IQVClientDeviceEvents>(), Dispatch)
END_INTERFACE_MAP()

CSyncProgressDlg::CSyncProgressDlg(CMainFrame* pFrame)
    : CBaseDialog(IDD_SYNC_PROGRESS, pFrame)
    , m_pFrame(pFrame)
{
}

CSyncProgressDlg::~CSyncProgressDlg() = default;

BOOL CSyncProgressDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    m_pFrame->m_bSyncRunning = TRUE;
    m_run = std::make_unique<SyncRun>(m_pFrame->m_pDevice);
    m_wndOverall.SubclassDlgItem(IDC_SYNC_OVERALL, this);
    m_wndFile.SubclassDlgItem(IDC_SYNC_FILE, this);
    m_wndAnimation.SubclassDlgItem(IDC_SYNC_ANIMATION, this);
    m_wndOverall.SetRange(0, 100);
    m_wndOverall.SetPos(0);
    m_wndAnimation.Open(IDR_SYNC_ANIMATION);
    m_wndAnimation.ShowWindow(SW_HIDE);
    m_wndFile.SetRange(0, 100);
    m_wndFile.SetPos(0);
    m_wndFile.ShowWindow(SW_HIDE);
    GetDlgItem(IDC_SYNC_FILE_LABEL)->ShowWindow(SW_HIDE);
    PostMessage(WM_SEND_CHANGES);
    return TRUE;
}

void CSyncProgressDlg::SetStatusText(LPCTSTR text)
{
    SetDlgItemText(IDC_SYNC_STATUS, text ? CString(text) : LoadText(IDS_SYNC_PROGRESS_TITLE));
}

void CSyncProgressDlg::ShowRunning(UINT textId)
{
    const CString text = LoadText(textId);
    SetStatusText(text);
    m_wndAnimation.ShowWindow(SW_SHOW);
    m_wndAnimation.Play(0, static_cast<UINT>(-1), static_cast<UINT>(-1));
    m_pFrame->SetMessageText(text);
}

void CSyncProgressDlg::Follow(const SyncRun::Step& step)
{
    if (step.message != 0)
        AfxMessageBox(step.message, MB_OK | MB_ICONEXCLAMATION);
    switch (step.next) {
    case SyncRun::Next::WaitForDevice:
        m_pFrame->SetMessageText(kIdleText);
        break;
    case SyncRun::Next::Rebuild:
        PostMessage(WM_REBUILD_LIBRARY, 0);
        break;
    case SyncRun::Next::End:
        EndSync(true);
        break;
    }
}

LRESULT CSyncProgressDlg::OnSendChanges(WPARAM, LPARAM)
{
    SetStatusText(LoadText(IDS_SYNC_INITIALIZING));
    m_wndFile.ShowWindow(SW_SHOW);
    GetDlgItem(IDC_SYNC_FILE_LABEL)->ShowWindow(SW_SHOW);
    EnableAutomation();
    if (!m_run->Advise(GetIDispatch(FALSE))) {
        EndSync(true);
        return 0;
    }
    m_pFrame->m_viewRecordset.Release();
    const auto ask = [] { return AfxMessageBox(IDS_SYNC_ASK_UNSENT, MB_YESNOCANCEL); };
    // The status text of the run goes up just before it starts, as the dialog cannot say whether it will.
    const SyncRun::Step step = m_run->SendChanges(m_bAsk ? std::function<int()>(ask) : std::function<int()>());
    if (step.next == SyncRun::Next::WaitForDevice)
        ShowRunning(IDS_SYNC_SENDING);
    Follow(step);
    return 0;
}

LRESULT CSyncProgressDlg::OnRebuildLibrary(WPARAM wParam, LPARAM)
{
    if (wParam > 0)
        ::Sleep(static_cast<DWORD>(wParam));
    SetStatusText(LoadText(IDS_SYNC_INITIALIZING));
    m_wndFile.ShowWindow(SW_HIDE);
    GetDlgItem(IDC_SYNC_FILE_LABEL)->ShowWindow(SW_HIDE);
    const SyncRun::Step step = m_run->StartRebuild();
    if (step.next == SyncRun::Next::WaitForDevice)
        ShowRunning(IDS_SYNC_REBUILDING);
    Follow(step);
    return 0;
}

LRESULT CSyncProgressDlg::OnSwapDatabase(WPARAM, LPARAM)
{
    UINT message = 0;
    if (!m_run->SwapDatabase(&message)) {
        AfxMessageBox(message, MB_OK | MB_ICONEXCLAMATION);
        EndSync(true);
        return 0;
    }
    EndSync(false);
    return 0;
}

void CSyncProgressDlg::OnProgress(LONG overall, LONG file, LONG)
{
    m_wndOverall.SendMessage(PBM_SETPOS, static_cast<WPARAM>(overall));
    m_wndFile.SendMessage(PBM_SETPOS, static_cast<WPARAM>(file));
    CString caption;
    caption.Format(LoadText(IDS_SYNC_PERCENT_DONE), static_cast<int>(overall));
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption.GetString()));
}

void CSyncProgressDlg::OnSyncDone()
{
    m_wndAnimation.Stop();
    if (m_run->Phase() == 1)
        PostMessage(WM_REBUILD_LIBRARY, kPauseAfterSending);
    else
        PostMessage(WM_SWAP_DATABASE);
}

void CSyncProgressDlg::EndSync(bool cancel)
{
    if (m_bEnded)
        return;
    m_bEnded = true;
    m_run->Unadvise();
    m_pFrame->m_bSyncRunning = FALSE;
    if (cancel) {
        m_pFrame->ReleaseDevice();
        m_run->DropWorkingFiles();
        EndDialog(IDCANCEL);
    } else {
        EndDialog(IDOK);
    }
}

void CSyncProgressDlg::OnStop()
{
    BeginWaitCursor();
    SetStatusText(LoadText(IDS_SYNC_STOPPING));
    GetDlgItem(IDC_SYNC_STOP)->EnableWindow(FALSE);
    if (m_pFrame->m_pDevice)
        m_pFrame->m_pDevice->CancelSync();
    EndSync(true);
    EndWaitCursor();
}

CRect CSyncProgressDlg::MinimizeButtonRect()
{
    CRect window;
    GetWindowRect(&window);
    const int width = window.Width();
    return CRect(width - (GetSystemMetrics(SM_CYSIZE) + 1), GetSystemMetrics(SM_CYFRAME) + 1,
        width - (GetSystemMetrics(SM_CYFRAME) + 1), GetSystemMetrics(SM_CYSIZE) + 1);
}

int CSyncProgressDlg::HitTest(CPoint point)
{
    point.Offset(5, GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION));
    return MinimizeButtonRect().PtInRect(point) ? kInside : kOutside;
}

void CSyncProgressDlg::DrawMinimizeButton(bool pushed)
{
    HDC dc = ::GetWindowDC(m_hWnd);
    CRect button = MinimizeButtonRect();
    DrawFrameControl(dc, &button, DFC_CAPTION, DFCS_CAPTIONMIN | (pushed ? DFCS_PUSHED : 0));
    ::ReleaseDC(m_hWnd, dc);
}

void CSyncProgressDlg::OnNcPaint()
{
    Default();
    DrawMinimizeButton(false);
}

BOOL CSyncProgressDlg::OnNcActivate(BOOL)
{
    OnNcPaint();
    return TRUE;
}

LRESULT CSyncProgressDlg::OnSetText(WPARAM, LPARAM)
{
    const LRESULT result = Default();
    DrawMinimizeButton(false);
    return result;
}

void CSyncProgressDlg::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    CPoint client = point;
    ScreenToClient(&client);
    if (HitTest(client) != kInside) {
        Default();
        return;
    }
    DrawMinimizeButton(true);
    m_nButtonHit = kInside;
    m_nButtonTracking = TRUE;
    SetCapture();
}

LRESULT CSyncProgressDlg::OnNcHitTest(CPoint point)
{
    if (GetCapture() != this)
        return Default();
    CPoint client = point;
    ScreenToClient(&client);
    const int hit = HitTest(client);
    if (hit == m_nButtonHit)
        return Default();
    m_nButtonHit = hit;
    DrawMinimizeButton(hit == kInside && m_nButtonTracking);
    return hit;
}

void CSyncProgressDlg::OnLButtonUp(UINT, CPoint point)
{
    if (GetCapture() != this) {
        Default();
        return;
    }
    if (m_nButtonTracking)
        DrawMinimizeButton(false);
    if (HitTest(point) == kInside) {
        if (CWnd* main = AfxGetMainWnd()) {
            main->ShowWindow(SW_MINIMIZE);
            if (!main->IsWindowEnabled())
                main->EnableWindow(TRUE);
        }
    }
    m_nButtonTracking = FALSE;
    ReleaseCapture();
}
