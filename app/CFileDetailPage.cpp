#include "app/CFileDetailPage.h"

#include "app/BindingFields.h"
#include "app/CMusicDetailInfoSheet.h"
#include "app/TuneStewardIds.h"
#include "platform/afx/AfxDDX.h"

namespace {

constexpr UINT kLabels[] = { 2474, 2468, 2368, 1054, 1055, 1056 };

COleDateTime FieldDate(DATE value, ULONG status) { return COleDateTime(status == adFldOK ? value : 0); }

} // namespace

CFileDetailPage::CFileDetailPage(CMusicDetailInfoSheet* pSheet)
    : CBasePropertyPage(IDD_FILE_DETAIL_PAGE)
    , m_pSheet(pSheet)
{
}

void CFileDetailPage::DoDataExchange(CDataExchange* pDX)
{
    CBasePropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FILE_NAME, m_strName);
    DDX_Text(pDX, IDC_FILE_SIZE, m_dwSize);
    DDX_Text(pDX, IDC_FILE_LAST_MODIFIED, m_lastModified);
    DDX_Text(pDX, IDC_FILE_CREATED, m_created);
    DDX_Text(pDX, IDC_FILE_LAST_ACCESSED, m_lastAccessed);
    DDX_Text(pDX, IDC_FILE_PATH, m_strPath);
}

BOOL CFileDetailPage::OnInitDialog()
{
    CBasePropertyPage::OnInitDialog();
    for (UINT id : kLabels)
        SetControlTextFromId(id);
    return TRUE;
}

void CFileDetailPage::Load(BOOL clear)
{
    const CFileDetailRsBinding empty;
    const CFileDetailRsBinding& row = clear ? empty : m_pSheet->m_file;
    m_strName = FieldText(row.m_szName, row.m_lNameStatus);
    m_dwSize = static_cast<DWORD>(FieldLong(row.m_lSize, row.m_lSizeStatus));
    m_lastModified = FieldDate(row.m_dtLastModified, row.m_lLastModifiedStatus);
    m_created = FieldDate(row.m_dtCreated, row.m_lCreatedStatus);
    m_lastAccessed = FieldDate(row.m_dtLastAccessed, row.m_lLastAccessedStatus);
    m_strPath = FieldText(row.m_szPath, row.m_lPathStatus);
    if (m_hWnd)
        UpdateData(FALSE);
}
