#include "platform/afx/CWinApp.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CCommandLineInfo.h"
#include "platform/afx/CDocTemplate.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CPrintDialog.h"
#include "platform/afx/CRecentFileList.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWnd.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Modules.h"
#include "platform/base/Profile.h"
#include "platform/base/Registry.h"
#include "platform/base/Thread.h"

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
ON_COMMAND(ID_FILE_NEW, OnFileNew)
ON_COMMAND(ID_FILE_OPEN, OnFileOpen)
ON_COMMAND(ID_FILE_PRINT_SETUP, OnFilePrintSetup)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_COMMAND_EX_RANGE(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, OnOpenRecentFile)
ON_UPDATE_COMMAND_UI_RANGE(ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

namespace {

// A block of its own with the same bytes; null for none or when out of memory.
HGLOBAL CopyOfBlock(HGLOBAL block)
{
    const SIZE_T size = GlobalSize(block);
    const void* from = size ? GlobalLock(block) : nullptr;
    if (!from)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (void* to = copy ? GlobalLock(copy) : nullptr) {
        std::memcpy(to, from, size);
        GlobalUnlock(copy);
    }
    GlobalUnlock(block);
    return copy;
}

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using UniqueKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// Replaces an owned malloc'd text.
void ReplaceText(LPCTSTR& member, LPCTSTR text)
{
    std::free(const_cast<char*>(member));
    member = text ? ::strdup(text) : nullptr;
}

UniqueKey CreateSubKey(HKEY parent, LPCTSTR name)
{
    HKEY key = nullptr;
    if (RegCreateKeyEx(parent, name, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE | KEY_READ, nullptr, &key, nullptr)
        != ERROR_SUCCESS)
        return nullptr;
    return UniqueKey(key);
}

// Reads a profile-file entry of any length.
CString ReadProfileFileString(LPCTSTR section, LPCTSTR entry, LPCTSTR defaultText, LPCTSTR file)
{
    std::vector<char> buffer(4096);
    for (;;) {
        const DWORD length = GetPrivateProfileString(
            section, entry, defaultText ? defaultText : "", buffer.data(), static_cast<DWORD>(buffer.size()), file);
        if (length + 2 < buffer.size())
            return CString(buffer.data(), static_cast<int>(length));
        buffer.resize(buffer.size() * 2);
    }
}

int BinaryLetterValue(char c) { return (c >= 'A' && c <= 'P') ? c - 'A' : -1; }

} // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    if (lpszAppName)
        m_pszAppName = ::strdup(lpszAppName);
    m_nThreadID = GetCurrentThreadId();
    m_bAutoDelete = FALSE;
    afx::SetCurrentApp(this);
}

CWinApp::~CWinApp()
{
    for (POSITION pos = m_templateList.GetHeadPosition(); pos;)
        delete static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
    m_templateList.RemoveAll();
    GlobalFree(m_hDevMode);
    GlobalFree(m_hDevNames);
    if (AfxGetApp() == this)
        afx::SetCurrentApp(nullptr);
    for (LPCTSTR* text : { &m_pszAppName, &m_pszExeName, &m_pszHelpFilePath, &m_pszProfileName, &m_pszRegistryKey })
        ReplaceText(*text, nullptr);
}

void CWinApp::SetCurrentHandles()
{
    if (!m_hInstance)
        m_hInstance = GetModuleHandle(nullptr);
    if (!m_pszExeName) {
        char path[MAX_PATH] {};
        GetModuleFileName(m_hInstance, path, MAX_PATH);
        CString name(path);
        name = name.Mid(std::max(name.ReverseFind('\\'), name.ReverseFind('/')) + 1);
        const int dot = name.ReverseFind('.');
        if (dot > 0)
            name = name.Left(dot);
        ReplaceText(m_pszExeName, name);
    }
    if (!m_pszAppName) {
        CString title;
        ReplaceText(m_pszAppName, title.LoadString(AFX_IDS_APP_TITLE) ? title.GetString() : m_pszExeName);
    }
    if (!m_pszProfileName)
        ReplaceText(m_pszProfileName, CString(m_pszExeName) + ".INI");
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    SetCurrentHandles();
    ReplaceText(m_pszRegistryKey, lpszRegistryKey);
    ReplaceText(m_pszProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey()
{
    SetCurrentHandles();
    if (!m_pszRegistryKey || !m_pszProfileName)
        return nullptr;
    // A fresh user hive may not have "Software" yet.
    UniqueKey softwareKey = CreateSubKey(HKEY_CURRENT_USER, "Software");
    if (!softwareKey)
        return nullptr;
    UniqueKey companyKey = CreateSubKey(softwareKey.get(), m_pszRegistryKey);
    if (!companyKey)
        return nullptr;
    return CreateSubKey(companyKey.get(), m_pszProfileName).release();
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    if (!lpszSection)
        return nullptr;
    UniqueKey appKey(GetAppRegistryKey());
    if (!appKey)
        return nullptr;
    return CreateSubKey(appKey.get(), lpszSection).release();
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    SetCurrentHandles();
    if (!m_pszRegistryKey)
        return GetPrivateProfileInt(lpszSection, lpszEntry, nDefault, m_pszProfileName);
    UniqueKey section(GetSectionKey(lpszSection));
    if (!section)
        return static_cast<UINT>(nDefault);
    DWORD type = 0;
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (RegQueryValueEx(section.get(), lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size)
            != ERROR_SUCCESS
        || type != REG_DWORD || size != sizeof(value))
        return static_cast<UINT>(nDefault);
    return value;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    SetCurrentHandles();
    if (!m_pszRegistryKey) {
        CString text;
        text.Format("%d", nValue);
        return WritePrivateProfileString(lpszSection, lpszEntry, text, m_pszProfileName);
    }
    UniqueKey section(GetSectionKey(lpszSection));
    if (!section)
        return FALSE;
    const DWORD value = static_cast<DWORD>(nValue);
    return RegSetValueEx(section.get(), lpszEntry, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value))
        == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    SetCurrentHandles();
    if (!m_pszRegistryKey)
        return ReadProfileFileString(lpszSection, lpszEntry, lpszDefault, m_pszProfileName);
    UniqueKey section(GetSectionKey(lpszSection));
    if (section) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueEx(section.get(), lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS
            && (type == REG_SZ || type == REG_EXPAND_SZ)) {
            std::vector<char> text(size + 1);
            if (RegQueryValueEx(section.get(), lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(text.data()), &size)
                == ERROR_SUCCESS) {
                text[std::min<std::size_t>(size, text.size() - 1)] = '\0';
                return CString(text.data());
            }
        }
    }
    return CString(lpszDefault);
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    SetCurrentHandles();
    if (!m_pszRegistryKey)
        return WritePrivateProfileString(lpszSection, lpszEntry, lpszValue, m_pszProfileName);
    if (!lpszSection)
        return FALSE;
    if (!lpszEntry) {
        UniqueKey appKey(GetAppRegistryKey());
        return appKey && RegDeleteKey(appKey.get(), lpszSection) == ERROR_SUCCESS;
    }
    UniqueKey section(GetSectionKey(lpszSection));
    if (!section)
        return FALSE;
    if (!lpszValue)
        return RegDeleteValue(section.get(), lpszEntry) == ERROR_SUCCESS;
    return RegSetValueEx(section.get(), lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
               static_cast<DWORD>(std::strlen(lpszValue) + 1))
        == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    if (!ppData || !pBytes)
        return FALSE;
    *ppData = nullptr;
    *pBytes = 0;
    SetCurrentHandles();
    if (!m_pszRegistryKey) {
        // Two letters per byte; a text of odd length or with other letters is not binary data, and
        // reading it is refused rather than decoded past its end.
        const CString text = GetProfileString(lpszSection, lpszEntry, nullptr);
        if (text.IsEmpty() || text.GetLength() % 2 != 0)
            return FALSE;
        const UINT count = static_cast<UINT>(text.GetLength() / 2);
        auto data = std::make_unique<BYTE[]>(count);
        for (UINT i = 0; i < count; ++i) {
            const int low = BinaryLetterValue(text[static_cast<int>(2 * i)]);
            const int high = BinaryLetterValue(text[static_cast<int>(2 * i + 1)]);
            if (low < 0 || high < 0)
                return FALSE;
            data[i] = static_cast<BYTE>((high << 4) | low);
        }
        *ppData = data.release();
        *pBytes = count;
        return TRUE;
    }
    UniqueKey section(GetSectionKey(lpszSection));
    if (!section)
        return FALSE;
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueEx(section.get(), lpszEntry, nullptr, &type, nullptr, &size) != ERROR_SUCCESS
        || type != REG_BINARY)
        return FALSE;
    auto data = std::make_unique<BYTE[]>(size ? size : 1);
    if (RegQueryValueEx(section.get(), lpszEntry, nullptr, &type, data.get(), &size) != ERROR_SUCCESS)
        return FALSE;
    *ppData = data.release();
    *pBytes = size;
    return TRUE;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    if (!pData && nBytes != 0)
        return FALSE;
    SetCurrentHandles();
    if (!m_pszRegistryKey) {
        CString text;
        LPTSTR letters = text.GetBufferSetLength(static_cast<int>(nBytes * 2));
        for (UINT i = 0; i < nBytes; ++i) {
            letters[2 * i] = static_cast<char>('A' + (pData[i] & 0x0F));
            letters[2 * i + 1] = static_cast<char>('A' + ((pData[i] >> 4) & 0x0F));
        }
        text.ReleaseBuffer(static_cast<int>(nBytes * 2));
        return WriteProfileString(lpszSection, lpszEntry, text);
    }
    UniqueKey section(GetSectionKey(lpszSection));
    if (!section)
        return FALSE;
    return RegSetValueEx(section.get(), lpszEntry, 0, REG_BINARY, pData, nBytes) == ERROR_SUCCESS;
}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    SetCurrentHandles();
    if ((nType & MB_ICONMASK) == 0) {
        switch (nType & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            nType |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            nType |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    // The box belongs to the main window (or the top window of the active one), so it stays above it.
    HWND owner = nullptr;
    CWnd::GetSafeOwner(nullptr, &owner);
    return MessageBox(owner, lpszPrompt, m_pszAppName, nType);
}

// The window part.

int CWinApp::ExitInstance()
{
    SaveStdProfileSettings();
    return static_cast<int>(m_msgCur.wParam);
}

int CWinApp::Run()
{
    if (!m_pMainWnd)
        ::PostQuitMessage(0);
    return CWinThread::Run();
}

BOOL CWinApp::OnIdle(LONG lCount)
{
    const BOOL more = CWinThread::OnIdle(lCount);
    if (lCount <= 0) {
        for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
            CDocTemplate* docTemplate = GetNextDocTemplate(pos);
            for (POSITION docPos = docTemplate->GetFirstDocPosition(); docPos;)
                docTemplate->GetNextDoc(docPos)->OnIdle();
        }
    }
    return more;
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (!pTemplate || m_templateList.Find(pTemplate))
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const
{
    return static_cast<CDocTemplate*>(const_cast<CPtrList&>(m_templateList).GetNext(pos));
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName)
{
    if (!lpszFileName || !*lpszFileName)
        return nullptr;
    CDocTemplate* best = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    CDocument* openDoc = nullptr;
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        CDocTemplate* docTemplate = GetNextDocTemplate(pos);
        CDocument* match = nullptr;
        const CDocTemplate::Confidence confidence = docTemplate->MatchDocType(lpszFileName, match);
        if (confidence > bestMatch) {
            bestMatch = confidence;
            best = docTemplate;
        }
        if (confidence == CDocTemplate::yesAlreadyOpen) {
            openDoc = match;
            break;
        }
    }
    if (openDoc) {
        // The document is open already: its frame comes forward.
        POSITION pos = openDoc->GetFirstViewPosition();
        if (pos) {
            if (CFrameWnd* frame = openDoc->GetNextView(pos)->GetParentFrame())
                frame->ActivateFrame();
        }
        return openDoc;
    }
    return best ? best->OpenDocumentFile(lpszFileName) : nullptr;
}

BOOL CWinApp::DoPromptFileName(CString&, UINT, DWORD, BOOL, CDocTemplate*) { return FALSE; }

BOOL CWinApp::SaveAllModified()
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;) {
        if (!GetNextDocTemplate(pos)->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession)
{
    for (POSITION pos = GetFirstDocTemplatePosition(); pos;)
        GetNextDocTemplate(pos)->CloseAllDocuments(bEndSession);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo)
{
    std::vector<std::string> words;
    const char* p = m_lpCmdLine ? m_lpCmdLine : "";
    while (*p) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        std::string word;
        bool quoted = false;
        for (; *p && (quoted || (*p != ' ' && *p != '\t')); ++p) {
            if (*p == '"')
                quoted = !quoted;
            else
                word += *p;
        }
        words.push_back(word);
    }
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        const bool flag = word.size() > 1 && (word[0] == '/' || word[0] == '-');
        rCmdInfo.ParseParam(flag ? word.c_str() + 1 : word.c_str(), flag, i + 1 == words.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo)
{
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        // A program without a FILE_NEW handler starts without a document.
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::AppRegister:
    case CCommandLineInfo::AppUnregister:
        return FALSE;
    default:
        return TRUE;
    }
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU)
{
    if (nMaxMRU > 0) {
        m_pRecentFileList = std::make_unique<CRecentFileList>(0, "Recent File List", "File%d", static_cast<int>(nMaxMRU));
        m_pRecentFileList->ReadList();
    }
    m_nNumPreviewPages = GetProfileInt("Settings", "PreviewPages", 0);
}

void CWinApp::SaveStdProfileSettings()
{
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName)
{
    if (m_pRecentFileList)
        m_pRecentFileList->Add(lpszPathName);
}

void CWinApp::OnFileNew()
{
    POSITION pos = GetFirstDocTemplatePosition();
    if (!pos)
        return;
    GetNextDocTemplate(pos)->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen()
{
    CString name;
    if (DoPromptFileName(name, 0, 0, TRUE, nullptr))
        OpenDocumentFile(name);
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLG* pd)
{
    if (!pd || !m_hDevMode || !m_hDevNames)
        return FALSE;
    GlobalFree(pd->hDevMode);
    GlobalFree(pd->hDevNames);
    pd->hDevMode = CopyOfBlock(m_hDevMode);
    pd->hDevNames = CopyOfBlock(m_hDevNames);
    return pd->hDevMode && pd->hDevNames;
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog setup(TRUE);
    GetPrinterDeviceDefaults(&setup.m_pd);
    if (setup.DoModal() != IDOK)
        return;
    // The dialog gives up its blocks: the choice now belongs to the application.
    GlobalFree(m_hDevMode);
    GlobalFree(m_hDevNames);
    m_hDevMode = std::exchange(setup.m_pd.hDevMode, nullptr);
    m_hDevNames = std::exchange(setup.m_pd.hDevNames, nullptr);
}

void CWinApp::OnAppExit()
{
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

BOOL CWinApp::OnOpenRecentFile(UINT nID)
{
    if (!m_pRecentFileList)
        return FALSE;
    const int index = static_cast<int>(nID - ID_FILE_MRU_FIRST);
    const CString name = (*m_pRecentFileList)[index];
    if (name.IsEmpty())
        return FALSE;
    // A file that cannot be opened any more leaves the list.
    if (!OpenDocumentFile(name))
        m_pRecentFileList->Remove(index);
    return TRUE;
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI)
{
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPTSTR lpCmdLine, int nCmdShow)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = hInstance ? hInstance : ::GetModuleHandle(nullptr);
    app->m_lpCmdLine = lpCmdLine;
    app->m_nCmdShow = nCmdShow;
    app->SetCurrentHandles();
    if (!app->InitInstance()) {
        if (app->m_pMainWnd && app->m_pMainWnd->m_hWnd)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}
