#pragma once
// The rows the detail sheet shows, bound straight to the list's record set: a track with its album, a
// radio station, a file on disk. The members follow the record set's current row; Update writes the
// modifiable ones back.

#include "platform/ado/AdoRecordBinding.h"

// The columns of "qMusicTrackDetail" and its variants.
class CMusicTrackRsBinding : public CADORecordBinding {
public:
    std::vector<ADO_BINDING_ENTRY> GetADOBindingEntries() override;

    WCHAR m_szTrackTitle[255] {};
    ULONG m_lTrackTitleStatus { 0 };
    long m_lTrackNumber { 0 };
    ULONG m_lTrackNumberStatus { 0 };
    WCHAR m_szArtist[51] {};
    ULONG m_lArtistStatus { 0 };
    WCHAR m_szTitle[51] {};
    ULONG m_lTitleStatus { 0 };
    WCHAR m_szTitleSort[51] {};
    ULONG m_lTitleSortStatus { 0 };
    WCHAR m_szLabel[51] {};
    ULONG m_lLabelStatus { 0 };
    WCHAR m_szYear[51] {};
    ULONG m_lYearStatus { 0 };
    WCHAR m_szNote[51] {};
    ULONG m_lNoteStatus { 0 };
    long m_lQVGenreID { 0 };
    ULONG m_lQVGenreIDStatus { 0 };
    WCHAR m_szTitleThe[51] {};
    ULONG m_lTitleTheStatus { 0 };
    WCHAR m_szArtistFullname[51] {};
    ULONG m_lArtistFullnameStatus { 0 };
    VARIANT_BOOL m_bCompilation { VARIANT_FALSE };
    ULONG m_lCompilationStatus { 0 };
    long m_lSecondaryGenreID { 0 };
    ULONG m_lSecondaryGenreIDStatus { 0 };
    WCHAR m_szLanguage[51] {};
    ULONG m_lLanguageStatus { 0 };
    long m_lTotalInset { 0 };
    ULONG m_lTotalInsetStatus { 0 };
    long m_lNumberInSet { 0 };
    ULONG m_lNumberInSetStatus { 0 };
    VARIANT_BOOL m_bIsCD { VARIANT_FALSE };
    ULONG m_lIsCDStatus { 0 };
    WCHAR m_szCoverArt[256] {};
    ULONG m_lCoverArtStatus { 0 };
    WCHAR m_szCoverArtDevice[256] {};  // ZUVUdureDaz: the device's copy of the cover
    ULONG m_lCoverArtDeviceStatus { 0 };
    long m_lAlbumTrackID { 0 };
    ULONG m_lAlbumTrackIDStatus { 0 };
    long m_lQVCDID { 0 };
    ULONG m_lQVCDIDStatus { 0 };
    VARIANT_BOOL m_bModifyFlag { VARIANT_FALSE };
    ULONG m_lModifyFlagStatus { 0 };
    DATE m_dtTimeStamp { 0 };
    ULONG m_lTimeStampStatus { 0 };
    VARIANT_BOOL m_bHideFlag { VARIANT_FALSE };
    ULONG m_lHideFlagStatus { 0 };
};

// The columns of "qIRadioDetail".
class CRadioStationRsBinding : public CADORecordBinding {
public:
    std::vector<ADO_BINDING_ENTRY> GetADOBindingEntries() override;

    WCHAR m_szStation[256] {};
    ULONG m_lStationStatus { 0 };
    WCHAR m_szRadioCallSign[256] {};
    ULONG m_lRadioCallSignStatus { 0 };
    WCHAR m_szLocation[256] {};
    ULONG m_lLocationStatus { 0 };
    long m_lCategory { 0 };
    ULONG m_lCategoryStatus { 0 };
    long m_lSubCategory { 0 };
    ULONG m_lSubCategoryStatus { 0 };
    long m_lStreamType { 0 };
    ULONG m_lStreamTypeStatus { 0 };
    WCHAR m_szURL[256] {};
    ULONG m_lURLStatus { 0 };
    WCHAR m_szBandwidth[51] {};
    ULONG m_lBandwidthStatus { 0 };
    long m_lQVRadioID { 0 };
    ULONG m_lQVRadioIDStatus { 0 };
    VARIANT_BOOL m_bModifyFlag { VARIANT_FALSE };
    ULONG m_lModifyFlagStatus { 0 };
    DATE m_dtTimeStamp { 0 };
    ULONG m_lTimeStampStatus { 0 };
};

// The columns of the files-on-disk tables; nothing is written back.
class CFileDetailRsBinding : public CADORecordBinding {
public:
    std::vector<ADO_BINDING_ENTRY> GetADOBindingEntries() override;

    WCHAR m_szName[256] {};
    ULONG m_lNameStatus { 0 };
    long m_lSize { 0 };
    ULONG m_lSizeStatus { 0 };
    DATE m_dtLastModified { 0 };
    ULONG m_lLastModifiedStatus { 0 };
    DATE m_dtCreated { 0 };
    ULONG m_lCreatedStatus { 0 };
    DATE m_dtLastAccessed { 0 };
    ULONG m_lLastAccessedStatus { 0 };
    WCHAR m_szPath[256] {};
    ULONG m_lPathStatus { 0 };
};
