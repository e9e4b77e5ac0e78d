#pragma once
// Preferences of the music import: the CD-database lookup, ignoring MP3 tags, copying the files.

#include "app/CPreferencePage.h"

class CMusicPage : public CPreferencePage {
public:
    CMusicPage();

    BOOL OnInitDialog() override;

    BOOL m_bUseCDDBControl { FALSE };
    BOOL m_bIgnoreMp3Tags { FALSE };
    BOOL m_bCopyMusicFiles { FALSE };

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void WriteSettings() override;
};
