// The message filter tree: how results combine and stop, finding and creating filters, descriptor
// tables that switch filters on and off, clones, and a child whose command deletes the tree.

#include "toolkit/frames/SECMsgFilter.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/afx/AfxThreadState.h"
#include "platform/afx/CWnd.h"
#include "toolkit/frames/SECCaptionControlListMsgFilter.h"
#include "toolkit/frames/SECCaptionControlMsgFilter.h"
#include "toolkit/frames/SECNcMsgFilter.h"

namespace {

// Answers every message with fixed bits and notes that it saw it.
class RecordingFilter : public SECMsgFilter {
public:
    RecordingFilter(int nID, int nBits, std::string* pLog)
        : SECMsgFilter(nullptr, nID)
        , m_nBits(nBits)
        , m_pLog(pLog)
    {
    }
    int OnFilter(UINT nMsg, WPARAM, LPARAM, LRESULT* pResult) override
    {
        *m_pLog += std::to_string(GetID()) + " ";
        *pResult = static_cast<LRESULT>(nMsg);
        // The action may delete this filter: nothing of it is read afterwards.
        const int nBits = m_nBits;
        if (const std::function<void()> action = m_onFilter)
            action();
        return nBits;
    }
    int m_nBits;
    std::string* m_pLog;
    std::function<void()> m_onFilter;
};

} // namespace

TEST(MsgFilterTree, ChildrenSeeTheMessageInOrderUntilOneSaysStopAndTheirBitsCombine)
{
    struct Case {
        std::vector<int> bits; // of children 1, 2, 3
        bool disableSecond;
        std::string seen;
        int result;
    };
    const Case cases[] = {
        { { 0, 1, 0 }, false, "1 2 3 ", 1 },
        // Bit 3 keeps the later siblings out; bits of the earlier ones stay.
        { { 2, 9, 4 }, false, "1 2 ", 11 },
        { { 7, 0, 8 }, false, "1 2 3 ", 15 },
        // A disabled child sees nothing and adds nothing.
        { { 0, 9, 4 }, true, "1 3 ", 4 },
    };
    for (const Case& c : cases) {
        std::string log;
        SECMsgFilter root;
        for (int i = 0; i < 3; ++i)
            root.AddChild(new RecordingFilter(i + 1, c.bits[static_cast<size_t>(i)], &log));
        root.GetChild(1)->Enable(!c.disableSecond);
        LRESULT lResult = 0;
        EXPECT_EQ(root.Filter(WM_NCPAINT, 0, 0, &lResult), c.result) << c.seen;
        EXPECT_EQ(log, c.seen);
    }
    // A disabled root sees nothing at all.
    std::string log;
    SECMsgFilter root;
    root.AddChild(new RecordingFilter(1, 1, &log));
    root.Enable(FALSE);
    LRESULT lResult = 0;
    EXPECT_EQ(root.Filter(WM_NCPAINT, 0, 0, &lResult), 0);
    EXPECT_EQ(log, "");
}

TEST(MsgFilterTree, FilterMessageOffersTheMessageBeingHandledWhenGivenNone)
{
    std::string log;
    SECMsgFilter root;
    root.AddChild(new RecordingFilter(1, 1, &log));
    AfxGetThreadState()->m_lastSentMsg.message = WM_NCACTIVATE;
    LRESULT lResult = 0;
    EXPECT_EQ(root.FilterMessage(nullptr, &lResult), 1);
    EXPECT_EQ(lResult, static_cast<LRESULT>(WM_NCACTIVATE));
    MSG msg {};
    msg.message = WM_SETTEXT;
    root.FilterMessage(&msg, &lResult);
    EXPECT_EQ(lResult, static_cast<LRESULT>(WM_SETTEXT));
}

TEST(MsgFilterTree, FindFilterSearchesAsDeepAsToldAndCreatesMissingFiltersByClass)
{
    SECMsgFilter root;
    auto* pBranch = new SECNcMsgFilter(nullptr, 256);
    pBranch->AddChild(new SECNcMsgFilter(nullptr, 258));
    root.AddChild(pBranch);

    EXPECT_EQ(root.FindFilter(256), pBranch);
    EXPECT_EQ(root.FindFilter(258), nullptr);
    EXPECT_EQ(root.FindFilter(258, nullptr, 1), pBranch->GetChild(0));
    EXPECT_EQ(root.FindFilter(258, nullptr, -1), pBranch->GetChild(0));

    // Not found anywhere it looks: a new direct child of the class, with the id, for the owner.
    CWnd owner;
    root.SetOwner(&owner);
    SECMsgFilter* pNew = root.FindFilter(258, RUNTIME_CLASS(SECCaptionControlMsgFilter));
    ASSERT_NE(pNew, nullptr);
    EXPECT_TRUE(pNew->IsKindOf(RUNTIME_CLASS(SECCaptionControlMsgFilter)));
    EXPECT_EQ(pNew->GetID(), 258);
    EXPECT_EQ(pNew->GetOwner(), &owner);
    EXPECT_EQ(root.GetChildCount(), 2);
    EXPECT_EQ(pBranch->GetChild(0)->GetOwner(), &owner);
    // A class that is no filter makes nothing.
    EXPECT_EQ(root.FindFilter(300, RUNTIME_CLASS(CObject)), nullptr);
    EXPECT_EQ(root.GetChildCount(), 2);
}

TEST(MsgFilterTree, DescriptorsBuildTheTreeAndDisablingSparesTheFiltersMarkedNeverDisable)
{
    SECMsgFilter::DescriptorTable table;
    table.Add(257, -1, RUNTIME_CLASS(SECNcMsgFilter));
    table.Add(256, -1, RUNTIME_CLASS(SECCaptionControlListMsgFilter), SECMsgFilter::Descriptor::kNeverDisable);
    table.Add(258, 256, RUNTIME_CLASS(SECCaptionControlMsgFilter));

    SECMsgFilter root;
    // Disabling what does not exist creates nothing.
    root.ApplyDescriptorsAll(table, FALSE);
    EXPECT_EQ(root.GetChildCount(), 0);

    root.ApplyDescriptorsAll(table, TRUE);
    ASSERT_EQ(root.GetChildCount(), 2);
    SECMsgFilter* pList = root.FindFilter(256);
    ASSERT_NE(pList, nullptr);
    // The caption control list brings its five standard controls; 258 comes after them.
    ASSERT_EQ(pList->GetChildCount(), 6);
    EXPECT_EQ(pList->GetChild(5)->GetID(), 258);

    root.ApplyDescriptorsAll(table, FALSE);
    EXPECT_FALSE(root.FindFilter(257)->IsEnabled());
    EXPECT_TRUE(pList->IsEnabled());
    EXPECT_FALSE(pList->GetChild(5)->IsEnabled());

    // Bit i of the mask enables descriptor i.
    root.ApplyDescriptors(table, 0x4);
    EXPECT_FALSE(root.FindFilter(257)->IsEnabled());
    EXPECT_TRUE(pList->GetChild(5)->IsEnabled());
    EXPECT_EQ(root.GetChildCount(), 2);
}

TEST(MsgFilterTree, ACloneCopiesIdsAndSwitchesAndGivesTheWholeCopyTheNewOwner)
{
    CWnd first;
    CWnd second;
    SECCaptionControlListMsgFilter list(&first, 256);
    list.GetChild(2)->Enable(FALSE);
    std::unique_ptr<SECMsgFilter> pCopy(list.Clone(&second));
    ASSERT_TRUE(pCopy->IsKindOf(RUNTIME_CLASS(SECCaptionControlListMsgFilter)));
    EXPECT_EQ(pCopy->GetID(), 256);
    EXPECT_EQ(pCopy->GetOwner(), &second);
    ASSERT_EQ(pCopy->GetChildCount(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(pCopy->GetChild(i)->GetID(), list.GetChild(i)->GetID());
        EXPECT_EQ(pCopy->GetChild(i)->IsEnabled(), i != 2);
        EXPECT_EQ(pCopy->GetChild(i)->GetOwner(), &second);
        EXPECT_NE(pCopy->GetChild(i), list.GetChild(i));
    }
}

TEST(MsgFilterTree, AChildWhoseCommandDeletesTheTreeEndsTheOfferThere)
{
    std::string log;
    auto* pRoot = new SECMsgFilter;
    auto* pKiller = new RecordingFilter(1, 1, &log);
    pKiller->m_onFilter = [&pRoot] {
        delete pRoot;
        pRoot = nullptr;
    };
    pRoot->AddChild(pKiller);
    pRoot->AddChild(new RecordingFilter(2, 1, &log));
    LRESULT lResult = 0;
    EXPECT_EQ(pRoot->Filter(WM_NCLBUTTONDOWN, 0, 0, &lResult), 1);
    EXPECT_EQ(log, "1 ");
    EXPECT_EQ(pRoot, nullptr);
}
