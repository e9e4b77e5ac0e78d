#pragma once
// Registered window classes. Names compare without regard to case; the module handle is not part of
// the name, as every module of this program shares one process-wide class table.

#include <memory>
#include <string>
#include <vector>

#include "platform/user/WinUser.h"

namespace platform::user {

struct WindowClass {
    std::string name;
    ATOM atom { 0 };
    UINT style { 0 };
    WNDPROC proc { nullptr };
    int classExtraBytes { 0 };
    int windowExtraBytes { 0 };
    HINSTANCE instance { nullptr };
    HICON icon { nullptr };
    HICON smallIcon { nullptr };
    HCURSOR cursor { nullptr };
    HBRUSH background { nullptr };
    std::string menuName;
    LPCSTR menuResource { nullptr };
    std::vector<BYTE> extra;
    // One DC for every window of a CS_CLASSDC class.
    HDC classDC { nullptr };
    int windowCount { 0 };
};

class ClassTable {
public:
    // With the window manager's lock held.
    static ClassTable& Instance();

    std::shared_ptr<WindowClass> find(LPCSTR nameOrAtom) const;
    // 0 and the error code when the class cannot be added.
    ATOM add(std::shared_ptr<WindowClass> cls, DWORD& error);
    bool remove(LPCSTR nameOrAtom, DWORD& error);

private:
    std::vector<std::shared_ptr<WindowClass>> m_classes;
    ATOM m_nextAtom { 0xC000 };
};

// Registers the classes of dialogs and the standard controls into a new table.
void AddSystemClasses(ClassTable& table);

} // namespace platform::user
