#pragma once
// A message filter: a small object that sees a window's messages before the window's default
// processing and says through result bits whether it took them. Filters form a tree below one root
// per window; frames describe which filters they want in descriptor tables and switch them on and off
// from those tables.

#include <memory>
#include <vector>

#include "platform/afx/CObject.h"
#include "platform/user/WinUser.h"

class CWnd;

class SECMsgFilter : public CObject {
    DECLARE_DYNCREATE(SECMsgFilter)
public:
    // Result bits: the message is handled (the host skips its default processing); set together with
    // handled by a filter that consumes the message; later siblings are not offered the message.
    static constexpr int kHandled = 0x1;
    static constexpr int kConsumed = 0x7;
    static constexpr int kStop = 0x8;

    // What a frame wants below its root filter: the filter with the id under the filter with the
    // parent id (-1: the root), of the run-time class; flag bit 0 keeps it from being disabled.
    struct Descriptor {
        static constexpr DWORD kNeverDisable = 0x1;
        int m_nID { -1 };
        int m_nParentID { -1 };
        CRuntimeClass* m_pClass { nullptr };
        DWORD m_dwFlags { 0 };
    };
    // The descriptors in the order they are applied.
    class DescriptorTable {
    public:
        void Add(int nID, int nParentID, CRuntimeClass* pClass, DWORD dwFlags = 0);
        int GetSize() const { return static_cast<int>(m_descriptors.size()); }
        const Descriptor& operator[](int i) const { return *m_descriptors[static_cast<size_t>(i)]; }

    private:
        std::vector<std::unique_ptr<Descriptor>> m_descriptors;
    };

    SECMsgFilter(CWnd* pOwner = nullptr, int nID = -1);
    ~SECMsgFilter() override;

    // A copy of this filter and its children for the owner (null: the same owner).
    virtual SECMsgFilter* Clone(CWnd* pOwner = nullptr) const;
    virtual CWnd* GetOwner() const { return m_pOwner; }
    virtual void SetOwner(CWnd* pOwner, BOOL bRecursive = TRUE);
    // 0 when disabled, else OnFilter's bits. The handled value of the message goes to *pResult.
    virtual int Filter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The message for this filter; here the children's.
    virtual int OnFilter(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Offers the message to each enabled child in order, ORing their bits, until one says stop.
    virtual int FilterChildren(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A direct child with the id; else, with a depth, the children's search one level less deep (-1:
    // the whole tree); else, with a run-time class, a new child of that class made by name.
    virtual SECMsgFilter* FindFilter(int nID, CRuntimeClass* pClass = nullptr, int nDepth = 0);
    virtual BOOL ApplyDescriptor(const Descriptor& descriptor, BOOL bEnable);
    // Applies a table in order: descriptor i is enabled when bit i of dwEnable is set.
    virtual void ApplyDescriptors(const DescriptorTable& table, DWORD dwEnable);
    virtual void ApplyDescriptorsAll(const DescriptorTable& table, BOOL bEnable);

    // Offers a message, or the message being handled on this thread when pMsg is null.
    int FilterMessage(const MSG* pMsg, LRESULT* pResult);

    int GetID() const { return m_nID; }
    void SetID(int nID) { m_nID = nID; }
    BOOL IsEnabled() const { return m_bEnabled; }
    void Enable(BOOL bEnable = TRUE) { m_bEnabled = bEnable; }
    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    SECMsgFilter* GetChild(int i) const { return m_children[static_cast<size_t>(i)]; }
    // Adopts a child (owned when the filter owns its children).
    void AddChild(SECMsgFilter* pChild);

protected:
    // Copies the id and the enabled flag and clones the children; the copy gets pOwner.
    SECMsgFilter(const SECMsgFilter& other, CWnd* pOwner);

    int m_nID { -1 };
    BOOL m_bEnabled { TRUE };
    BOOL m_bOwnsChildren { TRUE };
    std::vector<SECMsgFilter*> m_children;
    CWnd* m_pOwner { nullptr };

private:
    // Expires when the filter is deleted, so that a loop over the children notices when a child's
    // command destroyed the window and this filter with it.
    std::shared_ptr<int> m_pAlive { std::make_shared<int>(0) };
};

// Makes the copying Clone of a filter class from its copy constructor.
#define SEC_MSGFILTER_CLONE(class_name)                                                                                \
    SECMsgFilter* Clone(CWnd* pOwner = nullptr) const override                                                         \
    {                                                                                                                  \
        return new class_name(*this, pOwner ? pOwner : GetOwner());                                                    \
    }
