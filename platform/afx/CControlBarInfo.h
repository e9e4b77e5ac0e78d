#pragma once
// The record of one control bar in a dock state: where it is, whether it shows and floats, where it
// last docked and floated, and (for dock bars) the ids of the bars in its rows: 0 ends a row, an id
// with 0x10000 added holds the place of a bar that is elsewhere.

#include "platform/afx/CDWordArray.h"
#include "platform/afx/CRect.h"

class CArchive;
class CControlBar;
class CDockState;

class CControlBarInfo {
public:
    CControlBarInfo() = default;
    virtual ~CControlBarInfo() = default;

    // Writes or reads the record (little-endian; the most-recently-used fields only in version 2
    // archives, positions scaled to the current screen on reading). Throws CArchiveException on a
    // short or damaged archive.
    void Serialize(CArchive& ar, CDockState* pDockState);
    // Reads the record from profile section "<profile>-Bar<index>"; FALSE when the section has none.
    BOOL LoadState(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);
    // Writes the record into section "<profile>-Bar<index>" (the section is emptied first); FALSE when
    // the record says nothing worth keeping (a visible docked dock bar without bars) and nothing was written.
    BOOL SaveState(LPCTSTR lpszProfileName, int nIndex);

    UINT m_nBarID { 0 };
    BOOL m_bVisible { TRUE };
    BOOL m_bFloating { FALSE };
    BOOL m_bHorz { FALSE };
    BOOL m_bDockBar { FALSE };
    CPoint m_pointPos { -1, -1 };
    int m_nMRUWidth { 32767 };
    BOOL m_bDocking { FALSE };
    UINT m_uMRUDockID { 0 };
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle { 0 };
    CPoint m_ptMRUFloatPos;
    CDWordArray m_arrBarID;
    CControlBar* m_pBar { nullptr };

protected:
    // The two ends of the archived record, for a record that keeps fields of its own between them:
    // everything up to the contained bar ids, and the ids.
    void SerializePlacement(CArchive& ar, CDockState* pDockState);
    void SerializeBarIds(CArchive& ar);
};
