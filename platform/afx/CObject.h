#pragma once
// The root of the class library's classes: run-time type information, serialisation into archives,
// and the macros that give a class its CRuntimeClass.

#include "platform/afx/AfxTypes.h"
#include "platform/afx/CRuntimeClass.h"

class CArchive;

// The CRuntimeClass of a class that declares one.
#define RUNTIME_CLASS(class_name) (const_cast<CRuntimeClass*>(&class_name::class##class_name))

// Gives a class its own run-time class (IsKindOf sees it; it cannot be created by name).
#define DECLARE_DYNAMIC(class_name)                                                                                    \
public:                                                                                                                \
    static const CRuntimeClass class##class_name;                                                                      \
    CRuntimeClass* GetRuntimeClass() const override;

// DECLARE_DYNAMIC, and the class can be created by name (it needs a default constructor).
#define DECLARE_DYNCREATE(class_name)                                                                                  \
    DECLARE_DYNAMIC(class_name)                                                                                        \
    static CObject* CreateObject();

// DECLARE_DYNCREATE, and objects of the class can be written to and read from archives.
#define DECLARE_SERIAL(class_name)                                                                                     \
    DECLARE_DYNCREATE(class_name)                                                                                      \
    friend CArchive& operator>>(CArchive& ar, class_name*& pOb);

#define AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                                       \
    const CRuntimeClass class_name::class##class_name                                                                  \
        = { #class_name, static_cast<int>(sizeof(class_name)), wSchema, pfnNew, RUNTIME_CLASS(base_class_name) };      \
    CRuntimeClass* class_name::GetRuntimeClass() const { return RUNTIME_CLASS(class_name); }                           \
    static const AFX_CLASSINIT _init_##class_name(RUNTIME_CLASS(class_name));

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                                 \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                                               \
    CObject* class_name::CreateObject() { return new class_name; }                                                     \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, class_name::CreateObject)

#define IMPLEMENT_SERIAL(class_name, base_class_name, wSchema)                                                         \
    CObject* class_name::CreateObject() { return new class_name; }                                                     \
    AFX_IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, class_name::CreateObject)                         \
    CArchive& operator>>(CArchive& ar, class_name*& pOb)                                                               \
    {                                                                                                                  \
        pOb = static_cast<class_name*>(ar.ReadObject(RUNTIME_CLASS(class_name)));                                      \
        return ar;                                                                                                     \
    }

class CObject {
public:
    static const CRuntimeClass classCObject;

    // Objects are deleted through CObject pointers (collections and archives do).
    virtual ~CObject() = default;
    // Objects of the class library are not copied unless a class says how.
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    // The most derived class that declares a run-time class.
    virtual CRuntimeClass* GetRuntimeClass() const;
    // Writes or reads the object's own data (nothing for CObject).
    virtual void Serialize(CArchive& ar);
    // Checks the object's invariants in debug builds; nothing here.
    virtual void AssertValid() const { }

    // True when the object's class is pClass or derives from it.
    BOOL IsKindOf(const CRuntimeClass* pClass) const;
    // True when the object's class can be written to an archive.
    BOOL IsSerializable() const;

protected:
    CObject() = default;
};
