#pragma once
// The docking state of a frame's control bars: one CControlBarInfo per bar, with the screen size it
// was taken on, so that positions can be scaled to another screen. Kept in an archive or in the
// application's profile.

#include "platform/afx/CObject.h"
#include "platform/afx/CPtrArray.h"
#include "platform/afx/CRect.h"

class CControlBarInfo;

class CDockState : public CObject {
    DECLARE_SERIAL(CDockState)
public:
    CDockState();
    ~CDockState() override;

    // Version 2 writes the screen size and the most-recently-used fields; version 1 archives load too.
    // A damaged archive throws CArchiveException and leaves the state empty.
    void Serialize(CArchive& ar) override;
    // The profile form: section "<profile>-Summary" ("Bars", "ScreenCX", "ScreenCY") and one
    // "<profile>-Bar<n>" section per bar; sections left from a longer earlier state are removed.
    void LoadState(LPCTSTR lpszProfileName);
    void SaveState(LPCTSTR lpszProfileName);
    // Deletes the records.
    void Clear();
    DWORD GetVersion() const { return m_dwVersion; }

    // Scales a point or a rectangle's position from the stored screen to the current one (a rectangle
    // keeps its size), then keeps it where a bar there can still be reached on the screen.
    void ScalePoint(CPoint& pt);
    void ScaleRectPos(CRect& rect);
    CSize GetScreenSize();
    void SetScreenSize(CSize& size);

    CPtrArray m_arrBarInfo;
    DWORD m_dwVersion { 2 };
    BOOL m_bScaling { FALSE };
    CRect m_rectDevice;
    CRect m_rectClip;
    CSize m_sizeLogical;

protected:
    // A new record for a bar read from an archive, and the reading or writing of one record: a derived
    // state keeps records of its own kind.
    virtual CControlBarInfo* NewBarInfo();
    virtual void SerializeBarInfo(CArchive& ar, CControlBarInfo* pInfo);
    // Writes one record to section "<profile>-Bar<nIndex>"; FALSE when the record is not worth keeping
    // (its index is then used by the next record).
    virtual BOOL SaveBarState(CControlBarInfo* pInfo, LPCTSTR lpszProfileName, int nIndex);

private:
    CControlBarInfo* At(INT_PTR nIndex) const { return static_cast<CControlBarInfo*>(m_arrBarInfo[nIndex]); }
};
