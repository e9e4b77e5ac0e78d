#include "app/CSearchDlg.h"

#include <memory>
#include <utility>
#include <vector>

#include "app/AppSettings.h"
#include "app/CMainFrame.h"
#include "app/CPelicanApp.h"
#include "app/SearchDlgIds.h"
#include "app/SearchPatterns.h"
#include "library/LibraryLocations.h"
#include "library/RegistryRoutines.h"
#include "platform/afx/AfxDDX.h"
#include "platform/afx/AfxMessageBox.h"
#include "platform/base/PathApi.h"

namespace {

// The product whose devices have no disk search.
constexpr const char* kProductWithoutDisks = "Songvault";
// Folders nested deeper than this are not searched: a link that leads back up would never end.
constexpr int kMaxFolderDepth = 64;

} // namespace

BEGIN_MESSAGE_MAP(CSearchDlg, CBaseDialog)
ON_CBN_SELCHANGE(IDC_SEARCH_IN, OnSelChangeSearchIn)
ON_BN_CLICKED(IDC_SEARCH_START, OnSearch)
ON_BN_CLICKED(IDC_SEARCH_STOP, OnStop)
END_MESSAGE_MAP()

CSearchDlg::CSearchDlg(CWnd* pParent)
    : CBaseDialog(IDD_SEARCH, pParent)
{
}

void CSearchDlg::DoDataExchange(CDataExchange* pDX)
{
    CBaseDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SEARCH_STOP, m_btnStop);
    DDX_Control(pDX, IDC_SEARCH_START, m_btnSearch);
    DDX_Check(pDX, IDC_SEARCH_RECURSIVE, m_bRecursive);
    DDX_Text(pDX, IDC_SEARCH_LOCATION, m_strLocation);
    DDX_Text(pDX, IDC_SEARCH_STRING, m_strSearchString);
    DDX_CBIndex(pDX, IDC_SEARCH_IN, m_nSearchIn);
    DDX_CBIndex(pDX, IDC_SEARCH_FIELD, m_nField);
    DDX_CBIndex(pDX, IDC_SEARCH_MATCH, m_nMatch);
}

BOOL CSearchDlg::OnInitDialog()
{
    CBaseDialog::OnInitDialog();
    m_locationEdit.Initialize(IDC_SEARCH_LOCATION, this);
    InitControls();
    return TRUE;
}

void CSearchDlg::ShowControl(int nID, bool bShow)
{
    if (CWnd* control = GetDlgItem(nID))
        control->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CSearchDlg::AddTarget(UINT nStringId)
{
    const CString text = CString(MAKEINTRESOURCE(nStringId));
    SendDlgItemMessage(IDC_SEARCH_IN, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
}

void CSearchDlg::InitControls()
{
    for (const UINT id : { IDC_SEARCH_FOR_LABEL, IDC_SEARCH_TYPE_LABEL, IDC_SEARCH_STRING_LABEL, IDC_SEARCH_RECURSIVE, IDC_SEARCH_START })
        SetControlTextFromId(id);
    SetDlgItemText(IDC_SEARCH_LOCATION_LABEL, CString(MAKEINTRESOURCE(IDS_SEARCH_LOCATION)));
    ShowControl(IDC_SEARCH_LOCATION, true);
    ShowControl(IDC_SEARCH_FIELD, false);
    SendDlgItemMessage(IDC_SEARCH_IN, CB_RESETCONTENT);
    AddTarget(IDS_SEARCH_IN_LIBRARY);
    const CPelicanApp* app = GetPelicanApp();
    if (!app || app->m_strProduct.CompareNoCase(kProductWithoutDisks) != 0)
        AddTarget(IDS_SEARCH_ON_DISK);
    SendDlgItemMessage(IDC_SEARCH_IN, CB_SETCURSEL, 0);
    OnSelChangeSearchIn();
    m_strLocation = ReadRegistryValue("LastMusicSearchPath", kSettingsSection);
    m_bRecursive = SettingOnOnlyIfTrue(ReadRegistryValue("LastMusicSearchRecursive", kSettingsSection));
    UpdateData(FALSE);
}

void CSearchDlg::SetSearchIn(int nSearchIn, BOOL bUpdate)
{
    m_nSearchIn = nSearchIn;
    if (bUpdate)
        UpdateData(FALSE);
    OnSelChangeSearchIn();
}

void CSearchDlg::OnSelChangeSearchIn()
{
    UpdateData(TRUE);
    SetDlgItemText(IDC_SEARCH_STRING, "");
    const bool disk = m_nSearchIn != searchLibrary;
    ShowControl(IDC_SEARCH_LOCATION, disk);
    ShowControl(IDC_SEARCH_FILE_TYPE, disk);
    ShowControl(IDC_SEARCH_FIELD, !disk);
    ShowControl(IDC_SEARCH_MATCH, !disk);
    if (CWnd* recursive = GetDlgItem(IDC_SEARCH_RECURSIVE))
        recursive->EnableWindow(disk);
    SetDlgItemText(IDC_SEARCH_LOCATION_LABEL, CString(MAKEINTRESOURCE(disk ? IDS_SEARCH_LOCATION : IDS_SEARCH_FIELD)));
    if (SendDlgItemMessage(IDC_SEARCH_FILE_TYPE, CB_GETCURSEL) < 0)
        SendDlgItemMessage(IDC_SEARCH_FILE_TYPE, CB_SETCURSEL, 0);
    if (m_strSearchString.IsEmpty())
        m_strSearchString = "*";
    UpdateData(FALSE);
}

void CSearchDlg::OnSearch()
{
    m_nResultKind = resultNone;
    m_bStopRequested = false;
    UpdateData(TRUE);
    m_btnStop.EnableWindow(TRUE);
    m_btnSearch.EnableWindow(FALSE);
    if (m_nSearchIn != searchLibrary)
        SearchDisk();
    else
        SearchLibrary();
    m_btnSearch.EnableWindow(TRUE);
    m_btnStop.EnableWindow(FALSE);
}

void CSearchDlg::SearchLibrary()
{
    m_nResultKind = resultTracks;
    m_strSql = SearchPatterns::LibraryStatement(m_nField, m_nMatch, m_strSearchString);
    ShowResults();
}

void CSearchDlg::SearchDisk()
{
    if (m_strLocation.IsEmpty()) {
        AfxMessageBox(CString(MAKEINTRESOURCE(IDS_SEARCH_NO_LOCATION)), MB_OK);
        return;
    }
    GetDlgItemText(IDC_SEARCH_FILE_TYPE, m_strFileType);
    const CString pattern = SearchPatterns::DiskPattern(m_strLocation, m_strSearchString, m_strFileType);
    m_nResultKind = resultFiles;
    WriteRegistryValue(SearchPatterns::SavedSearchPath(m_strLocation), "LastMusicSearchPath", kSettingsSection);
    WriteRegistryValue(m_bRecursive ? "T" : "F", "LastMusicSearchRecursive", kSettingsSection);
    m_files.RemoveAll();
    CollectFiles(pattern);
    if (m_files.IsEmpty())
        AfxMessageBox(CString(MAKEINTRESOURCE(IDS_SEARCH_NO_FILE)), MB_OK);
    else
        ShowResults();
    SetCurrentDirectory(GetDataSourceDirectory());
}

void CSearchDlg::CollectFiles(const CString& pattern)
{
    const CString fileName = SECFileSystem::GetFileName(pattern);
    std::vector<std::pair<CString, int>> pending { { SECFileSystem::GetPath(pattern), 0 } };
    while (!pending.empty() && !m_bStopRequested) {
        const auto [folder, depth] = pending.back();
        pending.pop_back();
        std::unique_ptr<CStringList> found(m_fileSystem.GetFileList(folder + fileName, FILE_ATTRIBUTE_NORMAL, FALSE));
        m_files.AddTail(found.get());
        if (m_bRecursive && depth < kMaxFolderDepth) {
            const std::unique_ptr<CStringList> subfolders(m_fileSystem.GetSubdirList(folder, TRUE));
            // Taken from the back, so pushed last to first.
            for (POSITION pos = subfolders->GetTailPosition(); pos != nullptr;)
                pending.emplace_back(SECFileSystem::AppendPath(subfolders->GetPrev(pos), ""), depth + 1);
        }
        AfterFolderSearched(folder);
    }
}

void CSearchDlg::AfterFolderSearched(const CString&)
{
    // The search holds the user-interface thread; only the Stop button's own messages are served, so
    // that nothing else can change the library or this dialog under the search.
    const HWND stop = m_btnStop.GetSafeHwnd();
    MSG msg;
    while (stop != nullptr && ::PeekMessage(&msg, stop, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

void CSearchDlg::OnStop()
{
    m_bStopRequested = true;
    m_btnSearch.EnableWindow(TRUE);
    m_btnStop.EnableWindow(FALSE);
}

void CSearchDlg::ShowResults()
{
    if (CMainFrame* frame = dynamic_cast<CMainFrame*>(AfxGetMainWnd()))
        frame->ShowSearchResults();
}
