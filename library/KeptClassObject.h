#pragma once
// A class object asked for once and kept while its holder lives: the objects made through it skip the
// class registry, whose look-up (the registry's files, the server's library) costs more than many an
// object it makes, such as a statement's record set or a file's tag reader.

#include "platform/com/ComDef.h"
#include "platform/com/ObjBase.h"

class KeptClassObject {
public:
    explicit KeptClassObject(REFCLSID clsid)
        : m_clsid(clsid)
    {
    }

    // Asks the class registry for the class object; without one (not registered, no COM yet) Make
    // asks again for each object, as creating it directly does.
    void Keep();
    void Release() { m_classObject = nullptr; }

    // A new object of the class.
    template<class Ptr> HRESULT Make(Ptr& made) const
    {
        if (m_classObject == nullptr)
            return made.CreateInstance(m_clsid);
        typename Ptr::Interface* object = nullptr;
        const HRESULT hr = m_classObject->CreateInstance(nullptr, Ptr::GetIID(), reinterpret_cast<void**>(&object));
        if (SUCCEEDED(hr))
            made.Attach(object);
        return hr;
    }

private:
    CLSID m_clsid;
    IClassFactoryPtr m_classObject;
};
