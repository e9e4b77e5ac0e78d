#pragma once
// The library tree over a real library made and filled through the library's own creation, import and
// edit code, in an owner window on a test screen, with the main frame loaded when a test asks for it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CMainTreeCtrl.h"
#include "app/TuneStewardIds.h"
#include "app/WindowHelpers.h"
#include "library/LibraryEditHost.h"
#include "library/MusicImport.h"
#include "library/RegistryRoutines.h"
#include "library/tests/support/MusicLibrary.h"
#include "platform/afx/tests/DialogSteps.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"

namespace tree_test {

using platform::user::TestScreen;

// The tree's owner: the modal dialogs the tree's commands show are driven by the steps of a test.
using StepOwner = afxtest::StepsOwner<CWnd>;

// Right-clicks the node's label, as a person opening its context menu does.
inline void RightClickNode(CMainTreeCtrl& tree, HTREEITEM item)
{
    tree.EnsureVisible(item);
    CRect rect;
    tree.GetCellRect(tree.RowOfItem(item), 0, rect, LVIR_LABEL);
    POINT point = rect.CenterPoint();
    ::ClientToScreen(tree.m_hWnd, &point);
    platform::user::InjectMouseMove(point);
    platform::user::InjectMouseButton(platform::user::MouseButton::Right, true);
    platform::user::InjectMouseButton(platform::user::MouseButton::Right, false);
}

using Texts = std::vector<std::string>;

// The main window's part in the track edits, answered without windows.
class QuietEditHost : public LibraryEditHost {
public:
    void RequeryView() override { }
    bool AskDeleteEmptyAlbum(LPCTSTR) override { return false; }
    void DeleteAlbum(long) override { }
    bool ConfirmDelete(CPelicanApp::ConfirmKind, LPCTSTR, bool& dontAskAgain) override
    {
        dontAskAgain = false;
        return true;
    }
};

class LibraryTree : public MusicLibrary {
protected:
    void SetUp() override
    {
        MusicLibrary::SetUp();
        if (HasFatalFailure())
            return;
        // Tests of one run share the registry and the library's name: no test sees another's tree state.
        DeleteRegistryKey(GetLibraryFolderName() + "\\TreeState");
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, CRect(0, 0, 260, 440), nullptr, 0));
        ASSERT_TRUE(tree.Create(&owner, CRect(0, 0, 260, 440)));
    }
    void TearDown() override
    {
        if (tree.m_hWnd != nullptr)
            tree.DestroyWindow();
        if (owner.m_hWnd != nullptr)
            owner.DestroyWindow();
        if (m_frame != nullptr && ::IsWindow(m_frame->m_hWnd))
            m_frame->DestroyWindow();
        screen.pump();
        MusicLibrary::TearDown();
    }

    // Imports a new file with the tags; the track's id.
    long Import(const std::u16string& artist, const std::u16string& album, const std::u16string& title)
    {
        if (m_tone.empty())
            m_tone = mp3fixtures::MakeMp3("tone.mp3", "-b 32");
        const std::string name = "track" + std::to_string(++m_files) + ".mp3";
        std::filesystem::copy_file(m_tone, std::filesystem::current_path() / name);
        SetTags(Here(name), { { u"TPE1", artist }, { u"TALB", album }, { u"TIT2", title } });
        long trackId = 0;
        EXPECT_EQ(AddFileToLibrary(m_host, Here(name).c_str(), kAlbumFromTags, &trackId), 1);
        return trackId;
    }
    static long AlbumId(const std::string& title)
    {
        return Number("SELECT QVCDID FROM tMusicMain WHERE Title = '" + title + "'");
    }

    std::string Label(HTREEITEM item) { return item ? std::string(tree.GetItemText(item, 0)) : "<none>"; }
    Texts Children(HTREEITEM parent)
    {
        Texts texts;
        for (HTREEITEM h = tree.GetChildItem(parent); h != nullptr; h = tree.GetNextSiblingItem(h))
            texts.push_back(Label(h));
        return texts;
    }
    static Texts Sorted(Texts texts)
    {
        std::sort(texts.begin(), texts.end());
        return texts;
    }
    HTREEITEM Child(HTREEITEM parent, const std::string& label)
    {
        for (HTREEITEM h = tree.GetChildItem(parent); h != nullptr; h = tree.GetNextSiblingItem(h))
            if (Label(h) == label)
                return h;
        return nullptr;
    }
    bool Expanded(HTREEITEM item) { return (tree.GetItemState(item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; }
    void LoadMainFrame(CMainFrame* frame = nullptr)
    {
        m_frame = frame != nullptr ? frame : new CMainFrame;
        ASSERT_TRUE(m_frame->LoadFrame(IDR_MAINFRAME, WS_OVERLAPPEDWINDOW));
        App().m_pMainWnd = m_frame;
    }
    CMenu* SubMenu(const char* text)
    {
        CMenu* menu = m_frame->GetCurrentMenu();
        const int at = FindMenuItemByText(menu, text);
        return at < 0 ? nullptr : menu->GetSubMenu(at);
    }

    TestScreen screen { 320, 480 };
    StepOwner owner;
    CMainTreeCtrl tree;
    CMainFrame* m_frame { nullptr };
    QuietEditHost m_edits;
    std::string m_tone;
    int m_files { 0 };
};

} // namespace tree_test
