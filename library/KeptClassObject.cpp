#include "library/KeptClassObject.h"

void KeptClassObject::Keep()
{
    IClassFactory* classObject = nullptr;
    if (SUCCEEDED(CoGetClassObject(m_clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
            reinterpret_cast<void**>(&classObject))))
        m_classObject.Attach(classObject);
    else
        m_classObject = nullptr;
}
