#include "platform/afx/CRuntimeClass.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CObject.h"

namespace {

// Classes by registration; a name registered twice (two modules) resolves to the later one.
struct ClassTable {
    std::mutex mutex;
    std::vector<CRuntimeClass*> classes;

    static ClassTable& Instance()
    {
        static ClassTable table;
        return table;
    }
};

// Longest class name an archive may name; longer ones are treated as malformed.
constexpr WORD kMaxStoredClassName = 64;

} // namespace

CObject* CRuntimeClass::CreateObject() const
{
    if (!m_pfnCreateObject)
        return nullptr;
    try {
        return m_pfnCreateObject();
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass) {
        if (c == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (!lpszClassName)
        return nullptr;
    auto& table = ClassTable::Instance();
    std::lock_guard lock(table.mutex);
    auto found = std::find_if(table.classes.rbegin(), table.classes.rend(),
        [&](const CRuntimeClass* c) { return std::strcmp(c->m_lpszClassName, lpszClassName) == 0; });
    return found == table.classes.rend() ? nullptr : *found;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    const CRuntimeClass* c = FromName(lpszClassName);
    return c ? c->CreateObject() : nullptr;
}

void CRuntimeClass::Store(CArchive& ar) const
{
    const auto length = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << length;
    ar.Write(m_lpszClassName, length);
}

CRuntimeClass* CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD schema = 0;
    WORD length = 0;
    ar >> schema >> length;
    if (pwSchemaNum)
        *pwSchemaNum = schema;
    if (length == 0 || length > kMaxStoredClassName)
        return nullptr;
    char name[kMaxStoredClassName + 1] {};
    if (ar.Read(name, length) != length)
        AfxThrowArchiveException(CArchiveException::endOfFile);
    return FromName(name);
}

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass)
    : m_pClass(pNewClass)
{
    auto& table = ClassTable::Instance();
    std::lock_guard lock(table.mutex);
    table.classes.push_back(pNewClass);
}

AFX_CLASSINIT::~AFX_CLASSINIT()
{
    auto& table = ClassTable::Instance();
    std::lock_guard lock(table.mutex);
    std::erase(table.classes, m_pClass);
}
