#pragma once
// The static control that shows an album's cover picture. Pictures too big for the device's display
// are refused, a picture that cannot be shown leaves the last good one in place, and the picture is
// drawn stretched over the control inside its one-pixel border, on a grey fill.

#include "platform/afx/CPictureHolder.h"
#include "platform/afx/CStatic.h"
#include "platform/afx/CString.h"

class CDC;

class CCArtStatic : public CStatic {
public:
    // Loads the file and repaints; TRUE when the new picture was loaded.
    BOOL SetPicture(LPCTSTR path);
    // Loads the file; on failure (or a picture over the size limit, which is reported) the picture
    // shown before is loaded again.
    BOOL LoadPicture(LPCTSTR path);
    // A picture is held and it is a bitmap.
    BOOL IsBitmap();
    // The grey fill, then the picture when draw is set.
    void DrawPicture(BOOL draw);
    void EraseBackground();
    // The path of the picture shown; empty until a load succeeded.
    const CString& GetPath() const { return m_strPath; }

protected:
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    DECLARE_MESSAGE_MAP()

private:
    // Loads a file into the picture holder without any test; false when it does not load.
    bool LoadFile(LPCTSTR path);
    // The client rectangle without the border the control's frame draws.
    CRect PictureRect();

    CString m_strPath;
    CPictureHolder m_picture;
};

// True when a picture of that HIMETRIC size exceeds what the device's display shows: counted in units
// of 25 HIMETRIC, each side truncated, more than 100000 units of area.
bool IsPictureTooLarge(long widthHimetric, long heightHimetric);
