#pragma once
// The saved record of one toolkit bar: the class library's record (where it docks and floats) plus
// its three remembered sizes, its share of a dock row, its styles, whether it floats as an MDI child
// and where, and enough (class name, title, dialog template) to create it again. It is kept in an
// archive, in the application's profile, or in a persistent tree, and may carry the extension record
// that the frame's control-bar manager makes for its kind of bar.

#include <array>
#include <memory>

#include "platform/afx/CControlBarInfo.h"
#include "platform/afx/CString.h"
#include "platform/user/WinUser.h"
#include "toolkit/frames/SECControlBarInfoEx.h"

class SECControlBarManager;
class SECPTNFactory;
class SECPersistentTreeNode;

class SECControlBarInfo : public CControlBarInfo {
public:
    // A window placement is stored as these many bytes; a stored one of any other length is refused.
    static constexpr UINT kPlacementSize = 44;
    // The share of a row is stored as the integer text of millionths.
    static constexpr double kShareScale = 1000000.0;

    explicit SECControlBarInfo(SECControlBarManager* pManager = nullptr);
    ~SECControlBarInfo() override;

    // The tree form: reads the bar node's keys (defaults for missing ones); FALSE for a null node.
    virtual BOOL LoadStateFromNode(SECPersistentTreeNode* pNode, CDockState* pDockState);
    // The profile form: the class library's keys of section "<profile>-Bar<index>", then the toolkit's;
    // the class library's result.
    virtual BOOL LoadFromProfile(LPCTSTR lpszProfileName, int nIndex, CDockState* pDockState);
    // Writes node "Bar-<index>" under the parent; FALSE, writing nothing, for a null parent or an empty
    // dock bar.
    virtual BOOL SaveStateToNode(SECPTNFactory& factory, SECPersistentTreeNode* pParent, int nIndex);
    // FALSE, with nothing of the toolkit's written, when the class library declined the bar.
    virtual BOOL SaveToProfile(LPCTSTR lpszProfileName, int nIndex);
    virtual void ReadBaseKeys(SECPersistentTreeNode* pNode, CDockState* pDockState);
    virtual void ReadExtendedKeys(SECPersistentTreeNode* pNode);
    virtual void WriteBaseKeys(SECPTNFactory& factory, SECPersistentTreeNode* pNode);
    virtual void WriteExtendedKeys(SECPTNFactory& factory, SECPersistentTreeNode* pNode);

    // The archive form (little-endian; the most-recently-used block only above version 1). Throws
    // CArchiveException on a short or damaged archive.
    void Serialize(CArchive& ar, CDockState* pDockState);

    // The empty dock bars that no stored form keeps: visible, docked, unmoved and holding no bar.
    BOOL IsEmptyDockBar() const;
    // The share as stored ("%d" of millionths) and back (negative texts give 0).
    CString FormatPctWidth() const;
    static float ParsePctWidth(const CString& strText);
    // The placement as its 44 stored bytes, and taken back from exactly 44 bytes (FALSE otherwise).
    std::array<BYTE, kPlacementSize> PlacementBytes() const;
    BOOL SetPlacementBytes(const BYTE* pData, UINT nSize);
    // Makes the manager's extension record for the record's type (none without a manager).
    void CreateExtension();

    CSize m_szMRUHorzDock;
    CSize m_szMRUVertDock;
    CSize m_szMRUFloat;
    DWORD m_dwMRUDockingState { 0 };
    DWORD m_dwDockStyle { 0 };
    float m_fPctWidth { 0.0F };
    DWORD m_dwStyle { 0 };
    DWORD m_dwExStyle { 0 };
    BOOL m_bPrevFloating { FALSE };
    BOOL m_bMDIChild { FALSE };
    // 44 zero bytes until a bar floating as an MDI child records its own.
    WINDOWPLACEMENT m_wpMDIChild { 0, 0, 0, {}, {}, {} };
    CString m_strClassName;
    CString m_strWindowName;
    DWORD m_dwResourceID { 0 };
    std::unique_ptr<SECControlBarInfoEx> m_pBarInfoEx;
    DWORD m_dwTypeID { 0 };
    SECControlBarManager* m_pManager { nullptr };

private:
    // The toolkit's keys in the profile section, after the class library's.
    void LoadToolkitProfileKeys(LPCTSTR lpszSection);
    void SaveToolkitProfileKeys(LPCTSTR lpszSection);
};
