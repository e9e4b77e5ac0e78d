#pragma once
// A drawing object (pen, brush, font, bitmap, region, palette) that owns its handle: the handle is
// deleted with the object unless it was detached. FromHandle wraps a handle nobody owns in a temporary
// object of the matching class that leaves the handle alone.

#include "platform/afx/CObject.h"
#include "platform/gdi/WinGdi.h"

class CGdiObject : public CObject {
    DECLARE_DYNCREATE(CGdiObject)
public:
    CGdiObject() = default;
    // Deletes the handle it owns.
    ~CGdiObject() override;

    // The object wrapping hObject: its owner, or a temporary object of the handle's kind.
    static CGdiObject* FromHandle(HGDIOBJ hObject);
    // Deletes the calling thread's temporary drawing objects (their handles stay).
    static void DeleteTempMap();

    // Takes ownership of a handle; FALSE when the object already has one or hObject is null.
    BOOL Attach(HGDIOBJ hObject);
    // Gives the handle up without deleting it.
    HGDIOBJ Detach();
    // Deletes the handle; FALSE when there is none.
    BOOL DeleteObject();

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }
    // The object's description (LOGPEN, LOGBRUSH, LOGFONT, BITMAP...); bytes written, 0 on failure.
    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;
    // Makes the object wrap a stock object (which is never deleted).
    BOOL CreateStockObject(int nIndex);

    HGDIOBJ m_hObject { nullptr };

private:
    // Stock objects and temporary wrappers do not delete their handle.
    bool m_bOwnsHandle { true };
};
