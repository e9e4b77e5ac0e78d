#pragma once
// The run-time description of a class: its name, size, schema, base class and, for classes that can be
// made from their name, a factory. Classes register themselves when their module is loaded, so that an
// archive or a caller can find and create them by name.

#include "platform/base/WinTypes.h"

class CObject;
class CArchive;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema; // 0xFFFF for classes that cannot be serialised
    CObject* (*m_pfnCreateObject)(); // null for classes that cannot be created by name
    CRuntimeClass* m_pBaseClass; // null for the root class

    // A new object of this class; null when the class has no factory or memory runs out.
    CObject* CreateObject() const;
    // True when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // The registered class of that name (exact spelling), or null.
    static CRuntimeClass* FromName(LPCSTR lpszClassName);
    // A new object of the registered class of that name; null when unknown or not creatable.
    static CObject* CreateObject(LPCSTR lpszClassName);

    // Writes the class reference of an archive: schema (WORD), name length (WORD), name bytes.
    void Store(CArchive& ar) const;
    // Reads a class reference written by Store; the stored schema goes to *pwSchemaNum. Null when the
    // named class is not registered. Throws CArchiveException on a truncated or malformed reference.
    static CRuntimeClass* Load(CArchive& ar, UINT* pwSchemaNum);
};

// Registers a class for lookup by name while the object lives (one per class, made by the
// IMPLEMENT_ macros at namespace scope, so a module's classes leave the table when it is unloaded).
struct AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
    ~AFX_CLASSINIT();
    AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
    AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;

    CRuntimeClass* m_pClass;
};
