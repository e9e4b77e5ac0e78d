#include "toolkit/frames/SECControlBarInfo.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/afx/AfxDockStateIO.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CArchive.h"
#include "platform/afx/CDockState.h"
#include "platform/afx/CWinApp.h"
#include "toolkit/frames/SECControlBarManager.h"
#include "toolkit/frames/SECPersistentTreeNode.h"

static_assert(sizeof(WINDOWPLACEMENT) == SECControlBarInfo::kPlacementSize, "a stored placement is 44 bytes");

namespace {

// More contained ids than this in one bar record is damage, not a dock bar.
constexpr int kMaxContainedIds = 0x4000;

using afx::ReadDword;

void WriteSize(CArchive& ar, CSize size) { afx::WritePoint(ar, CPoint(size.cx, size.cy)); }

CSize ReadSize(CArchive& ar)
{
    const CPoint pair = afx::ReadPoint(ar);
    return CSize(pair.x, pair.y);
}

// Stored sizes of 0 or less mean "none".
int PositiveOrZero(int nValue) { return std::max(nValue, 0); }

int NodeInt(SECPersistentTreeNode* pNode, LPCTSTR lpszKey, int nDefault)
{
    int value = nDefault;
    pNode->GetIntValue(lpszKey, value, nDefault);
    return value;
}

BOOL NodeBool(SECPersistentTreeNode* pNode, LPCTSTR lpszKey, BOOL bDefault)
{
    BOOL value = bDefault;
    pNode->GetBoolValue(lpszKey, value, bDefault);
    return value;
}

CString NodeString(SECPersistentTreeNode* pNode, LPCTSTR lpszKey)
{
    CString value;
    pNode->GetStringValue(lpszKey, value, "");
    return value;
}

} // namespace

SECControlBarInfo::SECControlBarInfo(SECControlBarManager* pManager)
    : m_pManager(pManager)
{
}

SECControlBarInfo::~SECControlBarInfo() = default;

BOOL SECControlBarInfo::IsEmptyDockBar() const
{
    return m_bDockBar && m_bVisible && !m_bFloating && m_pointPos.x == -1 && m_pointPos.y == -1
        && m_arrBarID.GetSize() < 2;
}

CString SECControlBarInfo::FormatPctWidth() const
{
    // Clamped before the conversion: a share read from a damaged store may be anything.
    const double scaled = std::clamp(static_cast<double>(m_fPctWidth) * kShareScale, static_cast<double>(INT_MIN),
        static_cast<double>(INT_MAX));
    CString text;
    text.Format("%d", std::isnan(scaled) ? 0 : static_cast<int>(scaled));
    return text;
}

float SECControlBarInfo::ParsePctWidth(const CString& strText)
{
    const long long value = std::strtoll(strText, nullptr, 10);
    const long long clamped = std::clamp<long long>(value, 0, INT_MAX);
    return static_cast<float>(static_cast<double>(clamped) / kShareScale);
}

std::array<BYTE, SECControlBarInfo::kPlacementSize> SECControlBarInfo::PlacementBytes() const
{
    std::array<BYTE, kPlacementSize> bytes {};
    std::memcpy(bytes.data(), &m_wpMDIChild, kPlacementSize);
    return bytes;
}

BOOL SECControlBarInfo::SetPlacementBytes(const BYTE* pData, UINT nSize)
{
    // The value comes from files a user can edit: a placement of another length is no placement.
    if (!pData || nSize != kPlacementSize)
        return FALSE;
    std::memcpy(&m_wpMDIChild, pData, kPlacementSize);
    return TRUE;
}

void SECControlBarInfo::CreateExtension()
{
    if (m_pManager)
        m_pBarInfoEx.reset(m_pManager->CreateBarInfoEx(this));
}

// The archive form -----------------------------------------------------------------------------------------------

void SECControlBarInfo::Serialize(CArchive& ar, CDockState* pDockState)
{
    // The toolkit's fields and the extension's sit between the class library's placement and the
    // contained bar ids.
    SerializePlacement(ar, pDockState);
    if (ar.IsStoring()) {
        ar << m_dwStyle << m_dwExStyle << static_cast<DWORD>(m_bPrevFloating) << static_cast<DWORD>(m_bMDIChild);
        ar << FormatPctWidth();
        WriteSize(ar, m_szMRUFloat);
        WriteSize(ar, m_szMRUHorzDock);
        WriteSize(ar, m_szMRUVertDock);
        ar << m_dwMRUDockingState << m_dwDockStyle << m_dwTypeID;
    } else {
        m_dwStyle = ReadDword(ar);
        m_dwExStyle = ReadDword(ar);
        m_bPrevFloating = ReadDword(ar) != 0;
        m_bMDIChild = ReadDword(ar) != 0;
        CString pct;
        ar >> pct;
        m_fPctWidth = ParsePctWidth(pct);
        m_szMRUFloat = ReadSize(ar);
        m_szMRUHorzDock = ReadSize(ar);
        m_szMRUVertDock = ReadSize(ar);
        m_dwMRUDockingState = ReadDword(ar);
        m_dwDockStyle = ReadDword(ar);
        m_dwTypeID = ReadDword(ar);
        CreateExtension();
    }
    if (m_pBarInfoEx)
        m_pBarInfoEx->Serialize(ar, pDockState);
    SerializeBarIds(ar);
}

// The profile form -----------------------------------------------------------------------------------------------

BOOL SECControlBarInfo::LoadFromProfile(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState)
{
    const BOOL bResult = CControlBarInfo::LoadState(lpszProfileName, nIndex, pDockState);
    const CString section = afx::DockBarSection(lpszProfileName, nIndex);
    LoadToolkitProfileKeys(section);
    CreateExtension();
    if (m_pBarInfoEx)
        m_pBarInfoEx->LoadFromProfile(section, pDockState);
    return bResult;
}

void SECControlBarInfo::LoadToolkitProfileKeys(LPCTSTR lpszSection)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    const auto readInt = [&](LPCTSTR lpszKey, int nDefault) {
        return static_cast<int>(app->GetProfileInt(lpszSection, lpszKey, nDefault));
    };
    m_dwStyle = static_cast<DWORD>(readInt("Style", 0));
    m_dwExStyle = static_cast<DWORD>(readInt("ExStyle", 0));
    m_bPrevFloating = readInt("PrevFloating", 0);
    m_bMDIChild = readInt("MDIChild", 0);
    if (m_bMDIChild) {
        BYTE* data = nullptr;
        UINT size = 0;
        if (app->GetProfileBinary(lpszSection, "MDIChildWindowPlacement", &data, &size))
            SetPlacementBytes(data, size);
        delete[] data;
    }
    m_fPctWidth = ParsePctWidth(app->GetProfileString(lpszSection, "PctWidth", ""));
    m_szMRUFloat = CSize(PositiveOrZero(readInt("MRUFloatCX", 0)), PositiveOrZero(readInt("MRUFloatCY", 0)));
    m_szMRUHorzDock = CSize(PositiveOrZero(readInt("MRUHorzDockCX", 0)), PositiveOrZero(readInt("MRUHorzDockCY", 0)));
    m_szMRUVertDock = CSize(PositiveOrZero(readInt("MRUVertDockCX", 0)), PositiveOrZero(readInt("MRUVertDockCY", 0)));
    m_dwMRUDockingState = static_cast<DWORD>(readInt("MRUDockingState", static_cast<int>(m_dwMRUDockingState)));
    m_dwDockStyle = static_cast<DWORD>(readInt("DockingStyle", static_cast<int>(m_dwDockStyle)));
    m_dwTypeID = static_cast<DWORD>(readInt("TypeID", 0));
    m_strClassName = app->GetProfileString(lpszSection, "ClassName", "");
    m_strWindowName = app->GetProfileString(lpszSection, "WindowName", "");
    m_dwResourceID = static_cast<DWORD>(readInt("ResourceID", static_cast<int>(m_dwResourceID)));
}

BOOL SECControlBarInfo::SaveToProfile(LPCTSTR lpszProfileName, int nIndex)
{
    if (!CControlBarInfo::SaveState(lpszProfileName, nIndex))
        return FALSE;
    const CString section = afx::DockBarSection(lpszProfileName, nIndex);
    SaveToolkitProfileKeys(section);
    if (m_pBarInfoEx)
        m_pBarInfoEx->SaveToProfile(section);
    return TRUE;
}

void SECControlBarInfo::SaveToolkitProfileKeys(LPCTSTR lpszSection)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    const auto writeInt = [&](LPCTSTR lpszKey, long long nValue) {
        app->WriteProfileInt(lpszSection, lpszKey, static_cast<int>(nValue));
    };
    writeInt("Style", m_dwStyle);
    writeInt("ExStyle", m_dwExStyle);
    writeInt("PrevFloating", m_bPrevFloating);
    writeInt("MDIChild", m_bMDIChild);
    if (m_bMDIChild) {
        auto bytes = PlacementBytes();
        app->WriteProfileBinary(lpszSection, "MDIChildWindowPlacement", bytes.data(), kPlacementSize);
    }
    app->WriteProfileString(lpszSection, "PctWidth", FormatPctWidth());
    writeInt("MRUFloatCX", m_szMRUFloat.cx);
    writeInt("MRUFloatCY", m_szMRUFloat.cy);
    writeInt("MRUHorzDockCX", m_szMRUHorzDock.cx);
    writeInt("MRUHorzDockCY", m_szMRUHorzDock.cy);
    writeInt("MRUVertDockCX", m_szMRUVertDock.cx);
    writeInt("MRUVertDockCY", m_szMRUVertDock.cy);
    writeInt("MRUDockingState", m_dwMRUDockingState);
    writeInt("DockingStyle", m_dwDockStyle);
    writeInt("TypeID", m_dwTypeID);
    app->WriteProfileString(lpszSection, "ClassName", m_strClassName);
    app->WriteProfileString(lpszSection, "WindowName", m_strWindowName);
    writeInt("ResourceID", m_dwResourceID);
}

// The tree form --------------------------------------------------------------------------------------------------

BOOL SECControlBarInfo::LoadStateFromNode(SECPersistentTreeNode* pNode, CDockState* pDockState)
{
    if (!pNode)
        return FALSE;
    ReadBaseKeys(pNode, pDockState);
    ReadExtendedKeys(pNode);
    CreateExtension();
    if (m_pBarInfoEx)
        m_pBarInfoEx->LoadFromNode(pNode);
    return TRUE;
}

void SECControlBarInfo::ReadBaseKeys(SECPersistentTreeNode* pNode, CDockState* pDockState)
{
    m_nBarID = static_cast<UINT>(NodeInt(pNode, "BarID", 0));
    m_bVisible = NodeBool(pNode, "Visible", TRUE);
    m_bHorz = NodeBool(pNode, "Horz", TRUE);
    m_bFloating = NodeBool(pNode, "Floating", FALSE);
    m_pointPos = CPoint(NodeInt(pNode, "XPos", -1), NodeInt(pNode, "YPos", -1));
    if (pDockState)
        pDockState->ScalePoint(m_pointPos);
    m_nMRUWidth = NodeInt(pNode, "MRUWidth", 32767);
    m_bDocking = NodeBool(pNode, "Docking", FALSE);
    if (m_bDocking) {
        m_uMRUDockID = static_cast<UINT>(NodeInt(pNode, "MRUDockID", 0));
        m_rectMRUDockPos = CRect(NodeInt(pNode, "MRUDockLeftPos", 0), NodeInt(pNode, "MRUDockTopPos", 0),
            NodeInt(pNode, "MRUDockRightPos", 0), NodeInt(pNode, "MRUDockBottomPos", 0));
        if (pDockState)
            pDockState->ScaleRectPos(m_rectMRUDockPos);
        m_dwMRUFloatStyle = static_cast<DWORD>(NodeInt(pNode, "MRUFloatStyle", 0));
        m_ptMRUFloatPos = CPoint(NodeInt(pNode, "MRUFloatXPos", 0), NodeInt(pNode, "MRUFloatYPos", 0));
        if (pDockState)
            pDockState->ScalePoint(m_ptMRUFloatPos);
    }
    const int bars = std::min(NodeInt(pNode, "Bars", 0), kMaxContainedIds);
    m_arrBarID.RemoveAll();
    for (int i = 0; i < bars; ++i) {
        CString key;
        key.Format("Bar#%d", i);
        m_arrBarID.Add(static_cast<DWORD>(NodeInt(pNode, key, 0)));
    }
}

void SECControlBarInfo::ReadExtendedKeys(SECPersistentTreeNode* pNode)
{
    m_dwStyle = static_cast<DWORD>(NodeInt(pNode, "Style", 0));
    m_dwExStyle = static_cast<DWORD>(NodeInt(pNode, "ExStyle", 0));
    m_bPrevFloating = NodeBool(pNode, "PrevFloating", FALSE);
    m_bMDIChild = NodeBool(pNode, "MDIChild", FALSE);
    if (m_bMDIChild) {
        BYTE* data = nullptr;
        UINT size = 0;
        if (pNode->GetBinaryValue("MDIChildWindowPlacement", &data, &size) == SECPersistentTreeNode::ptnSuccess)
            SetPlacementBytes(data, size);
        delete[] data;
    }
    m_fPctWidth = ParsePctWidth(NodeString(pNode, "PctWidth"));
    m_szMRUFloat = CSize(PositiveOrZero(NodeInt(pNode, "MRUFloatCX", 0)), PositiveOrZero(NodeInt(pNode, "MRUFloatCY", 0)));
    m_szMRUHorzDock
        = CSize(PositiveOrZero(NodeInt(pNode, "MRUHorzDockCX", 0)), PositiveOrZero(NodeInt(pNode, "MRUHorzDockCY", 0)));
    m_szMRUVertDock
        = CSize(PositiveOrZero(NodeInt(pNode, "MRUVertDockCX", 0)), PositiveOrZero(NodeInt(pNode, "MRUVertDockCY", 0)));
    m_dwMRUDockingState = static_cast<DWORD>(NodeInt(pNode, "MRUDockingState", static_cast<int>(m_dwMRUDockingState)));
    m_dwDockStyle = static_cast<DWORD>(NodeInt(pNode, "DockingStyle", static_cast<int>(m_dwDockStyle)));
    m_dwTypeID = static_cast<DWORD>(NodeInt(pNode, "TypeID", 0));
    m_strClassName = NodeString(pNode, "ClassName");
    m_strWindowName = NodeString(pNode, "WindowName");
    m_dwResourceID = static_cast<DWORD>(NodeInt(pNode, "ResourceID", static_cast<int>(m_dwResourceID)));
}

BOOL SECControlBarInfo::SaveStateToNode(SECPTNFactory& factory, SECPersistentTreeNode* pParent, int nIndex)
{
    if (!pParent || IsEmptyDockBar())
        return FALSE;
    CString name;
    name.Format("Bar-%d", nIndex);
    SECPersistentTreeNode* pNode = factory.CreateNode(name, pParent);
    if (!pNode)
        return FALSE;
    WriteBaseKeys(factory, pNode);
    WriteExtendedKeys(factory, pNode);
    if (m_pBarInfoEx)
        m_pBarInfoEx->SaveToNode(factory, pNode);
    return TRUE;
}

void SECControlBarInfo::WriteBaseKeys(SECPTNFactory&, SECPersistentTreeNode* pNode)
{
    pNode->SetIntValue("BarID", static_cast<int>(m_nBarID), TRUE);
    if (!m_bVisible)
        pNode->SetBoolValue("Visible", m_bVisible, TRUE);
    if (m_bFloating) {
        pNode->SetBoolValue("Horz", m_bHorz, TRUE);
        pNode->SetBoolValue("Floating", m_bFloating, TRUE);
    }
    if (m_pointPos.x != -1)
        pNode->SetIntValue("XPos", m_pointPos.x, TRUE);
    if (m_pointPos.y != -1)
        pNode->SetIntValue("YPos", m_pointPos.y, TRUE);
    if (m_nMRUWidth != 32767)
        pNode->SetIntValue("MRUWidth", m_nMRUWidth, TRUE);
    if (m_bDocking) {
        pNode->SetBoolValue("Docking", m_bDocking, TRUE);
        pNode->SetIntValue("MRUDockID", static_cast<int>(m_uMRUDockID), TRUE);
        pNode->SetIntValue("MRUDockLeftPos", m_rectMRUDockPos.left, TRUE);
        pNode->SetIntValue("MRUDockTopPos", m_rectMRUDockPos.top, TRUE);
        pNode->SetIntValue("MRUDockRightPos", m_rectMRUDockPos.right, TRUE);
        pNode->SetIntValue("MRUDockBottomPos", m_rectMRUDockPos.bottom, TRUE);
        pNode->SetIntValue("MRUFloatStyle", static_cast<int>(m_dwMRUFloatStyle), TRUE);
        pNode->SetIntValue("MRUFloatXPos", m_ptMRUFloatPos.x, TRUE);
        pNode->SetIntValue("MRUFloatYPos", m_ptMRUFloatPos.y, TRUE);
    }
    if (m_arrBarID.GetSize() >= 2) {
        pNode->SetIntValue("Bars", static_cast<int>(m_arrBarID.GetSize()), TRUE);
        for (INT_PTR i = 0; i < m_arrBarID.GetSize(); ++i) {
            CString key;
            key.Format("Bar#%d", static_cast<int>(i));
            pNode->SetIntValue(key, static_cast<int>(m_arrBarID[i]), TRUE);
        }
    }
}

void SECControlBarInfo::WriteExtendedKeys(SECPTNFactory&, SECPersistentTreeNode* pNode)
{
    pNode->SetIntValue("Style", static_cast<int>(m_dwStyle), TRUE);
    pNode->SetIntValue("ExStyle", static_cast<int>(m_dwExStyle), TRUE);
    pNode->SetBoolValue("PrevFloating", m_bPrevFloating, TRUE);
    pNode->SetBoolValue("MDIChild", m_bMDIChild, TRUE);
    if (m_bMDIChild) {
        auto bytes = PlacementBytes();
        pNode->SetBinaryValue("MDIChildWindowPlacement", bytes.data(), kPlacementSize, TRUE);
    }
    pNode->SetStringValue("PctWidth", FormatPctWidth(), TRUE);
    pNode->SetIntValue("MRUFloatCX", m_szMRUFloat.cx, TRUE);
    pNode->SetIntValue("MRUFloatCY", m_szMRUFloat.cy, TRUE);
    pNode->SetIntValue("MRUHorzDockCX", m_szMRUHorzDock.cx, TRUE);
    pNode->SetIntValue("MRUHorzDockCY", m_szMRUHorzDock.cy, TRUE);
    pNode->SetIntValue("MRUVertDockCX", m_szMRUVertDock.cx, TRUE);
    pNode->SetIntValue("MRUVertDockCY", m_szMRUVertDock.cy, TRUE);
    pNode->SetIntValue("MRUDockingState", static_cast<int>(m_dwMRUDockingState), TRUE);
    pNode->SetIntValue("DockingStyle", static_cast<int>(m_dwDockStyle), TRUE);
    pNode->SetIntValue("TypeID", static_cast<int>(m_dwTypeID), TRUE);
    pNode->SetStringValue("ClassName", m_strClassName, TRUE);
    pNode->SetStringValue("WindowName", m_strWindowName, TRUE);
    pNode->SetIntValue("ResourceID", static_cast<int>(m_dwResourceID), TRUE);
}
