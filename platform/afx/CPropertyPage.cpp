#include "platform/afx/CPropertyPage.h"

#include <cstring>

#include "platform/afx/AfxState.h"
#include "platform/afx/CPropertySheet.h"
#include "platform/base/Resources.h"
#include "platform/user/DialogTemplate.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

namespace {

// A page's own frame and popup styles make no sense inside a sheet.
constexpr DWORD kTopLevelStyles = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_VISIBLE
    | WS_DISABLED | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

DWORD ReadDword(const BYTE* at) { return at[0] | (at[1] << 8) | (at[2] << 16) | (static_cast<DWORD>(at[3]) << 24); }

void WriteDword(BYTE* at, DWORD value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<BYTE>(value >> (8 * i));
}

} // namespace

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) { Construct(nIDTemplate, nIDCaption); }

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) { Construct(lpszTemplateName, nIDCaption); }

CPropertyPage::~CPropertyPage()
{
    if (m_pSheet)
        m_pSheet->RemovePage(this);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption) { Construct(MAKEINTRESOURCE(nIDTemplate), nIDCaption); }

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    if (IS_INTRESOURCE(lpszTemplateName)) {
        m_nIDTemplate = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
        m_nIDHelp = m_nIDTemplate;
        m_strTemplateName.Empty();
    } else {
        m_nIDTemplate = 0;
        m_strTemplateName = lpszTemplateName ? lpszTemplateName : "";
    }
    m_psp.pszTemplate = TemplateName();
    if (nIDCaption)
        m_strCaption.LoadString(nIDCaption);
}

bool CPropertyPage::ChildTemplate(std::vector<BYTE>& bytes, HINSTANCE& hInst) const
{
    LPCTSTR name = TemplateName();
    if (!name)
        return false;
    hInst = AfxFindResourceHandle(name, RT_DIALOG);
    HRSRC resource = ::FindResource(hInst, name, RT_DIALOG);
    if (!resource)
        return false;
    const auto* data = static_cast<const BYTE*>(::LockResource(::LoadResource(hInst, resource)));
    const DWORD size = ::SizeofResource(hInst, resource);
    if (!data || size < 18)
        return false;
    bytes.assign(data, data + size);
    // The styles come first in a classic template; an extended one (signature 0xFFFF) has its help
    // id and extended style before them.
    const bool extended = bytes[2] == 0xFF && bytes[3] == 0xFF;
    if (extended && size < 26)
        return false;
    BYTE* style = bytes.data() + (extended ? 12 : 0);
    BYTE* exStyle = bytes.data() + (extended ? 8 : 4);
    WriteDword(style, (ReadDword(style) & ~kTopLevelStyles) | WS_CHILD | DS_CONTROL);
    WriteDword(exStyle, ReadDword(exStyle) | WS_EX_CONTROLPARENT);
    return true;
}

bool CPropertyPage::ReadTemplate(CString& caption, SIZE& size) const
{
    std::vector<BYTE> bytes;
    HINSTANCE hInst = nullptr;
    if (!ChildTemplate(bytes, hInst))
        return false;
    const auto parsed = platform::user::DialogTemplate::Parse(bytes.data(), bytes.size());
    if (!parsed)
        return false;
    caption = parsed->caption.c_str();
    size = SIZE { parsed->cx, parsed->cy };
    return true;
}

BOOL CPropertyPage::CreatePage(CPropertySheet* pSheet)
{
    std::vector<BYTE> bytes;
    HINSTANCE hInst = nullptr;
    if (!ChildTemplate(bytes, hInst) || !platform::user::DialogTemplate::Parse(bytes.data(), bytes.size()))
        return FALSE;
    m_pParentWnd = pSheet;
    m_bFirstSetActive = TRUE;
    return CreateDlgIndirect(reinterpret_cast<LPCDLGTEMPLATE>(bytes.data()), pSheet, hInst);
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    m_bChanged = bChanged;
    if (m_pSheet)
        m_pSheet->PageChanged();
}

BOOL CPropertyPage::OnSetActive()
{
    // The first time the controls were just filled by OnInitDialog; later they show what the members
    // hold now, which another page may have changed.
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive() { return UpdateData(TRUE); }

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset() { OnCancel(); }

BOOL CPropertyPage::OnQueryCancel() { return TRUE; }

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    if (m_pSheet)
        return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}
