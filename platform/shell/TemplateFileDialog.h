#pragma once
// The classic file dialog made from a caller's template: the template's standard items are filled
// and driven by the dialog. 1088 shows the folder, 1120 lists its files under the filter, 1121 the
// folders from the drive down to it and then its subfolders (a double click opens one), 1136 holds
// the filters, 1137 the drives, 1152 the name; a hook sees every message first, WM_INITDIALOG with
// the record. OK with a file's name ends the dialog with the model's choice; a folder's name or a
// pattern shows that folder or pattern instead.

#include <string>
#include <vector>

#include "platform/shell/CommDlg.h"
#include "platform/shell/FileDialogModel.h"
#include "platform/user/WinDialogs.h"

namespace platform {

class TemplateFileDialog {
public:
    TemplateFileDialog(OPENFILENAME& ofn, FileDialogModel& model, std::string title);
    TemplateFileDialog(const TemplateFileDialog&) = delete;
    TemplateFileDialog& operator=(const TemplateFileDialog&) = delete;

    // Whether a template is a whole dialog (not a child for an Explorer-style dialog to hold).
    static bool IsWholeDialog(LPCDLGTEMPLATE dialog);
    // Runs the dialog, modal to the record's owner: IDOK with the choice in the model, IDCANCEL, or
    // -1 when the template makes no dialog.
    INT_PTR run(LPCDLGTEMPLATE dialog);

    static constexpr int kFolderText = 1088;
    static constexpr int kFileList = 1120;
    static constexpr int kFolderList = 1121;
    static constexpr int kTypeBox = 1136;
    static constexpr int kDriveBox = 1137;
    static constexpr int kNameField = 1152;

private:
    // A row of the folder list: the folder it opens and how deep it lies.
    struct FolderRow {
        std::string path;
        int level { 0 };
        bool open { false };
    };

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR handle(UINT message, WPARAM wParam, LPARAM lParam);
    BOOL start();
    void centre() const;
    void command(int id, int code);
    void ok();
    void openFolder(const std::string& path);
    // Fills every list from the model.
    void show();
    void showFiles(const std::vector<FolderEntry>& entries);
    void showFolders(const std::vector<FolderEntry>& entries);
    void showDrives();
    void showTypes();
    // The filter's patterns, which the name field shows while no name is typed.
    std::string patterns() const;
    bool draw(const DRAWITEMSTRUCT& item) const;
    LPOFNHOOKPROC hook() const;

    OPENFILENAME& m_ofn;
    FileDialogModel& m_model;
    std::string m_title;
    HWND m_dialog { nullptr };
    std::vector<FolderRow> m_folders;
};

} // namespace platform
