#include "platform/afx/AfxStartup.h"

#include "platform/shell/OleIdl.h"

namespace {

BOOL g_userCtrl = TRUE;

// Leaves OLE when the thread that entered it ends, as one OleUninitialize per success is owed.
class OleThreadScope {
public:
    OleThreadScope() = default;
    OleThreadScope(const OleThreadScope&) = delete;
    OleThreadScope& operator=(const OleThreadScope&) = delete;
    ~OleThreadScope()
    {
        if (m_entered)
            OleUninitialize();
    }
    bool enter()
    {
        if (!m_entered)
            m_entered = SUCCEEDED(OleInitialize(nullptr));
        return m_entered;
    }

private:
    bool m_entered { false };
};

} // namespace

BOOL AfxOleInit()
{
    thread_local OleThreadScope scope;
    return scope.enter() ? TRUE : FALSE;
}

BOOL AfxSocketInit(WSADATA*) { return TRUE; }

BOOL AfxOleCanExitApp() { return TRUE; }

BOOL AfxOleGetUserCtrl() { return g_userCtrl; }

void AfxOleSetUserCtrl(BOOL bUserCtrl) { g_userCtrl = bUserCtrl; }
