#include "platform/user/WindowClass.h"

#include <algorithm>

#include "platform/base/CaseFold.h"

namespace platform::user {

namespace {

bool matches(const WindowClass& cls, LPCSTR nameOrAtom)
{
    if (IS_INTRESOURCE(nameOrAtom))
        return cls.atom == static_cast<ATOM>(reinterpret_cast<UINT_PTR>(nameOrAtom));
    return platform::EqualsNoCase(cls.name, nameOrAtom);
}

} // namespace

ClassTable& ClassTable::Instance()
{
    static ClassTable table = [] {
        ClassTable t;
        AddSystemClasses(t);
        return t;
    }();
    return table;
}

std::shared_ptr<WindowClass> ClassTable::find(LPCSTR nameOrAtom) const
{
    if (!nameOrAtom)
        return nullptr;
    auto it = std::find_if(m_classes.begin(), m_classes.end(), [&](const auto& c) { return matches(*c, nameOrAtom); });
    return it == m_classes.end() ? nullptr : *it;
}

ATOM ClassTable::add(std::shared_ptr<WindowClass> cls, DWORD& error)
{
    if (cls->name.empty() || !cls->proc || cls->classExtraBytes < 0 || cls->windowExtraBytes < 0
        || cls->classExtraBytes > 40000 || cls->windowExtraBytes > 40000) {
        error = ERROR_INVALID_PARAMETER;
        return 0;
    }
    if (find(cls->name.c_str())) {
        error = ERROR_CLASS_ALREADY_EXISTS;
        return 0;
    }
    if (m_nextAtom == 0xFFFF) {
        error = ERROR_NOT_ENOUGH_MEMORY;
        return 0;
    }
    cls->atom = m_nextAtom++;
    cls->extra.assign(static_cast<size_t>(cls->classExtraBytes), 0);
    m_classes.push_back(std::move(cls));
    return m_classes.back()->atom;
}

bool ClassTable::remove(LPCSTR nameOrAtom, DWORD& error)
{
    auto it = std::find_if(m_classes.begin(), m_classes.end(), [&](const auto& c) { return matches(*c, nameOrAtom); });
    if (it == m_classes.end()) {
        error = ERROR_CLASS_DOES_NOT_EXIST;
        return false;
    }
    if ((*it)->windowCount > 0) {
        error = ERROR_CLASS_HAS_WINDOWS;
        return false;
    }
    m_classes.erase(it);
    return true;
}

} // namespace platform::user
