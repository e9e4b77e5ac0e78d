#include "platform/afx/CGdiObject.h"

#include "platform/afx/AfxHandleMap.h"
#include "platform/afx/CBitmap.h"
#include "platform/afx/CBrush.h"
#include "platform/afx/CFont.h"
#include "platform/afx/CPalette.h"
#include "platform/afx/CPen.h"
#include "platform/afx/CRgn.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

namespace {

std::unique_ptr<CGdiObject> MakeOfKind(HGDIOBJ handle)
{
    switch (::GetObjectType(handle)) {
    case OBJ_PEN:
        return std::make_unique<CPen>();
    case OBJ_BRUSH:
        return std::make_unique<CBrush>();
    case OBJ_FONT:
        return std::make_unique<CFont>();
    case OBJ_BITMAP:
        return std::make_unique<CBitmap>();
    case OBJ_REGION:
        return std::make_unique<CRgn>();
    case OBJ_PAL:
        return std::make_unique<CPalette>();
    default:
        return std::make_unique<CGdiObject>();
    }
}

afx::HandleMap<CGdiObject, HGDIOBJ>& Map()
{
    thread_local afx::HandleMap<CGdiObject, HGDIOBJ> map(
        [](HGDIOBJ handle) {
            auto object = MakeOfKind(handle);
            object->m_hObject = handle;
            return object;
        },
        [](CGdiObject& object) { object.m_hObject = nullptr; });
    return map;
}

} // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) { return Map().FromHandle(hObject); }

void CGdiObject::DeleteTempMap() { Map().DeleteTemp(); }

BOOL CGdiObject::Attach(HGDIOBJ hObject)
{
    if (!hObject || m_hObject)
        return FALSE;
    m_hObject = hObject;
    m_bOwnsHandle = true;
    Map().SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ handle = m_hObject;
    if (handle)
        Map().RemoveHandle(handle, this);
    m_hObject = nullptr;
    return handle;
}

BOOL CGdiObject::DeleteObject()
{
    if (!m_hObject)
        return FALSE;
    const bool owns = m_bOwnsHandle;
    HGDIOBJ handle = Detach();
    m_bOwnsHandle = true;
    return owns ? ::DeleteObject(handle) : TRUE;
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const
{
    return m_hObject ? ::GetObject(m_hObject, nCount, lpObject) : 0;
}

UINT CGdiObject::GetObjectType() const { return m_hObject ? ::GetObjectType(m_hObject) : 0; }

BOOL CGdiObject::CreateStockObject(int nIndex)
{
    HGDIOBJ stock = ::GetStockObject(nIndex);
    if (!stock || m_hObject)
        return FALSE;
    m_hObject = stock;
    m_bOwnsHandle = false;
    return TRUE;
}
