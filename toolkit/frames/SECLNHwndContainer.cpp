#include "toolkit/frames/SECLNHwndContainer.h"

#include <memory>

#include "toolkit/frames/SECLNFloatingHwndContainer.h"
#include "toolkit/frames/SECLayoutNode.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CDocTemplate.h"
#include "platform/afx/CDocument.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CView.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/CWnd.h"

namespace {

BOOL g_bContainerDragging = FALSE;

} // namespace

SECLNHwndContainer::SECLNHwndContainer(CWnd* pWnd)
    : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
}

BOOL SECLNHwndContainer::ClientToScreenRect(RECT& rect)
{
    auto* corners = reinterpret_cast<POINT*>(&rect);
    return ::ClientToScreen(m_hWnd, &corners[0]) && ::ClientToScreen(m_hWnd, &corners[1]);
}

BOOL SECLNHwndContainer::ClientToScreenPoint(POINT& point) { return ::ClientToScreen(m_hWnd, &point); }

BOOL SECLNHwndContainer::ScreenToClientRect(RECT& rect)
{
    auto* corners = reinterpret_cast<POINT*>(&rect);
    return ::ScreenToClient(m_hWnd, &corners[0]) && ::ScreenToClient(m_hWnd, &corners[1]);
}

BOOL SECLNHwndContainer::ScreenToClientPoint(POINT& point) { return ::ScreenToClient(m_hWnd, &point); }

BOOL SECLNHwndContainer::GetDrawingOrigin(POINT& origin)
{
    POINT zero {};
    const BOOL bOk = NodeToClientPoint(zero);
    origin = { -zero.x, -zero.y };
    return bOk;
}

void SECLNHwndContainer::InvalidateContainer(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }

BOOL SECLNHwndContainer::LockUpdates(BOOL bLock)
{
    if (bLock) {
        ::LockWindowUpdate(::GetDesktopWindow());
        return FALSE;
    }
    ::LockWindowUpdate(nullptr);
    return TRUE;
}

void SECLNHwndContainer::ShowContainer(BOOL bShow) { ::ShowWindow(m_hWnd, bShow ? SW_SHOWNORMAL : SW_HIDE); }

void SECLNHwndContainer::GetContainerClientRect(RECT& rect) { ::GetClientRect(m_hWnd, &rect); }

void SECLNHwndContainer::GetContainerWindowRect(RECT& rect) { ::GetWindowRect(m_hWnd, &rect); }

BOOL SECLNHwndContainer::GetContainerBorders(int& left, int& top, int& right, int& bottom)
{
    left = top = right = bottom = 0;
    return TRUE;
}

void SECLNHwndContainer::RecalcFrameLayout(BOOL bNotify)
{
    if (g_bContainerDragging)
        return;
    if (auto* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(m_hWnd)))
        frame->RecalcLayout(bNotify);
}

ISECLNContainer* SECLNHwndContainer::CreateFloatingWindow(SECLayoutNode* pNode, LPCTSTR lpszTitle,
    BOOL bHideOnClose, BOOL bAllowClose)
{
    if (!pNode)
        return nullptr;
    std::unique_ptr<ISECLNContainer> made(CreateFloatingContainer(m_hWnd));
    auto* floating = dynamic_cast<SECLNFloatingHwndContainer*>(made.get());
    if (!floating)
        return nullptr;
    CWnd* window = CWnd::FromHandle(m_hWnd);
    CWnd* parent = window ? window->GetTopLevelParent() : nullptr;
    if (!floating->CreateFrame(pNode, parent, lpszTitle, bHideOnClose, bAllowClose))
        return nullptr;
    return made.release();
}

HWND SECLNHwndContainer::SetContainerParent(HWND hParent)
{
    if (!m_hWnd || !hParent)
        return nullptr;
    return ::SetParent(m_hWnd, hParent);
}

ISECLNContainer* SECLNHwndContainer::CreateFloatingContainer(HWND) { return new SECLNFloatingHwndContainer; }

void SECLNHwndContainer::SetContainerDragFlag(BOOL bDragging) { g_bContainerDragging = bDragging; }

BOOL SECLNHwndContainer::GetContainerDragFlag() { return g_bContainerDragging; }

void SECLNHwndContainer::RecalcAllFrames(BOOL bNotify)
{
    if (g_bContainerDragging)
        return;
    if (auto* main = dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
        main->RecalcLayout(bNotify);
    CList<CFrameWnd*> frames;
    CollectFrameWindows(frames);
    for (POSITION pos = frames.GetHeadPosition(); pos;)
        frames.GetNext(pos)->RecalcLayout(bNotify);
}

void SECLNHwndContainer::CollectFrameWindows(CList<CFrameWnd*>& frames)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    CWnd* main = AfxGetMainWnd();
    for (POSITION tpos = app->GetFirstDocTemplatePosition(); tpos;) {
        CDocTemplate* docTemplate = app->GetNextDocTemplate(tpos);
        for (POSITION dpos = docTemplate->GetFirstDocPosition(); dpos;) {
            CDocument* doc = docTemplate->GetNextDoc(dpos);
            for (POSITION vpos = doc->GetFirstViewPosition(); vpos;) {
                CFrameWnd* frame = doc->GetNextView(vpos)->GetParentFrame();
                if (frame && frame != main && !frames.Find(frame))
                    frames.AddTail(frame);
            }
        }
    }
}
