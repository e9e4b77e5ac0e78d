#pragma once
// What a drag moves: it shows its outline while dragged and joins its new tree when docked.

#include "platform/afx/CBrush.h"
#include "toolkit/frames/SECDockInProgressInfo.h"
#include "toolkit/frames/SECLayoutNode.h"

class ISECDockInitiator;
class ISECDockTarget;
class SECLNDockingMgr;

class ISECDockableNode {
public:
    virtual ~ISECDockableNode() = default;
    virtual BOOL GetFloatRect(POINT point, RECT& rect, SECLNDockingMgr* pMgr, SECDockInProgressInfo& info) = 0;
    virtual void DrawOutline(HDC hDC, const RECT& rect, ISECDockTarget* pTarget) = 0;
    virtual void EraseOutline(HDC hDC) = 0;
    virtual BOOL Float(POINT point, SECLNDockingMgr* pMgr, SECDockInProgressInfo& info) = 0;
    virtual void OnDockedIn(SECLNDockingMgr* pMgr, SECLayoutNodePool* pPool) = 0;
    virtual ISECDockInitiator* FindInitiator() = 0;
    virtual CBrush* GetOutlineStyle(BOOL bFloating, SIZE& size, RECT& rect, CBrush*& pLastBrush) = 0;
    virtual CBrush* GetOutlineBrush(int nStyle) = 0;
};
