#include "platform/shell/ChooserWindow.h"

#include <algorithm>
#include <utility>

#include "platform/base/CaseFold.h"
#include "platform/gdi/FrameDrawing.h"
#include "platform/gdi/WinGdi.h"
#include "platform/user/WinControls.h"
#include "platform/user/WinUser.h"

namespace platform {

namespace {

constexpr int kWidth = 420;
constexpr int kHeight = 320;
constexpr int kMargin = 6;
constexpr int kRowHeight = 16;
constexpr int kListTop = 26;
// The rows under the list: the name field and the type box (file dialogs), or the buttons alone.
constexpr int kControlHeight = 22;
constexpr int kControlStep = kControlHeight + kMargin;
constexpr int kLabelWidth = 72;
constexpr int kButtonWidth = 75;
constexpr int kTypeListHeight = 120;

ChooserShownHook g_shownHook;

void RegisterChooserClass()
{
    WNDCLASS wc {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ChooserWindow::WindowProc;
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = ChooserWindow::kClassName;
    RegisterClass(&wc); // fails harmlessly once the class exists
}

// Re-enables the owner however the loop ends.
class OwnerDisabled {
public:
    explicit OwnerDisabled(HWND owner)
        : m_owner(owner && IsWindowEnabled(owner) ? owner : nullptr)
    {
        if (m_owner)
            EnableWindow(m_owner, FALSE);
    }
    ~OwnerDisabled()
    {
        if (m_owner && IsWindow(m_owner))
            EnableWindow(m_owner, TRUE);
    }
    OwnerDisabled(const OwnerDisabled&) = delete;
    OwnerDisabled& operator=(const OwnerDisabled&) = delete;

private:
    HWND m_owner;
};

} // namespace

ChooserShownHook SetChooserShownHook(ChooserShownHook hook)
{
    return std::exchange(g_shownHook, std::move(hook));
}

void ChooserShown(HWND window)
{
    if (g_shownHook)
        g_shownHook(window);
}

ChooserWindow::ChooserWindow(ChooserController& controller, HWND owner, std::string title, std::string initialName)
    : m_controller(controller)
    , m_owner(owner)
    , m_title(std::move(title))
    , m_typed(std::move(initialName))
{
}

bool ChooserWindow::run()
{
    RegisterChooserClass();
    const OwnerDisabled ownerDisabled(m_owner);
    RECT area { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    if (m_owner)
        GetWindowRect(m_owner, &area);
    const int x = std::max<int>(0, (area.left + area.right - kWidth) / 2);
    const int y = std::max<int>(0, (area.top + area.bottom - kHeight) / 2);
    m_window = CreateWindowEx(WS_EX_DLGMODALFRAME, kClassName, m_title.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
        x, y, kWidth, kHeight, m_owner, nullptr, nullptr, this);
    if (!m_window)
        return false;
    RECT client;
    GetClientRect(m_window, &client);
    m_bodyBottom = client.bottom;
    createControls();
    refresh();
    m_controller.started(m_window);
    ShowWindow(m_window, SW_SHOWNORMAL);
    SetFocus(m_window);
    ChooserShown(m_window);
    while (!m_done) {
        MSG msg;
        if (!GetMessage(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessage(&msg);
        if (!IsWindow(m_window))
            break;
    }
    if (IsWindow(m_window)) {
        SetWindowLongPtr(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
    m_window = nullptr;
    if (m_owner && IsWindow(m_owner))
        SetActiveWindow(m_owner);
    return m_ok;
}

void ChooserWindow::refresh()
{
    m_entries = m_controller.entries();
    m_selected = m_entries.empty() ? -1 : 0;
    m_top = 0;
    if (m_window)
        InvalidateRect(m_window, nullptr, TRUE);
}

bool ChooserWindow::select(const std::string& name)
{
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (EqualsNoCase(m_entries[i].name, name)) {
            move(static_cast<int>(i) - m_selected);
            return true;
        }
    }
    return false;
}

LRESULT CALLBACK ChooserWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<LPCREATESTRUCT>(lParam);
        SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ChooserWindow*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (!self || message == WM_NCCREATE)
        return DefWindowProc(hwnd, message, wParam, lParam);
    self->m_window = hwnd;
    return self->handle(message, wParam, lParam);
}

LRESULT ChooserWindow::handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (m_controller.message(m_window, message, wParam, lParam, result)) {
        // The controller may have changed the folder shown.
        if (message >= WM_USER)
            refresh();
        return result;
    }
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_COMMAND:
        command(wParam);
        return 0;
    case WM_CLOSE:
        m_done = true;
        return 0;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_UP:
            move(-1);
            return 0;
        case VK_DOWN:
            move(1);
            return 0;
        case VK_RETURN:
            takeCurrent(false);
            return 0;
        case VK_RIGHT:
            takeCurrent(true);
            return 0;
        case VK_ESCAPE:
            m_done = true;
            return 0;
        case VK_BACK:
            if (m_controller.typesNames() && !m_typed.empty()) {
                m_typedSelected = false;
                // Drop the last character, with all of its bytes.
                do
                    m_typed.pop_back();
                while (!m_typed.empty() && (static_cast<unsigned char>(m_typed.back()) & 0xC0) == 0x80);
            } else {
                m_controller.up();
                refresh();
            }
            InvalidateRect(m_window, nullptr, TRUE);
            return 0;
        default:
            return 0;
        }
    case WM_CHAR:
        if (m_controller.typesNames() && wParam >= 0x20 && wParam != 0x7F) {
            if (m_typedSelected)
                m_typed.clear();
            m_typedSelected = false;
            m_typed += static_cast<char>(wParam);
            InvalidateRect(m_window, nullptr, TRUE);
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int row = rowAt(static_cast<SHORT>(HIWORD(lParam)));
        if (row < 0)
            return 0;
        move(row - m_selected);
        if (message == WM_LBUTTONDBLCLK) {
            m_typed.clear();
            takeCurrent(true);
        }
        return 0;
    }
    default:
        return DefWindowProc(m_window, message, wParam, lParam);
    }
}

int ChooserWindow::bodyBottom() const
{
    if (m_bodyBottom > 0)
        return m_bodyBottom;
    RECT client;
    GetClientRect(m_window, &client);
    return client.bottom;
}

int ChooserWindow::listBottom() const
{
    return bodyBottom() - kMargin - (m_controller.typesNames() ? 2 * kControlStep : kControlStep);
}

void ChooserWindow::createControls()
{
    RECT client;
    GetClientRect(m_window, &client);
    const int buttonLeft = client.right - kMargin - kButtonWidth;
    const int firstRow = listBottom() + kMargin;
    const auto make = [this](LPCSTR className, const std::string& text, DWORD style, int x, int y, int width, int height, int id) {
        HWND control = CreateWindowEx(0, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width, height, m_window,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        if (control)
            SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        return control;
    };
    if (!m_controller.typesNames()) {
        make("BUTTON", m_controller.okText(), BS_DEFPUSHBUTTON, buttonLeft - kMargin - kButtonWidth, firstRow, kButtonWidth, kControlHeight, IDOK);
        make("BUTTON", "Cancel", BS_PUSHBUTTON, buttonLeft, firstRow, kButtonWidth, kControlHeight, IDCANCEL);
        return;
    }
    const int secondRow = firstRow + kControlStep;
    make("BUTTON", m_controller.okText(), BS_DEFPUSHBUTTON, buttonLeft, firstRow, kButtonWidth, kControlHeight, IDOK);
    make("BUTTON", "Cancel", BS_PUSHBUTTON, buttonLeft, secondRow, kButtonWidth, kControlHeight, IDCANCEL);
    const int fieldLeft = kMargin + kLabelWidth;
    HWND types = make("COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, fieldLeft, secondRow, buttonLeft - kMargin - fieldLeft,
        kTypeListHeight, kTypeBoxId);
    for (const std::string& type : m_controller.types())
        SendMessage(types, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(type.c_str()));
    SendMessage(types, CB_SETCURSEL, m_controller.typeIndex(), 0);
}

void ChooserWindow::command(WPARAM wParam)
{
    const int id = LOWORD(wParam);
    if (id == IDOK) {
        takeCurrent(false);
    } else if (id == IDCANCEL) {
        m_done = true;
    } else if (id == kTypeBoxId && HIWORD(wParam) == CBN_SELCHANGE) {
        const LRESULT chosen = SendDlgItemMessage(m_window, kTypeBoxId, CB_GETCURSEL, 0, 0);
        if (chosen >= 0)
            m_controller.selectType(static_cast<size_t>(chosen));
        refresh();
    } else {
        return;
    }
    // Typing and the list's keys go to the window itself.
    if (!m_done && IsWindow(m_window))
        SetFocus(m_window);
}

int ChooserWindow::rowAt(int y) const
{
    if (y < kListTop || y >= listBottom())
        return -1;
    const int row = m_top + (y - kListTop) / kRowHeight;
    return row < static_cast<int>(m_entries.size()) ? row : -1;
}

void ChooserWindow::move(int delta)
{
    if (m_entries.empty())
        return;
    m_selected = std::clamp(m_selected + delta, 0, static_cast<int>(m_entries.size()) - 1);
    const int bottom = listBottom();
    const int rows = std::max(1, (bottom - kListTop) / kRowHeight);
    if (m_selected < m_top)
        m_top = m_selected;
    if (m_selected >= m_top + rows)
        m_top = m_selected - rows + 1;
    // Choosing a file in the list puts its name on the name line.
    if (m_controller.typesNames() && !m_entries[static_cast<size_t>(m_selected)].folder) {
        m_typed = m_entries[static_cast<size_t>(m_selected)].name;
        m_typedSelected = true;
    }
    InvalidateRect(m_window, nullptr, TRUE);
}

void ChooserWindow::takeCurrent(bool open)
{
    const bool names = m_controller.typesNames();
    // Opening needs a selection, and in a file dialog a folder: files are taken with Enter.
    if (open && (m_selected < 0 || (names && !m_entries[static_cast<size_t>(m_selected)].folder)))
        return;
    const FolderEntry* entry = m_selected >= 0 && (names || open) ? &m_entries[static_cast<size_t>(m_selected)] : nullptr;
    const std::string typed = names && !open ? m_typed : std::string();
    if (m_controller.take(m_window, typed, typed.empty() ? entry : nullptr, open)) {
        m_ok = true;
        m_done = true;
        return;
    }
    if (!IsWindow(m_window))
        return;
    m_typed.clear();
    refresh();
}

void ChooserWindow::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_window, &ps);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    RECT client;
    GetClientRect(m_window, &client);
    const bool names = m_controller.typesNames();
    const std::string heading = (names ? "Look in:  " : "") + m_controller.heading();
    TextOut(dc, kMargin, 6, heading.c_str(), static_cast<int>(heading.size()));
    // The list sits in a sunken white well, as a list box does.
    const int bottom = listBottom();
    RECT well { kMargin, kListTop - 2, client.right - kMargin, bottom + 2 };
    FillRect(dc, &well, GetSysColorBrush(COLOR_WINDOW));
    DrawEdge(dc, &well, EDGE_SUNKEN, BF_RECT);
    for (int row = m_top, y = kListTop; row < static_cast<int>(m_entries.size()) && y + kRowHeight <= bottom; ++row, y += kRowHeight) {
        const FolderEntry& entry = m_entries[static_cast<size_t>(row)];
        const std::string text = entry.folder ? "[" + entry.name + "]" : entry.name;
        if (row == m_selected) {
            RECT band { kMargin + 2, y, client.right - kMargin - 2, y + kRowHeight };
            FillRect(dc, &band, GetSysColorBrush(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
        } else {
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        }
        TextOut(dc, kMargin + 4, y + 1, text.c_str(), static_cast<int>(text.size()));
    }
    if (names) {
        SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
        const int firstRow = bottom + kMargin;
        const int labelDrop = 4;
        static constexpr char kNameLabel[] = "File name:";
        static constexpr char kTypeLabel[] = "Files of type:";
        TextOut(dc, kMargin, firstRow + labelDrop, kNameLabel, static_cast<int>(sizeof kNameLabel - 1));
        TextOut(dc, kMargin, firstRow + kControlStep + labelDrop, kTypeLabel, static_cast<int>(sizeof kTypeLabel - 1));
        // The name field: what is typed, in a sunken white field beside OK.
        RECT field { kMargin + kLabelWidth, firstRow, client.right - 2 * kMargin - kButtonWidth, firstRow + kControlHeight };
        FillRect(dc, &field, GetSysColorBrush(COLOR_WINDOW));
        DrawEdge(dc, &field, EDGE_SUNKEN, BF_RECT);
        TextOut(dc, field.left + 4, firstRow + labelDrop, m_typed.c_str(), static_cast<int>(m_typed.size()));
    }
    SelectObject(dc, oldFont);
    EndPaint(m_window, &ps);
}

} // namespace platform
