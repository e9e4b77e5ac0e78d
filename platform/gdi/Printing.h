#pragma once
// Printing: a printer DC lays pages out in printer dots and writes them as a PDF document through
// Cairo. Its page size and resolution come from DEVMODE (or the defaults: Letter at 300 dpi); the
// document goes to DOCINFO's output name, else to the path the print dialog chose, else to a file
// named after the document.

#include "platform/gdi/WinGdi.h"

constexpr int CCHDEVICENAME = 32;
constexpr int CCHFORMNAME = 32;
constexpr DWORD DM_ORIENTATION = 0x00000001;
constexpr DWORD DM_PAPERSIZE = 0x00000002;
constexpr DWORD DM_PAPERLENGTH = 0x00000004;
constexpr DWORD DM_PAPERWIDTH = 0x00000008;
constexpr DWORD DM_PRINTQUALITY = 0x00000400;
constexpr DWORD DM_YRESOLUTION = 0x00002000;
constexpr short DMORIENT_PORTRAIT = 1;
constexpr short DMORIENT_LANDSCAPE = 2;
constexpr short DMPAPER_LETTER = 1;
constexpr short DMPAPER_LEGAL = 5;
constexpr short DMPAPER_A4 = 9;
constexpr short DMPAPER_A5 = 11;

// Printer settings (the printer form of the structure; display fields are not used here).
struct DEVMODE {
    char dmDeviceName[CCHDEVICENAME] {};
    WORD dmSpecVersion { 0x401 };
    WORD dmDriverVersion { 0 };
    WORD dmSize { sizeof(DEVMODE) };
    WORD dmDriverExtra { 0 };
    DWORD dmFields { 0 };
    short dmOrientation { DMORIENT_PORTRAIT };
    short dmPaperSize { DMPAPER_LETTER };
    short dmPaperLength { 0 }; // tenths of a millimetre
    short dmPaperWidth { 0 };
    short dmScale { 100 };
    short dmCopies { 1 };
    short dmDefaultSource { 0 };
    short dmPrintQuality { 300 };
    short dmColor { 2 };
    short dmDuplex { 1 };
    short dmYResolution { 300 };
    short dmTTOption { 0 };
    short dmCollate { 0 };
    char dmFormName[CCHFORMNAME] {};
    WORD dmLogPixels { 0 };
    DWORD dmBitsPerPel { 0 };
    DWORD dmPelsWidth { 0 };
    DWORD dmPelsHeight { 0 };
    DWORD dmDisplayFlags { 0 };
    DWORD dmDisplayFrequency { 0 };
};
using DEVMODEA = DEVMODE;
using LPDEVMODE = DEVMODE*;

struct DOCINFO {
    int cbSize { sizeof(DOCINFO) };
    LPCSTR lpszDocName { nullptr };
    LPCSTR lpszOutput { nullptr };
    LPCSTR lpszDatatype { nullptr };
    DWORD fwType { 0 };
};
using DOCINFOA = DOCINFO;

constexpr int SP_ERROR = -1;

// Starts a document on a printer DC; returns a job number > 0, or SP_ERROR when the DC is no
// printer, a document is already open, or the output cannot be created.
int StartDoc(HDC hdc, const DOCINFO* lpdi);
// Starts a page; > 0 on success, SP_ERROR outside a document or inside a page.
int StartPage(HDC hdc);
// Ends the page and writes it; > 0 on success, SP_ERROR when no page is open.
int EndPage(HDC hdc);
// Ends the document (ending an open page first) and closes the file; > 0 on success.
int EndDoc(HDC hdc);
// Abandons the document; the partial file is removed.
int AbortDoc(HDC hdc);

namespace platform::gdi {

// A printer DC for the settings (null: Letter portrait at 300 dpi), writing to `outputPath` (a
// program path; may be null, see above).
HDC CreatePrinterDC(const DEVMODE* settings, LPCSTR outputPath);
// Changes where a printer DC's next document goes; FALSE for any other DC.
BOOL SetPrinterOutput(HDC hdc, LPCSTR outputPath);

// Print preview: starts a page on the printer DC that is drawn, scaled to cx by cy pixels, into a
// picture rather than a document (no document may be open); EndPage ends it as usual.
BOOL StartPreviewPage(HDC hdc, int cx, int cy);
// Copies the last preview page's picture onto `target` with its top left corner at (x, y) in device
// units, and lets the picture go; FALSE when there is none.
BOOL ShowPreviewPage(HDC hdc, HDC target, int x, int y);

} // namespace platform::gdi
