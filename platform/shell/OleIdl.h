#pragma once
// OLE data transfer and drag and drop: data objects with formatted data, drop sources and targets,
// and the modal drag loop that joins them. Everything runs in this process, on the dragging thread.

#include "platform/base/WinTypes.h"
#include "platform/com/Unknwn.h"
#include "platform/gdi/WinGdi.h"

using CLIPFORMAT = WORD;

// A point in screen coordinates as drag and drop passes it.
struct POINTL {
    LONG x;
    LONG y;
};

enum DVASPECT : DWORD {
    DVASPECT_CONTENT = 1,
    DVASPECT_THUMBNAIL = 2,
    DVASPECT_ICON = 4,
    DVASPECT_DOCPRINT = 8,
};

enum TYMED : DWORD {
    TYMED_NULL = 0,
    TYMED_HGLOBAL = 1,
    TYMED_FILE = 2,
    TYMED_ISTREAM = 4,
    TYMED_ISTORAGE = 8,
    TYMED_GDI = 16,
    TYMED_MFPICT = 32,
    TYMED_ENHMF = 64,
};

struct DVTARGETDEVICE;

// What a piece of data is: its clipboard format, aspect and the kinds of storage it may come in.
struct FORMATETC {
    CLIPFORMAT cfFormat { 0 };
    DVTARGETDEVICE* ptd { nullptr };
    DWORD dwAspect { DVASPECT_CONTENT };
    LONG lindex { -1 };
    DWORD tymed { TYMED_HGLOBAL };
};
using LPFORMATETC = FORMATETC*;

// A piece of data in its storage; pUnkForRelease, when set, owns the storage instead of the receiver.
struct STGMEDIUM {
    DWORD tymed { TYMED_NULL };
    union {
        HBITMAP hBitmap;
        HGLOBAL hGlobal;
        LPOLESTR lpszFileName;
        IUnknown* pstm;
        IUnknown* pstg;
    };
    IUnknown* pUnkForRelease { nullptr };

    STGMEDIUM()
        : hGlobal(nullptr)
    {
    }
};
using LPSTGMEDIUM = STGMEDIUM*;

// Frees a medium's storage (or releases its owner); leaves it TYMED_NULL.
void ReleaseStgMedium(LPSTGMEDIUM pmedium);

struct IEnumFORMATETC : IUnknown {
    // The next celt formats; S_FALSE when fewer were left.
    virtual HRESULT Next(ULONG celt, FORMATETC* rgelt, ULONG* pceltFetched) = 0;
    virtual HRESULT Skip(ULONG celt) = 0;
    virtual HRESULT Reset() = 0;
    virtual HRESULT Clone(IEnumFORMATETC** ppenum) = 0;
};
TS_DEFINE_IID(IEnumFORMATETC, "00000103-0000-0000-C000-000000000046");
inline constexpr IID IID_IEnumFORMATETC = platform::IidOf<IEnumFORMATETC>();

struct IAdviseSink;
struct IEnumSTATDATA;

enum DATADIR : DWORD {
    DATADIR_GET = 1,
    DATADIR_SET = 2,
};

struct IDataObject : IUnknown {
    // A copy of the data in a new medium the caller releases; DV_E_FORMATETC when the format is
    // absent, DV_E_TYMED when it is not held in a storage asked for.
    virtual HRESULT GetData(FORMATETC* pformatetcIn, STGMEDIUM* pmedium) = 0;
    // The data written into the caller's medium; E_NOTIMPL here.
    virtual HRESULT GetDataHere(FORMATETC* pformatetc, STGMEDIUM* pmedium) = 0;
    // S_OK when GetData would succeed for the format.
    virtual HRESULT QueryGetData(FORMATETC* pformatetc) = 0;
    virtual HRESULT GetCanonicalFormatEtc(FORMATETC* pformatectIn, FORMATETC* pformatetcOut) = 0;
    // Stores data for a format; with fRelease the object takes the medium, else it keeps a copy.
    virtual HRESULT SetData(FORMATETC* pformatetc, STGMEDIUM* pmedium, BOOL fRelease) = 0;
    // The formats held, in the order they were first set (DATADIR_GET only).
    virtual HRESULT EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppenumFormatEtc) = 0;
    virtual HRESULT DAdvise(FORMATETC* pformatetc, DWORD advf, IAdviseSink* pAdvSink, DWORD* pdwConnection) = 0;
    virtual HRESULT DUnadvise(DWORD dwConnection) = 0;
    virtual HRESULT EnumDAdvise(IEnumSTATDATA** ppenumAdvise) = 0;
};
using LPDATAOBJECT = IDataObject*;
TS_DEFINE_IID(IDataObject, "0000010E-0000-0000-C000-000000000046");
inline constexpr IID IID_IDataObject = platform::IidOf<IDataObject>();

using DROPEFFECT = DWORD;
constexpr DROPEFFECT DROPEFFECT_NONE = 0;
constexpr DROPEFFECT DROPEFFECT_COPY = 1;
constexpr DROPEFFECT DROPEFFECT_MOVE = 2;
constexpr DROPEFFECT DROPEFFECT_LINK = 4;
constexpr DROPEFFECT DROPEFFECT_SCROLL = 0x80000000;

// The key and button state passed to sources and targets (the MK_ bits and this one for Alt).
constexpr DWORD MK_ALT = 0x0020;

struct IDropSource : IUnknown {
    // Whether the drag goes on (S_OK), ends in a drop (DRAGDROP_S_DROP) or is cancelled
    // (DRAGDROP_S_CANCEL), from the Escape key and the key and button state.
    virtual HRESULT QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) = 0;
    // Shows the effect the target offers; DRAGDROP_S_USEDEFAULTCURSORS for the standard cursors.
    virtual HRESULT GiveFeedback(DWORD dwEffect) = 0;
};
using LPDROPSOURCE = IDropSource*;
TS_DEFINE_IID(IDropSource, "00000121-0000-0000-C000-000000000046");
inline constexpr IID IID_IDropSource = platform::IidOf<IDropSource>();

struct IDropTarget : IUnknown {
    // The drag came over the target's window; *pdwEffect in: what the source allows, out: what a drop would do.
    virtual HRESULT DragEnter(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;
    // The drag moved over the window or the keys changed.
    virtual HRESULT DragOver(DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;
    // The drag left the window or was cancelled over it.
    virtual HRESULT DragLeave() = 0;
    // The data was dropped; *pdwEffect out: what was done.
    virtual HRESULT Drop(IDataObject* pDataObj, DWORD grfKeyState, POINTL pt, DWORD* pdwEffect) = 0;
};
using LPDROPTARGET = IDropTarget*;
TS_DEFINE_IID(IDropTarget, "00000122-0000-0000-C000-000000000046");
inline constexpr IID IID_IDropTarget = platform::IidOf<IDropTarget>();

constexpr HRESULT DRAGDROP_S_DROP = 0x00040100;
constexpr HRESULT DRAGDROP_S_CANCEL = 0x00040101;
constexpr HRESULT DRAGDROP_S_USEDEFAULTCURSORS = 0x00040102;
constexpr HRESULT DRAGDROP_E_NOTREGISTERED = static_cast<HRESULT>(0x80040100u);
constexpr HRESULT DRAGDROP_E_ALREADYREGISTERED = static_cast<HRESULT>(0x80040101u);
constexpr HRESULT DRAGDROP_E_INVALIDHWND = static_cast<HRESULT>(0x80040102u);
constexpr HRESULT DV_E_FORMATETC = static_cast<HRESULT>(0x80040064u);
constexpr HRESULT DV_E_TYMED = static_cast<HRESULT>(0x80040069u);
constexpr HRESULT DV_E_LINDEX = static_cast<HRESULT>(0x80040068u);
constexpr HRESULT DV_E_DVASPECT = static_cast<HRESULT>(0x8004006Bu);
constexpr HRESULT OLE_E_ADVISENOTSUPPORTED = static_cast<HRESULT>(0x80040003u);
constexpr HRESULT DATA_S_SAMEFORMATETC = 0x00040130;

// Enters a single-threaded apartment for OLE on the calling thread (as CoInitializeEx); each success
// needs one OleUninitialize.
HRESULT OleInitialize(LPVOID pvReserved);
// Leaves the apartment OleInitialize entered.
void OleUninitialize();

// Makes a window (and its children without a target of their own) a drop target; the window keeps a
// reference to the target until RevokeDragDrop. DRAGDROP_E_INVALIDHWND for no window,
// DRAGDROP_E_ALREADYREGISTERED when it has a target, E_INVALIDARG for no target.
HRESULT RegisterDragDrop(HWND hwnd, LPDROPTARGET pDropTarget);
// Takes the window's target away (releasing it); DRAGDROP_E_NOTREGISTERED when it has none.
HRESULT RevokeDragDrop(HWND hwnd);
// Runs the modal drag loop: follows the pointer with the capture, asks the source whether to go on
// and shows its feedback, tells targets under the pointer of the drag, and on a drop hands them the
// data. DRAGDROP_S_DROP with the effect the target reported (DROPEFFECT_NONE where no target took
// it), DRAGDROP_S_CANCEL with DROPEFFECT_NONE when cancelled (Escape, the source, lost capture, a
// quit message, which is put back), E_INVALIDARG for a missing argument.
HRESULT DoDragDrop(LPDATAOBJECT pDataObj, LPDROPSOURCE pDropSource, DWORD dwOKEffects, LPDWORD pdwEffect);

namespace platform {

// A new empty data object that holds global-memory data per format; the caller owns the reference.
HRESULT CreateDataObject(IDataObject** ppDataObject);
// The drop target registered for a window itself (not its parents), without a reference; null when none.
IDropTarget* RegisteredDropTarget(HWND hwnd);

} // namespace platform
