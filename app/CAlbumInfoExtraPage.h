#pragma once
// The second album page: title sort, note, title-the, the artist's full name, the compilation flag and
// the number of the disc in its set. The sheet builds and loads it but shows it for no kind of rows.

#include "app/CDetailPage.h"
#include "platform/afx/CSpinButtonCtrl.h"

class CAlbumInfoExtraPage : public CDetailPage {
public:
    explicit CAlbumInfoExtraPage(CMusicDetailInfoSheet* pSheet);

    BOOL OnInitDialog() override;
    void Load(BOOL clear) override;
    void SetReadOnly(BOOL readOnly) override;
    void OnKillFocusField() override;

    CString m_strTitleSort;
    CString m_strNote;
    CString m_strTitleThe;
    CString m_strArtistFullname;
    BOOL m_bCompilation { FALSE };
    CString m_strLanguage;
    int m_nTotalInSet { 0 };
    int m_nNumberInSet { 0 };
    CSpinButtonCtrl m_totalSpin;
    CSpinButtonCtrl m_numberSpin;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnDeltaPosNumber(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnDeltaPosTotal(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg void OnCompilationClicked();
    DECLARE_MESSAGE_MAP()

private:
    // Marks the page changed and writes it at once (a step or a click has no field to leave).
    void WriteNow();
    void ShowNumbers();
};

// A disc's place in its set as stored: a total of 0 is 1, a number of 0 is 1, a number above the total
// is the total.
void NormaliseSetNumbers(int& total, int& number);
