#pragma once
// The offering side of a data transfer: data cached per format in a data object, and the drag that
// carries it to a drop target.

#include "platform/afx/CCmdTarget.h"
#include "platform/shell/OleIdl.h"

class COleDropSource;

class COleDataSource : public CCmdTarget {
    DECLARE_DYNAMIC(COleDataSource)
public:
    COleDataSource();
    ~COleDataSource() override;
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Offers global memory in a format; the source takes the memory (it frees it when emptied).
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
    // Offers a medium; the source takes it.
    void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
    // Forgets all data.
    void Empty();
    // Runs the drag with the data (pDropSource null: a standard source); the effect the target
    // performed, DROPEFFECT_NONE when cancelled, refused or not started.
    DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK,
        LPCRECT lpRectStartDrag = nullptr, COleDropSource* pDropSource = nullptr);

    // The data object (no reference added).
    LPDATAOBJECT GetInterface() const { return m_lpDataObject; }

private:
    LPDATAOBJECT m_lpDataObject { nullptr };
};
