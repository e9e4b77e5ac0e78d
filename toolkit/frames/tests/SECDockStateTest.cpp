// The saved layout of a frame's bars: each stored form written as its readers expect it, read back,
// refused when damaged, and a frame's docked and floating bars taken down and put back.

#include "toolkit/frames/SECDockState.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CMemFile.h"
#include "platform/base/HomeFolder.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECControlBarInfo.h"
#include "toolkit/frames/SECControlBarManager.h"
#include "toolkit/frames/SECDockBar.h"
#include "toolkit/frames/SECMiniDockFrameWnd.h"
#include "toolkit/frames/SECPTNStrategyProfile.h"
#include "toolkit/frames/SECPersistentTreeNode.h"
#include "toolkit/frames/tests/FramesTestFixture.h"

namespace {

using platform::HomeFolder;

constexpr UINT ID_TRACKS = 0xE860;
constexpr UINT ID_ALBUMS = 0xE861;
constexpr UINT ID_GENRES = 0xE862;
constexpr UINT ID_QUEUE = 0xE863;
constexpr DWORD kTabBarExStyle = 0x0F10;

using Bytes = std::vector<BYTE>;

// Little-endian writer of the archive's items, kept apart from the archive so that the expected bytes
// do not come from the code under test.
struct ArchiveBytes {
    Bytes bytes;
    ArchiveBytes& u32(long long value)
    {
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<BYTE>((static_cast<unsigned long long>(value) >> (8 * i)) & 0xFF));
        return *this;
    }
    ArchiveBytes& u16(unsigned value)
    {
        bytes.push_back(static_cast<BYTE>(value & 0xFF));
        bytes.push_back(static_cast<BYTE>(value >> 8));
        return *this;
    }
    // A short string: one length byte, then the characters.
    ArchiveBytes& text(const std::string& value)
    {
        bytes.push_back(static_cast<BYTE>(value.size()));
        bytes.insert(bytes.end(), value.begin(), value.end());
        return *this;
    }
};

// The screen a state is saved on: the test screen.
constexpr int kScreenCX = 640;
constexpr int kScreenCY = 480;

WINDOWPLACEMENT SamplePlacement()
{
    WINDOWPLACEMENT wp;
    wp.length = 44;
    wp.showCmd = 1;
    wp.rcNormalPosition = { 10, 20, 110, 220 };
    return wp;
}

// Four records: a docked toolkit bar, the top dock bar holding it, an empty bottom dock bar (which no
// form keeps) and a floating dock bar that floats as an MDI child.
void FillSampleState(SECDockState& state)
{
    auto* bar = new SECControlBarInfo;
    bar->m_nBarID = ID_TRACKS;
    bar->m_pointPos = CPoint(0, 2);
    bar->m_bDocking = TRUE;
    bar->m_uMRUDockID = AFX_IDW_DOCKBAR_TOP;
    bar->m_rectMRUDockPos = CRect(0, 0, 200, 60);
    bar->m_dwMRUFloatStyle = 0x2000;
    bar->m_ptMRUFloatPos = CPoint(100, 120);
    bar->m_dwStyle = 0x2004;
    bar->m_dwExStyle = kTabBarExStyle;
    bar->m_fPctWidth = 0.5F;
    bar->m_szMRUFloat = CSize(200, 180);
    bar->m_szMRUHorzDock = CSize(300, 60);
    bar->m_szMRUVertDock = CSize(120, 300);
    bar->m_dwMRUDockingState = 0xF000;
    bar->m_dwDockStyle = 0xF000;
    bar->m_strClassName = "SECControlBar";
    bar->m_strWindowName = "Tracks";
    state.m_arrBarInfo.Add(static_cast<CControlBarInfo*>(bar));

    auto* top = new SECControlBarInfo;
    top->m_nBarID = AFX_IDW_DOCKBAR_TOP;
    top->m_bDockBar = TRUE;
    top->m_arrBarID.Add(0);
    top->m_arrBarID.Add(ID_TRACKS);
    top->m_arrBarID.Add(0);
    state.m_arrBarInfo.Add(static_cast<CControlBarInfo*>(top));

    auto* bottom = new SECControlBarInfo;
    bottom->m_nBarID = AFX_IDW_DOCKBAR_BOTTOM;
    bottom->m_bDockBar = TRUE;
    bottom->m_arrBarID.Add(0);
    state.m_arrBarInfo.Add(static_cast<CControlBarInfo*>(bottom));

    auto* floating = new SECControlBarInfo;
    floating->m_nBarID = AFX_IDW_DOCKBAR_FLOAT;
    floating->m_bDockBar = TRUE;
    floating->m_bFloating = TRUE;
    floating->m_bHorz = TRUE;
    floating->m_pointPos = CPoint(300, 200);
    floating->m_bMDIChild = TRUE;
    floating->m_wpMDIChild = SamplePlacement();
    floating->m_fPctWidth = 1.0F;
    floating->m_arrBarID.Add(0);
    floating->m_arrBarID.Add(ID_ALBUMS);
    floating->m_arrBarID.Add(0);
    state.m_arrBarInfo.Add(static_cast<CControlBarInfo*>(floating));
}

Bytes SampleArchive()
{
    ArchiveBytes out;
    out.u32(2).u32(kScreenCX).u32(kScreenCY).u16(4);
    // The docked bar, with its most-recently-used block.
    out.u32(ID_TRACKS).u32(1).u32(0).u32(0).u32(0).u32(2);
    out.u32(32767).u32(1).u32(AFX_IDW_DOCKBAR_TOP).u32(0).u32(0).u32(200).u32(60).u32(0x2000).u32(100).u32(120);
    out.u32(0x2004).u32(kTabBarExStyle).u32(0).u32(0).text("500000");
    out.u32(200).u32(180).u32(300).u32(60).u32(120).u32(300);
    out.u32(0xF000).u32(0xF000).u32(0).u16(0);
    // The top dock bar.
    out.u32(AFX_IDW_DOCKBAR_TOP).u32(1).u32(0).u32(0).u32(-1).u32(-1).u32(32767).u32(0);
    out.u32(0).u32(0).u32(0).u32(0).text("0");
    out.u32(0).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
    out.u16(3).u32(0).u32(ID_TRACKS).u32(0);
    // The empty bottom dock bar: the archive keeps every record.
    out.u32(AFX_IDW_DOCKBAR_BOTTOM).u32(1).u32(0).u32(0).u32(-1).u32(-1).u32(32767).u32(0);
    out.u32(0).u32(0).u32(0).u32(0).text("0");
    out.u32(0).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
    out.u16(1).u32(0);
    // The floating dock bar; the archive does not hold the placement.
    out.u32(AFX_IDW_DOCKBAR_FLOAT).u32(1).u32(1).u32(1).u32(300).u32(200).u32(32767).u32(0);
    out.u32(0).u32(0).u32(0).u32(1).text("1000000");
    out.u32(0).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0).u32(0);
    out.u16(3).u32(0).u32(ID_ALBUMS).u32(0);
    return out.bytes;
}

Bytes Store(SECDockState& state)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        state.Serialize(ar);
        ar.Close();
    }
    Bytes bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

// Loads the bytes; FALSE when the archive was refused.
BOOL Load(SECDockState& state, Bytes bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    try {
        CArchive ar(&file, CArchive::load);
        state.Serialize(ar);
    } catch (CArchiveException* e) {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Golden(const char* name) { return ReadFile(std::filesystem::path(TS_FRAMES_TEST_DIR) / "golden" / name); }

class DockStates : public DockingFrameTest {
protected:
    void SetUp() override
    {
        DockingFrameTest::SetUp();
        m_app.SetCurrentHandles();
        std::free(const_cast<char*>(m_app.m_pszProfileName));
        m_app.m_pszProfileName = ::strdup("dock.ini");
        std::filesystem::remove(HomeFolder() / "dock.ini");
    }

    std::string ProfileText() const { return ReadFile(HomeFolder() / "dock.ini"); }

    SECControlBar* AddBar(UINT nID, LPCTSTR lpszTitle, DWORD dwSide)
    {
        auto& bar = m_bars.emplace_back(std::make_unique<SECControlBar>());
        EXPECT_TRUE(bar->Create(m_frame, lpszTitle, WS_CHILD | WS_VISIBLE | dwSide | CBRS_SIZE_DYNAMIC, kTabBarExStyle, nID));
        bar->m_szHorz = CSize(200, 50);
        bar->m_szVert = CSize(90, 200);
        bar->EnableDocking(CBRS_ALIGN_ANY);
        m_frame->DockControlBar(bar.get());
        return bar.get();
    }

    // Where each bar is: its dock bar (0xE81F for a floating one), its row and column or its floating
    // frame's place, its size and whether it shows.
    std::string Snapshot()
    {
        Layout();
        std::ostringstream out;
        for (auto& bar : m_bars) {
            CRect rect;
            bar->GetWindowRect(&rect);
            out << std::hex << bar->GetDlgCtrlID() << std::dec << ": ";
            if (!bar->m_pDockBar) {
                out << "no dock bar";
            } else if (bar->m_pDockBar->m_bFloating) {
                CRect frame;
                bar->GetParentFrame()->GetWindowRect(&frame);
                out << "floating at " << frame.left << "," << frame.top;
            } else {
                int row = -1;
                int col = -1;
                static_cast<SECDockBar*>(bar->m_pDockBar)->GetBarRowCol(bar.get(), row, col);
                out << "in " << std::hex << bar->m_pDockBar->GetDlgCtrlID() << std::dec << " row " << row << " col " << col;
            }
            out << " size " << rect.Width() << "x" << rect.Height() << (bar->IsVisible() ? " shown" : " hidden") << "\n";
        }
        return out.str();
    }

    std::vector<std::unique_ptr<SECControlBar>> m_bars;
};

TEST_F(DockStates, TheArchiveFormIsWrittenAndReadByteExact)
{
    SECDockState state;
    FillSampleState(state);
    const Bytes expected = SampleArchive();
    EXPECT_EQ(Store(state), expected);

    SECDockState loaded;
    ASSERT_TRUE(Load(loaded, expected));
    ASSERT_EQ(loaded.GetBarCount(), 4);
    const SECControlBarInfo* bar = loaded.GetBarInfo(0);
    EXPECT_EQ(bar->m_nBarID, ID_TRACKS);
    EXPECT_EQ(bar->m_rectMRUDockPos, CRect(0, 0, 200, 60));
    EXPECT_FLOAT_EQ(bar->m_fPctWidth, 0.5F);
    EXPECT_EQ(bar->m_szMRUVertDock, CSize(120, 300));
    EXPECT_EQ(bar->m_dwExStyle, kTabBarExStyle);
    EXPECT_FLOAT_EQ(loaded.GetBarInfo(3)->m_fPctWidth, 1.0F);
    EXPECT_EQ(Store(loaded), expected);
}

TEST_F(DockStates, AVersionOneArchiveLoadsAndReportsVersionTwo)
{
    // No screen size and no most-recently-used block.
    ArchiveBytes v1;
    v1.u32(1).u16(1);
    v1.u32(ID_TRACKS).u32(0).u32(0).u32(1).u32(4).u32(6);
    v1.u32(0x2004).u32(0).u32(0).u32(0).text("250000");
    v1.u32(200).u32(180).u32(300).u32(60).u32(120).u32(300).u32(0).u32(0xF000).u32(0).u16(0);

    SECDockState state;
    ASSERT_TRUE(Load(state, v1.bytes));
    EXPECT_EQ(state.GetVersion(), 2U);
    ASSERT_EQ(state.GetBarCount(), 1);
    const SECControlBarInfo* bar = state.GetBarInfo(0);
    EXPECT_FALSE(bar->m_bVisible);
    EXPECT_EQ(bar->m_pointPos, CPoint(4, 6));
    EXPECT_FALSE(bar->m_bDocking);
    EXPECT_EQ(bar->m_nMRUWidth, 32767);
    EXPECT_FLOAT_EQ(bar->m_fPctWidth, 0.25F);
    EXPECT_EQ(bar->m_dwDockStyle, 0xF000U);
}

TEST_F(DockStates, ADamagedArchiveIsRefusedWhole)
{
    const Bytes whole = SampleArchive();
    // Every cut ends in the archive's exception with nothing kept.
    for (size_t cut = 0; cut < whole.size(); ++cut) {
        SECDockState state;
        EXPECT_FALSE(Load(state, Bytes(whole.begin(), whole.begin() + static_cast<long>(cut)))) << cut;
        EXPECT_EQ(state.GetBarCount(), 0) << cut;
    }
    // An unknown version, and a count that promises more records than there are.
    Bytes version = whole;
    version[0] = 3;
    Bytes count = whole;
    count[12] = 5;
    for (const Bytes& bytes : { version, count }) {
        SECDockState state;
        EXPECT_FALSE(Load(state, bytes));
        EXPECT_EQ(state.GetBarCount(), 0);
    }
}

TEST_F(DockStates, TheProfileFormMatchesItsGoldenFileAndReadsBack)
{
    SECDockState state;
    FillSampleState(state);
    state.SaveToProfile("Bars");
    EXPECT_EQ(ProfileText(), Golden("dockstate-profile.ini"));

    SECDockState loaded;
    loaded.LoadFromProfile("Bars");
    ASSERT_EQ(loaded.GetBarCount(), 3);
    const SECControlBarInfo* floating = loaded.GetBarInfo(2);
    EXPECT_TRUE(floating->m_bMDIChild);
    EXPECT_EQ(floating->m_wpMDIChild.rcNormalPosition.right, 110);
    EXPECT_EQ(floating->m_arrBarID.GetSize(), 3);
    EXPECT_STREQ(loaded.GetBarInfo(0)->m_strWindowName, "Tracks");

    // Written again, the profile is the same file.
    std::filesystem::remove(HomeFolder() / "dock.ini");
    loaded.SaveToProfile("Bars");
    EXPECT_EQ(ProfileText(), Golden("dockstate-profile.ini"));
}

TEST_F(DockStates, AShorterProfileStateRemovesTheSectionsOfTheLongerOne)
{
    SECDockState longer;
    FillSampleState(longer);
    longer.SaveToProfile("Bars");
    ASSERT_NE(m_app.GetProfileInt("Bars-Bar2", "BarID", 0), 0U);

    SECDockState shorter;
    FillSampleState(shorter);
    while (shorter.GetBarCount() > 1) {
        delete shorter.GetBarInfo(shorter.GetBarCount() - 1);
        shorter.m_arrBarInfo.RemoveAt(shorter.GetBarCount() - 1);
    }
    shorter.SaveToProfile("Bars");
    const std::string text = ProfileText();
    EXPECT_EQ(text.find("[Bars-Bar1]"), std::string::npos) << text;
    EXPECT_EQ(text.find("[Bars-Bar2]"), std::string::npos) << text;
    EXPECT_NE(text.find("WindowName=Tracks"), std::string::npos) << text;
}

TEST_F(DockStates, TheTreeFormMatchesItsGoldenFileAndReadsBack)
{
    SECDockState state;
    FillSampleState(state);
    SECPTNFactory factory;
    SECPersistentTreeNode root;
    root.Initialize("Workspace", nullptr);
    ASSERT_TRUE(state.SaveToTree(factory, &root));
    SECPTNStrategyProfile strategy("tree.ini");
    ASSERT_TRUE(root.Save(&strategy));
    EXPECT_EQ(ReadFile(HomeFolder() / "tree.ini"), Golden("dockstate-tree.ini"));

    SECPersistentTreeNode loadedRoot;
    loadedRoot.Initialize("Workspace", nullptr);
    ASSERT_TRUE(loadedRoot.Load(&strategy));
    SECDockState loaded;
    ASSERT_TRUE(loaded.LoadFromTree(&loadedRoot));
    ASSERT_EQ(loaded.GetBarCount(), 3);
    SECPTNFactory again;
    SECPersistentTreeNode rewritten;
    rewritten.Initialize("Workspace", nullptr);
    ASSERT_TRUE(loaded.SaveToTree(again, &rewritten));
    SECPTNStrategyProfile second("tree2.ini");
    ASSERT_TRUE(rewritten.Save(&second));
    EXPECT_EQ(ReadFile(HomeFolder() / "tree2.ini"), Golden("dockstate-tree.ini"));

    SECPersistentTreeNode empty;
    empty.Initialize("Workspace", nullptr);
    EXPECT_FALSE(loaded.LoadFromTree(&empty));
    EXPECT_FALSE(loaded.LoadFromTree(nullptr));
}

TEST_F(DockStates, HandEditedValuesTakeSafeDefaults)
{
    struct Case {
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        { "PctWidth", "-300000" },
        { "MRUFloatCX", "-5" },
        { "MRUHorzDockCY", "0" },
        { "MDIChild", "1" },
        // A placement one byte short, then one byte long: no placement.
        { "MDIChildWindowPlacement", "MCAAAAAAAAAAAAAABAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAKAAAAAAAEBAAAAAAOGAAAAAAMNAAAA" },
    };
    m_app.WriteProfileInt("Bars-Summary", "Bars", 2);
    m_app.WriteProfileInt("Bars-Bar0", "BarID", ID_TRACKS);
    for (const Case& c : cases)
        m_app.WriteProfileString("Bars-Bar0", c.key, c.value);
    m_app.WriteProfileInt("Bars-Bar1", "BarID", ID_ALBUMS);
    m_app.WriteProfileInt("Bars-Bar1", "MDIChild", 1);
    m_app.WriteProfileString("Bars-Bar1", "MDIChildWindowPlacement",
        "MCAAAAAAAAAAAAAABAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAKAAAAAAAEBAAAAAAOGAAAAAAMNAAAAAAAA");
    const std::string before = ProfileText();

    SECDockState state;
    state.LoadFromProfile("Bars");
    ASSERT_EQ(state.GetBarCount(), 2);
    for (INT_PTR i = 0; i < 2; ++i) {
        const SECControlBarInfo* bar = state.GetBarInfo(i);
        EXPECT_EQ(bar->m_fPctWidth, 0.0F);
        EXPECT_EQ(bar->m_szMRUFloat, CSize(0, 0));
        EXPECT_EQ(bar->m_szMRUHorzDock, CSize(0, 0));
        EXPECT_TRUE(bar->m_bMDIChild);
        EXPECT_EQ(bar->m_wpMDIChild.length, 0U) << i;
    }
    EXPECT_EQ(ProfileText(), before);

    // The share's text both ways.
    SECControlBarInfo info;
    info.m_fPctWidth = 1.0F;
    EXPECT_STREQ(info.FormatPctWidth(), "1000000");
    EXPECT_FLOAT_EQ(SECControlBarInfo::ParsePctWidth("500000"), 0.5F);
    EXPECT_EQ(SECControlBarInfo::ParsePctWidth("x"), 0.0F);
}

TEST_F(DockStates, DuplicateIdsAreCleanedBeforeSaving)
{
    // Bar 0xE860 last docked in the left dock bar: its placeholder in the top one goes, the left one
    // keeps it (and so does the last entry, which is never touched).
    SECDockState state;
    auto* bar = new SECControlBarInfo;
    bar->m_nBarID = ID_TRACKS;
    bar->m_uMRUDockID = AFX_IDW_DOCKBAR_LEFT;
    auto* top = new SECControlBarInfo;
    top->m_nBarID = AFX_IDW_DOCKBAR_TOP;
    for (DWORD id : { 0U, ID_TRACKS + 0x10000U, ID_ALBUMS, ID_ALBUMS, 0U, 0U, 0U })
        top->m_arrBarID.Add(id);
    auto* left = new SECControlBarInfo;
    left->m_nBarID = AFX_IDW_DOCKBAR_LEFT;
    for (DWORD id : { 0U, ID_TRACKS + 0x10000U, 0U })
        left->m_arrBarID.Add(id);
    auto* floating = new SECControlBarInfo;
    floating->m_nBarID = AFX_IDW_DOCKBAR_FLOAT;
    floating->m_arrBarID.Add(ID_TRACKS + 0x10000U);
    for (SECControlBarInfo* info : { bar, top, left, floating })
        state.m_arrBarInfo.Add(static_cast<CControlBarInfo*>(info));

    state.RemoveDuplicateBarIds();
    const auto ids = [&](INT_PTR i) {
        std::vector<DWORD> out;
        for (INT_PTR k = 0; k < state.GetBarInfo(i)->m_arrBarID.GetSize(); ++k)
            out.push_back(state.GetBarInfo(i)->m_arrBarID[k]);
        return out;
    };
    EXPECT_EQ(ids(1), (std::vector<DWORD> { 0, 0, ID_ALBUMS, 0 }));
    EXPECT_EQ(ids(2), (std::vector<DWORD> { 0, ID_TRACKS + 0x10000U, 0 }));
    EXPECT_EQ(ids(3), (std::vector<DWORD> { ID_TRACKS + 0x10000U, 0 }));
}

TEST_F(DockStates, AFrameWithDockedAndFloatingBarsComesBackAsSaved)
{
    SECControlBar* tracks = AddBar(ID_TRACKS, "Tracks", CBRS_ALIGN_TOP);
    SECControlBar* albums = AddBar(ID_ALBUMS, "Albums", CBRS_ALIGN_LEFT);
    AddBar(ID_GENRES, "Genres", CBRS_ALIGN_LEFT);
    SECControlBar* queue = AddBar(ID_QUEUE, "Queue", CBRS_ALIGN_BOTTOM);
    m_frame->FloatControlBar(queue, CPoint(420, 260));
    const std::string saved = Snapshot();
    m_frame->SaveBarState("Layout");
    const std::string profile = ProfileText();

    m_frame->FloatControlBar(tracks, CPoint(100, 100));
    m_frame->DockControlBar(queue, static_cast<CDockBar*>(m_frame->GetControlBar(AFX_IDW_DOCKBAR_RIGHT)));
    m_frame->ShowControlBar(albums, FALSE, FALSE);
    ASSERT_NE(Snapshot(), saved);

    m_frame->LoadBarState("Layout");
    EXPECT_EQ(Snapshot(), saved);
    // Loading leaves the profile as it was.
    EXPECT_EQ(ProfileText(), profile);

    // The same through the tree form, as a workspace keeps it.
    SECDockState state;
    m_frame->GetDockState(state);
    state.RemoveDuplicateBarIds();
    SECPTNFactory factory;
    SECPersistentTreeNode root;
    root.Initialize("WorkState_v1_2", nullptr);
    ASSERT_TRUE(state.SaveToTree(factory, &root));
    m_frame->FloatControlBar(albums, CPoint(50, 300));
    SECDockState restored;
    ASSERT_TRUE(restored.LoadFromTree(&root));
    m_frame->SetDockState(restored);
    EXPECT_EQ(Snapshot(), saved);
}

TEST_F(DockStates, BarsAreMadeOnlyFromKnownBarClasses)
{
    SECControlBar* tracks = AddBar(ID_TRACKS, "Tracks", CBRS_ALIGN_TOP);
    struct Case {
        UINT nID;
        const char* className;
    };
    // A bar class the frame lacks is created; an unknown name and a class that is no bar are left out.
    const Case cases[] = { { ID_ALBUMS, "SECControlBar" }, { ID_GENRES, "NoSuchBar" }, { ID_QUEUE, "SECFrameWnd" } };
    SECDockState state;
    m_frame->GetDockState(state);
    for (const Case& c : cases) {
        auto* info = new SECControlBarInfo;
        info->m_nBarID = c.nID;
        info->m_strClassName = c.className;
        info->m_strWindowName = "made";
        info->m_dwStyle = WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP;
        state.m_arrBarInfo.Add(static_cast<CControlBarInfo*>(info));
    }
    // The top dock bar names the new bar after the tracks.
    for (INT_PTR i = 0; i < state.GetBarCount(); ++i) {
        SECControlBarInfo* info = state.GetBarInfo(i);
        if (info->m_nBarID == AFX_IDW_DOCKBAR_TOP) {
            info->m_arrBarID.RemoveAll();
            for (DWORD id : { 0U, ID_TRACKS, ID_ALBUMS, 0U })
                info->m_arrBarID.Add(id);
        }
    }
    m_frame->SetDockState(state);
    Layout();

    ASSERT_EQ(m_frame->m_listCreatedBars.GetCount(), 1);
    auto* made = static_cast<CControlBar*>(m_frame->m_listCreatedBars.GetHead());
    EXPECT_TRUE(made->IsKindOf(RUNTIME_CLASS(SECControlBar)));
    EXPECT_EQ(made->GetDlgCtrlID(), static_cast<int>(ID_ALBUMS));
    EXPECT_EQ(made->m_pDockBar, tracks->m_pDockBar);
    CString title;
    made->GetWindowText(title);
    EXPECT_STREQ(title, "made");
    EXPECT_EQ(m_frame->GetControlBar(ID_GENRES), nullptr);
    EXPECT_EQ(m_frame->GetControlBar(ID_QUEUE), nullptr);
    EXPECT_EQ(tracks->m_pDockBar->GetDlgCtrlID(), static_cast<int>(AFX_IDW_DOCKBAR_TOP));
}

TEST_F(DockStates, ADamagedStateNeverLeavesABarOutsideTheLayout)
{
    AddBar(ID_TRACKS, "Tracks", CBRS_ALIGN_TOP);
    AddBar(ID_ALBUMS, "Albums", CBRS_ALIGN_LEFT);
    SECControlBar* queue = AddBar(ID_QUEUE, "Queue", CBRS_ALIGN_BOTTOM);
    m_frame->FloatControlBar(queue, CPoint(420, 260));
    SECDockState state;
    m_frame->GetDockState(state);
    const Bytes good = Store(state);

    // Each byte of a good archive changed to a few values: whatever loads is applied, and every bar
    // still sits in a dock bar of the frame or of a floating frame.
    for (size_t at = 0; at < good.size(); at += 4) {
        for (BYTE value : { BYTE(0x00), BYTE(0x1B), BYTE(0xE8), BYTE(0xFF) }) {
            Bytes damaged = good;
            damaged[at] = value;
            SECDockState loaded;
            if (!Load(loaded, damaged))
                continue;
            m_frame->SetDockState(loaded);
            for (auto& bar : m_bars) {
                ASSERT_NE(bar->m_pDockBar, nullptr) << "byte " << at << " = " << int(value);
                EXPECT_GE(bar->m_pDockBar->FindBar(bar.get()), 0);
            }
        }
    }
    // And a dock bar that names another dock bar and a bar twice.
    SECDockState lying;
    auto* top = new SECControlBarInfo;
    top->m_nBarID = AFX_IDW_DOCKBAR_TOP;
    top->m_bDockBar = TRUE;
    for (DWORD id : { 0U, AFX_IDW_DOCKBAR_LEFT, ID_TRACKS, ID_TRACKS, 0U })
        top->m_arrBarID.Add(id);
    lying.m_arrBarInfo.Add(static_cast<CControlBarInfo*>(top));
    m_frame->SetDockState(lying);
    Layout();
    auto* topBar = static_cast<CDockBar*>(m_frame->GetControlBar(AFX_IDW_DOCKBAR_TOP));
    EXPECT_EQ(topBar->GetDockedCount(), 1);
    EXPECT_EQ(m_frame->GetControlBar(AFX_IDW_DOCKBAR_LEFT)->GetParent(), m_frame);
}

TEST_F(DockStates, AFrameWithOnlyEmptyDockBarsSavesNoBars)
{
    m_frame->SaveBarState("Empty");
    EXPECT_EQ(m_app.GetProfileInt("Empty-Summary", "Bars", -1), 0U);
    EXPECT_EQ(m_app.GetProfileInt("Empty-Bar0", "BarID", 0), 0U);
}

} // namespace
