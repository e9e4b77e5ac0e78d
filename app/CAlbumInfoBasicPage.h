#pragma once
// The detail page of the album of the current track row: artist, title, label, year, genre and
// secondary genre, and the cover picture, which the user may replace with any picture file.

#include "app/CCArtStatic.h"
#include "app/CDetailPage.h"
#include "platform/afx/CComboBox.h"

class CAlbumInfoBasicPage : public CDetailPage {
public:
    explicit CAlbumInfoBasicPage(CMusicDetailInfoSheet* pSheet);

    BOOL OnInitDialog() override;
    void Load(BOOL clear) override;
    void SetReadOnly(BOOL readOnly) override;
    void OnKillFocusField() override;
    // Refills the secondary genres of the chosen genre.
    void FillSecondaryGenres();
    // Makes the picture file the album's cover: copied into the library's covers folder under a safe
    // name (asking before it replaces a file there) and stored relative to the library root. False
    // when the picture cannot be shown or copied, or the user declined; the album is then unchanged.
    bool UseCoverFile(const CString& path);

    CString m_strArtist;
    CString m_strTitle;
    CString m_strLabel;
    CString m_strYear;
    CComboBox m_genre;
    CComboBox m_secondaryGenre;
    CStatic m_indicator;
    CCArtStatic m_cover;
    CString m_strCoverPath;
    long m_lGenreId { -1 };
    long m_lSecondaryGenreId { -1 };
    CString m_strLastBrowsePath;
    UINT m_nIndicatorBitmap { 0 };   // the indicator's bitmap; 0 while hidden

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSelChangeGenre();
    afx_msg void OnSelChangeSecondaryGenre();
    afx_msg void OnBrowseCoverArt();
    DECLARE_MESSAGE_MAP()

private:
    void ShowIndicator(UINT bitmap);
    void SelectGenres();
};
