#include "toolkit/frames/SECLNFloatingHwndContainer.h"

#include <algorithm>
#include <vector>

#include "toolkit/frames/SECDragDropDockingFeature.h"
#include "toolkit/frames/SECLayoutMiniFloatWnd.h"

namespace {
// Frames whose container is gone, hidden and waiting to be destroyed.
std::vector<SECLayoutMiniFloatWnd*>& PendingFrames()
{
    static std::vector<SECLayoutMiniFloatWnd*> frames;
    return frames;
}
} // namespace

int SECLNFloatingHwndContainer::GetPendingFrameCount() { return static_cast<int>(PendingFrames().size()); }

void SECLNFloatingHwndContainer::ForgetPendingFrame(SECLayoutMiniFloatWnd* pFrame)
{
    auto& pending = PendingFrames();
    pending.erase(std::remove(pending.begin(), pending.end(), pFrame), pending.end());
}

SECLNFloatingHwndContainer::~SECLNFloatingHwndContainer()
{
    SECLayoutMiniFloatWnd* frame = LiveFrame();
    m_pFrame = nullptr;
    if (!frame)
        return;
    PendingFrames().push_back(frame);
    frame->ShowWindow(SW_HIDE);
    frame->DetachListener();
}

SECLayoutMiniFloatWnd* SECLNFloatingHwndContainer::LiveFrame() const
{
    // The frame deletes itself with its window (closed without hide-on-close, or with its owner); the
    // pointer is only good while the container's window is still that frame.
    if (!m_pFrame || !GetWindow() || CWnd::FromHandlePermanent(GetWindow()) != m_pFrame)
        return nullptr;
    return m_pFrame;
}

BOOL SECLNFloatingHwndContainer::NodeToClientRect(RECT& rect)
{
    ::OffsetRect(&rect, -m_ptClientOffset.x, -m_ptClientOffset.y);
    return TRUE;
}

BOOL SECLNFloatingHwndContainer::NodeToClientPoint(POINT& point)
{
    point.x -= m_ptClientOffset.x;
    point.y -= m_ptClientOffset.y;
    return TRUE;
}

BOOL SECLNFloatingHwndContainer::ClientToNodeRect(RECT& rect)
{
    ::OffsetRect(&rect, m_ptClientOffset.x, m_ptClientOffset.y);
    return TRUE;
}

BOOL SECLNFloatingHwndContainer::ClientToNodePoint(POINT& point)
{
    point.x += m_ptClientOffset.x;
    point.y += m_ptClientOffset.y;
    return TRUE;
}

BOOL SECLNFloatingHwndContainer::GetContainerBorders(int& left, int& top, int& right, int& bottom)
{
    SECLayoutMiniFloatWnd* frame = LiveFrame();
    if (!frame)
        return FALSE;
    // A fixed size first, so the answer does not depend on how small the frame happened to be.
    frame->SetWindowPos(nullptr, 0, 0, 1000, 1000, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT window {};
    RECT client {};
    frame->GetWindowRect(&window);
    frame->GetClientRect(&client);
    frame->ClientToScreen(&client);
    left = client.left - window.left;
    top = client.top - window.top;
    right = window.right - client.right;
    bottom = window.bottom - client.bottom;
    m_ptClientOffset = { left, top };
    return TRUE;
}

BOOL SECLNFloatingHwndContainer::IsContainerVisible()
{
    SECLayoutMiniFloatWnd* frame = LiveFrame();
    return frame && frame->IsWindowVisible();
}

BOOL SECLNFloatingHwndContainer::ShowAt(const RECT& rect)
{
    SECLayoutMiniFloatWnd* frame = LiveFrame();
    return frame ? frame->ShowAt(rect, m_pShowArgument) : FALSE;
}

SECLayoutMiniFloatWnd* SECLNFloatingHwndContainer::MakeFrame() { return new SECLayoutMiniFloatWnd; }

BOOL SECLNFloatingHwndContainer::CreateFrame(SECLayoutNode* pRoot, CWnd* pParent, LPCTSTR lpszTitle,
    BOOL bHideOnClose, BOOL bAllowClose)
{
    if (!pRoot)
        return FALSE;
    SECLayoutMiniFloatWnd* frame = MakeFrame();
    if (!frame->Create(pParent, pRoot, lpszTitle, bHideOnClose, bAllowClose)) {
        delete frame;
        return FALSE;
    }
    // Frames left over from earlier floats go now, except the one showing the node being dragged.
    if (SECLayoutNode* dragged = SECDragDropDockingFeature::GetDraggedNode()) {
        auto& pending = PendingFrames();
        std::vector<SECLayoutMiniFloatWnd*> keep;
        for (SECLayoutMiniFloatWnd* old : pending) {
            if (old->GetRoot() == dragged)
                keep.push_back(old);
            else if (old->m_hWnd)
                old->DestroyWindow();
        }
        pending = keep;
    }
    m_pFrame = frame;
    SetWindow(frame->m_hWnd);
    return TRUE;
}
