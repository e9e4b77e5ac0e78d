#pragma once
// The detail page of a track: its title and its number on the album, which the up-down control steps
// through the numbers no other track of the album has.

#include <functional>

#include "app/CDetailPage.h"
#include "platform/afx/CSpinButtonCtrl.h"

class CTrackInfoPage : public CDetailPage {
public:
    explicit CTrackInfoPage(CMusicDetailInfoSheet* pSheet);

    BOOL OnInitDialog() override;
    void Load(BOOL clear) override;
    void SetReadOnly(BOOL readOnly) override;
    void OnKillFocusField() override;

    CString m_strTitle;
    long m_lAlbumId { 0 };
    int m_nTrackNumber { 0 };
    CSpinButtonCtrl m_spin;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnDeltaPosTrackNumber(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};

// Track numbers run from 1 to this.
inline constexpr int kMaxTrackNumber = 999;
// The first number from position + step on, going on by one in the step's direction and wrapping
// between 1 and 999, that taken refuses; position itself when every other number is taken.
int FindFreeTrackNumber(int position, int step, const std::function<bool(int)>& taken);
