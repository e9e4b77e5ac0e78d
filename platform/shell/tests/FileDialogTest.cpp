#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/GlobalMemory.h"
#include "platform/base/MessageBox.h"
#include "platform/base/Modules.h"
#include "platform/base/Paths.h"
#include "platform/shell/ChooserWindow.h"
#include "platform/shell/CommDlg.h"
#include "platform/shell/FileDialogModel.h"
#include "platform/shell/ShlObj.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"
#include "platform/user/WinDialogs.h"

namespace {

namespace fs = std::filesystem;
using platform::FileDialogModel;
using Verdict = FileDialogModel::Verdict;

// Queues the keys that type the text (letters, digits, dots) for the focus window.
void Type(const std::string& text)
{
    for (char c : text) {
        int vk = c == '.' ? VK_OEM_PERIOD : std::toupper(static_cast<unsigned char>(c));
        const bool shift = std::isupper(static_cast<unsigned char>(c));
        if (shift)
            platform::user::InjectKey(VK_SHIFT, true);
        platform::user::InjectKey(vk, true);
        platform::user::InjectKey(vk, false);
        if (shift)
            platform::user::InjectKey(VK_SHIFT, false);
    }
}

void Press(int vk)
{
    platform::user::InjectKey(vk, true);
    platform::user::InjectKey(vk, false);
}

// A folder of music to choose from: a.mp3, B.wma, notes.txt, .hidden.mp3 and the folders Covers
// and albums.
class FileDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories("Music/Covers");
        fs::create_directories("Music/albums");
        for (const char* name : { "Music/a.mp3", "Music/B.wma", "Music/notes.txt", "Music/.hidden.mp3" })
            std::ofstream(name) << "x";
        music = platform::ToProgramPath((fs::current_path() / "Music").string());
        m_previousPresenter = platform::SetMessageBoxPresenter([this](const std::string& text, const std::string&, UINT) {
            boxes.push_back(text);
            return boxAnswer;
        });
    }
    void TearDown() override
    {
        platform::SetMessageBoxPresenter(m_previousPresenter);
        platform::SetChooserShownHook(nullptr);
    }

    // Gives the input once the dialog shows.
    void whenShown(std::function<void()> input)
    {
        platform::SetChooserShownHook([input](HWND) { input(); });
    }

    OPENFILENAME record(DWORD flags, const char* initial = "")
    {
        OPENFILENAME ofn;
        std::strcpy(file, initial);
        ofn.lpstrFile = file;
        ofn.nMaxFile = sizeof file;
        ofn.lpstrFileTitle = title;
        ofn.nMaxFileTitle = sizeof title;
        ofn.lpstrFilter = "Music (*.mp3;*.wma)\0*.mp3;*.wma\0All files\0*.*\0";
        ofn.lpstrInitialDir = music.c_str();
        ofn.lpstrDefExt = "mp3";
        ofn.Flags = flags;
        return ofn;
    }

    platform::user::TestScreen screen { 640, 480 };
    std::string music;
    char file[MAX_PATH] {};
    char title[MAX_PATH] {};
    std::vector<std::string> boxes;
    int boxAnswer { IDYES };

private:
    platform::MessageBoxPresenter m_previousPresenter;
};

} // namespace

TEST(FileFilter, PairsOfDescriptionAndPatterns)
{
    const auto filters = platform::ParseFileFilter("Music\0*.mp3; *.wma\0All\0*.*\0Dangling\0\0");
    ASSERT_EQ(filters.size(), 2u);
    EXPECT_EQ(filters[0].description, "Music");
    EXPECT_EQ(filters[0].patterns, (std::vector<std::string> { "*.mp3", "*.wma" }));
    EXPECT_EQ(filters[1].patterns, (std::vector<std::string> { "*.*" }));
    EXPECT_TRUE(platform::ParseFileFilter(nullptr).empty());
}

TEST_F(FileDialogs, TheListShowsFoldersThenFilteredFilesWithoutHiddenOnes)
{
    OPENFILENAME ofn = record(0);
    FileDialogModel model(ofn, false);
    EXPECT_EQ(model.folder(), music + "\\");
    const auto names = [&] {
        std::vector<std::string> out;
        for (const auto& e : model.entries())
            out.push_back(e.folder ? e.name + "\\" : e.name);
        return out;
    };
    EXPECT_EQ(names(), (std::vector<std::string> { "albums\\", "Covers\\", "a.mp3", "B.wma" }));
    model.selectFilter(1);
    EXPECT_EQ(names(), (std::vector<std::string> { "albums\\", "Covers\\", "a.mp3", "B.wma", "notes.txt" }));
    EXPECT_EQ(model.submit("*.TXT"), Verdict::OpenedFolder);
    EXPECT_EQ(names(), (std::vector<std::string> { "albums\\", "Covers\\", "notes.txt" }));
    EXPECT_EQ(model.submit("covers"), Verdict::OpenedFolder);
    EXPECT_EQ(model.folder(), music + "\\Covers\\");
    EXPECT_TRUE(model.openFolder(".."));
    EXPECT_FALSE(model.openFolder("nowhere"));
    EXPECT_EQ(model.folder(), music + "\\");
}

TEST_F(FileDialogs, TypedNamesAreCheckedAsTheFlagsAsk)
{
    struct Case {
        bool save;
        DWORD flags;
        const char* typed;
        Verdict verdict;
        const char* chosen; // relative to the music folder
    };
    const Case cases[] = {
        { false, OFN_FILEMUSTEXIST, "b.wma", Verdict::Accepted, "b.wma" },
        { false, OFN_FILEMUSTEXIST, "a", Verdict::Accepted, "a.mp3" },
        { false, OFN_FILEMUSTEXIST, "missing.mp3", Verdict::NotFound, nullptr },
        { false, OFN_PATHMUSTEXIST, "missing.mp3", Verdict::Accepted, "missing.mp3" },
        { false, OFN_PATHMUSTEXIST, "no\\such.mp3", Verdict::PathNotFound, nullptr },
        { false, OFN_FILEMUSTEXIST | OFN_NOVALIDATE, "missing.mp3", Verdict::Accepted, "missing.mp3" },
        { true, OFN_OVERWRITEPROMPT, "new", Verdict::Accepted, "new.mp3" },
        { true, OFN_OVERWRITEPROMPT, "a", Verdict::ConfirmOverwrite, nullptr },
        { true, 0, "a", Verdict::Accepted, "a.mp3" },
        { true, 0, "list.m3u", Verdict::Accepted, "list.m3u" },
        { true, 0, "no\\such.mp3", Verdict::PathNotFound, nullptr },
        { true, 0, "   ", Verdict::InvalidName, nullptr },
        { false, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, "\"a.mp3\" \"B.wma\"", Verdict::Accepted, "a.mp3|B.wma" },
        { false, OFN_ALLOWMULTISELECT | OFN_FILEMUSTEXIST, "\"a.mp3\" \"gone.mp3\"", Verdict::NotFound, nullptr },
    };
    for (const Case& c : cases) {
        OPENFILENAME ofn = record(c.flags);
        FileDialogModel model(ofn, c.save);
        EXPECT_EQ(model.submit(c.typed), c.verdict) << c.typed;
        if (!c.chosen)
            continue;
        std::string expected;
        for (const auto& path : model.chosen())
            expected += (expected.empty() ? "" : "|") + path.substr(music.size() + 1);
        EXPECT_EQ(expected, c.chosen) << c.typed;
    }
    OPENFILENAME ofn = record(OFN_OVERWRITEPROMPT);
    FileDialogModel model(ofn, true);
    EXPECT_EQ(model.submit("a", true), Verdict::Accepted);
}

TEST_F(FileDialogs, TheChoiceIsWrittenBackOrTheSizeNeededIsTold)
{
    OPENFILENAME ofn = record(OFN_FILEMUSTEXIST);
    FileDialogModel model(ofn, false);
    ASSERT_EQ(model.submit("B.wma"), Verdict::Accepted);
    ASSERT_EQ(model.store(ofn), 0u);
    const std::string path = music + "\\B.wma";
    EXPECT_EQ(std::string(file), path);
    EXPECT_EQ(ofn.nFileOffset, music.size() + 1);
    EXPECT_EQ(ofn.nFileExtension, path.size() - 3);
    EXPECT_STREQ(title, "B.wma");
    EXPECT_TRUE(ofn.Flags & OFN_EXTENSIONDIFFERENT);

    ofn.nMaxFile = 8;
    std::strcpy(file, "keep");
    EXPECT_EQ(model.store(ofn), FNERR_BUFFERTOOSMALL);
    WORD needed = 0;
    std::memcpy(&needed, file, sizeof needed);
    EXPECT_EQ(needed, path.size() + 1);

    OPENFILENAME several = record(OFN_ALLOWMULTISELECT | OFN_EXPLORER);
    FileDialogModel multi(several, false);
    ASSERT_EQ(multi.submit("\"a.mp3\" \"B.wma\""), Verdict::Accepted);
    ASSERT_EQ(multi.store(several), 0u);
    EXPECT_EQ(std::string(file, music.size() + 14), music + '\0' + "a.mp3" + '\0' + "B.wma" + '\0' + '\0');
    EXPECT_EQ(several.nFileOffset, music.size() + 1);
}

TEST_F(FileDialogs, OpenAndSaveDialogsOnTheScreen)
{
    // Typed name and Enter.
    OPENFILENAME ofn = record(OFN_FILEMUSTEXIST | OFN_HIDEREADONLY);
    whenShown([] { Type("a"); Press(VK_RETURN); });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(std::string(file), music + "\\a.mp3");

    // Into a folder from the list (the folders come first), back up, then the third entry.
    ofn = record(OFN_FILEMUSTEXIST);
    whenShown([] { Press(VK_DOWN); Press(VK_RIGHT); Press(VK_BACK); Press(VK_DOWN); Press(VK_DOWN); Press(VK_RETURN); });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(std::string(file), music + "\\a.mp3");

    // A missing file is told and the dialog stays; Escape then cancels.
    ofn = record(OFN_FILEMUSTEXIST);
    whenShown([] { Type("gone"); Press(VK_RETURN); Press(VK_ESCAPE); });
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find("File not found"), std::string::npos);

    // Replacing an existing file is confirmed first.
    boxes.clear();
    boxAnswer = IDNO;
    ofn = record(OFN_OVERWRITEPROMPT, "B.wma");
    whenShown([] { Press(VK_RETURN); Press(VK_ESCAPE); });
    EXPECT_FALSE(GetSaveFileName(&ofn));
    boxAnswer = IDYES;
    ofn = record(OFN_OVERWRITEPROMPT, "B.wma");
    whenShown([] { Press(VK_RETURN); });
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_EQ(std::string(file), music + "\\B.wma");
    EXPECT_EQ(boxes.size(), 2u);
}

TEST_F(FileDialogs, TheButtonsAndTheTypeBoxWorkAsTheKeysDo)
{
    const auto clickItem = [this](HWND dialog, int id) {
        RECT rect {};
        GetWindowRect(GetDlgItem(dialog, id), &rect);
        screen.click((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    };
    // The second type lets the text file into the list, whose last entry Open then takes.
    std::string okText;
    LRESULT types = 0;
    OPENFILENAME ofn = record(OFN_FILEMUSTEXIST);
    platform::SetChooserShownHook([&](HWND dialog) {
        char text[32] {};
        GetDlgItemText(dialog, IDOK, text, sizeof text);
        okText = text;
        HWND typeBox = GetDlgItem(dialog, platform::ChooserWindow::kTypeBoxId);
        types = SendMessage(typeBox, CB_GETCOUNT, 0, 0);
        SendMessage(typeBox, CB_SETCURSEL, 1, 0);
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(platform::ChooserWindow::kTypeBoxId, CBN_SELCHANGE),
            reinterpret_cast<LPARAM>(typeBox));
        for (int i = 0; i < 10; ++i)
            Press(VK_DOWN);
        clickItem(dialog, IDOK);
    });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(okText, "Open");
    EXPECT_EQ(types, 2);
    EXPECT_EQ(std::string(file), music + "\\notes.txt");
    EXPECT_EQ(ofn.nFilterIndex, 2u);

    // Cancel cancels, with no error.
    ofn = record(OFN_OVERWRITEPROMPT, "B.wma");
    platform::SetChooserShownHook([&](HWND dialog) { clickItem(dialog, IDCANCEL); });
    EXPECT_FALSE(GetSaveFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FileDialogs, ABadRecordFailsWithItsReasonBeforeShowing)
{
    platform::SetChooserShownHook([](HWND) {
        ADD_FAILURE() << "no dialog expected";
        Press(VK_ESCAPE);
    });
    struct Case {
        const char* name;
        std::function<void(OPENFILENAME&)> spoil;
        DWORD error;
    };
    const Case cases[] = {
        { "size", [](OPENFILENAME& o) { o.lStructSize = 12; }, CDERR_STRUCTSIZE },
        { "buffer", [](OPENFILENAME& o) { o.lpstrFile = nullptr; }, CDERR_INITIALIZATION },
        { "hook", [](OPENFILENAME& o) { o.Flags |= OFN_ENABLEHOOK; }, CDERR_NOHOOK },
        { "instance", [](OPENFILENAME& o) { o.Flags |= OFN_ENABLETEMPLATE; o.lpTemplateName = MAKEINTRESOURCE(2000); }, CDERR_NOHINSTANCE },
        { "template", [](OPENFILENAME& o) { o.Flags |= OFN_ENABLETEMPLATE; o.hInstance = GetModuleHandle(nullptr); o.lpTemplateName = MAKEINTRESOURCE(2001); }, CDERR_FINDRESFAILURE },
    };
    for (const Case& c : cases) {
        OPENFILENAME ofn = record(0);
        c.spoil(ofn);
        EXPECT_FALSE(GetSaveFileName(&ofn)) << c.name;
        EXPECT_EQ(CommDlgExtendedError(), c.error) << c.name;
    }
    EXPECT_FALSE(GetOpenFileName(nullptr));
}

TEST_F(FileDialogs, TheHookSeesTheDialogFirst)
{
    static std::vector<UINT> seen;
    static LPARAM custom = 0;
    seen.clear();
    OPENFILENAME ofn = record(OFN_ENABLEHOOK);
    ofn.lCustData = 77;
    ofn.lpfnHook = [](HWND, UINT message, WPARAM wParam, LPARAM lParam) -> UINT_PTR {
        if (message == WM_INITDIALOG)
            custom = reinterpret_cast<OPENFILENAME*>(lParam)->lCustData;
        if (message == WM_INITDIALOG || message == WM_KEYDOWN)
            seen.push_back(message);
        // The hook swallows Escape.
        return message == WM_KEYDOWN && wParam == VK_ESCAPE;
    };
    whenShown([] { Press(VK_ESCAPE); Type("a"); Press(VK_RETURN); });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    EXPECT_EQ(custom, 77);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), static_cast<UINT>(WM_INITDIALOG));
}

TEST_F(FileDialogs, AnExplorerHookGetsAChildOfTheDialogAndAnswersOk)
{
    // The hook adds a button below the dialog's file-type box on the grown dialog, and refuses the
    // first OK.
    static HWND child = nullptr;
    static HWND frame = nullptr;
    static bool itemsFound = false;
    static RECT grown {};
    static std::vector<std::string> offered;
    child = frame = nullptr;
    itemsFound = false;
    offered.clear();
    OPENFILENAME ofn = record(OFN_EXPLORER | OFN_ENABLEHOOK | OFN_FILEMUSTEXIST);
    ofn.lpfnHook = [](HWND dialog, UINT message, WPARAM, LPARAM lParam) -> UINT_PTR {
        if (message == WM_INITDIALOG) {
            child = dialog;
            frame = GetParent(dialog);
            itemsFound = GetDlgItem(frame, 1136) && GetDlgItem(frame, IDCANCEL) && GetDlgItem(frame, 1152);
            RECT type {};
            GetWindowRect(GetDlgItem(frame, 1136), &type);
            ScreenToClient(frame, reinterpret_cast<POINT*>(&type));
            RECT window;
            GetWindowRect(frame, &window);
            SetWindowPos(frame, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + 40,
                SWP_NOMOVE | SWP_NOZORDER);
            GetClientRect(frame, &grown);
            CreateWindowEx(0, "Button", "Extra", WS_CHILD | WS_VISIBLE | BS_RADIOBUTTON, 20, type.top + 30, 100, 16, frame,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(3000)), nullptr, nullptr);
            return 0;
        }
        if (message == WM_NOTIFY && reinterpret_cast<OFNOTIFY*>(lParam)->hdr.code == CDN_FILEOK) {
            offered.push_back(reinterpret_cast<OFNOTIFY*>(lParam)->lpOFN->lpstrFile);
            if (offered.size() > 1)
                return 0;
            // Refused: the focus goes to the added button, and the name field names the file again.
            SetFocus(GetDlgItem(frame, 3000));
            SetDlgItemText(frame, 1152, "a.mp3");
            return 1;
        }
        return 0;
    };
    // Return with the focus on the added button is still the dialog's OK.
    whenShown([] { Type("a.mp3"); Press(VK_RETURN); Press(VK_RETURN); });
    ASSERT_TRUE(GetOpenFileName(&ofn));
    ASSERT_NE(child, nullptr);
    EXPECT_NE(frame, child);
    EXPECT_TRUE(itemsFound);
    EXPECT_EQ(offered, (std::vector<std::string> { music + "\\a.mp3", music + "\\a.mp3" }));
    EXPECT_STREQ(file, (music + "\\a.mp3").c_str());
    EXPECT_GT(grown.bottom, 0);
}

// The rows of a list box of a dialog.
std::vector<std::string> Rows(HWND dialog, int id)
{
    std::vector<std::string> rows;
    const LRESULT count = SendDlgItemMessage(dialog, id, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char text[MAX_PATH] {};
        SendDlgItemMessage(dialog, id, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        rows.emplace_back(text);
    }
    return rows;
}

std::string ItemText(HWND dialog, int id)
{
    char text[MAX_PATH] {};
    GetDlgItemText(dialog, id, text, sizeof text);
    return text;
}

TEST_F(FileDialogs, ADialogOnATemplateListsTheFolderAndIsDrivenByItsItems)
{
    OPENFILENAME ofn = record(OFN_FILEMUSTEXIST);
    ofn.Flags |= OFN_ENABLETEMPLATE;
    ofn.hInstance = GetModuleHandle(nullptr);
    ofn.lpTemplateName = MAKEINTRESOURCE(2000);
    struct {
        std::string folder, name, typedName, clickedName, drive, folderInCovers;
        std::vector<std::string> folders, files, allFiles, foldersInCovers;
    } seen;
    const auto rowCentre = [](HWND dialog, int id, int row) {
        RECT rect {};
        SendDlgItemMessage(dialog, id, LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&rect));
        POINT centre { (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2 };
        ClientToScreen(GetDlgItem(dialog, id), &centre);
        return centre;
    };
    platform::SetChooserShownHook([&](HWND dialog) {
        seen.folder = ItemText(dialog, 1088);
        seen.name = ItemText(dialog, 1152);
        seen.drive = ItemText(dialog, 1137);
        seen.folders = Rows(dialog, 1121);
        seen.files = Rows(dialog, 1120);
        // Another type lists the other files, and its pattern stands in the name field.
        SendDlgItemMessage(dialog, 1136, CB_SETCURSEL, 1, 0);
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(1136, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, 1136)));
        seen.allFiles = Rows(dialog, 1120);
        seen.typedName = ItemText(dialog, 1152);
        // A click in the files list names the file.
        const POINT notes = rowCentre(dialog, 1120, 2);
        screen.click(notes.x, notes.y);
        seen.clickedName = ItemText(dialog, 1152);
        // A double click opens a subfolder.
        const POINT covers = rowCentre(dialog, 1121, static_cast<int>(seen.folders.size()) - 1);
        screen.doubleClick(covers.x, covers.y);
        seen.folderInCovers = ItemText(dialog, 1088);
        seen.foldersInCovers = Rows(dialog, 1121);
        // OK takes a name typed relative to the folder shown.
        SetDlgItemText(dialog, 1152, "..\\notes.txt");
        RECT ok {};
        GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
        screen.click((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
        // Ends the dialog should OK have left it open.
        Press(VK_ESCAPE);
    });
    ASSERT_TRUE(GetOpenFileName(&ofn)) << testing::PrintToString(boxes);
    // The folder's path, cut after its drive where it is too long for the item.
    const auto shows = [](const std::string& shown, const std::string& path) {
        return shown == path || (shown.rfind("Z:\\...\\", 0) == 0 && path.ends_with(shown.substr(6)));
    };
    EXPECT_TRUE(shows(seen.folder, music)) << seen.folder;
    EXPECT_EQ(seen.name, "*.mp3;*.wma");
    EXPECT_EQ(seen.drive, music.substr(0, 2));
    // The way down from the drive's root, then the subfolders.
    ASSERT_GE(seen.folders.size(), 4u);
    EXPECT_EQ(seen.folders.front(), music.substr(0, 3));
    EXPECT_EQ(std::vector<std::string>(seen.folders.end() - 3, seen.folders.end()), (std::vector<std::string> { "Music", "albums", "Covers" }));
    EXPECT_EQ(seen.files, (std::vector<std::string> { "a.mp3", "B.wma" }));
    EXPECT_EQ(seen.allFiles, (std::vector<std::string> { "a.mp3", "B.wma", "notes.txt" }));
    EXPECT_EQ(seen.typedName, "*.*");
    EXPECT_EQ(seen.clickedName, "notes.txt");
    EXPECT_TRUE(shows(seen.folderInCovers, music + "\\Covers")) << seen.folderInCovers;
    EXPECT_EQ(seen.foldersInCovers.size(), seen.folders.size() - 1);
    EXPECT_EQ(std::string(file), music + "\\notes.txt");
    EXPECT_EQ(ofn.nFileOffset, music.size() + 1);
    EXPECT_EQ(ofn.nFileExtension, music.size() + 7);
    EXPECT_EQ(ofn.nFilterIndex, 2u);

    // Escape cancels, with no error.
    ofn = record(OFN_FILEMUSTEXIST | OFN_ENABLETEMPLATE);
    ofn.hInstance = GetModuleHandle(nullptr);
    ofn.lpTemplateName = MAKEINTRESOURCE(2000);
    whenShown([] { Press(VK_ESCAPE); });
    EXPECT_FALSE(GetOpenFileName(&ofn));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
}

TEST_F(FileDialogs, ATemplateDialogsHookFindsItsItemsAndOkTakesTheNameItLeft)
{
    // A folder chooser: a save dialog on a template whose hook hides the name field, fills it with a
    // name that only makes OK accept the folder shown, and gives the folder list the focus.
    static bool foundAll = false;
    char chosen[MAX_PATH] {};
    OPENFILENAME ofn;
    ofn.lpstrFile = chosen;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrFilter = "(nofiles)\0NOFILES.$$$\0";
    ofn.lpstrInitialDir = music.c_str();
    ofn.Flags = 0x56 | OFN_ENABLEHOOK;
    ofn.hInstance = GetModuleHandle(nullptr);
    ofn.lpTemplateName = MAKEINTRESOURCE(2000);
    static int oks = 0;
    oks = 0;
    ofn.lpfnHook = [](HWND dialog, UINT message, WPARAM wParam, LPARAM) -> UINT_PTR {
        // The hook takes the first OK itself: the dialog does nothing with it.
        if (message == WM_COMMAND && LOWORD(wParam) == IDOK)
            return ++oks == 1;
        if (message != WM_INITDIALOG)
            return 0;
        foundAll = true;
        for (int id : { 1088, 1089, 1090, 1091, 1120, 1121, 1136, 1137, 1152, 1040, IDOK, IDCANCEL, 1038 })
            foundAll = foundAll && GetDlgItem(dialog, id) != nullptr;
        ShowWindow(GetDlgItem(dialog, 1152), SW_HIDE);
        SetDlgItemText(dialog, 1152, "noclose");
        SetFocus(GetDlgItem(dialog, 1121));
        return 0;
    };
    // Enter the hook takes; down to "Covers" (the second subfolder below the folder shown), Enter opens
    // it, Enter again is OK.
    whenShown([] { Press(VK_RETURN); Press(VK_DOWN); Press(VK_DOWN); Press(VK_RETURN); Press(VK_RETURN); });
    ASSERT_TRUE(GetSaveFileName(&ofn));
    EXPECT_TRUE(foundAll);
    EXPECT_EQ(oks, 3);
    EXPECT_EQ(std::string(chosen, ofn.nFileOffset), music + "\\Covers\\");
    EXPECT_STREQ(chosen + ofn.nFileOffset, "noclose");
}

TEST_F(FileDialogs, TheFolderBrowserStartsAtTheSelectionAndReturnsTheFolderShown)
{
    static std::string start;
    static std::vector<std::string> changes;
    start = music;
    changes.clear();
    char name[MAX_PATH] {};
    BROWSEINFO info;
    info.pszDisplayName = name;
    info.lpszTitle = "Select Directory";
    info.lpfn = [](HWND hwnd, UINT message, LPARAM lParam, LPARAM) -> int {
        if (message == BFFM_INITIALIZED) {
            IShellFolder* desktop = nullptr;
            SHGetDesktopFolder(&desktop);
            LPITEMIDLIST pidl = nullptr;
            std::u16string wide(start.begin(), start.end());
            EXPECT_EQ(desktop->ParseDisplayName(hwnd, nullptr, wide.data(), nullptr, &pidl, nullptr), S_OK);
            SendMessage(hwnd, BFFM_SETSELECTION, FALSE, reinterpret_cast<LPARAM>(pidl));
            ILFree(pidl);
            desktop->Release();
        }
        if (message == BFFM_SELCHANGED) {
            char path[MAX_PATH];
            SHGetPathFromIDList(reinterpret_cast<LPCITEMIDLIST>(lParam), path);
            changes.push_back(path);
        }
        return 0;
    };

    // Into "Covers" (the second folder) and back: Enter takes the folder shown.
    whenShown([] { Press(VK_DOWN); Press(VK_RIGHT); Press(VK_BACK); Press(VK_RETURN); });
    LPITEMIDLIST chosen = SHBrowseForFolder(&info);
    ASSERT_NE(chosen, nullptr);
    char path[MAX_PATH];
    ASSERT_TRUE(SHGetPathFromIDList(chosen, path));
    EXPECT_EQ(std::string(path), music);
    EXPECT_STREQ(name, "Music");
    EXPECT_EQ(changes, (std::vector<std::string> { music, music + "\\Covers", music }));
    IMalloc* malloc = nullptr;
    ASSERT_EQ(SHGetMalloc(&malloc), S_OK);
    malloc->Free(chosen);
    malloc->Release();

    whenShown([] { Press(VK_ESCAPE); });
    EXPECT_EQ(SHBrowseForFolder(&info), nullptr);
}

TEST(ShellNamespace, PathsParseIntoItemListsAndBack)
{
    IShellFolder* desktop = nullptr;
    ASSERT_EQ(SHGetDesktopFolder(&desktop), S_OK);
    const std::string here = platform::ToProgramPath(fs::current_path().string());
    std::u16string wide(here.begin(), here.end());
    LPITEMIDLIST pidl = nullptr;
    ULONG eaten = 0;
    ASSERT_EQ(desktop->ParseDisplayName(nullptr, nullptr, wide.data(), &eaten, &pidl, nullptr), S_OK);
    EXPECT_EQ(eaten, wide.size());
    char path[MAX_PATH];
    ASSERT_TRUE(SHGetPathFromIDList(pidl, path));
    EXPECT_EQ(std::string(path), here);
    ILFree(pidl);

    std::u16string missing = u"Z:\\no\\such\\folder";
    EXPECT_EQ(desktop->ParseDisplayName(nullptr, nullptr, missing.data(), nullptr, &pidl, nullptr), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(pidl, nullptr);
    EXPECT_FALSE(SHGetPathFromIDList(nullptr, path));
    EXPECT_EQ(desktop->Release(), 0u);
}

TEST_F(FileDialogs, ThePrintDialogChoosesThePdfFile)
{
    PRINTDLG defaults;
    defaults.Flags = PD_RETURNDEFAULT;
    ASSERT_TRUE(PrintDlg(&defaults));
    ASSERT_NE(defaults.hDevMode, nullptr);
    ASSERT_NE(defaults.hDevNames, nullptr);
    GlobalFree(defaults.hDevMode);
    GlobalFree(defaults.hDevNames);

    PRINTDLG pd;
    pd.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    // The dialog starts in the current folder with a name offered; typing replaces it.
    whenShown([] {
        Type("Music");
        Press(VK_RETURN);
        Type("list");
        Press(VK_RETURN);
    });
    ASSERT_TRUE(PrintDlg(&pd));
    ASSERT_NE(pd.hDC, nullptr);
    const auto* block = static_cast<const char*>(GlobalLock(pd.hDevNames));
    DEVNAMES names;
    std::memcpy(&names, block, sizeof names);
    EXPECT_STREQ(block + names.wDeviceOffset, "PDF");
    EXPECT_EQ(std::string(block + names.wOutputOffset), music + "\\list.pdf");
    GlobalUnlock(pd.hDevNames);
    DeleteDC(pd.hDC);

    whenShown([] { Press(VK_ESCAPE); });
    PRINTDLG cancelled;
    EXPECT_FALSE(PrintDlg(&cancelled));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    GlobalFree(pd.hDevMode);
    GlobalFree(pd.hDevNames);
}
