#include <cstring>
#include <string>

#include "platform/base/GlobalMemory.h"
#include "platform/base/Resources.h"
#include "platform/shell/ChooserWindow.h"
#include "platform/shell/CommDlg.h"
#include "platform/shell/FileDialogModel.h"
#include "platform/shell/TemplateFileDialog.h"
#include "platform/shell/TypedName.h"
#include "platform/user/WinDialogs.h"

namespace {

thread_local DWORD t_lastError = 0;

// The items of the classic file dialog, by their ids: labels, the file and folder lists, the type
// and drive lists, the name field, the read-only check box, OK, Cancel and Help.
constexpr int kNameField = 1152;
constexpr int kTemplateItems[] = { 1088, 1089, 1090, 1091, 1120, 1121, 1136, 1137, kNameField, 1040, IDOK, IDCANCEL, 1038 };
constexpr const char* kItemClass = "ShellDialogItem";

// An unseen item passes keys on to the dialog, so a hook that gives it the focus leaves the
// dialog's keyboard working.
LRESULT CALLBACK TemplateItemProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_KEYDOWN || message == WM_KEYUP || message == WM_CHAR)
        return SendMessage(GetParent(hwnd), message, wParam, lParam);
    return DefWindowProc(hwnd, message, wParam, lParam);
}

void CreateTemplateItems(HWND dialog)
{
    WNDCLASS wc {};
    wc.lpfnWndProc = TemplateItemProc;
    wc.lpszClassName = kItemClass;
    RegisterClass(&wc); // fails harmlessly once the class exists
    for (int id : kTemplateItems) {
        // The chooser's own buttons and type box are the dialog's.
        if (GetDlgItem(dialog, id))
            continue;
        CreateWindowEx(0, kItemClass, "", WS_CHILD, 0, 0, 0, 0, dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    }
}

// The items of an Explorer-style dialog that a hook places its own controls by: the name field, unseen,
// lies where the chooser draws it, between the type box's ends and on OK's row.
void CreateExplorerItems(HWND dialog)
{
    CreateTemplateItems(dialog);
    RECT type {};
    RECT ok {};
    GetWindowRect(GetDlgItem(dialog, platform::ChooserWindow::kTypeBoxId), &type);
    GetWindowRect(GetDlgItem(dialog, IDOK), &ok);
    POINT corners[] = { { type.left, ok.top }, { type.right, ok.bottom } };
    for (POINT& corner : corners)
        ScreenToClient(dialog, &corner);
    MoveWindow(GetDlgItem(dialog, kNameField), corners[0].x, corners[0].y, corners[1].x - corners[0].x, corners[1].y - corners[0].y, FALSE);
}

// The empty child an Explorer-style dialog gives its hook: what it receives is the hook's.
constexpr const char* kHookChildClass = "ShellHookChild";

LRESULT CALLBACK HookChildProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto hook = reinterpret_cast<LPOFNHOOKPROC>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (hook && message != WM_NCDESTROY) {
        if (const UINT_PTR handled = hook(hwnd, message, wParam, lParam))
            return static_cast<LRESULT>(handled);
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}

HWND CreateHookChild(HWND dialog, LPOFNHOOKPROC hook)
{
    WNDCLASS wc {};
    wc.lpfnWndProc = HookChildProc;
    wc.lpszClassName = kHookChildClass;
    RegisterClass(&wc); // fails harmlessly once the class exists
    HWND child = CreateWindowEx(0, kHookChildClass, "", WS_CHILD, 0, 0, 0, 0, dialog, nullptr, nullptr, nullptr);
    if (child)
        SetWindowLongPtr(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hook));
    return child;
}

BOOL Fail(DWORD error)
{
    t_lastError = error;
    return FALSE;
}

// A file dialog on the chooser window: the model decides, the hook sees the messages first.
class FileDialogController final : public platform::ChooserController {
public:
    FileDialogController(OPENFILENAME& ofn, bool save)
        : m_ofn(ofn)
        , m_model(ofn, save)
        , m_title(ofn.lpstrTitle && *ofn.lpstrTitle ? ofn.lpstrTitle : save ? "Save As" : "Open")
        , m_save(save)
    {
    }

    platform::FileDialogModel& model() { return m_model; }
    const std::string& title() const { return m_title; }

    std::string heading() const override { return m_model.folder(); }
    std::vector<platform::FolderEntry> entries() const override { return m_model.entries(); }
    bool typesNames() const override { return true; }
    std::vector<std::string> types() const override
    {
        std::vector<std::string> descriptions;
        for (const platform::FileFilter& filter : m_model.filters())
            descriptions.push_back(filter.description);
        return descriptions;
    }
    size_t typeIndex() const override { return m_model.filterIndex(); }
    void selectType(size_t index) override { m_model.selectFilter(index); }
    std::string okText() const override { return m_save ? "Save" : "Open"; }
    void up() override { m_model.openFolder(".."); }

    bool take(HWND window, const std::string& typed, const platform::FolderEntry* entry, bool open) override
    {
        std::string text = !typed.empty() ? typed : entry ? entry->name : std::string();
        // Enter is the dialog's OK, which takes the name its name field holds: a hook may have put
        // one there (a folder chooser puts a name that only makes OK accept the folder shown).
        if (!open && typed.empty()) {
            char held[MAX_PATH] {};
            if (GetDlgItemText(window, kNameField, held, MAX_PATH) > 0)
                text = held;
        }
        return platform::TakeTypedName(window, m_model, text, m_title) && hookAccepts(window);
    }

    void started(HWND window) override
    {
        // A caller's child template for an Explorer-style dialog is not drawn; the items a hook of
        // such a dialog works with are there, unseen, so that it finds each of them.
        if (m_ofn.Flags & OFN_ENABLETEMPLATE)
            CreateTemplateItems(window);
        if (!hook())
            return;
        if ((m_ofn.Flags & (OFN_EXPLORER | OFN_ENABLETEMPLATE)) == OFN_EXPLORER) {
            CreateExplorerItems(window);
            m_hookChild = CreateHookChild(window, hook());
            if (m_hookChild)
                SendMessage(m_hookChild, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&m_ofn));
            return;
        }
        hook()(window, WM_INITDIALOG, 0, reinterpret_cast<LPARAM>(&m_ofn));
    }

    bool message(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        // With a child of its own the hook sees that child's messages, not the dialog's.
        if (!hook() || m_hookChild || message == WM_NCDESTROY)
            return false;
        const UINT_PTR handled = hook()(window, message, wParam, lParam);
        result = 0;
        return handled != 0;
    }

private:
    LPOFNHOOKPROC hook() const { return (m_ofn.Flags & OFN_ENABLEHOOK) ? m_ofn.lpfnHook : nullptr; }
    // Tells the hook's child of OK with the choice in the record; false when the hook keeps the dialog
    // open. A choice too big for the record is accepted here and fails once the dialog has closed.
    bool hookAccepts(HWND window)
    {
        if (!m_hookChild || !IsWindow(m_hookChild))
            return true;
        m_model.store(m_ofn);
        OFNOTIFY notify;
        notify.hdr.hwndFrom = window;
        notify.hdr.code = CDN_FILEOK;
        notify.lpOFN = &m_ofn;
        return SendMessage(m_hookChild, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify)) == 0;
    }
    OPENFILENAME& m_ofn;
    platform::FileDialogModel m_model;
    std::string m_title;
    bool m_save { false };
    HWND m_hookChild { nullptr };
};

// The checks every file dialog makes of its record before showing anything.
DWORD CheckRecord(const OPENFILENAME& ofn)
{
    if (ofn.lStructSize != sizeof(OPENFILENAME))
        return CDERR_STRUCTSIZE;
    if (!ofn.lpstrFile || ofn.nMaxFile == 0)
        return CDERR_INITIALIZATION;
    if ((ofn.Flags & OFN_ENABLEHOOK) && !ofn.lpfnHook)
        return CDERR_NOHOOK;
    if (ofn.Flags & OFN_ENABLETEMPLATE) {
        if (!ofn.hInstance)
            return CDERR_NOHINSTANCE;
        if (!ofn.lpTemplateName)
            return CDERR_NOTEMPLATE;
        if (!FindResource(ofn.hInstance, ofn.lpTemplateName, RT_DIALOG))
            return CDERR_FINDRESFAILURE;
    }
    return 0;
}

// The caller's template when it makes a whole dialog, which then is the file dialog; null when there is
// none, or when it is a child for an Explorer-style dialog to hold.
LPCDLGTEMPLATE WholeTemplate(const OPENFILENAME& ofn)
{
    if (!(ofn.Flags & OFN_ENABLETEMPLATE))
        return nullptr;
    HRSRC found = FindResource(ofn.hInstance, ofn.lpTemplateName, RT_DIALOG);
    const auto* dialog = static_cast<LPCDLGTEMPLATE>(LockResource(LoadResource(ofn.hInstance, found)));
    // Too short to hold a header, it is no dialog of its own.
    if (!dialog || SizeofResource(ofn.hInstance, found) < sizeof(DLGTEMPLATE) + 2 * sizeof(WORD))
        return nullptr;
    return platform::TemplateFileDialog::IsWholeDialog(dialog) ? dialog : nullptr;
}

BOOL RunFileDialog(LPOPENFILENAME ofn, bool save)
{
    t_lastError = 0;
    if (!ofn)
        return Fail(CDERR_INITIALIZATION);
    if (const DWORD error = CheckRecord(*ofn))
        return Fail(error);
    FileDialogController controller(*ofn, save);
    if (LPCDLGTEMPLATE dialog = WholeTemplate(*ofn)) {
        platform::TemplateFileDialog templated(*ofn, controller.model(), controller.title());
        const INT_PTR result = templated.run(dialog);
        if (result == -1)
            return Fail(CDERR_DIALOGFAILURE);
        if (result != IDOK)
            return FALSE;
    } else {
        platform::ChooserWindow window(controller, ofn->hwndOwner, controller.title(), controller.model().initialName());
        if (!window.run())
            return FALSE;
    }
    if (const DWORD error = controller.model().store(*ofn))
        return Fail(error);
    return TRUE;
}

// A global block holding a copy of the bytes; null when out of memory.
HGLOBAL GlobalCopy(const void* data, size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (void* to = memory ? GlobalLock(memory) : nullptr) {
        std::memcpy(to, data, size);
        GlobalUnlock(memory);
    }
    return memory;
}

HGLOBAL MakeDevNames(const std::string& output)
{
    const std::string driver = kPdfPrinterName;
    const std::string device = kPdfPrinterName;
    std::string block(sizeof(DEVNAMES), '\0');
    DEVNAMES names {};
    names.wDriverOffset = static_cast<WORD>(block.size());
    block += driver + '\0';
    names.wDeviceOffset = static_cast<WORD>(block.size());
    block += device + '\0';
    names.wOutputOffset = static_cast<WORD>(block.size());
    block += output + '\0';
    names.wDefault = 1;
    std::memcpy(block.data(), &names, sizeof names);
    return GlobalCopy(block.data(), block.size());
}

// The output file a DEVNAMES block names, or empty.
std::string OutputOf(HGLOBAL devNames)
{
    const SIZE_T size = GlobalSize(devNames);
    const auto* block = static_cast<const char*>(GlobalLock(devNames));
    if (!block)
        return {};
    std::string output;
    DEVNAMES names;
    if (size >= sizeof names) {
        std::memcpy(&names, block, sizeof names);
        if (names.wOutputOffset < size)
            output.assign(block + names.wOutputOffset, strnlen(block + names.wOutputOffset, size - names.wOutputOffset));
    }
    GlobalUnlock(devNames);
    return output;
}

} // namespace

BOOL GetOpenFileName(LPOPENFILENAME lpofn)
{
    return RunFileDialog(lpofn, false);
}

BOOL GetSaveFileName(LPOPENFILENAME lpofn)
{
    return RunFileDialog(lpofn, true);
}

DWORD CommDlgExtendedError()
{
    return t_lastError;
}

short GetFileTitle(LPCSTR lpszFile, LPSTR buf, WORD cchSize)
{
    if (!lpszFile || !*lpszFile)
        return -1;
    const std::string_view path(lpszFile);
    const auto last = path.find_last_of("\\/:");
    const std::string_view name = last == std::string_view::npos ? path : path.substr(last + 1);
    if (name.empty())
        return -1;
    if (!buf || cchSize < name.size() + 1)
        return static_cast<short>(name.size() + 1);
    std::memcpy(buf, name.data(), name.size());
    buf[name.size()] = '\0';
    return 0;
}

BOOL PrintDlg(LPPRINTDLG lppd)
{
    t_lastError = 0;
    if (!lppd || lppd->lStructSize != sizeof(PRINTDLG))
        return Fail(CDERR_STRUCTSIZE);

    std::string output;
    if (!(lppd->Flags & PD_RETURNDEFAULT)) {
        // The printer writes PDF: choosing where to print is choosing the file.
        char file[MAX_PATH] = "document.pdf";
        if (lppd->hDevNames) {
            const std::string previous = OutputOf(lppd->hDevNames);
            if (!previous.empty() && previous.size() < MAX_PATH)
                std::memcpy(file, previous.c_str(), previous.size() + 1);
        }
        OPENFILENAME ofn;
        ofn.hwndOwner = lppd->hwndOwner;
        ofn.lpstrFilter = "PDF documents (*.pdf)\0*.pdf\0";
        ofn.lpstrFile = file;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrDefExt = "pdf";
        ofn.lpstrTitle = "Print";
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (!RunFileDialog(&ofn, true))
            return FALSE;
        output = file;
    } else if (lppd->hDevMode || lppd->hDevNames) {
        return Fail(CDERR_INITIALIZATION);
    }

    if (!lppd->hDevMode) {
        DEVMODE defaults;
        std::memcpy(defaults.dmDeviceName, kPdfPrinterName, std::strlen(kPdfPrinterName) + 1);
        lppd->hDevMode = GlobalCopy(&defaults, sizeof defaults);
    }
    HGLOBAL names = MakeDevNames(output);
    if (!lppd->hDevMode || !names) {
        GlobalFree(names);
        return Fail(CDERR_MEMALLOCFAILURE);
    }
    GlobalFree(lppd->hDevNames);
    lppd->hDevNames = names;
    // Every page is printed, once: the dialog offers no range and no copies.
    lppd->Flags &= ~(PD_SELECTION | PD_PAGENUMS);
    lppd->nCopies = 1;

    lppd->hDC = nullptr;
    if (lppd->Flags & (PD_RETURNDC | PD_RETURNIC)) {
        DEVMODE settings;
        if (const void* stored = GlobalLock(lppd->hDevMode)) {
            std::memcpy(&settings, stored, std::min<SIZE_T>(sizeof settings, GlobalSize(lppd->hDevMode)));
            GlobalUnlock(lppd->hDevMode);
        }
        lppd->hDC = platform::gdi::CreatePrinterDC(&settings, output.empty() ? nullptr : output.c_str());
        if (!lppd->hDC)
            return Fail(PDERR_NODEFAULTPRN);
    }
    return TRUE;
}
