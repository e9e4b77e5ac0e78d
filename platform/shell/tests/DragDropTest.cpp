#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/GlobalMemory.h"
#include "platform/shell/OleIdl.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"

using platform::user::InjectKey;
using platform::user::InjectMouseButton;
using platform::user::InjectMouseMove;
using platform::user::MouseButton;

namespace {

constexpr CLIPFORMAT kText = 1;
constexpr CLIPFORMAT kRows = 0xC123;

// A reference-counted object that deletes itself; counts are checked at the end of each test.
template<class Interface> class Counted : public Interface {
public:
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == platform::IidOf<Interface>()) {
            *ppv = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++references; }
    ULONG Release() override { return --references; }
    ULONG references { 1 };
};

// Goes on while the left button is down; Escape cancels.
class Source : public Counted<IDropSource> {
public:
    HRESULT QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        if (escape)
            return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT GiveFeedback(DWORD effect) override
    {
        feedback.push_back(effect);
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
    std::vector<DWORD> feedback;
};

// Copies with Ctrl, moves otherwise; or refuses everything. Writes down what it is told.
class Target : public Counted<IDropTarget> {
public:
    explicit Target(std::string name, bool refuses = false)
        : m_name(std::move(name))
        , m_refuses(refuses)
    {
    }
    HRESULT DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override
    {
        FORMATETC format { kRows };
        offered = data->QueryGetData(&format) == S_OK;
        events.push_back(m_name + " enter " + std::to_string(pt.x) + "," + std::to_string(pt.y));
        if (onEnter)
            onEnter();
        return choose(keys, effect);
    }
    HRESULT DragOver(DWORD keys, POINTL, DWORD* effect) override
    {
        if (events.empty() || events.back() != m_name + " over")
            events.push_back(m_name + " over");
        return choose(keys, effect);
    }
    HRESULT DragLeave() override
    {
        events.push_back(m_name + " leave");
        return S_OK;
    }
    HRESULT Drop(IDataObject* data, DWORD keys, POINTL, DWORD* effect) override
    {
        FORMATETC format { kText };
        STGMEDIUM medium;
        std::string text;
        if (data->GetData(&format, &medium) == S_OK) {
            text = static_cast<const char*>(GlobalLock(medium.hGlobal));
            GlobalUnlock(medium.hGlobal);
            ReleaseStgMedium(&medium);
        }
        events.push_back(m_name + " drop " + text);
        return choose(keys, effect);
    }

    std::vector<std::string>& events { s_events };
    bool offered { false };
    std::function<void()> onEnter;
    static inline std::vector<std::string> s_events;

private:
    HRESULT choose(DWORD keys, DWORD* effect)
    {
        *effect = m_refuses ? DROPEFFECT_NONE : (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
        return S_OK;
    }

    std::string m_name;
    bool m_refuses;
};

struct DragResult {
    HRESULT result { E_FAIL };
    DWORD effect { 0xFFFF };
    bool quitPending { false };
};

IDataObject* g_data = nullptr;
Source* g_source = nullptr;
DragResult g_drag;

// Starts a drag of the data when the left button goes down on it.
LRESULT CALLBACK SourceWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_LBUTTONDOWN)
        return DefWindowProc(hwnd, message, wParam, lParam);
    g_drag.result = DoDragDrop(g_data, g_source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &g_drag.effect);
    MSG msg;
    g_drag.quitPending = PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
    return 0;
}

HGLOBAL Text(const char* text)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::strcpy(static_cast<char*>(GlobalLock(memory)), text);
    GlobalUnlock(memory);
    return memory;
}

class DragDrop : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        WNDCLASS wc {};
        wc.lpfnWndProc = SourceWindowProc;
        wc.lpszClassName = "DragSourceWindow";
        RegisterClass(&wc);
        wc.lpfnWndProc = DefWindowProc;
        wc.lpszClassName = "DropTargetWindow";
        RegisterClass(&wc);

        source = make("DragSourceWindow", 0, 0);
        treeWindow = make("DropTargetWindow", 100, 0);
        treeChild = CreateWindowEx(0, "DropTargetWindow", "", WS_CHILD | WS_VISIBLE, 0, 50, 100, 50, treeWindow, nullptr, nullptr, nullptr);
        refusingWindow = make("DropTargetWindow", 200, 0);
        ASSERT_EQ(RegisterDragDrop(treeWindow, &tree), S_OK);
        ASSERT_EQ(RegisterDragDrop(refusingWindow, &refusing), S_OK);

        ASSERT_EQ(platform::CreateDataObject(&g_data), S_OK);
        FORMATETC text { kText };
        STGMEDIUM medium;
        medium.tymed = TYMED_HGLOBAL;
        medium.hGlobal = Text("hello");
        ASSERT_EQ(g_data->SetData(&text, &medium, TRUE), S_OK);
        FORMATETC rows { kRows };
        medium.hGlobal = Text("rows");
        ASSERT_EQ(g_data->SetData(&rows, &medium, TRUE), S_OK);
        g_source = &dragSource;
        g_drag = {};
        Target::s_events.clear();
    }
    void TearDown() override
    {
        EXPECT_EQ(RevokeDragDrop(treeWindow), S_OK);
        EXPECT_EQ(RevokeDragDrop(refusingWindow), S_OK);
        EXPECT_EQ(tree.references, 1u);
        EXPECT_EQ(refusing.references, 1u);
        EXPECT_EQ(dragSource.references, 1u);
        EXPECT_EQ(g_data->Release(), 0u);
        OleUninitialize();
    }

    HWND make(const char* cls, int x, int y)
    {
        return CreateWindowEx(0, cls, "", WS_POPUP | WS_VISIBLE, x, y, 100, 100, nullptr, nullptr, nullptr, nullptr);
    }

    // Presses on the source, moves through the points, releases there; extra input goes in before
    // the release. All of it is queued first, as a person's quick gesture would be.
    void drag(const std::vector<POINT>& path, const std::function<void()>& beforeRelease = {}, bool release = true)
    {
        InjectMouseMove({ 10, 10 });
        InjectMouseButton(MouseButton::Left, true);
        for (const POINT& p : path)
            InjectMouseMove(p);
        if (beforeRelease)
            beforeRelease();
        if (release)
            InjectMouseButton(MouseButton::Left, false);
        screen.pump();
    }

    platform::user::TestScreen screen { 400, 300 };
    Source dragSource;
    Target tree { "tree" };
    Target refusing { "refusing", true };
    HWND source {};
    HWND treeWindow {};
    HWND treeChild {};
    HWND refusingWindow {};
};

using Events = std::vector<std::string>;

} // namespace

TEST_F(DragDrop, ADropOnATargetMovesOrWithCtrlCopies)
{
    drag({ { 150, 20 } });
    EXPECT_EQ(g_drag.result, DRAGDROP_S_DROP);
    EXPECT_EQ(g_drag.effect, DROPEFFECT_MOVE);
    EXPECT_EQ(Target::s_events, (Events { "tree enter 150,20", "tree drop hello" }));
    EXPECT_TRUE(tree.offered);
    EXPECT_EQ(dragSource.feedback, (std::vector<DWORD> { DROPEFFECT_NONE, DROPEFFECT_MOVE }));

    // Ctrl pressed over the target asks it again.
    Target::s_events.clear();
    dragSource.feedback.clear();
    drag({ { 150, 20 } }, [] { InjectKey(VK_CONTROL, true); });
    InjectKey(VK_CONTROL, false);
    screen.pump();
    EXPECT_EQ(g_drag.result, DRAGDROP_S_DROP);
    EXPECT_EQ(g_drag.effect, DROPEFFECT_COPY);
    EXPECT_EQ(Target::s_events, (Events { "tree enter 150,20", "tree over", "tree drop hello" }));
    EXPECT_EQ(dragSource.feedback.back(), DROPEFFECT_COPY);
}

TEST_F(DragDrop, TheTargetFollowsThePointerAndAChildDropsOnItsParentsTarget)
{
    drag({ { 150, 20 }, { 250, 20 }, { 150, 80 } });
    EXPECT_EQ(g_drag.effect, DROPEFFECT_MOVE);
    EXPECT_EQ(Target::s_events, (Events { "tree enter 150,20", "tree leave", "refusing enter 250,20", "refusing leave",
                                    "tree enter 150,80", "tree drop hello" }));
}

TEST_F(DragDrop, NoDropWhereNothingTakesIt)
{
    struct Case {
        const char* name;
        std::vector<POINT> path;
        Events events;
    };
    const Case cases[] = {
        { "empty screen", { { 50, 250 } }, {} },
        { "the source itself", { { 20, 20 } }, {} },
        { "a refusing target", { { 250, 20 } }, { "refusing enter 250,20", "refusing leave" } },
    };
    for (const Case& c : cases) {
        Target::s_events.clear();
        g_drag = {};
        drag(c.path);
        EXPECT_EQ(g_drag.result, DRAGDROP_S_DROP) << c.name;
        EXPECT_EQ(g_drag.effect, DROPEFFECT_NONE) << c.name;
        EXPECT_EQ(Target::s_events, c.events) << c.name;
    }
}

TEST_F(DragDrop, EscapeLostCaptureAndQuitCancelOverATarget)
{
    struct Case {
        const char* name;
        std::function<void()> during; // input queued before the release
        std::function<void()> onEnter; // done by the target while the drag is over it
        bool quitPending;
    };
    const Case cases[] = {
        { "escape", [] { InjectKey(VK_ESCAPE, true); InjectKey(VK_ESCAPE, false); }, {}, false },
        { "capture taken", {}, [this] { SetCapture(treeWindow); }, false },
        // A quit comes only once the queue is empty: the button is still down then.
        { "quit", [] { PostQuitMessage(3); }, {}, true },
    };
    for (const Case& c : cases) {
        Target::s_events.clear();
        g_drag = {};
        tree.onEnter = c.onEnter;
        drag({ { 150, 20 }, { 160, 20 } }, c.during, !c.quitPending);
        tree.onEnter = nullptr;
        InjectMouseButton(MouseButton::Left, false);
        EXPECT_EQ(g_drag.result, DRAGDROP_S_CANCEL) << c.name;
        EXPECT_EQ(g_drag.effect, DROPEFFECT_NONE) << c.name;
        ASSERT_FALSE(Target::s_events.empty());
        EXPECT_EQ(Target::s_events.back(), "tree leave") << c.name;
        EXPECT_EQ(g_drag.quitPending, c.quitPending) << c.name;
        ReleaseCapture();
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
}

TEST(DragDropRegistration, ErrorsLeaveTheRegistryAsItWas)
{
    platform::user::TestScreen screen;
    Target target("t");
    WNDCLASS wc {};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "PlainWindow";
    RegisterClass(&wc);
    HWND window = CreateWindowEx(0, "PlainWindow", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(RegisterDragDrop(nullptr, &target), DRAGDROP_E_INVALIDHWND);
    EXPECT_EQ(RegisterDragDrop(window, nullptr), E_INVALIDARG);
    EXPECT_EQ(RevokeDragDrop(window), DRAGDROP_E_NOTREGISTERED);
    EXPECT_EQ(RegisterDragDrop(window, &target), S_OK);
    EXPECT_EQ(RegisterDragDrop(window, &target), DRAGDROP_E_ALREADYREGISTERED);
    EXPECT_EQ(target.references, 2u);
    EXPECT_EQ(platform::RegisteredDropTarget(window), &target);
    EXPECT_EQ(RevokeDragDrop(window), S_OK);
    EXPECT_EQ(target.references, 1u);
    DWORD effect = 0;
    EXPECT_EQ(DoDragDrop(nullptr, nullptr, DROPEFFECT_COPY, &effect), E_INVALIDARG);
}

TEST(DataObject, HoldsCopiesOfDataPerFormat)
{
    IDataObject* data = nullptr;
    ASSERT_EQ(platform::CreateDataObject(&data), S_OK);
    FORMATETC text { kText };
    STGMEDIUM medium;
    medium.tymed = TYMED_HGLOBAL;
    medium.hGlobal = Text("first");
    // Without fRelease the caller keeps its memory.
    ASSERT_EQ(data->SetData(&text, &medium, FALSE), S_OK);
    GlobalFree(medium.hGlobal);
    medium.hGlobal = Text("second");
    ASSERT_EQ(data->SetData(&text, &medium, TRUE), S_OK);
    FORMATETC rows { kRows };
    medium.hGlobal = Text("rows");
    ASSERT_EQ(data->SetData(&rows, &medium, TRUE), S_OK);

    STGMEDIUM out;
    ASSERT_EQ(data->GetData(&text, &out), S_OK);
    EXPECT_STREQ(static_cast<const char*>(GlobalLock(out.hGlobal)), "second");
    GlobalUnlock(out.hGlobal);
    ReleaseStgMedium(&out);
    EXPECT_EQ(out.tymed, static_cast<DWORD>(TYMED_NULL));

    FORMATETC missing { 0xC999 };
    FORMATETC wrongStorage { kText, nullptr, DVASPECT_CONTENT, -1, TYMED_ISTREAM };
    EXPECT_EQ(data->QueryGetData(&missing), DV_E_FORMATETC);
    EXPECT_EQ(data->GetData(&wrongStorage, &out), DV_E_TYMED);
    STGMEDIUM stream;
    stream.tymed = TYMED_ISTREAM;
    EXPECT_EQ(data->SetData(&rows, &stream, TRUE), DV_E_TYMED);

    IEnumFORMATETC* formats = nullptr;
    ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), S_OK);
    FORMATETC listed[3];
    ULONG fetched = 0;
    EXPECT_EQ(formats->Next(3, listed, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(listed[0].cfFormat, kText);
    EXPECT_EQ(listed[1].cfFormat, kRows);
    formats->Release();
    EXPECT_EQ(data->Release(), 0u);
}
