#pragma once
// The About box: the maker, the program's name and version, and the maker's notices.

#include "app/CBaseDialog.h"

class CAboutDlg : public CBaseDialog {
public:
    // The version the box shows.
    static constexpr const char* kVersion = "1.2.4.1048";

    explicit CAboutDlg(CWnd* pParent = nullptr);
    BOOL OnInitDialog() override;
};
