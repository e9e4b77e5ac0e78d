#pragma once
// The store of button images shared by the toolbars, their buttons and the bitmap menus. It knows, for
// every command, which bitmap and which image in it belong to the command, keeps a small and (when
// large buttons or the menus want it) a large version of every bitmap, and redraws palette bitmaps in
// the current button colours. Several owners hold it, so it counts its references.

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/afx/CObject.h"
#include "platform/afx/CSize.h"
#include "platform/gdi/WinGdi.h"

class SECBmpMgr : public CObject {
    DECLARE_DYNAMIC(SECBmpMgr)
public:
    // Where a command's image lies: the bitmap's place in the load order and the image's within it.
    struct BmpItem {
        int nBmpIndex { 0 };
        int nImageIndex { 0 };
    };

    // One loaded toolbar bitmap in both sizes. A bitmap marked not owned belongs to whoever put it
    // here: the manager never loads, reloads or deletes it.
    struct BmpInfo {
        UINT nSmallID { 0 };
        UINT nLargeID { 0 };
        HBITMAP hSmallBmp { nullptr };
        HBITMAP hLargeBmp { nullptr };
        int nImageCount { 0 };
        BOOL bSysColor { TRUE };
        BOOL bSmallNotOwned { FALSE };
        BOOL bLargeNotOwned { FALSE };
    };

    SECBmpMgr() = default;
    ~SECBmpMgr() override;
    SECBmpMgr(const SECBmpMgr&) = delete;
    SECBmpMgr& operator=(const SECBmpMgr&) = delete;

    // Brings one entry in line with the size modes; bForce reloads what is there.
    virtual BOOL ReloadBitmap(BmpInfo* pInfo, BOOL bForce);
    virtual BOOL LoadSmallBitmap(BmpInfo* pInfo);
    // Loads the large resource, or stretches the small images when there is none.
    virtual BOOL LoadLargeBitmap(BmpInfo* pInfo);

    // Adds the bitmap of a toolbar resource; the first toolbar sets the image sizes. FALSE when a
    // toolbar resource is missing or damaged.
    BOOL LoadToolbar(UINT nSmallID, UINT nLargeID = 0, BOOL bSysColor = TRUE);
    // Adds a bitmap whose images belong, in order, to the commands given; a command that already has an
    // image keeps it.
    BOOL AddBitmap(UINT nSmallID, UINT nLargeID, const UINT* pIDs, int nIDCount, BOOL bSysColor = TRUE);
    // The bitmap and image index of a command's image; the small bitmap when bSmall or in small-images
    // mode, else the large one. FALSE when the command has no image.
    BOOL GetBitmap(UINT nID, HBITMAP& hBmp, int& nImageIndex, BOOL bSmall = FALSE) const;

    void UseSmallImages(BOOL bSmall);
    void KeepBothSizes(BOOL bKeepBoth);
    BOOL SysColorChange(BOOL bForce);

    void AddRef() { ++m_nRefCount; }
    // The last holder's release deletes the manager.
    void Release();

    BOOL SmallImages() const { return m_bSmallImages; }
    CSize GetSmallImageSize() const { return m_szSmall; }
    CSize GetLargeImageSize() const { return m_szLarge; }
    // The image size the bars show now.
    CSize GetImageSize() const { return m_bSmallImages ? m_szSmall : m_szLarge; }
    int GetBitmapCount() const { return static_cast<int>(m_bitmaps.size()); }
    BmpInfo* GetBitmapInfo(int nIndex) const;

    // The command ids of a toolbar resource (separators as 0 when bSeparators) and its image size.
    // FALSE when the resource is missing or shorter than its header says.
    static BOOL ReadToolBarResource(UINT nID, std::vector<UINT>& ids, int& nWidth, int& nHeight, BOOL bSeparators);
    // The same from the bytes of a toolbar resource.
    static BOOL ParseToolBarData(
        const BYTE* pData, size_t nSize, std::vector<UINT>& ids, int& nWidth, int& nHeight, BOOL bSeparators);
    // A palette bitmap resource drawn into a screen bitmap with black, dark grey, light grey and white
    // taken from the button colours. FALSE when the resource is missing or damaged.
    static BOOL LoadSysColorBitmap(HBITMAP& hBmp, UINT nID);

private:
    void DeleteSmall(BmpInfo& info);
    void DeleteLarge(BmpInfo& info);
    // The stretched copy of the small images when no large resource exists.
    BOOL StretchLarge(BmpInfo& info);

    std::unordered_map<UINT, BmpItem> m_commands;
    std::vector<std::unique_ptr<BmpInfo>> m_bitmaps;
    CSize m_szSmall { 16, 15 };
    CSize m_szLarge { 22, 24 };
    BOOL m_bSmallImages { TRUE };
    BOOL m_bKeepBoth { FALSE };
    int m_nRefCount { 1 };
};
