// Naming templates by key and index, and finding the template of a document, view and frame.

#include "toolkit/frames/SECDocTemplateUtils.h"

#include <gtest/gtest.h>

#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CMultiDocTemplate.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"

namespace {

class CSongDoc : public CDocument {
    DECLARE_DYNCREATE(CSongDoc)
};
IMPLEMENT_DYNCREATE(CSongDoc, CDocument)

class CAlbumDoc : public CDocument {
    DECLARE_DYNCREATE(CAlbumDoc)
};
IMPLEMENT_DYNCREATE(CAlbumDoc, CDocument)

class CListView : public CView {
    DECLARE_DYNCREATE(CListView)
};
IMPLEMENT_DYNCREATE(CListView, CView)

class CChildFrame : public CFrameWnd {
    DECLARE_DYNCREATE(CChildFrame)
};
IMPLEMENT_DYNCREATE(CChildFrame, CFrameWnd)

// Stands in for the toolkit's dockable frame, which is known by its class name.
class SECDockableFrame : public CFrameWnd {
    DECLARE_DYNCREATE(SECDockableFrame)
};
IMPLEMENT_DYNCREATE(SECDockableFrame, CFrameWnd)

class DocTemplates : public ::testing::Test {
protected:
    CMultiDocTemplate* Add(UINT nID, CRuntimeClass* pDoc, const char* typeId)
    {
        auto* pTemplate = new CMultiDocTemplate(nID, pDoc, RUNTIME_CLASS(CChildFrame), RUNTIME_CLASS(CListView));
        pTemplate->m_strDocStrings = CString("\nDoc\nDoc\n\n\n") + typeId + "\n" + typeId + " name";
        m_app.AddDocTemplate(pTemplate);
        return pTemplate;
    }

    CWinApp m_app { "DocTemplates" };
    SECDocTemplateUtils m_utils;
};

TEST_F(DocTemplates, TemplatesAreNamedByKeyAndIndexAmongThoseSharingTheKey)
{
    m_utils.m_bKeyById = TRUE;
    CMultiDocTemplate* songs = Add(10, RUNTIME_CLASS(CSongDoc), "Song");
    Add(11, RUNTIME_CLASS(CAlbumDoc), "Album");
    CMultiDocTemplate* moreSongs = Add(12, RUNTIME_CLASS(CSongDoc), "Song");

    EXPECT_EQ(m_utils.GetTemplateIndex(songs, "Song"), 0);
    EXPECT_EQ(m_utils.GetTemplateIndex(moreSongs, "Song"), 1);
    EXPECT_EQ(m_utils.GetTemplate("Song", 1), moreSongs);
    EXPECT_EQ(m_utils.GetTemplate("Song", 2), nullptr);
    EXPECT_EQ(m_utils.GetTemplate("Song", -1), nullptr);
    EXPECT_EQ(m_utils.GetTemplateIndex(nullptr, "Song"), -1);

    // Keyed by name instead, the id no longer matches.
    m_utils.m_bKeyById = FALSE;
    EXPECT_EQ(m_utils.GetTemplate("Song name", 1), moreSongs);
    EXPECT_EQ(m_utils.GetTemplate("Song", 0), nullptr);
}

TEST_F(DocTemplates, FindTemplateNarrowsByViewFrameResourceAndDocument)
{
    CSongDoc doc;
    CListView view;
    CChildFrame frame;
    EXPECT_EQ(m_utils.FindTemplate(&doc, &view, &frame), nullptr);

    // One template answers every question without comparing classes.
    CMultiDocTemplate* songs = Add(10, RUNTIME_CLASS(CSongDoc), "Song");
    CAlbumDoc album;
    EXPECT_EQ(m_utils.FindTemplate(&album, &view, &frame), songs);
    EXPECT_EQ(m_utils.FindTemplate(&album, nullptr, &frame), nullptr);

    CMultiDocTemplate* albums = Add(11, RUNTIME_CLASS(CAlbumDoc), "Album");
    CMultiDocTemplate* moreSongs = Add(12, RUNTIME_CLASS(CSongDoc), "Song");
    frame.m_nIDHelp = 11;
    EXPECT_EQ(m_utils.FindTemplate(&doc, &view, &frame), albums);
    // No resource matches: the filter empties the list and the answer is null.
    frame.m_nIDHelp = 99;
    EXPECT_EQ(m_utils.FindTemplate(&doc, &view, &frame), nullptr);

    // Two song templates with the same resource: the document's class leaves both, so the document's
    // own template wins, else the first.
    moreSongs->m_nIDResource = 10;
    frame.m_nIDHelp = 10;
    EXPECT_EQ(m_utils.FindTemplate(&doc, &view, &frame), songs);
    moreSongs->AddDocument(&doc);
    EXPECT_EQ(m_utils.FindTemplate(&doc, &view, &frame), moreSongs);
    moreSongs->RemoveDocument(&doc);
}

TEST_F(DocTemplates, ADockableFrameMatchesNoOrdinaryTemplate)
{
    EXPECT_TRUE(m_utils.IsDockableFrameClass(RUNTIME_CLASS(SECDockableFrame)));
    EXPECT_FALSE(m_utils.IsDockableFrameClass(RUNTIME_CLASS(CChildFrame)));
    EXPECT_FALSE(m_utils.IsDockableFrameClass(nullptr));

    CMultiDocTemplate* songs = Add(10, RUNTIME_CLASS(CSongDoc), "Song");
    Add(11, RUNTIME_CLASS(CAlbumDoc), "Album");
    EXPECT_EQ(m_utils.GetTemplateFrameClass(songs, FALSE), RUNTIME_CLASS(CChildFrame));
    EXPECT_EQ(m_utils.GetTemplateFrameClass(songs, TRUE), nullptr);
    CPtrList templates;
    ASSERT_TRUE(m_utils.GetAllTemplates(templates));
    CListView view;
    SECDockableFrame frame;
    EXPECT_TRUE(m_utils.FilterByViewAndFrame(templates, &view, &frame));
    EXPECT_TRUE(templates.IsEmpty());
}

} // namespace
