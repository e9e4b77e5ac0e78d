#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CCmdUI.h"
#include "platform/afx/CCommandLineInfo.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CFile.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMenu.h"
#include "platform/afx/CRecentFileList.h"
#include "platform/afx/CSingleDocTemplate.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

namespace {

constexpr UINT ID_ALL = 33001; // view, document, frame and application handle it
constexpr UINT ID_DOC_UP = 33002; // document, frame and application
constexpr UINT ID_FRAME_UP = 33003; // frame and application
constexpr UINT ID_APP_ONLY = 33004;
constexpr UINT ID_PASSED_ON = 33005; // the view's update handler lets the document decide

std::vector<std::string>& Calls()
{
    static std::vector<std::string> calls;
    return calls;
}

int g_documentsAlive = 0;

class CTestDoc : public CDocument {
    DECLARE_DYNCREATE(CTestDoc)
public:
    CTestDoc() { ++g_documentsAlive; }
    ~CTestDoc() override { --g_documentsAlive; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_text;
        else
            ar >> m_text;
    }
    void DeleteContents() override { m_text.Empty(); }
    afx_msg void OnAll() { Calls().push_back("doc"); }
    afx_msg void OnDocUp() { Calls().push_back("doc"); }
    afx_msg void OnUpdatePassedOn(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    CString m_text;
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestDoc, CDocument)
BEGIN_MESSAGE_MAP(CTestDoc, CDocument)
ON_COMMAND(ID_ALL, OnAll)
ON_COMMAND(ID_DOC_UP, OnDocUp)
ON_UPDATE_COMMAND_UI(ID_PASSED_ON, OnUpdatePassedOn)
END_MESSAGE_MAP()

class CTestView : public CView {
    DECLARE_DYNCREATE(CTestView)
public:
    int updates { 0 };
    void OnUpdate(CView*, LPARAM, CObject*) override { ++updates; }
    afx_msg void OnAll() { Calls().push_back("view"); }
    afx_msg void OnUpdatePassedOn(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestView, CView)
BEGIN_MESSAGE_MAP(CTestView, CView)
ON_COMMAND(ID_ALL, OnAll)
ON_UPDATE_COMMAND_UI(ID_PASSED_ON, OnUpdatePassedOn)
END_MESSAGE_MAP()

class CTestFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CTestFrame)
public:
    afx_msg void OnAll() { Calls().push_back("frame"); }
    afx_msg void OnDocUp() { Calls().push_back("frame"); }
    afx_msg void OnFrameUp() { Calls().push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNCREATE(CTestFrame, CFrameWnd)
BEGIN_MESSAGE_MAP(CTestFrame, CFrameWnd)
ON_COMMAND(ID_ALL, OnAll)
ON_COMMAND(ID_DOC_UP, OnDocUp)
ON_COMMAND(ID_FRAME_UP, OnFrameUp)
END_MESSAGE_MAP()

class CTestApp : public CWinApp {
public:
    CTestApp()
        : CWinApp("DocView")
    {
    }
    afx_msg void OnAny() { Calls().push_back("app"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
ON_COMMAND(ID_ALL, OnAny)
ON_COMMAND(ID_DOC_UP, OnAny)
ON_COMMAND(ID_FRAME_UP, OnAny)
ON_COMMAND(ID_APP_ONLY, OnAny)
END_MESSAGE_MAP()

class DocView : public ::testing::Test {
protected:
    void SetUp() override
    {
        Calls().clear();
        app.AddDocTemplate(new CSingleDocTemplate(
            0, RUNTIME_CLASS(CTestDoc), RUNTIME_CLASS(CTestFrame), RUNTIME_CLASS(CTestView)));
    }
    void TearDown() override
    {
        if (app.m_pMainWnd)
            app.m_pMainWnd->DestroyWindow();
        screen.pump();
    }

    CFrameWnd* Frame() const { return static_cast<CFrameWnd*>(app.m_pMainWnd); }

    TestScreen screen { 640, 480 };
    CTestApp app;
};

} // namespace

TEST_F(DocView, TheTemplateMakesDocumentFrameAndViewTogether)
{
    app.OnFileNew();
    CFrameWnd* frame = Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(CTestFrame)));
    EXPECT_TRUE(frame->IsWindowVisible());
    auto* view = dynamic_cast<CTestView*>(frame->GetActiveView());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    CDocument* doc = frame->GetActiveDocument();
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(view->GetDocument(), doc);
    EXPECT_EQ(view->updates, 1); // the initial update
    EXPECT_STREQ(doc->GetTitle(), "Untitled");
    CString title;
    frame->GetWindowText(title);
    EXPECT_STREQ(title, "Untitled");

    // File New again reuses the one document and frame.
    app.OnFileNew();
    EXPECT_EQ(Frame(), frame);
    EXPECT_EQ(frame->GetActiveDocument(), doc);
    EXPECT_EQ(g_documentsAlive, 1);

    // Closing the main frame closes the document and ends the loop.
    frame->SendMessage(WM_CLOSE);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(g_documentsAlive, 0);
    MSG msg;
    EXPECT_TRUE(PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(DocView, CommandsGoToTheViewDocumentFrameThenApplication)
{
    app.OnFileNew();
    CFrameWnd* frame = Frame();
    ASSERT_NE(frame, nullptr);
    struct Case {
        UINT nID;
        const char* handler;
    };
    for (const Case& c : { Case { ID_ALL, "view" }, Case { ID_DOC_UP, "doc" }, Case { ID_FRAME_UP, "frame" },
             Case { ID_APP_ONLY, "app" } }) {
        Calls().clear();
        EXPECT_EQ(frame->SendMessage(WM_COMMAND, c.nID), 1) << c.handler;
        EXPECT_EQ(Calls(), std::vector<std::string> { c.handler });
    }

    // An update handler that continues routing lets the next target decide.
    CCmdUI item;
    item.m_nID = ID_PASSED_ON;
    EXPECT_TRUE(item.DoUpdate(frame, TRUE));
    EXPECT_FALSE(item.m_bEnabled);
    // Nobody handles it: disabled when asked to.
    CCmdUI orphan;
    orphan.m_nID = 40000;
    orphan.DoUpdate(frame, TRUE);
    EXPECT_FALSE(orphan.m_bEnabled);
}

TEST_F(DocView, DocumentsSaveAndOpenThroughSerializeAndTheRecentFileList)
{
    app.LoadStdProfileSettings(4);
    app.OnFileNew();
    auto* doc = static_cast<CTestDoc*>(Frame()->GetActiveDocument());
    doc->m_text = "kept";
    doc->SetModifiedFlag();
    ASSERT_TRUE(doc->DoSave("song.doc"));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_STREQ(doc->GetTitle(), "song.doc");
    CString title;
    Frame()->GetWindowText(title);
    EXPECT_STREQ(title, "song.doc");
    ASSERT_NE(app.m_pRecentFileList, nullptr);
    EXPECT_STREQ((*app.m_pRecentFileList)[0], "song.doc");

    // A file that does not open leaves the document as it was.
    EXPECT_EQ(app.OpenDocumentFile("missing.doc"), nullptr);
    EXPECT_STREQ(doc->m_text, "kept");
    EXPECT_STREQ(doc->GetPathName(), "song.doc");

    // A damaged file leaves an empty, untitled document, which cannot be saved over the damaged file.
    {
        CFile bad;
        ASSERT_TRUE(bad.Open("bad.doc", CFile::modeCreate | CFile::modeWrite));
        const BYTE truncated[] = { 0xFF, 0x10 };
        bad.Write(truncated, sizeof(truncated));
    }
    EXPECT_EQ(app.OpenDocumentFile("bad.doc"), nullptr);
    EXPECT_STREQ(doc->m_text, "");
    EXPECT_STREQ(doc->GetPathName(), "");
    EXPECT_STREQ(doc->GetTitle(), "Untitled");

    EXPECT_EQ(app.OpenDocumentFile("song.doc"), doc);
    EXPECT_STREQ(doc->m_text, "kept");
    EXPECT_STREQ(doc->GetPathName(), "song.doc");
}

TEST(RecentFileList, NewestFirstWithoutDuplicatesAndBounded)
{
    CRecentFileList list(0, "Recent File List", "File%d", 3);
    for (const char* name : { "a.doc", "b.doc", "A.DOC", "c.doc", "d.doc" })
        list.Add(name);
    EXPECT_STREQ(list[0], "d.doc");
    EXPECT_STREQ(list[1], "c.doc");
    EXPECT_STREQ(list[2], "A.DOC");
    EXPECT_STREQ(list[3], "");
    list.Remove(0);
    EXPECT_STREQ(list[0], "c.doc");
}

TEST(CommandLine, ParsesTheFileAndTheFlags)
{
    CWinApp app("cmdline");
    char line[] = "/p \"C:\\My Music\\list.doc\" -Embedding";
    app.m_lpCmdLine = line;
    CCommandLineInfo info;
    app.ParseCommandLine(info);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FilePrint);
    EXPECT_STREQ(info.m_strFileName, "C:\\My Music\\list.doc");
    EXPECT_TRUE(info.m_bRunEmbedded);
    EXPECT_FALSE(info.m_bShowSplash);

    char empty[] = "";
    app.m_lpCmdLine = empty;
    CCommandLineInfo none;
    app.ParseCommandLine(none);
    EXPECT_EQ(none.m_nShellCommand, CCommandLineInfo::FileNew);
}

TEST_F(DocView, PopupMenusTakeTheStateTheHandlersGive)
{
    app.OnFileNew();
    CFrameWnd* frame = Frame();
    ASSERT_NE(frame, nullptr);
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, ID_FRAME_UP, "Handled");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, 40000, "Unhandled");
    popup.AppendMenu(MF_STRING, ID_PASSED_ON, "Disabled by the document");
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);
    EXPECT_EQ(popup.GetMenuState(0, MF_BYPOSITION) & MF_GRAYED, 0u);
    EXPECT_NE(popup.GetMenuState(2, MF_BYPOSITION) & MF_GRAYED, 0u);
    EXPECT_NE(popup.GetMenuState(3, MF_BYPOSITION) & MF_GRAYED, 0u);
    CString text;
    popup.GetMenuString(3, text, MF_BYPOSITION);
    EXPECT_STREQ(text, "Disabled by the document");
}
