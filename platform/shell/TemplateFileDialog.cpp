#include "platform/shell/TemplateFileDialog.h"

#include <algorithm>
#include <cstring>

#include "platform/base/DriveApi.h"
#include "platform/gdi/FrameDrawing.h"
#include "platform/shell/ChooserWindow.h"
#include "platform/shell/FolderPictures.h"
#include "platform/shell/TypedName.h"
#include "platform/user/WinControls.h"

namespace platform {

namespace {

constexpr int kReadOnlyBox = 1040;
constexpr int kHelpButton = 1038;
// Posted at the start: it arrives once the modal loop shows the dialog.
constexpr UINT kShownMessage = WM_APP + 0x3F0;
constexpr int kRowHeight = kPictureHeight + 4;
// How far each level of the folder list is set in.
constexpr int kIndent = 8;
constexpr int kTextGap = 3;

std::string ItemText(const DRAWITEMSTRUCT& item)
{
    const bool list = item.CtlType == ODT_LISTBOX;
    const LRESULT length = SendMessage(item.hwndItem, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, item.itemID, 0);
    if (length <= 0)
        return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessage(item.hwndItem, list ? LB_GETTEXT : CB_GETLBTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data()));
    text.resize(strnlen(text.c_str(), text.size()));
    return text;
}

std::string DlgItemText(HWND dialog, int id)
{
    char text[MAX_PATH * 4] {};
    GetDlgItemText(dialog, id, text, sizeof text);
    return text;
}

bool HasWildcard(const std::string& text) { return text.find_first_of("*?") != std::string::npos; }

// The folder's path as the dialog shows it: without its trailing "\" except at a drive's root.
std::string Shown(std::string folder)
{
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

// The path as it fits the item: when too wide, its drive, "..." and as many of its last folders as fit.
std::string Fitted(HWND item, const std::string& path)
{
    RECT room {};
    GetClientRect(item, &room);
    HDC dc = GetDC(item);
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(item, WM_GETFONT, 0, 0)));
    const auto fits = [&](const std::string& text) {
        SIZE size {};
        GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx <= room.right;
    };
    std::string shown = path;
    const size_t root = path.find('\\');
    size_t cut = root;
    while (!fits(shown) && cut != std::string::npos) {
        cut = path.find('\\', cut + 1);
        if (cut != std::string::npos)
            shown = path.substr(0, root + 1) + "..." + path.substr(cut);
    }
    SelectObject(dc, oldFont);
    ReleaseDC(item, dc);
    return shown;
}

} // namespace

TemplateFileDialog::TemplateFileDialog(OPENFILENAME& ofn, FileDialogModel& model, std::string title)
    : m_ofn(ofn)
    , m_model(model)
    , m_title(std::move(title))
{
}

bool TemplateFileDialog::IsWholeDialog(LPCDLGTEMPLATE dialog)
{
    // The extended form starts with its version 1 and 0xFFFF, its style 12 bytes in.
    WORD head[2] {};
    std::memcpy(head, dialog, sizeof head);
    DWORD style = 0;
    std::memcpy(&style, reinterpret_cast<const BYTE*>(dialog) + (head[0] == 1 && head[1] == 0xFFFF ? 12 : 0), sizeof style);
    return !(style & WS_CHILD);
}

INT_PTR TemplateFileDialog::run(LPCDLGTEMPLATE dialog)
{
    return DialogBoxIndirectParam(m_ofn.hInstance, dialog, m_ofn.hwndOwner, DialogProc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK TemplateFileDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        SetWindowLongPtr(hwnd, DWLP_USER, lParam);
        auto* self = reinterpret_cast<TemplateFileDialog*>(lParam);
        self->m_dialog = hwnd;
        return self->start();
    }
    // The lists ask their rows' height as they are made, before the dialog knows itself.
    if (message == WM_MEASUREITEM) {
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (item->CtlType == ODT_LISTBOX || item->CtlType == ODT_COMBOBOX) {
            item->itemHeight = std::max<UINT>(item->itemHeight, kRowHeight);
            return TRUE;
        }
    }
    auto* self = reinterpret_cast<TemplateFileDialog*>(GetWindowLongPtr(hwnd, DWLP_USER));
    return self ? self->handle(message, wParam, lParam) : FALSE;
}

LPOFNHOOKPROC TemplateFileDialog::hook() const
{
    return (m_ofn.Flags & OFN_ENABLEHOOK) ? m_ofn.lpfnHook : nullptr;
}

INT_PTR TemplateFileDialog::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hook() && message != WM_NCDESTROY && hook()(m_dialog, message, wParam, lParam))
        return TRUE;
    switch (message) {
    case kShownMessage:
        ChooserShown(m_dialog);
        return TRUE;
    case WM_COMMAND:
        command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_DRAWITEM:
        return draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_NCDESTROY:
        SetWindowLongPtr(m_dialog, DWLP_USER, 0);
        return FALSE;
    default:
        return FALSE;
    }
}

BOOL TemplateFileDialog::start()
{
    centre();
    // The dialog hears of clicks in its lists whether or not the template asks for it.
    for (int id : { kFileList, kFolderList }) {
        if (HWND list = GetDlgItem(m_dialog, id))
            SetWindowLongPtr(list, GWL_STYLE, GetWindowLongPtr(list, GWL_STYLE) | LBS_NOTIFY);
    }
    if (m_ofn.lpstrTitle && *m_ofn.lpstrTitle)
        SetWindowText(m_dialog, m_ofn.lpstrTitle);
    showTypes();
    showDrives();
    show();
    SetDlgItemText(m_dialog, kNameField, m_model.initialName().empty() ? patterns().c_str() : m_model.initialName().c_str());
    CheckDlgButton(m_dialog, kReadOnlyBox, (m_ofn.Flags & OFN_READONLY) ? BST_CHECKED : BST_UNCHECKED);
    if (m_ofn.Flags & OFN_HIDEREADONLY)
        ShowWindow(GetDlgItem(m_dialog, kReadOnlyBox), SW_HIDE);
    if (!(m_ofn.Flags & OFN_SHOWHELP))
        ShowWindow(GetDlgItem(m_dialog, kHelpButton), SW_HIDE);
    PostMessage(m_dialog, kShownMessage, 0, 0);
    if (hook()) {
        hook()(m_dialog, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&m_ofn));
        // A hook that put the focus somewhere keeps it there.
        if (HWND focus = GetFocus(); focus && IsChild(m_dialog, focus))
            return FALSE;
    }
    return TRUE;
}

void TemplateFileDialog::centre() const
{
    RECT frame {};
    GetWindowRect(m_dialog, &frame);
    RECT around {};
    SystemParametersInfo(SPI_GETWORKAREA, 0, &around, 0);
    if (m_ofn.hwndOwner && IsWindowVisible(m_ofn.hwndOwner) && !IsIconic(m_ofn.hwndOwner))
        GetWindowRect(m_ofn.hwndOwner, &around);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(m_dialog, nullptr, std::max<LONG>(0, around.left + (around.right - around.left - width) / 2),
        std::max<LONG>(0, around.top + (around.bottom - around.top - height) / 2), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TemplateFileDialog::command(int id, int code)
{
    switch (id) {
    case IDOK:
        ok();
        return;
    case IDCANCEL:
        EndDialog(m_dialog, IDCANCEL);
        return;
    case kFileList:
        if (code == LBN_SELCHANGE || code == LBN_DBLCLK) {
            const LRESULT row = SendDlgItemMessage(m_dialog, kFileList, LB_GETCURSEL, 0, 0);
            char name[MAX_PATH * 4] {};
            if (row >= 0 && SendDlgItemMessage(m_dialog, kFileList, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(name)) > 0)
                SetDlgItemText(m_dialog, kNameField, name);
            if (code == LBN_DBLCLK)
                ok();
        }
        return;
    case kFolderList:
        if (code == LBN_DBLCLK) {
            const LRESULT row = SendDlgItemMessage(m_dialog, kFolderList, LB_GETCURSEL, 0, 0);
            if (row >= 0 && static_cast<size_t>(row) < m_folders.size())
                openFolder(m_folders[static_cast<size_t>(row)].path);
        }
        return;
    case kTypeBox:
        if (code == CBN_SELCHANGE) {
            const LRESULT chosen = SendDlgItemMessage(m_dialog, kTypeBox, CB_GETCURSEL, 0, 0);
            if (chosen >= 0)
                m_model.selectFilter(static_cast<size_t>(chosen));
            const std::string typed = DlgItemText(m_dialog, kNameField);
            if (typed.empty() || HasWildcard(typed))
                SetDlgItemText(m_dialog, kNameField, patterns().c_str());
            showFiles(m_model.entries());
        }
        return;
    case kDriveBox:
        if (code == CBN_SELCHANGE) {
            const LRESULT chosen = SendDlgItemMessage(m_dialog, kDriveBox, CB_GETCURSEL, 0, 0);
            char root[MAX_PATH] {};
            if (chosen >= 0 && SendDlgItemMessage(m_dialog, kDriveBox, CB_GETLBTEXT, static_cast<WPARAM>(chosen), reinterpret_cast<LPARAM>(root)) > 0)
                openFolder(std::string(root) + "\\");
        }
        return;
    default:
        return;
    }
}

void TemplateFileDialog::ok()
{
    // Enter in the folder list opens the folder selected there, as a double click does.
    const HWND folders = GetDlgItem(m_dialog, kFolderList);
    if (folders && GetFocus() == folders) {
        const LRESULT row = SendMessage(folders, LB_GETCURSEL, 0, 0);
        if (row >= 0 && static_cast<size_t>(row) < m_folders.size() && m_folders[static_cast<size_t>(row)].path != m_model.folder()) {
            openFolder(m_folders[static_cast<size_t>(row)].path);
            return;
        }
    }
    const std::string typed = DlgItemText(m_dialog, kNameField);
    const std::string before = m_model.folder();
    if (TakeTypedName(m_dialog, m_model, typed, m_title)) {
        if (IsDlgButtonChecked(m_dialog, kReadOnlyBox) == BST_CHECKED)
            m_ofn.Flags |= OFN_READONLY;
        else
            m_ofn.Flags &= ~OFN_READONLY;
        EndDialog(m_dialog, IDOK);
        return;
    }
    if (!IsWindow(m_dialog))
        return;
    // A folder's name opened it: the name field shows the filter again.
    if (m_model.folder() != before && !HasWildcard(typed))
        SetDlgItemText(m_dialog, kNameField, patterns().c_str());
    show();
}

void TemplateFileDialog::openFolder(const std::string& path)
{
    m_model.openFolder(path);
    show();
}

std::string TemplateFileDialog::patterns() const
{
    if (m_model.filters().empty())
        return {};
    std::string joined;
    for (const std::string& pattern : m_model.filters()[m_model.filterIndex()].patterns)
        joined += (joined.empty() ? "" : ";") + pattern;
    return joined;
}

void TemplateFileDialog::show()
{
    if (HWND folder = GetDlgItem(m_dialog, kFolderText))
        SetWindowText(folder, Fitted(folder, Shown(m_model.folder())).c_str());
    const std::vector<FolderEntry> entries = m_model.entries();
    showFiles(entries);
    showFolders(entries);
    const std::string drive = m_model.folder().substr(0, 2);
    const LRESULT at = SendDlgItemMessage(m_dialog, kDriveBox, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(drive.c_str()));
    SendDlgItemMessage(m_dialog, kDriveBox, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
}

void TemplateFileDialog::showFiles(const std::vector<FolderEntry>& entries)
{
    HWND files = GetDlgItem(m_dialog, kFileList);
    SendMessage(files, LB_RESETCONTENT, 0, 0);
    for (const FolderEntry& entry : entries) {
        if (!entry.folder)
            SendMessage(files, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.name.c_str()));
    }
}

void TemplateFileDialog::showFolders(const std::vector<FolderEntry>& entries)
{
    // The way down from the drive's root, each folder open, then the folder's own folders, closed.
    m_folders.clear();
    const std::string& folder = m_model.folder();
    size_t end = folder.find('\\');
    int level = 0;
    while (end != std::string::npos) {
        m_folders.push_back({ folder.substr(0, end + 1), level++, true });
        end = folder.find('\\', end + 1);
    }
    const size_t current = m_folders.empty() ? 0 : m_folders.size() - 1;
    for (const FolderEntry& entry : entries) {
        if (entry.folder)
            m_folders.push_back({ folder + entry.name + "\\", level, false });
    }
    HWND list = GetDlgItem(m_dialog, kFolderList);
    SendMessage(list, LB_RESETCONTENT, 0, 0);
    for (const FolderRow& row : m_folders) {
        // The root by its path, the others by their names; inserted, not added, so the order stays.
        const std::string path = row.level == 0 ? row.path : Shown(row.path);
        const std::string name = row.level == 0 ? path : path.substr(path.find_last_of('\\') + 1);
        SendMessage(list, LB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str()));
    }
    SendMessage(list, LB_SETCURSEL, current, 0);
    // The folder shown and its parent stand at the top, with room below for its subfolders.
    SendMessage(list, LB_SETTOPINDEX, current > 0 ? current - 1 : 0, 0);
}

void TemplateFileDialog::showDrives()
{
    char roots[MAX_PATH] {};
    GetLogicalDriveStrings(sizeof roots - 1, roots);
    for (const char* root = roots; *root; root += std::strlen(root) + 1) {
        const std::string drive(root, std::min<size_t>(2, std::strlen(root)));
        SendDlgItemMessage(m_dialog, kDriveBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
    }
}

void TemplateFileDialog::showTypes()
{
    for (const FileFilter& filter : m_model.filters())
        SendDlgItemMessage(m_dialog, kTypeBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(filter.description.c_str()));
    SendDlgItemMessage(m_dialog, kTypeBox, CB_SETCURSEL, m_model.filterIndex(), 0);
}

bool TemplateFileDialog::draw(const DRAWITEMSTRUCT& item) const
{
    if (item.CtlType != ODT_LISTBOX && item.CtlType != ODT_COMBOBOX)
        return false;
    HDC dc = item.hDC;
    RECT rect = item.rcItem;
    FillRect(dc, &rect, GetSysColorBrush(COLOR_WINDOW));
    if (static_cast<int>(item.itemID) < 0)
        return true;
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessage(item.hwndItem, WM_GETFONT, 0, 0)));
    int x = rect.left + 2;
    const int pictureTop = rect.top + (rect.bottom - rect.top - kPictureHeight) / 2;
    if (item.CtlID == kFolderList && item.itemID < m_folders.size()) {
        const FolderRow& row = m_folders[item.itemID];
        x += row.level * kIndent;
        DrawFolderPicture(dc, x, pictureTop, row.open);
        x += kPictureWidth + kTextGap;
    } else if (item.CtlID == kDriveBox) {
        DrawDrivePicture(dc, x, pictureTop);
        x += kPictureWidth + kTextGap;
    }
    const std::string text = ItemText(item);
    SIZE size {};
    GetTextExtentPoint32(dc, text.c_str(), static_cast<int>(text.size()), &size);
    RECT band { x - 1, rect.top, std::min<LONG>(x + size.cx + 2, rect.right), rect.bottom };
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected)
        FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    TextOut(dc, x, rect.top + (rect.bottom - rect.top - size.cy) / 2, text.c_str(), static_cast<int>(text.size()));
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(dc, &band);
    SelectObject(dc, oldFont);
    return true;
}

} // namespace platform
