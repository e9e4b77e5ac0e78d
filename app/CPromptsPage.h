#pragma once
// Preferences of the prompts: asking to synchronise when the program ends.

#include "app/CPreferencePage.h"

class CPromptsPage : public CPreferencePage {
public:
    CPromptsPage();

    BOOL OnInitDialog() override;

    BOOL m_bSyncDialogOnExit { FALSE };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void WriteSettings() override;
};
