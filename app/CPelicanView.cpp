#include "app/CPelicanView.h"

#include <algorithm>
#include <cstring>

#include "app/CMainFrame.h"
#include "app/CPelicanApp.h"
#include "app/CPelicanDoc.h"
#include "app/TuneStewardIds.h"
#include "library/ResultChecking.h"
#include "library/_ADORecordsetHelper.h"
#include "platform/comctl/CommCtrl.h"

namespace {

constexpr COLORREF kMaskColour = RGB(255, 0, 255);
constexpr int kStateImageWidth = 11;
constexpr UINT kUntagged = 1;
constexpr UINT kTagged = 2;

} // namespace

IMPLEMENT_DYNCREATE(CPelicanView, CListView)

CPelicanView::CPelicanView() = default;

CPelicanView::~CPelicanView() = default;

BOOL CPelicanView::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CListView::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_OWNERDATA;
    return TRUE;
}

CMainFrame* CPelicanView::Frame() const
{
    CMainFrame* frame = dynamic_cast<CMainFrame*>(GetParentFrame());
    return frame ? frame : dynamic_cast<CMainFrame*>(AfxGetMainWnd());
}

_ADORecordsetHelper* CPelicanView::Recordset() const
{
    CMainFrame* frame = Frame();
    return frame && frame->m_viewRecordset.HasRecordset() ? &frame->m_viewRecordset : nullptr;
}

void CPelicanView::OnInitialUpdate()
{
    CListView::OnInitialUpdate();
    if (m_stateImages.GetSafeHandle())
        return;
    SendMessage(LVM_SETBKCOLOR, 0, static_cast<LPARAM>(::GetSysColor(COLOR_MENU)));
    m_stateImages.Create(IDB_TAG_STATES, kStateImageWidth, 0, kMaskColour);
    if (CPelicanApp* app = GetPelicanApp())
        app->m_fieldDisplay.Fill();
    m_printCtrl.SetListWindow(m_hWnd);
    if (CWnd* main = AfxGetMainWnd())
        main->SetWindowText(CMainFrame::kClosedCaption);
}

int CPelicanView::ColumnCount() const
{
    const HWND header = reinterpret_cast<HWND>(::SendMessage(m_hWnd, LVM_GETHEADER, 0, 0));
    return header ? static_cast<int>(::SendMessage(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

bool CPelicanView::FillFromRecordset()
{
    m_nCurrentRow = -1;
    if (!AfxGetMainWnd())
        return false;
    try {
        if (Recordset()) {
            BuildColumns();
            SelectRow(0);
        } else {
            ClearList();
        }
    } catch (const _com_error& error) {
        ShowRunTimeError(error.Error());
        return false;
    }
    return true;
}

void CPelicanView::ClearList()
{
    SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT, 0);
    while (SendMessage(LVM_DELETECOLUMN, 0, 0)) { }
    SendMessage(LVM_SETITEMCOUNT, 0, 0);
    m_rowCache.clear();
    m_nFirstCachedRow = kNoCache;
    m_columnShown.clear();
    m_bEmpty = true;
    m_nRowCount = 0;
    m_tagBits.clear();
    m_nTagCount = 0;
    Invalidate();
}

void CPelicanView::BuildColumns()
{
    ClearList();
    _ADORecordsetHelper* recordset = Recordset();
    const long fields = recordset ? recordset->FieldCount() : 0;
    if (fields <= 0)
        return;
    DWORD style = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
    if (m_bTagsOn) {
        style |= LVS_EX_SUBITEMIMAGES;
        SendMessage(LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
        SendMessage(LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(m_stateImages.GetSafeHandle()));
    }
    SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, style, style);

    const FieldDisplayMap* map = GetPelicanApp() ? &GetPelicanApp()->m_fieldDisplay : nullptr;
    for (long i = 0; i < fields; ++i) {
        const CString name = recordset->FieldName(i);
        FieldDisplayMap::Column column = map ? map->ColumnFor(name) : FieldDisplayMap::Column { name };
        LVCOLUMN item;
        item.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        item.pszText = column.caption.GetBuffer();
        item.cx = column.width;
        item.iSubItem = static_cast<int>(i);
        SendMessage(LVM_INSERTCOLUMN, i, reinterpret_cast<LPARAM>(&item));
        column.caption.ReleaseBuffer();
        m_columnShown.push_back(column.shown ? TRUE : FALSE);
    }
    m_nRowCount = std::max(0L, recordset->RecordCount());
    m_bEmpty = m_nRowCount == 0;
    if (m_bTagsOn)
        m_tagBits.assign(m_nRowCount / 8 + 1, 0);
    // The columns fit the rows of the first screen: sized over every row, a large library would be
    // read through once per column just to show its first page.
    const int firstScreen = static_cast<int>(SendMessage(LVM_GETCOUNTPERPAGE, 0, 0)) + 1;
    SendMessage(LVM_SETITEMCOUNT, std::min(m_nRowCount, firstScreen), LVSICF_NOINVALIDATEALL);
    AutoSizeColumns(-1);
    SendMessage(LVM_SETITEMCOUNT, m_nRowCount, LVSICF_NOINVALIDATEALL);
}

void CPelicanView::AutoSizeColumns(int lastColumn)
{
    const int last = lastColumn < 0 ? ColumnCount() - 1 : lastColumn;
    SetRedraw(FALSE);
    int sum = 0;
    int lastSized = -1;
    for (int i = 0; i <= last; ++i) {
        if (SendMessage(LVM_GETCOLUMNWIDTH, i, 0) <= 0)
            continue;
        SendMessage(LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE);
        SendMessage(LVM_SETCOLUMNWIDTH, i, LVSCW_AUTOSIZE_USEHEADER);
        sum += static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, i, 0));
        lastSized = i;
    }
    CRect client;
    GetClientRect(&client);
    if (lastSized >= 0 && client.Width() > sum) {
        const int width = static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, lastSized, 0));
        SendMessage(LVM_SETCOLUMNWIDTH, lastSized, width + client.Width() - sum);
    }
    SetRedraw(TRUE);
}

void CPelicanView::ReapplyColumnWidths()
{
    SetRedraw(FALSE);
    const int count = ColumnCount();
    for (int i = 0; i < count; ++i) {
        const LRESULT width = SendMessage(LVM_GETCOLUMNWIDTH, i, 0);
        if (width > 0)
            SendMessage(LVM_SETCOLUMNWIDTH, i, width);
    }
    SetRedraw(TRUE);
}

CString CPelicanView::GetCellText(int row, int column)
{
    const int cached = row - m_nFirstCachedRow;
    if (m_nFirstCachedRow != kNoCache && cached >= 0 && cached < static_cast<int>(m_rowCache.size())
        && column >= 0 && column < static_cast<int>(m_rowCache[cached].size()))
        return m_rowCache[cached][column];
    _ADORecordsetHelper* recordset = Recordset();
    if (!recordset || row < 0 || column < 0 || row >= recordset->RecordCount() || column >= recordset->FieldCount())
        return {};
    if (!recordset->MoveToRow(row))
        return {};
    const CString text = recordset->ValueToText(column);
    if (m_nCurrentRow >= 0)
        recordset->MoveToRow(m_nCurrentRow);
    return text;
}

void CPelicanView::OnGetDispInfo(NMHDR* pNMHDR)
{
    LVITEM& item = reinterpret_cast<NMLVDISPINFO*>(pNMHDR)->item;
    if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0) {
        const CString text = GetCellText(item.iItem, item.iSubItem);
        const int length = std::min(text.GetLength(), item.cchTextMax - 1);
        std::memcpy(item.pszText, static_cast<LPCTSTR>(text), length);
        item.pszText[length] = '\0';
    }
    if ((item.mask & LVIF_STATE) && !m_tagBits.empty()) {
        item.state = (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(IsRowTagged(item.iItem) ? kTagged : kUntagged);
        item.stateMask |= LVIS_STATEIMAGEMASK;
    }
}

void CPelicanView::OnCacheHint(NMHDR* pNMHDR)
{
    const auto* hint = reinterpret_cast<NMLVCACHEHINT*>(pNMHDR);
    if (m_bEmpty || hint->iTo < hint->iFrom)
        return;
    if (m_nFirstCachedRow != kNoCache && hint->iFrom >= m_nFirstCachedRow
        && hint->iTo < m_nFirstCachedRow + static_cast<int>(m_rowCache.size()))
        return;
    _ADORecordsetHelper* recordset = Recordset();
    if (!recordset)
        return;
    m_rowCache.clear();
    m_nFirstCachedRow = hint->iFrom;
    const long rows = recordset->RecordCount();
    const long fields = recordset->FieldCount();
    m_rowCache.resize(hint->iTo - hint->iFrom + 1);
    for (int row = hint->iFrom; row <= hint->iTo; ++row) {
        // A row the record set no longer gives stays empty rather than showing another row's texts.
        if (row >= rows || !recordset->MoveToRow(row))
            continue;
        std::vector<CString>& texts = m_rowCache[row - hint->iFrom];
        for (long field = 0; field < fields; ++field)
            texts.push_back(recordset->ValueToText(field));
    }
    if (m_nCurrentRow >= 0)
        recordset->MoveToRow(m_nCurrentRow);
}

void CPelicanView::SelectRow(int row)
{
    _ADORecordsetHelper* recordset = Recordset();
    if (!recordset || row < 0 || row >= recordset->RecordCount())
        return;
    recordset->MoveToRow(row);
    LVITEM item;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessage(LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    SendMessage(LVM_ENSUREVISIBLE, row, FALSE);
    if (CMainFrame* frame = Frame())
        frame->PostDetailRebind(row);
    m_nCurrentRow = row;
}

void CPelicanView::MakeCurrent(int row)
{
    _ADORecordsetHelper* recordset = Recordset();
    if (!recordset || row < 0 || !recordset->MoveToRow(row))
        return;
    if (row == m_nCurrentRow)
        return;
    if (CMainFrame* frame = Frame())
        frame->PostDetailRebind(row);
    m_nCurrentRow = row;
}

bool CPelicanView::IsRowTagged(int row) const
{
    if (row < 0 || row >= m_nRowCount || m_tagBits.empty())
        return false;
    return (m_tagBits[row / 8] >> (row % 8)) & 1;
}

bool CPelicanView::GetNextTaggedItem(int& row) const
{
    if (!m_bTagsOn || m_nTagCount <= 0)
        return false;
    // The buffer's last byte has bits past the last row; they are never rows, whatever they hold.
    for (int next = std::max(0, row + 1); next < m_nRowCount; ++next) {
        if (IsRowTagged(next)) {
            row = next;
            return true;
        }
    }
    return false;
}

void CPelicanView::TagAll()
{
    if (!m_bTagsOn || m_tagBits.empty())
        return;
    std::fill(m_tagBits.begin(), m_tagBits.end(), 0xFF);
    m_nTagCount = m_nRowCount;
    Invalidate();
}

void CPelicanView::ClearAllTags()
{
    if (!m_bTagsOn || m_tagBits.empty())
        return;
    std::fill(m_tagBits.begin(), m_tagBits.end(), 0);
    m_nTagCount = 0;
    Invalidate();
}
