// The border client: strips along the sides as thick as their nodes prefer, scaled down together when
// they do not fit, and a centre whose limits take room from the strips beside it.

#include "toolkit/frames/SECLNBorderClient.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Rect {
    LONG l, t, r, b;
};

::testing::AssertionResult Is(SECLayoutNode* node, Rect e)
{
    RECT c {};
    node->GetCurrentRect(&c);
    if (c.left == e.l && c.top == e.t && c.right == e.r && c.bottom == e.b)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << c.left << "," << c.top << "," << c.right << "," << c.bottom;
}

class Receiver : public ISECLNBorderClientEventRcvr {
public:
    void OnClientRectChanged(const RECT& centre) override { calls.push_back(centre); }
    std::vector<RECT> calls;
};

// A border client whose sides prefer the given thickness (0: no node) and whose centre has a minimum.
struct Fixture {
    Fixture(int mode, int top, int bottom, int left, int right, SIZE centreMin = {})
    {
        client.SetCornerMode(mode);
        const int thickness[] = { top, bottom, left, right };
        for (int pos = SECLNBorderClient::Top; pos <= SECLNBorderClient::Right; ++pos) {
            if (thickness[pos] < 0)
                continue;
            nodes[pos].SetPreferredRect({ 0, 0, thickness[pos], thickness[pos] });
            client.AddBorderNode(&nodes[pos], pos);
        }
        nodes[4].SetMinMaxSize(centreMin, {}, SECLayoutNode::NoMaxSize);
        client.AddBorderNode(&nodes[4], SECLNBorderClient::Centre);
    }
    void Layout(RECT total)
    {
        RECT out {};
        client.RecalcLayout(&out, total, TRUE, TRUE);
    }
    SECLayoutNode nodes[5];
    SECLNBorderClient client;
};

TEST(SECLNBorderClient, DistributesTheStripsByCornerMode)
{
    // Too tall together: 80 and 40 in 100 scale by 100/120, each truncated.
    Fixture tall(0, 80, 40, -1, -1);
    tall.Layout({ 0, 0, 200, 100 });
    EXPECT_TRUE(Is(&tall.nodes[0], { 0, 0, 200, 66 }));
    EXPECT_TRUE(Is(&tall.nodes[1], { 0, 67, 200, 100 }));
    EXPECT_TRUE(Is(&tall.nodes[4], { 0, 66, 200, 67 }));

    Fixture topFirst(0, 10, 20, 30, 50);
    topFirst.Layout({ 0, 0, 200, 100 });
    EXPECT_TRUE(Is(&topFirst.nodes[0], { 0, 0, 200, 10 }));
    EXPECT_TRUE(Is(&topFirst.nodes[1], { 0, 80, 200, 100 }));
    EXPECT_TRUE(Is(&topFirst.nodes[2], { 0, 10, 30, 80 }));
    EXPECT_TRUE(Is(&topFirst.nodes[3], { 150, 10, 200, 80 }));
    EXPECT_TRUE(Is(&topFirst.nodes[4], { 30, 10, 150, 80 }));

    Fixture sidesFirst(1, 10, 20, 30, 50);
    sidesFirst.Layout({ 0, 0, 200, 100 });
    EXPECT_TRUE(Is(&sidesFirst.nodes[0], { 30, 0, 150, 10 }));
    EXPECT_TRUE(Is(&sidesFirst.nodes[2], { 0, 0, 30, 100 }));
    EXPECT_TRUE(Is(&sidesFirst.nodes[3], { 150, 0, 200, 100 }));
    EXPECT_TRUE(Is(&sidesFirst.nodes[4], { 30, 10, 150, 80 }));

    // Any other mode starts the centre on the whole rectangle.
    Fixture other(2, -1, -1, -1, -1);
    other.Layout({ 5, 5, 50, 60 });
    EXPECT_TRUE(Is(&other.nodes[4], { 5, 5, 50, 60 }));

    // An inverted rectangle counts as zero wide and high; nothing goes negative.
    Fixture inverted(0, 80, 40, 10, 10);
    RECT out {};
    inverted.client.RecalcLayout(&out, { 50, 50, 10, 10 }, TRUE, TRUE);
    EXPECT_EQ(out.right, 50);
    EXPECT_EQ(out.bottom, 50);
    EXPECT_TRUE(Is(&inverted.nodes[4], { 50, 50, 50, 50 }));
}

TEST(SECLNBorderClient, CentreMinimumTakesRoomFromTheStripsBesideIt)
{
    // Short by 10: half from each side.
    Fixture both(0, -1, -1, 20, 20, { 70, 0 });
    both.Layout({ 0, 0, 100, 100 });
    EXPECT_TRUE(Is(&both.nodes[4], { 15, 0, 85, 100 }));
    EXPECT_TRUE(Is(&both.nodes[2], { 0, 0, 15, 100 }));
    EXPECT_TRUE(Is(&both.nodes[3], { 85, 0, 100, 100 }));

    // Only a right strip: it gives all of it.
    Fixture rightOnly(0, -1, -1, -1, 40, { 70, 0 });
    rightOnly.Layout({ 0, 0, 100, 100 });
    EXPECT_TRUE(Is(&rightOnly.nodes[4], { 0, 0, 70, 100 }));
    EXPECT_TRUE(Is(&rightOnly.nodes[3], { 70, 0, 100, 100 }));

    // What the right edge cannot give comes from the left edge, cut back to the rectangle.
    Fixture edge(0, -1, -1, 10, 0, { 100, 0 });
    edge.Layout({ 0, 0, 100, 100 });
    EXPECT_TRUE(Is(&edge.nodes[4], { 0, 0, 100, 100 }));
    EXPECT_TRUE(Is(&edge.nodes[2], { 0, 0, 0, 100 }));
}

TEST(SECLNBorderClient, FillsPlacesInTheOrderOfTheCornerMode)
{
    for (int mode : { 0, 1 }) {
        SECLNBorderClient client;
        client.SetCornerMode(mode);
        std::vector<std::unique_ptr<SECLayoutNode>> nodes;
        std::vector<int> order;
        for (int i = 0; i < 6; ++i) {
            nodes.push_back(std::make_unique<SECLayoutNode>());
            int pos = -1;
            if (client.FindFreeBorderPosition(pos))
                order.push_back(pos);
            EXPECT_EQ(client.AddLayoutNode(nodes.back().get()), i < 5 ? i + 1 : -1);
        }
        const std::vector<int> expected = mode == 0 ? std::vector { 0, 1, 2, 3, 4 } : std::vector { 2, 3, 0, 1, 4 };
        EXPECT_EQ(order, expected) << mode;
        EXPECT_EQ(nodes[5]->GetParent(), nullptr);
    }
}

TEST(SECLNBorderClient, ANodeLeavingClearsItsPlace)
{
    SECLNBorderClient client;
    SECLayoutNode kept;
    auto gone = std::make_unique<SECLayoutNode>();
    client.AddBorderNode(gone.get(), SECLNBorderClient::Left);
    // Stored at a second place, it leaves the first.
    client.AddBorderNode(gone.get(), SECLNBorderClient::Right);
    EXPECT_EQ(client.GetBorderNode(SECLNBorderClient::Left), nullptr);
    gone.reset();
    EXPECT_EQ(client.GetBorderNode(SECLNBorderClient::Right), nullptr);

    client.AddBorderNode(&kept, SECLNBorderClient::Top);
    EXPECT_EQ(client.RemoveLayoutNode(&kept), 0);
    int pos = -1;
    EXPECT_FALSE(client.GetBorderPosition(&kept, pos));
    EXPECT_EQ(client.GetBorderNode(7), nullptr);
    EXPECT_FALSE(client.SetBorderNode(&kept, -1));
    RECT out {};
    client.RecalcLayout(&out, { 0, 0, 10, 10 }, TRUE, TRUE); // empty: nothing to place
}

TEST(SECLNBorderClient, TellsTheReceiverWhenTheCentreMoves)
{
    Fixture f(0, 10, -1, -1, -1);
    Receiver receiver;
    f.client.SetEventReceiver(&receiver);
    f.Layout({ 0, 0, 100, 100 });
    f.Layout({ 0, 0, 100, 100 });
    ASSERT_EQ(receiver.calls.size(), 1u);
    EXPECT_EQ(receiver.calls[0].top, 10);
}

} // namespace
