#pragma once
// The main frame with the record list in its pane, over a real library made and filled through the
// library's own creation and import code, on a test screen: a test imports tagged copies of one tone,
// shows a node's rows, reads the list's cells and headings, and notifies the frame as the list does.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CPelicanView.h"
#include "app/TreeNodeKind.h"
#include "app/TuneStewardIds.h"
#include "library/MusicImport.h"
#include "library/tests/support/MusicLibrary.h"
#include "platform/afx/AfxPriv.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/user/TestScreen.h"

namespace frame_test {

// Frame and View are the program's classes or a test's stand-ins derived from them.
template <class Frame = CMainFrame, class View = CPelicanView>
class MainFrameList : public MusicLibrary {
protected:
    explicit MainFrameList(int width = 1024, int height = 768)
        : m_screen(width, height)
    {
    }

    void SetUp() override
    {
        MusicLibrary::SetUp();
        if (HasFatalFailure())
            return;
        BeforeFrame();
        m_frame = new Frame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        App().m_pMainWnd = m_frame;
        m_view = new View;
        ASSERT_TRUE(m_view->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 600, 400), m_frame, AFX_IDW_PANE_FIRST));
        m_view->OnInitialUpdate();
        // The view is the frame's active one, as the document template makes it: a frame without one
        // erases its whole client area, bars included, in its background colour.
        m_frame->SetActiveView(m_view, FALSE);
        m_frame->ShowWindow(SW_SHOW);
        m_frame->RecalcLayout();
        m_screen.pump();
    }
    void TearDown() override
    {
        if (m_frame != nullptr && ::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        m_screen.pump();
        MusicLibrary::TearDown();
    }
    // The settings the frame reads as it is made are written here.
    virtual void BeforeFrame() { }

    static std::u16string Utf16(const char* text) { return std::u16string(text, text + std::strlen(text)); }
    // The tone every file a test makes is a copy of, made at the first call.
    const std::string& Tone()
    {
        if (m_tone.empty())
            m_tone = mp3fixtures::MakeMp3("tone.mp3", "-b 32 --add-id3v2 --tt x");
        return m_tone;
    }
    // Imports a new file, a copy of the tone with the tags; the track's id.
    long ImportTrack(const std::u16string& title, const std::u16string& artist, const std::u16string& album)
    {
        const std::string name = "track" + std::to_string(m_imported++) + ".mp3";
        std::filesystem::copy_file(Tone(), mp3fixtures::HerePath(name));
        SetTags(Here(name), { { u"TIT2", title }, { u"TPE1", artist }, { u"TALB", album } });
        long id = 0;
        EXPECT_EQ(AddFileToLibrary(m_host, Here(name).c_str(), kAlbumFromTags, &id), 1);
        return id;
    }

    static ViewNode Node(int kind, const char* text = "", long recordId = 0)
    {
        ViewNode node;
        node.kind = kind;
        node.text = text;
        node.recordId = recordId;
        return node;
    }
    void Show(const ViewNode& node)
    {
        m_frame->ReloadView(node);
        m_screen.pump();
    }
    void Show(int kind, const char* text = "", long recordId = 0) { Show(Node(kind, text, recordId)); }

    int Rows() const { return static_cast<int>(m_view->SendMessage(LVM_GETITEMCOUNT)); }
    // The list's text of a cell, as the list itself asks for it.
    std::string Cell(int row, int column) const
    {
        char text[256] {};
        LVITEM item;
        item.iSubItem = column;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        m_view->SendMessage(LVM_GETITEMTEXT, row, reinterpret_cast<LPARAM>(&item));
        return text;
    }
    // The header's columns: caption and width, in order.
    std::vector<std::pair<std::string, int>> Headings() const
    {
        std::vector<std::pair<std::string, int>> headings;
        const HWND header = reinterpret_cast<HWND>(m_view->SendMessage(LVM_GETHEADER));
        const int count = static_cast<int>(::SendMessage(header, HDM_GETITEMCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[256] {};
            HDITEM item;
            item.mask = HDI_TEXT | HDI_WIDTH;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessage(header, HDM_GETITEM, i, reinterpret_cast<LPARAM>(&item));
            headings.emplace_back(text, item.cxy);
        }
        return headings;
    }
    // The column with the caption; -1 when the list has none.
    int ColumnOf(const std::string& caption) const
    {
        const auto headings = Headings();
        for (size_t i = 0; i < headings.size(); ++i)
            if (headings[i].first == caption)
                return static_cast<int>(i);
        return -1;
    }
    // A notification from the list as its parent receives it, reflected back to the view.
    void Notify(UINT code, int row, int column = 0, POINT at = {})
    {
        NMITEMACTIVATE notify;
        notify.hdr.hwndFrom = m_view->m_hWnd;
        notify.hdr.idFrom = AFX_IDW_PANE_FIRST;
        notify.hdr.code = code;
        notify.iItem = row;
        notify.iSubItem = column;
        notify.ptAction = at;
        m_frame->SendMessage(WM_NOTIFY, AFX_IDW_PANE_FIRST, reinterpret_cast<LPARAM>(&notify));
        m_screen.pump();
    }

    platform::user::TestScreen m_screen;
    Frame* m_frame { nullptr };
    View* m_view { nullptr };
    std::string m_tone;
    int m_imported { 0 };
};

} // namespace frame_test
