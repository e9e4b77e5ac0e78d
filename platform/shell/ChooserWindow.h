#pragma once
// The modal window of the file dialogs and the folder browser: a heading (the folder shown), a list
// of folders and files, for file dialogs a name field and a file-type box, and OK and Cancel buttons
// (OK takes as Enter does, Cancel cancels as Escape does). Up and Down move in the
// list, Enter takes the typed name or the selected entry (in the folder browser: the folder shown),
// Right and a double click open the selected entry, Backspace deletes a typed letter or, with
// nothing typed, goes to the parent folder, Escape cancels. What taking means is the controller's.

#include <functional>
#include <string>
#include <vector>

#include "platform/shell/FileDialogModel.h"

namespace platform {

class ChooserController {
public:
    virtual ~ChooserController() = default;
    // The heading: the folder shown.
    virtual std::string heading() const = 0;
    virtual std::vector<FolderEntry> entries() const = 0;
    // Whether names are typed (file dialogs) or only chosen from the list (the folder browser).
    virtual bool typesNames() const = 0;
    // Enter (or a double click) on the typed text, or on the selected entry when nothing is typed;
    // entry is null when there is none, and for Enter in the folder browser (which takes the folder
    // shown). True ends the dialog with OK; otherwise the controller may have changed what the
    // window shows.
    // open tells Right or a double click (open the entry) from Enter (take the choice).
    virtual bool take(HWND window, const std::string& typed, const FolderEntry* entry, bool open) = 0;
    // Backspace with nothing typed.
    virtual void up() = 0;
    // A message for the window's own use (the folder browser's selection messages); true when handled.
    // The list is read again after a handled message from WM_USER up.
    virtual bool message(HWND, UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // Called once the window exists, before the loop.
    virtual void started(HWND) { }
    // The file-type box's choices and the one in use; none: no box.
    virtual std::vector<std::string> types() const { return {}; }
    virtual size_t typeIndex() const { return 0; }
    // A choice in the file-type box; the list is read again after it.
    virtual void selectType(size_t) { }
    // The OK button's text.
    virtual std::string okText() const { return "OK"; }
};

// Called each time a chooser window (or a file dialog on a template) is on the screen with the focus, before its loop runs; tests give
// their input there. Returns the previous hook.
using ChooserShownHook = std::function<void(HWND)>;
ChooserShownHook SetChooserShownHook(ChooserShownHook hook);
// Runs the hook for a chooser window or a file dialog made from a caller's template.
void ChooserShown(HWND window);

class ChooserWindow {
public:
    ChooserWindow(ChooserController& controller, HWND owner, std::string title, std::string initialName);
    ChooserWindow(const ChooserWindow&) = delete;
    ChooserWindow& operator=(const ChooserWindow&) = delete;

    // Runs the modal loop; true for OK. The owner is disabled meanwhile. A quit message ends it as a
    // cancel and is put back for the outer loop.
    bool run();
    // Lists the controller's entries again and selects the first (or none).
    void refresh();
    // Selects the entry with the name (without regard to case); false when there is none.
    bool select(const std::string& name);
    // The window class's procedure.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static constexpr const char* kClassName = "ShellChooser";
    // The file-type box's id, that of the classic file dialog, which hooks place their items by.
    static constexpr int kTypeBoxId = 1136;

private:
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void move(int delta);
    void takeCurrent(bool open);
    int rowAt(int y) const;
    // The bottom of the chooser's own area: what a hook grows the window by lies below it.
    int bodyBottom() const;
    // The bottom of the list: the name field, the type box and the buttons lie between it and the body's.
    int listBottom() const;
    void createControls();
    void command(WPARAM wParam);

    ChooserController& m_controller;
    HWND m_owner;
    std::string m_title;
    std::string m_typed;
    // The name line's text is selected (at the start, and after choosing from the list): typing replaces it.
    bool m_typedSelected { true };
    HWND m_window { nullptr };
    std::vector<FolderEntry> m_entries;
    int m_selected { -1 };
    int m_top { 0 };
    int m_bodyBottom { 0 };
    bool m_done { false };
    bool m_ok { false };
};

} // namespace platform
