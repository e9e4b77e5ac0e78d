#include "toolkit/frames/SECControlsLink.h"

#include "platform/afx/CRuntimeClass.h"

SECControlsLink& SECControlsLink::Get()
{
    static SECControlsLink link;
    return link;
}

BOOL SECIsKindOfName(const CObject* pObject, LPCSTR lpszClassName)
{
    const CRuntimeClass* pClass = CRuntimeClass::FromName(lpszClassName);
    return pObject && pClass && pObject->IsKindOf(pClass);
}
