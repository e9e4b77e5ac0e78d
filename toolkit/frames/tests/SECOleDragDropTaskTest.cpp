// A docking drag run through the system's drag-and-drop loop: Escape, or a docking drag that cannot go
// on, cancels it, and the drag's end hears that nothing was dropped.

#include "toolkit/frames/SECOleDragDropTask_T.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/afx/AfxStartup.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"
#include "toolkit/frames/SECLayoutWndListener.h"

namespace {

using platform::user::InjectKey;
using platform::user::InjectMouseButton;
using platform::user::InjectMouseMove;
using platform::user::MouseButton;

// A feature that lets every drag begin and records how each ended.
class RecordingFeature : public ISECDragDropFeature {
public:
    BOOL CanStartDrag(UINT, POINT) override { return TRUE; }
    BOOL BeginDrag(UINT, POINT) override { return TRUE; }
    BOOL DragOver(UINT, POINT) override
    {
        ++moves;
        return moves <= movesAllowed;
    }
    BOOL EndDrag(UINT, POINT, BOOL bCommit) override
    {
        ends.push_back(bCommit);
        return TRUE;
    }
    BOOL OnDoubleClick(UINT, POINT) override { return FALSE; }

    int moves { 0 };
    int movesAllowed { 1000 };
    std::vector<BOOL> ends;
};

class OleDocking : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        m_task.SetDragFeature(&m_feature);
        InjectMouseMove({ 10, 10 });
        InjectMouseButton(MouseButton::Left, true);
        m_screen.pump();
    }
    void TearDown() override
    {
        InjectMouseButton(MouseButton::Left, false);
        m_screen.pump();
    }

    platform::user::TestScreen m_screen { 320, 200 };
    RecordingFeature m_feature;
    SECOleDragDropTask_T<SECLayoutWndListener> m_task;
};

TEST_F(OleDocking, EscapeCancelsTheDrag)
{
    InjectKey(VK_ESCAPE, true);
    EXPECT_TRUE(m_task.RunDrag(MK_LBUTTON, { 10, 10 }, { 10, 10 }));
    InjectKey(VK_ESCAPE, false);
    EXPECT_EQ(m_feature.ends, std::vector<BOOL> { FALSE });
}

TEST_F(OleDocking, ADockingDragThatCannotGoOnCancelsTheDrag)
{
    m_feature.movesAllowed = 0;
    EXPECT_TRUE(m_task.RunDrag(MK_LBUTTON, { 10, 10 }, { 10, 10 }));
    EXPECT_EQ(m_feature.moves, 1);
    EXPECT_EQ(m_feature.ends, std::vector<BOOL> { FALSE });
}

} // namespace
