// Bitmap menus: which items of a popup become owner-drawn and which are left alone, the mnemonic keys
// the plug-in answers for them, records kept only while their items are, the text items given back
// when the plug-in goes, and, in a frame, a popup with images, checked and disabled items whose chosen
// command reaches the frame once.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/afx/CCmdUI.h"
#include "platform/user/Input.h"
#include "toolkit/controls/SECBmpMenuPlugIn.h"
#include "toolkit/controls/SECBmpMgr.h"
#include "toolkit/controls/tests/ToolBarTestSupport.h"
#include "toolkit/frames/SECFrameWnd.h"

using namespace toolbar_test;

namespace {

constexpr UINT ID_WRAP = 203;
constexpr UINT ID_PLAIN = 204;
constexpr UINT ID_INNER = 205;
constexpr UINT ID_FOREIGN = 300;

UINT TypeAt(HMENU hMenu, UINT nPos)
{
    MENUITEMINFO info {};
    info.fMask = MIIM_TYPE;
    ::GetMenuItemInfo(hMenu, nPos, TRUE, &info);
    return info.fType;
}

std::string TextAt(HMENU hMenu, UINT nPos)
{
    char text[64] {};
    ::GetMenuString(hMenu, nPos, text, sizeof text, MF_BYPOSITION);
    return text;
}

void Hilite(HMENU hMenu, int nPos)
{
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        MENUITEMINFO info {};
        info.fMask = MIIM_STATE;
        info.fState = i == nPos ? MFS_HILITE : 0;
        ::SetMenuItemInfo(hMenu, static_cast<UINT>(i), TRUE, &info);
    }
}

// A plug-in attached to a plain window, offered messages as a frame offers them.
class BmpMenus : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
        ASSERT_TRUE(m_pPlugIn->AttachToWindow(&m_owner));
    }
    void TearDown() override
    {
        m_pPlugIn.reset();
        m_owner.DestroyWindow();
    }
    LRESULT Send(UINT message, WPARAM wParam, LPARAM lParam)
    {
        LRESULT result = 0;
        m_pPlugIn->OnWndMsg(message, wParam, lParam, &result);
        return result;
    }
    void Open(HMENU hMenu) { Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), 0); }

    platform::user::TestScreen m_screen { 320, 240 };
    CWinApp m_app { "bmpmenus" };
    CWnd m_owner;
    std::unique_ptr<SECBmpMenuPlugIn> m_pPlugIn { std::make_unique<SECBmpMenuPlugIn>(TRUE) };
};

} // namespace

TEST_F(BmpMenus, TextItemsBecomeOwnerDrawnAndComeBackWhenThePlugInGoes)
{
    HMENU hSub = ::CreatePopupMenu();
    ::AppendMenu(hSub, MF_STRING, ID_INNER, "Inner");
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_A, "&Open\tCtrl+O");
    ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(hMenu, MF_BITMAP, ID_B, reinterpret_cast<LPCSTR>(m_pPlugIn->GetRadioDotBitmap()));
    ::AppendMenu(hMenu, MF_STRING, SC_CLOSE, "&Close");
    ::AppendMenu(hMenu, MF_OWNERDRAW, ID_FOREIGN, reinterpret_cast<LPCSTR>(0x77));
    ::AppendMenu(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hSub), "&More");
    // A second menu where the foreign command is a text item: once excluded, it is left alone here too.
    HMENU hOther = ::CreatePopupMenu();
    ::AppendMenu(hOther, MF_STRING, ID_FOREIGN, "Foreign");
    ::AppendMenu(hOther, MF_STRING | MF_CHECKED, ID_C, "&Check");

    Open(hMenu);
    Open(hMenu); // again: nothing converted twice, nothing excluded by mistake
    Open(hOther);
    Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hSub), MAKELPARAM(0, 1)); // a window menu: untouched

    const UINT expected[] = { MFT_OWNERDRAW, MFT_SEPARATOR, MFT_BITMAP, MFT_STRING, MFT_OWNERDRAW, MFT_OWNERDRAW };
    for (UINT i = 0; i < std::size(expected); ++i)
        EXPECT_EQ(TypeAt(hMenu, i), expected[i]) << i;
    EXPECT_TRUE(m_pPlugIn->IsExcluded(ID_FOREIGN));
    EXPECT_FALSE(m_pPlugIn->IsExcluded(ID_A));
    EXPECT_EQ(m_pPlugIn->GetMenuInfo(hMenu)->items.size(), 2U);
    EXPECT_EQ(TypeAt(hOther, 0), MFT_STRING);
    EXPECT_EQ(TypeAt(hOther, 1), MFT_OWNERDRAW);
    EXPECT_EQ(TypeAt(hSub, 0), MFT_STRING);
    // The foreign item keeps its own data: the plug-in neither measures nor draws it.
    MEASUREITEMSTRUCT mis {};
    mis.CtlType = ODT_MENU;
    mis.itemID = ID_FOREIGN;
    mis.itemData = 0x77;
    Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_FALSE(m_pPlugIn->m_bConsumed);
    EXPECT_EQ(mis.itemWidth, 0U);

    m_pPlugIn.reset();
    EXPECT_EQ(TypeAt(hMenu, 0), MFT_STRING);
    EXPECT_EQ(TextAt(hMenu, 0), "&Open\tCtrl+O");
    EXPECT_EQ(TextAt(hMenu, 5), "&More");
    EXPECT_EQ(::GetSubMenu(hMenu, 5), hSub);
    EXPECT_EQ(TypeAt(hMenu, 4), MFT_OWNERDRAW);
    EXPECT_EQ(TextAt(hOther, 1), "&Check");
    ::DestroyMenu(hMenu);
    ::DestroyMenu(hOther);
}

TEST_F(BmpMenus, MeasuresDataOnlyOfItsOwnRecords)
{
    // An owner-drawn item the plug-in never saw (a popup opened without WM_INITMENUPOPUP) carries data
    // that is not a record: it must not be read as one.
    MEASUREITEMSTRUCT mis {};
    mis.CtlType = ODT_MENU;
    mis.itemID = 999;
    mis.itemData = 0x1234;
    Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_FALSE(m_pPlugIn->m_bConsumed);
    EXPECT_EQ(mis.itemWidth, 0U);
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_A, "&Open\tCtrl+O");
    Open(hMenu);
    MENUITEMINFO info {};
    info.fMask = MIIM_DATA;
    ::GetMenuItemInfo(hMenu, 0, TRUE, &info);
    mis.itemID = ID_A;
    mis.itemData = info.dwItemData;
    Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_TRUE(m_pPlugIn->m_bConsumed);
    EXPECT_GE(static_cast<int>(mis.itemWidth), 16 + 30 + 40);
    EXPECT_GE(static_cast<int>(mis.itemHeight), std::max(::GetSystemMetrics(SM_CYMENU), 15 + 4));
    ::DestroyMenu(hMenu);
}

TEST_F(BmpMenus, SharedMnemonicsCycleAndAUniqueOneExecutes)
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_A, "&Apple");
    ::AppendMenu(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenu(hMenu, MF_STRING, ID_B, "&avocado");
    ::AppendMenu(hMenu, MF_STRING, ID_C, "&Banana\tCtrl+B");
    ::AppendMenu(hMenu, MF_STRING, ID_WRAP, "Salt && &Pepper");
    Open(hMenu);
    struct Case {
        int nHilite;
        char ch;
        LRESULT expected;
    };
    const Case cases[] = {
        { -1, 'a', MAKELRESULT(0, MNC_SELECT) },
        { 0, 'a', MAKELRESULT(2, MNC_SELECT) },
        { 2, 'A', MAKELRESULT(0, MNC_SELECT) }, // wraps after the last
        { 3, 'a', MAKELRESULT(0, MNC_SELECT) },
        { -1, 'b', MAKELRESULT(3, MNC_EXECUTE) },
        { -1, 'p', MAKELRESULT(4, MNC_EXECUTE) }, // "&&" is no mnemonic
        { -1, 's', 0 },
        { -1, 'z', 0 },
    };
    for (const Case& c : cases) {
        Hilite(hMenu, c.nHilite);
        const LRESULT result = Send(WM_MENUCHAR, MAKEWPARAM(c.ch, MF_POPUP), reinterpret_cast<LPARAM>(hMenu));
        EXPECT_EQ(result, c.expected) << c.ch << " after " << c.nHilite;
        EXPECT_EQ(m_pPlugIn->m_bConsumed, c.expected != 0) << c.ch;
    }
    ::DestroyMenu(hMenu);
}

TEST_F(BmpMenus, IdlePurgeDropsRecordsOfChangedItemsAndDestroyedMenus)
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenu(hMenu, MF_STRING, ID_A, "&Open");
    ::AppendMenu(hMenu, MF_STRING, ID_B, "&Save");
    HMENU hGone = ::CreatePopupMenu();
    ::AppendMenu(hGone, MF_STRING, ID_C, "&Close");
    Open(hMenu);
    Open(hGone);
    // A command update gives an item new text: it is a text item again, its record no longer in use.
    ::ModifyMenu(hMenu, 1, MF_BYPOSITION | MF_STRING, ID_B, "Save &As");
    ::DestroyMenu(hGone);
    Send(WM_IDLEUPDATECMDUI, TRUE, 0);
    EXPECT_FALSE(m_pPlugIn->m_bConsumed); // the frame's own idle update still runs
    ASSERT_NE(m_pPlugIn->GetMenuInfo(hMenu), nullptr);
    EXPECT_EQ(m_pPlugIn->GetMenuInfo(hMenu)->items.size(), 1U);
    EXPECT_EQ(m_pPlugIn->GetMenuInfo(hGone), nullptr);
    // Opened again, the changed item is converted with its new text.
    Open(hMenu);
    Send(WM_SETTINGCHANGE, 0, 0);
    EXPECT_EQ(TypeAt(hMenu, 1), MFT_OWNERDRAW);
    EXPECT_EQ(Send(WM_MENUCHAR, MAKEWPARAM('a', MF_POPUP), reinterpret_cast<LPARAM>(hMenu)), MAKELRESULT(1, MNC_EXECUTE));
    m_pPlugIn.reset();
    EXPECT_EQ(TextAt(hMenu, 1), "Save &As");
    ::DestroyMenu(hMenu);
}

TEST(BmpMenusRadioDot, SharedDotLivesUntilTheLastPlugInWithOwnBitmapsGoes)
{
    CWinApp app { "radiodot" };
    auto pFirst = std::make_unique<SECBmpMenuPlugIn>(TRUE);
    const HBITMAP hDot = SECBmpMenuPlugIn::GetRadioDotBitmap();
    ASSERT_NE(hDot, nullptr);
    BITMAP bm {};
    ASSERT_TRUE(::GetObject(hDot, sizeof bm, &bm));
    EXPECT_EQ(bm.bmWidth, 16);
    EXPECT_EQ(bm.bmHeight, 15);
    std::vector<BYTE> bits(static_cast<size_t>(bm.bmWidthBytes) * 15);
    ::GetBitmapBits(hDot, static_cast<LONG>(bits.size()), bits.data());
    auto black = [&](int x, int y) { return !(bits[static_cast<size_t>(y * bm.bmWidthBytes + x / 8)] & (0x80 >> (x % 8))); };
    EXPECT_TRUE(black(7, 4) && black(8, 4) && black(6, 6) && black(9, 6) && black(7, 8));
    EXPECT_FALSE(black(6, 4) || black(5, 6) || black(7, 3) || black(7, 9));
    {
        auto pSecond = std::make_unique<SECBmpMenuPlugIn>(TRUE);
        EXPECT_EQ(SECBmpMenuPlugIn::GetRadioDotBitmap(), hDot);
    }
    // The second plug-in going leaves the first one its dot.
    EXPECT_EQ(SECBmpMenuPlugIn::GetRadioDotBitmap(), hDot);
    EXPECT_TRUE(::GetObject(hDot, sizeof bm, &bm));
    pFirst.reset();
    EXPECT_EQ(SECBmpMenuPlugIn::GetRadioDotBitmap(), nullptr);
}

namespace {

// A frame with bitmap menus whose commands 200-205 are handled: 204 disabled, 201 and 203 checked.
class MenuFrame : public SECFrameWnd {
public:
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (nID < ID_A || nID > ID_INNER)
            return SECFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        if (nCode == CN_UPDATE_COMMAND_UI) {
            auto* pCmdUI = static_cast<CCmdUI*>(pExtra);
            pCmdUI->Enable(nID != ID_PLAIN);
            pCmdUI->SetCheck(nID == ID_B || nID == ID_WRAP);
            return TRUE;
        }
        if (nCode == CN_COMMAND && !pHandlerInfo)
            m_commands.push_back(nID);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        // Each idle moment of the menu loop runs the next step, which gives the loop input or ends it;
        // with none left the menu ends, so that a popup that did not close never waits for input that
        // will not come.
        if (message == WM_ENTERIDLE) {
            if (m_nStep < m_steps.size())
                m_steps[m_nStep++]();
            else
                ::EndMenu();
        }
        return SECFrameWnd::WindowProc(message, wParam, lParam);
    }

    std::vector<UINT> m_commands;
    std::vector<std::function<void()>> m_steps;
    size_t m_nStep { 0 };
};

class BmpMenuFrame : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new MenuFrame;
        m_pFrame->EnableBmpMenus(TRUE);
        ASSERT_TRUE(m_pFrame->Create(nullptr, "frame", WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200)));
        m_app.m_pMainWnd = m_pFrame;
        auto* pPlugIn = dynamic_cast<SECBmpMenuPlugIn*>(m_pFrame->GetMenuPlugIn());
        ASSERT_NE(pPlugIn, nullptr);
        SECBmpMgr* pBmpMgr = new SECBmpMgr;
        ASSERT_TRUE(pBmpMgr->LoadToolbar(IDR_LOOKS));
        pPlugIn->SetBmpMgr(pBmpMgr);
        pBmpMgr->Release();
        m_hSub = ::CreatePopupMenu();
        ::AppendMenu(m_hSub, MF_STRING, ID_INNER, "&Inner");
        m_hMenu = ::CreatePopupMenu();
        ::AppendMenu(m_hMenu, MF_STRING, ID_A, "&Open\tCtrl+O");
        ::AppendMenu(m_hMenu, MF_STRING, ID_B, "&Bold");
        ::AppendMenu(m_hMenu, MF_STRING, ID_WRAP, "&Wrap");
        ::AppendMenu(m_hMenu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenu(m_hMenu, MF_STRING, ID_PLAIN, "&Plain\tF5");
        ::AppendMenu(m_hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(m_hSub), "&More");
        m_screen.pump();
    }
    void TearDown() override
    {
        m_app.m_pMainWnd = nullptr;
        if (m_pFrame && ::IsWindow(m_pFrame->m_hWnd))
            m_pFrame->DestroyWindow();
        ::DestroyMenu(m_hMenu);
        m_screen.pump();
    }
    void Track()
    {
        ::TrackPopupMenu(m_hMenu, TPM_LEFTALIGN | TPM_LEFTBUTTON, 40, 30, 0, m_pFrame->m_hWnd, nullptr);
        m_screen.pump();
    }
    static void Key(int vk)
    {
        platform::user::InjectKey(vk, true);
        platform::user::InjectKey(vk, false);
    }
    // The screen rectangle of the popup being shown.
    static CRect PopupRect()
    {
        for (HWND hWnd = ::FindWindowEx(nullptr, nullptr, "#32768", nullptr); hWnd;
             hWnd = ::FindWindowEx(nullptr, hWnd, "#32768", nullptr)) {
            CRect rect;
            ::GetWindowRect(hWnd, &rect);
            if (::IsWindowVisible(hWnd) && !rect.IsRectEmpty())
                return rect;
        }
        return CRect();
    }

    platform::user::TestScreen m_screen { 320, 240 };
    CWinApp m_app { "bmpmenuframe" };
    MenuFrame* m_pFrame { nullptr };
    HMENU m_hMenu { nullptr };
    HMENU m_hSub { nullptr };
};

} // namespace

TEST_F(BmpMenuFrame, PopupShowsImagesCheckedAndDisabledItems)
{
    std::string difference = "the popup was not shown";
    m_pFrame->m_steps = {
        [] { Key(VK_DOWN); }, // the first item is highlighted
        [&] {
            const CRect rect = PopupRect();
            difference = rect.IsRectEmpty() ? "no popup" : m_screen.compareWithGolden(rect, GoldenPath("BmpMenuPopup.png"));
            ::EndMenu();
        },
    };
    Track();
    EXPECT_EQ(difference, "");
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

TEST_F(BmpMenuFrame, CommandChosenByMnemonicOrClickReachesTheFrameOnce)
{
    // A mnemonic of an owner-drawn item is answered by the plug-in: B executes Bold.
    m_pFrame->m_steps = { [] { Key('B'); } };
    Track();
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>({ ID_B }));

    m_pFrame->m_commands.clear();
    m_pFrame->m_nStep = 0;
    m_pFrame->m_steps = { [&] {
        RECT item {};
        ::GetMenuItemRect(nullptr, m_hMenu, 2, &item);
        const CPoint centre = CRect(item).CenterPoint();
        platform::user::InjectMouseMove(centre);
        platform::user::InjectMouseButton(platform::user::MouseButton::Left, true);
        platform::user::InjectMouseButton(platform::user::MouseButton::Left, false);
    } };
    Track();
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>({ ID_WRAP }));
}

TEST_F(BmpMenuFrame, FrameDestroyedByAMenuCommandLeavesNothingBehind)
{
    // The plug-in goes with its frame; the menu it converted gets its text items back.
    m_pFrame->m_steps = { [] { Key('W'); } };
    Track();
    ASSERT_EQ(TypeAt(m_hMenu, 4), MFT_OWNERDRAW);
    const HWND hFrame = m_pFrame->m_hWnd;
    m_pFrame->SendMessage(WM_CLOSE);
    m_pFrame = nullptr; // deleted with its window
    m_screen.pump();
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(TypeAt(m_hMenu, 4), MFT_STRING);
    EXPECT_EQ(TextAt(m_hMenu, 4), "&Plain\tF5");
}
