#include "platform/afx/CDockState.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "platform/afx/AfxDockStateIO.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CArchiveException.h"
#include "platform/afx/CControlBarInfo.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/WinUser.h"

IMPLEMENT_SERIAL(CDockState, CObject, 0)

namespace {

// Bar ids beyond this are not ids but damage.
constexpr WORD kMaxBarRecords = 0x4000;

using afx::ReadDword;
using afx::ReadLong;
using afx::ReadPoint;
using afx::WritePoint;

} // namespace

// One bar's record.

void CControlBarInfo::Serialize(CArchive& ar, CDockState* pDockState)
{
    SerializePlacement(ar, pDockState);
    SerializeBarIds(ar);
}

void CControlBarInfo::SerializePlacement(CArchive& ar, CDockState* pDockState)
{
    const DWORD version = pDockState ? pDockState->GetVersion() : 2;
    if (ar.IsStoring()) {
        ar << static_cast<DWORD>(m_nBarID) << static_cast<DWORD>(m_bVisible) << static_cast<DWORD>(m_bFloating)
           << static_cast<DWORD>(m_bHorz);
        WritePoint(ar, m_pointPos);
        if (version > 1) {
            ar << static_cast<DWORD>(m_nMRUWidth) << static_cast<DWORD>(m_bDocking);
            if (m_bDocking) {
                ar << static_cast<DWORD>(m_uMRUDockID);
                WritePoint(ar, m_rectMRUDockPos.TopLeft());
                WritePoint(ar, m_rectMRUDockPos.BottomRight());
                ar << m_dwMRUFloatStyle;
                WritePoint(ar, m_ptMRUFloatPos);
            }
        }
        return;
    }
    m_nBarID = ReadDword(ar);
    m_bVisible = ReadDword(ar) != 0;
    m_bFloating = ReadDword(ar) != 0;
    m_bHorz = ReadDword(ar) != 0;
    m_pointPos = ReadPoint(ar);
    if (version > 1) {
        if (pDockState)
            pDockState->ScalePoint(m_pointPos);
        m_nMRUWidth = static_cast<int>(ReadDword(ar));
        m_bDocking = ReadDword(ar) != 0;
        if (m_bDocking) {
            m_uMRUDockID = ReadDword(ar);
            const CPoint topLeft = ReadPoint(ar);
            const CPoint bottomRight = ReadPoint(ar);
            m_rectMRUDockPos = CRect(topLeft, bottomRight);
            if (pDockState)
                pDockState->ScaleRectPos(m_rectMRUDockPos);
            m_dwMRUFloatStyle = ReadDword(ar);
            m_ptMRUFloatPos = ReadPoint(ar);
            if (pDockState)
                pDockState->ScalePoint(m_ptMRUFloatPos);
        }
    }
}

void CControlBarInfo::SerializeBarIds(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(m_arrBarID.GetSize());
        for (INT_PTR i = 0; i < m_arrBarID.GetSize(); ++i)
            ar << m_arrBarID[i];
        return;
    }
    WORD count = 0;
    ar >> count;
    m_arrBarID.RemoveAll();
    for (WORD i = 0; i < count; ++i)
        m_arrBarID.Add(ReadDword(ar));
}

BOOL CControlBarInfo::LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    const CString section = afx::DockBarSection(lpszProfileName, nIndex);
    m_nBarID = app->GetProfileInt(section, "BarID", 0);
    m_bVisible = app->GetProfileInt(section, "Visible", TRUE) != 0;
    m_bHorz = app->GetProfileInt(section, "Horz", TRUE) != 0;
    m_bFloating = app->GetProfileInt(section, "Floating", FALSE) != 0;
    m_pointPos = CPoint(static_cast<int>(app->GetProfileInt(section, "XPos", -1)),
        static_cast<int>(app->GetProfileInt(section, "YPos", -1)));
    if (pDockState)
        pDockState->ScalePoint(m_pointPos);
    m_nMRUWidth = static_cast<int>(app->GetProfileInt(section, "MRUWidth", 32767));
    m_bDocking = app->GetProfileInt(section, "Docking", 0) != 0;
    if (m_bDocking) {
        m_uMRUDockID = app->GetProfileInt(section, "MRUDockID", 0);
        m_rectMRUDockPos = CRect(static_cast<int>(app->GetProfileInt(section, "MRUDockLeftPos", 0)),
            static_cast<int>(app->GetProfileInt(section, "MRUDockTopPos", 0)),
            static_cast<int>(app->GetProfileInt(section, "MRUDockRightPos", 0)),
            static_cast<int>(app->GetProfileInt(section, "MRUDockBottomPos", 0)));
        if (pDockState)
            pDockState->ScaleRectPos(m_rectMRUDockPos);
        m_dwMRUFloatStyle = app->GetProfileInt(section, "MRUFloatStyle", 0);
        m_ptMRUFloatPos = CPoint(static_cast<int>(app->GetProfileInt(section, "MRUFloatXPos", 0)),
            static_cast<int>(app->GetProfileInt(section, "MRUFloatYPos", 0)));
        if (pDockState)
            pDockState->ScalePoint(m_ptMRUFloatPos);
    }
    const int bars = static_cast<int>(app->GetProfileInt(section, "Bars", 0));
    m_arrBarID.RemoveAll();
    for (int i = 0; i < bars && i < kMaxBarRecords; ++i) {
        CString entry;
        entry.Format("Bar#%d", i);
        m_arrBarID.Add(app->GetProfileInt(section, entry, 0));
    }
    return m_nBarID != 0;
}

BOOL CControlBarInfo::SaveState(LPCTSTR lpszProfileName, int nIndex)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return FALSE;
    const CString section = afx::DockBarSection(lpszProfileName, nIndex);
    app->WriteProfileString(section, nullptr, nullptr);
    if (m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 && m_pointPos.y == -1
        && m_arrBarID.GetSize() <= 1)
        return FALSE;
    app->WriteProfileInt(section, "BarID", static_cast<int>(m_nBarID));
    if (!m_bVisible)
        app->WriteProfileInt(section, "Visible", m_bVisible);
    if (m_bFloating) {
        app->WriteProfileInt(section, "Horz", m_bHorz);
        app->WriteProfileInt(section, "Floating", m_bFloating);
    }
    if (m_pointPos.x != -1)
        app->WriteProfileInt(section, "XPos", m_pointPos.x);
    if (m_pointPos.y != -1)
        app->WriteProfileInt(section, "YPos", m_pointPos.y);
    if (m_nMRUWidth != 32767)
        app->WriteProfileInt(section, "MRUWidth", m_nMRUWidth);
    if (m_bDocking) {
        app->WriteProfileInt(section, "Docking", m_bDocking);
        app->WriteProfileInt(section, "MRUDockID", static_cast<int>(m_uMRUDockID));
        app->WriteProfileInt(section, "MRUDockLeftPos", m_rectMRUDockPos.left);
        app->WriteProfileInt(section, "MRUDockTopPos", m_rectMRUDockPos.top);
        app->WriteProfileInt(section, "MRUDockRightPos", m_rectMRUDockPos.right);
        app->WriteProfileInt(section, "MRUDockBottomPos", m_rectMRUDockPos.bottom);
        app->WriteProfileInt(section, "MRUFloatStyle", static_cast<int>(m_dwMRUFloatStyle));
        app->WriteProfileInt(section, "MRUFloatXPos", m_ptMRUFloatPos.x);
        app->WriteProfileInt(section, "MRUFloatYPos", m_ptMRUFloatPos.y);
    }
    if (m_arrBarID.GetSize() > 1) {
        app->WriteProfileInt(section, "Bars", static_cast<int>(m_arrBarID.GetSize()));
        for (INT_PTR i = 0; i < m_arrBarID.GetSize(); ++i) {
            CString entry;
            entry.Format("Bar#%d", static_cast<int>(i));
            app->WriteProfileInt(section, entry, static_cast<int>(m_arrBarID[i]));
        }
    }
    return TRUE;
}

// The whole state.

CDockState::CDockState()
{
    CSize screen = GetScreenSize();
    SetScreenSize(screen);
}

CDockState::~CDockState() { Clear(); }

void CDockState::Clear()
{
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
        delete At(i);
    m_arrBarInfo.RemoveAll();
}

void CDockState::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << m_dwVersion;
        if (m_dwVersion > 1) {
            const CSize size = GetScreenSize();
            ar << static_cast<LONG>(size.cx) << static_cast<LONG>(size.cy);
        }
        ar << static_cast<WORD>(m_arrBarInfo.GetSize());
        for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i)
            SerializeBarInfo(ar, At(i));
        return;
    }
    Clear();
    try {
        ar >> m_dwVersion;
        if (m_dwVersion != 1 && m_dwVersion != 2)
            AfxThrowArchiveException(CArchiveException::badSchema);
        if (m_dwVersion > 1) {
            CSize size;
            size.cx = ReadLong(ar);
            size.cy = ReadLong(ar);
            SetScreenSize(size);
        }
        WORD count = 0;
        ar >> count;
        for (WORD i = 0; i < count; ++i) {
            std::unique_ptr<CControlBarInfo> info(NewBarInfo());
            SerializeBarInfo(ar, info.get());
            m_arrBarInfo.Add(info.release());
        }
    } catch (...) {
        // A damaged state is no state: nothing half read is kept.
        Clear();
        m_dwVersion = 2;
        throw;
    }
    m_dwVersion = 2;
}

CControlBarInfo* CDockState::NewBarInfo() { return new CControlBarInfo; }

void CDockState::SerializeBarInfo(CArchive& ar, CControlBarInfo* pInfo) { pInfo->Serialize(ar, this); }

void CDockState::LoadState(LPCTSTR lpszProfileName)
{
    Clear();
    CWinApp* app = AfxGetApp();
    if (!app || !lpszProfileName)
        return;
    const CString summary = afx::DockSummarySection(lpszProfileName);
    const int bars = static_cast<int>(app->GetProfileInt(summary, "Bars", 0));
    CSize size(static_cast<int>(app->GetProfileInt(summary, "ScreenCX", 0)),
        static_cast<int>(app->GetProfileInt(summary, "ScreenCY", 0)));
    SetScreenSize(size);
    for (int i = 0; i < bars && i < kMaxBarRecords; ++i) {
        auto info = std::make_unique<CControlBarInfo>();
        if (info->LoadState(lpszProfileName, i, this))
            m_arrBarInfo.Add(info.release());
    }
}

void CDockState::SaveState(LPCTSTR lpszProfileName)
{
    CWinApp* app = AfxGetApp();
    if (!app || !lpszProfileName)
        return;
    int written = 0;
    for (INT_PTR i = 0; i < m_arrBarInfo.GetSize(); ++i) {
        if (SaveBarState(At(i), lpszProfileName, written))
            ++written;
    }
    const CString summary = afx::DockSummarySection(lpszProfileName);
    app->WriteProfileInt(summary, "Bars", written);
    const CSize size = GetScreenSize();
    app->WriteProfileInt(summary, "ScreenCX", size.cx);
    app->WriteProfileInt(summary, "ScreenCY", size.cy);
    // Sections of bars an earlier, longer state wrote would be read back as bars.
    for (int i = written;; ++i) {
        const CString section = afx::DockBarSection(lpszProfileName, i);
        if (app->GetProfileInt(section, "BarID", 0) == 0)
            break;
        app->WriteProfileString(section, nullptr, nullptr);
    }
}

BOOL CDockState::SaveBarState(CControlBarInfo* pInfo, LPCTSTR lpszProfileName, int nIndex)
{
    return pInfo->SaveState(lpszProfileName, nIndex);
}

CSize CDockState::GetScreenSize()
{
    return CSize(::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
}

void CDockState::SetScreenSize(CSize& size)
{
    m_sizeLogical = size;
    const CSize screen = GetScreenSize();
    m_bScaling = size.cx > 0 && size.cy > 0 && size != screen;
    m_rectDevice = CRect(0, 0, screen.cx, screen.cy);
    // A bar placed at the clip edge keeps an icon's size of itself on the screen.
    m_rectClip = CRect(0, 0, screen.cx - ::GetSystemMetrics(SM_CXICON), screen.cy - ::GetSystemMetrics(SM_CYICON));
}

void CDockState::ScalePoint(CPoint& pt)
{
    if (m_bScaling) {
        pt.x = MulDiv(pt.x, m_rectDevice.Width(), m_sizeLogical.cx);
        pt.y = MulDiv(pt.y, m_rectDevice.Height(), m_sizeLogical.cy);
    }
    // A point off the screen comes back to where the bar can still be reached.
    if (pt.x > m_rectClip.right)
        pt.x = m_rectClip.right;
    if (pt.y > m_rectClip.bottom)
        pt.y = m_rectClip.bottom;
}

void CDockState::ScaleRectPos(CRect& rect)
{
    CPoint pt = rect.TopLeft();
    ScalePoint(pt);
    // Moved by setting the corners, not by an offset: a damaged archive's rectangle can lie so far
    // off that the offset, or the far corner, leaves the range of an int.
    const auto clamp = [](long long value) {
        return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
    };
    const long long width = static_cast<long long>(rect.right) - rect.left;
    const long long height = static_cast<long long>(rect.bottom) - rect.top;
    rect.SetRect(pt.x, pt.y, clamp(pt.x + width), clamp(pt.y + height));
}
