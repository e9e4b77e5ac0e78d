#include "app/DetailBindings.h"

std::vector<ADO_BINDING_ENTRY> CMusicTrackRsBinding::GetADOBindingEntries()
{
    return {
        MakeBindingEntry(1, adVarWChar, m_szTrackTitle, sizeof(m_szTrackTitle), &m_lTrackTitleStatus, TRUE),
        MakeBindingEntry(2, adInteger, &m_lTrackNumber, sizeof(long), &m_lTrackNumberStatus, TRUE),
        MakeBindingEntry(3, adVarWChar, m_szArtist, sizeof(m_szArtist), &m_lArtistStatus, TRUE),
        MakeBindingEntry(4, adVarWChar, m_szTitle, sizeof(m_szTitle), &m_lTitleStatus, TRUE),
        MakeBindingEntry(5, adVarWChar, m_szTitleSort, sizeof(m_szTitleSort), &m_lTitleSortStatus, TRUE),
        MakeBindingEntry(6, adVarWChar, m_szLabel, sizeof(m_szLabel), &m_lLabelStatus, TRUE),
        MakeBindingEntry(7, adVarWChar, m_szYear, sizeof(m_szYear), &m_lYearStatus, TRUE),
        MakeBindingEntry(8, adVarWChar, m_szNote, sizeof(m_szNote), &m_lNoteStatus, TRUE),
        MakeBindingEntry(9, adInteger, &m_lQVGenreID, sizeof(long), &m_lQVGenreIDStatus, TRUE),
        MakeBindingEntry(10, adVarWChar, m_szTitleThe, sizeof(m_szTitleThe), &m_lTitleTheStatus, TRUE),
        MakeBindingEntry(11, adVarWChar, m_szArtistFullname, sizeof(m_szArtistFullname), &m_lArtistFullnameStatus, TRUE),
        MakeBindingEntry(12, adBoolean, &m_bCompilation, sizeof(VARIANT_BOOL), &m_lCompilationStatus, TRUE),
        MakeBindingEntry(13, adInteger, &m_lSecondaryGenreID, sizeof(long), &m_lSecondaryGenreIDStatus, TRUE),
        MakeBindingEntry(14, adVarWChar, m_szLanguage, sizeof(m_szLanguage), &m_lLanguageStatus, TRUE),
        MakeBindingEntry(15, adInteger, &m_lTotalInset, sizeof(long), &m_lTotalInsetStatus, TRUE),
        MakeBindingEntry(16, adInteger, &m_lNumberInSet, sizeof(long), &m_lNumberInSetStatus, TRUE),
        MakeBindingEntry(17, adBoolean, &m_bIsCD, sizeof(VARIANT_BOOL), &m_lIsCDStatus, TRUE),
        MakeBindingEntry(18, adVarWChar, m_szCoverArt, sizeof(m_szCoverArt), &m_lCoverArtStatus, TRUE),
        MakeBindingEntry(19, adVarWChar, m_szCoverArtDevice, sizeof(m_szCoverArtDevice), &m_lCoverArtDeviceStatus, TRUE),
        MakeBindingEntry(20, adInteger, &m_lAlbumTrackID, sizeof(long), &m_lAlbumTrackIDStatus, FALSE),
        MakeBindingEntry(21, adInteger, &m_lQVCDID, sizeof(long), &m_lQVCDIDStatus, FALSE),
        MakeBindingEntry(22, adBoolean, &m_bModifyFlag, sizeof(VARIANT_BOOL), &m_lModifyFlagStatus, TRUE),
        MakeBindingEntry(23, adDate, &m_dtTimeStamp, sizeof(DATE), &m_lTimeStampStatus, TRUE),
        MakeBindingEntry(24, adBoolean, &m_bHideFlag, sizeof(VARIANT_BOOL), &m_lHideFlagStatus, TRUE),
    };
}

std::vector<ADO_BINDING_ENTRY> CRadioStationRsBinding::GetADOBindingEntries()
{
    return {
        MakeBindingEntry(1, adVarWChar, m_szStation, sizeof(m_szStation), &m_lStationStatus, TRUE),
        MakeBindingEntry(2, adVarWChar, m_szRadioCallSign, sizeof(m_szRadioCallSign), &m_lRadioCallSignStatus, TRUE),
        MakeBindingEntry(3, adVarWChar, m_szLocation, sizeof(m_szLocation), &m_lLocationStatus, TRUE),
        MakeBindingEntry(4, adInteger, &m_lCategory, sizeof(long), &m_lCategoryStatus, TRUE),
        MakeBindingEntry(5, adInteger, &m_lSubCategory, sizeof(long), &m_lSubCategoryStatus, TRUE),
        MakeBindingEntry(6, adInteger, &m_lStreamType, sizeof(long), &m_lStreamTypeStatus, TRUE),
        MakeBindingEntry(7, adVarWChar, m_szURL, sizeof(m_szURL), &m_lURLStatus, TRUE),
        MakeBindingEntry(8, adVarWChar, m_szBandwidth, sizeof(m_szBandwidth), &m_lBandwidthStatus, TRUE),
        MakeBindingEntry(9, adInteger, &m_lQVRadioID, sizeof(long), &m_lQVRadioIDStatus, FALSE),
        MakeBindingEntry(10, adBoolean, &m_bModifyFlag, sizeof(VARIANT_BOOL), &m_lModifyFlagStatus, TRUE),
        MakeBindingEntry(11, adDate, &m_dtTimeStamp, sizeof(DATE), &m_lTimeStampStatus, TRUE),
    };
}

std::vector<ADO_BINDING_ENTRY> CFileDetailRsBinding::GetADOBindingEntries()
{
    return {
        MakeBindingEntry(1, adVarWChar, m_szName, sizeof(m_szName), &m_lNameStatus, FALSE),
        MakeBindingEntry(2, adInteger, &m_lSize, sizeof(long), &m_lSizeStatus, FALSE),
        MakeBindingEntry(3, adDate, &m_dtLastModified, sizeof(DATE), &m_lLastModifiedStatus, FALSE),
        MakeBindingEntry(4, adDate, &m_dtCreated, sizeof(DATE), &m_lCreatedStatus, FALSE),
        MakeBindingEntry(5, adDate, &m_dtLastAccessed, sizeof(DATE), &m_lLastAccessedStatus, FALSE),
        MakeBindingEntry(6, adVarWChar, m_szPath, sizeof(m_szPath), &m_lPathStatus, FALSE),
    };
}
