#pragma once
// A font that owns its handle.

#include "platform/afx/CGdiObject.h"

class CDC;

class CFont : public CGdiObject {
    DECLARE_DYNAMIC(CFont)
public:
    CFont() = default;

    // The wrapper of a font handle (see CGdiObject::FromHandle).
    static CFont* FromHandle(HFONT hFont) { return static_cast<CFont*>(CGdiObject::FromHandle(hFont)); }
    BOOL CreateFontIndirect(const LOGFONT* lpLogFont) { return Attach(::CreateFontIndirect(lpLogFont)); }
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
        BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision, BYTE nQuality,
        BYTE nPitchAndFamily, LPCTSTR lpszFacename);
    // A font of nPointSize tenths of a point in the face (on the screen's resolution when pDC is null).
    BOOL CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC = nullptr);
    int GetLogFont(LOGFONT* pLogFont) const { return GetObject(sizeof(LOGFONT), pLogFont); }
    operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};
