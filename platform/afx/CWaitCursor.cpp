#include "platform/afx/CWaitCursor.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CWinApp.h"

namespace {

void DoWaitCursor(int nCode)
{
    if (CWinApp* app = AfxGetApp())
        app->DoWaitCursor(nCode);
}

} // namespace

CWaitCursor::CWaitCursor() { DoWaitCursor(1); }

CWaitCursor::~CWaitCursor() { DoWaitCursor(-1); }

void CWaitCursor::Restore() { DoWaitCursor(0); }

void CCmdTarget::BeginWaitCursor() { DoWaitCursor(1); }

void CCmdTarget::EndWaitCursor() { DoWaitCursor(-1); }

void CCmdTarget::RestoreWaitCursor() { DoWaitCursor(0); }

void CWinApp::DoWaitCursor(int nCode)
{
    HCURSOR wait = ::LoadCursor(nullptr, IDC_WAIT);
    if (nCode > 0) {
        if (m_nWaitCursorCount++ == 0)
            m_hcurWaitCursorRestore = ::SetCursor(wait);
        else
            ::SetCursor(wait);
    } else if (nCode < 0) {
        // An unmatched end changes nothing rather than underflow the count.
        if (m_nWaitCursorCount == 0)
            return;
        if (--m_nWaitCursorCount == 0)
            ::SetCursor(m_hcurWaitCursorRestore);
    } else if (m_nWaitCursorCount > 0) {
        ::SetCursor(wait);
    }
}
