#pragma once
// The base of every class that receives commands: a message map (a static table per class, chained to
// its base class's) and the routing of commands and command-update requests through it. Window
// messages are dispatched by the window classes on the same tables.

#include <atomic>
#include <bit>
#include <memory>

#include "platform/afx/AfxDispatchMap.h"
#include "platform/afx/CObject.h"

class CCmdTarget;
class CCmdTargetDispatch;
class CCmdUI;

// A handler as stored in a map entry; the entry's signature says what it really is.
using AFX_PMSG = void (CCmdTarget::*)();

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // the window message (WM_COMMAND for commands), 0 at the end of the table
    UINT nCode; // the command's notification code, or the control notification
    UINT nID; // first command or control id of the entry
    UINT nLastID; // last id of a range (nID otherwise)
    UINT_PTR nSig; // the handler's signature, an AfxSig value
    AFX_PMSG pfn; // the handler
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)(); // the base class's map, null for the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What a handler receives and returns. The window classes add their own signatures from
// AfxSig_firstWindow on.
enum AfxSig : UINT_PTR {
    AfxSig_end = 0,
    AfxSigCmd_v, // void ()
    AfxSigCmd_b, // BOOL ()
    AfxSigCmd_RANGE, // void (UINT nID)
    AfxSigCmd_EX, // BOOL (UINT nID)
    AfxSigCmdUI, // void (CCmdUI*)
    AfxSig_firstWindow = 100,
};

// Notification codes of commands routed through OnCmdMsg.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

namespace afx {
// The message number of commands in message maps (the window layer's WM_COMMAND).
constexpr UINT kCommandMessage = 0x0111;
} // namespace afx

// Filled by OnCmdMsg instead of calling the handler, to ask who would handle a command.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget { nullptr };
    AFX_PMSG pmf { nullptr };
};

// Marks message handlers in class declarations (they are ordinary members).
#define afx_msg

// Declares a class's message map (inside the class).
#define DECLARE_MESSAGE_MAP()                                                                                          \
protected:                                                                                                             \
    static const AFX_MSGMAP* GetThisMessageMap();                                                                      \
    const AFX_MSGMAP* GetMessageMap() const override;

// Starts the table of a class's message map (in its source file); entries follow, END_MESSAGE_MAP ends it.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                                         \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }                                  \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                                                    \
    {                                                                                                                  \
        using ThisClass [[maybe_unused]] = theClass;                                                                   \
        using TheBaseClass = baseClass;                                                                                \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                                              \
    {                                                                                                                  \
        0, 0, 0, 0, AfxSig_end, nullptr                                                                                \
    }                                                                                                                  \
    }                                                                                                                  \
    ;                                                                                                                  \
    static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] };                    \
    return &messageMap;                                                                                                \
    }

// A handler converted to the entry's stored type, checked against the signature it must have.
#define AFX_MSGMAP_HANDLER(Signature, memberFxn) std::bit_cast<AFX_PMSG>(static_cast<Signature>(&ThisClass::memberFxn))

// void memberFxn() for command id.
#define ON_COMMAND(id, memberFxn)                                                                                      \
    { afx::kCommandMessage, static_cast<UINT>(CN_COMMAND), static_cast<WORD>(id), static_cast<WORD>(id), AfxSigCmd_v,  \
        AFX_MSGMAP_HANDLER(void(CCmdTarget::*)(), memberFxn) },
// BOOL memberFxn(UINT nID) for command id; FALSE lets the command go on to the next target.
#define ON_COMMAND_EX(id, memberFxn)                                                                                   \
    { afx::kCommandMessage, static_cast<UINT>(CN_COMMAND), static_cast<WORD>(id), static_cast<WORD>(id), AfxSigCmd_EX, \
        AFX_MSGMAP_HANDLER(BOOL(CCmdTarget::*)(UINT), memberFxn) },
// void memberFxn(UINT nID) for the commands idFirst..idLast.
#define ON_COMMAND_RANGE(idFirst, idLast, memberFxn)                                                                   \
    { afx::kCommandMessage, static_cast<UINT>(CN_COMMAND), static_cast<WORD>(idFirst), static_cast<WORD>(idLast),      \
        AfxSigCmd_RANGE, AFX_MSGMAP_HANDLER(void(CCmdTarget::*)(UINT), memberFxn) },
// BOOL memberFxn(UINT nID) for the commands idFirst..idLast; FALSE lets the command go on.
#define ON_COMMAND_EX_RANGE(idFirst, idLast, memberFxn)                                                                \
    { afx::kCommandMessage, static_cast<UINT>(CN_COMMAND), static_cast<WORD>(idFirst), static_cast<WORD>(idLast),      \
        AfxSigCmd_EX, AFX_MSGMAP_HANDLER(BOOL(CCmdTarget::*)(UINT), memberFxn) },
// void memberFxn(CCmdUI*) when the user interface asks for command id's state.
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                                            \
    { afx::kCommandMessage, static_cast<UINT>(CN_UPDATE_COMMAND_UI), static_cast<WORD>(id), static_cast<WORD>(id),     \
        AfxSigCmdUI, AFX_MSGMAP_HANDLER(void(CCmdTarget::*)(CCmdUI*), memberFxn) },
// void memberFxn(CCmdUI*) for the states of the commands idFirst..idLast.
#define ON_UPDATE_COMMAND_UI_RANGE(idFirst, idLast, memberFxn)                                                         \
    { afx::kCommandMessage, static_cast<UINT>(CN_UPDATE_COMMAND_UI), static_cast<WORD>(idFirst),                       \
        static_cast<WORD>(idLast), AfxSigCmdUI, AFX_MSGMAP_HANDLER(void(CCmdTarget::*)(CCmdUI*), memberFxn) },
// void memberFxn() for control notification wNotifyCode from control id.
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                                                         \
    { afx::kCommandMessage, static_cast<UINT>(wNotifyCode), static_cast<WORD>(id), static_cast<WORD>(id), AfxSigCmd_v, \
        AFX_MSGMAP_HANDLER(void(CCmdTarget::*)(), memberFxn) },

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // The application's hourglass cursor around a long operation (CWinApp::DoWaitCursor).
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Routes a command (nCode CN_COMMAND or a control notification) or a command-update request
    // (CN_UPDATE_COMMAND_UI, pExtra the CCmdUI) through this object's message map and its bases'.
    // With pHandlerInfo, only says who would handle it. TRUE when handled.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The entry of the map chain that matches, or null.
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMsg, UINT nCode, UINT nID);

    // Gives the object an IDispatch that calls the members of its dispatch map.
    void EnableAutomation();
    // The object's IDispatch (null before EnableAutomation), with a reference when bAddRef.
    LPDISPATCH GetIDispatch(BOOL bAddRef);
    // The object behind an IDispatch that GetIDispatch handed out; null for any other.
    static CCmdTarget* FromIDispatch(LPDISPATCH lpDispatch);

    // The object's reference count as a component: it starts at 1 for its creator. QueryInterface
    // answers IUnknown and IDispatch (after EnableAutomation) and the ids of the interface map.
    HRESULT ExternalQueryInterface(const void* iid, void** ppvObj);
    ULONG ExternalAddRef();
    // Drops a reference; at 0 OnFinalRelease runs.
    ULONG ExternalRelease();
    // The interface of the object with that id (without a reference); null when it has none.
    LPUNKNOWN GetInterface(const void* iid);
    // The interface part "Dispatch" of interface maps.
    IUnknown* GetInterfacePartDispatch();

protected:
    // The class's own maps (static) and the object's most derived ones (virtual); the MAP macros of
    // derived classes define both.
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    static const AFX_DISPMAP* GetThisDispatchMap();
    virtual const AFX_DISPMAP* GetDispatchMap() const;
    static const AFX_INTERFACEMAP* GetThisInterfaceMap();
    virtual const AFX_INTERFACEMAP* GetInterfaceMap() const;
    // Runs when the last reference goes: deletes the object.
    virtual void OnFinalRelease();
    // Calls the handler of a command entry found by OnCmdMsg. The command signatures are handled here;
    // classes that add signatures (AfxSig_firstWindow on) handle theirs and pass the rest on.
    virtual BOOL DispatchCommand(const AFX_MSGMAP_ENTRY& entry, UINT nID, int nCode, void* pExtra);

private:
    friend class CCmdTargetDispatch;

    std::atomic<ULONG> m_dwRef { 1 };
    std::unique_ptr<CCmdTargetDispatch> m_xDispatch;
};
