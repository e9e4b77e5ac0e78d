#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/afx/AfxStartup.h"
#include "platform/afx/COleDataObject.h"
#include "platform/afx/COleDataSource.h"
#include "platform/afx/COleDropSource.h"
#include "platform/afx/COleDropTarget.h"
#include "platform/afx/CWnd.h"
#include "platform/base/GlobalMemory.h"
#include "platform/user/Input.h"
#include "platform/user/WinClipboard.h"
#include "platform/user/TestScreen.h"

using platform::user::InjectMouseButton;
using platform::user::InjectMouseMove;
using platform::user::MouseButton;
using platform::user::TestScreen;

namespace {

// Accepts drags that offer its own format and keeps the text dropped.
class CTextTarget : public COleDropTarget {
public:
    explicit CTextTarget(CLIPFORMAT format)
        : m_format(format)
    {
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD, CPoint) override
    {
        return pDataObject->IsDataAvailable(m_format) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    }
    BOOL OnDrop(CWnd*, COleDataObject* pDataObject, DROPEFFECT, CPoint point) override
    {
        HGLOBAL data = pDataObject->GetGlobalData(m_format);
        if (!data)
            return FALSE;
        dropped = static_cast<const char*>(GlobalLock(data));
        GlobalUnlock(data);
        GlobalFree(data);
        droppedAt = point;
        return TRUE;
    }
    void OnDragLeave(CWnd*) override { ++leaves; }

    std::string dropped;
    CPoint droppedAt;
    int leaves { 0 };

private:
    CLIPFORMAT m_format;
};

HGLOBAL Text(const char* text)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(memory)), text);
    GlobalUnlock(memory);
    return memory;
}

// The standard source, fed the pointer's way one event per turn of the drag loop, as a hand moves:
// input queued all at once would reach the loop as one move.
class CScriptedSource : public COleDropSource {
public:
    explicit CScriptedSource(POINT to)
        : m_way { { 60, 20 }, to, { to.x + 5, to.y } }
    {
    }
    SCODE QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState) override
    {
        const SCODE going = COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
        if (going == S_OK && m_next < m_way.size())
            InjectMouseMove(m_way[m_next++]);
        else if (going == S_OK && m_next++ == m_way.size())
            InjectMouseButton(MouseButton::Left, false);
        return going;
    }

private:
    std::vector<POINT> m_way;
    size_t m_next { 0 };
};

class OleDrag : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AfxOleInit());
        ASSERT_TRUE(source.CreateEx(0, nullptr, "source", WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
        ASSERT_TRUE(target.CreateEx(0, nullptr, "target", WS_POPUP | WS_VISIBLE, CRect(150, 0, 250, 100), nullptr, 0));
        screen.pump();
    }
    void TearDown() override
    {
        source.DestroyWindow();
        target.DestroyWindow();
        screen.pump();
    }
    // Presses on the source and drags the data to the target point, releasing there; entering offers
    // nothing by default, so the way ends with a move over the target.
    DROPEFFECT dragTo(COleDataSource& data, POINT to, DWORD effects)
    {
        InjectMouseMove({ 10, 10 });
        InjectMouseButton(MouseButton::Left, true);
        screen.pump();
        CScriptedSource hand(to);
        return data.DoDragDrop(effects, nullptr, &hand);
    }

    TestScreen screen { 320, 200 };
    CWnd source;
    CWnd target;
    CLIPFORMAT rows { static_cast<CLIPFORMAT>(RegisterClipboardFormat("AfxTestRows")) };
    CLIPFORMAT other { static_cast<CLIPFORMAT>(RegisterClipboardFormat("AfxTestOther")) };
};

} // namespace

TEST_F(OleDrag, ADragFromOneWindowToAnotherDeliversTheCachedData)
{
    CTextTarget drop(rows);
    ASSERT_TRUE(drop.Register(&target));
    EXPECT_FALSE(drop.Register(&target));
    COleDataSource data;
    data.CacheGlobalData(rows, Text("three rows"));
    EXPECT_EQ(dragTo(data, { 180, 40 }, DROPEFFECT_COPY | DROPEFFECT_MOVE), DROPEFFECT_COPY);
    EXPECT_EQ(drop.dropped, "three rows");
    EXPECT_EQ(drop.droppedAt, CPoint(35, 40));
}

TEST_F(OleDrag, ADropOfAnUnknownFormatIsRefusedAndAPlainWindowOffersNothing)
{
    CTextTarget drop(rows);
    ASSERT_TRUE(drop.Register(&target));
    COleDataSource data;
    data.CacheGlobalData(other, Text("not rows"));
    EXPECT_EQ(dragTo(data, { 180, 40 }, DROPEFFECT_COPY), DROPEFFECT_NONE);
    EXPECT_TRUE(drop.dropped.empty());
    EXPECT_GE(drop.leaves, 1);
    drop.Revoke();

    // The default target gives no effect for a window that is not a view.
    COleDropTarget plain;
    ASSERT_TRUE(plain.Register(&target));
    COleDataSource again;
    again.CacheGlobalData(rows, Text("rows"));
    EXPECT_EQ(dragTo(again, { 180, 40 }, DROPEFFECT_COPY), DROPEFFECT_NONE);
}
