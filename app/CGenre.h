#pragma once
// One entry of the open library's genre table.

#include "platform/afx/CArchive.h"
#include "platform/afx/CString.h"

#include <cstdint>

class CGenre {
public:
    std::int32_t m_nGenreId { 0 };
    CString m_strGenre;
    CString m_strCoverArt; // the picture's file name in the art folder
};

// The archive forms the genre array needs: id, name, picture.
inline CArchive& operator<<(CArchive& ar, const CGenre& genre)
{
    return ar << static_cast<LONG>(genre.m_nGenreId) << genre.m_strGenre << genre.m_strCoverArt;
}
inline CArchive& operator>>(CArchive& ar, CGenre& genre)
{
    LONG id = 0;
    ar >> id >> genre.m_strGenre >> genre.m_strCoverArt;
    genre.m_nGenreId = id;
    return ar;
}
