#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "GdiTestSupport.h"
#include "platform/gdi/Printing.h"

using namespace platform::gdi;

namespace {

std::string slurp(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

int countPages(const std::string& pdf)
{
    int n = 0;
    for (std::size_t at = pdf.find("/Type /Page"); at != std::string::npos; at = pdf.find("/Type /Page", at + 1))
        if (pdf.compare(at, 12, "/Type /Pages") != 0)
            ++n;
    return n;
}

} // namespace

TEST(Printing, PagesOfTextAndLinesGoToAPdf)
{
    DEVMODE dm;
    dm.dmPaperSize = DMPAPER_A4;
    dm.dmYResolution = 300;
    HDC printer = CreatePrinterDC(&dm, nullptr);
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(GetDeviceCaps(printer, LOGPIXELSY), 300);
    EXPECT_EQ(GetDeviceCaps(printer, HORZRES), MulDiv(2100, 300, 254));
    EXPECT_EQ(GetDeviceCaps(printer, VERTRES), MulDiv(2970, 300, 254));
    EXPECT_EQ(GetDeviceCaps(printer, TECHNOLOGY), DT_RASPRINTER);

    // Out of order calls fail.
    EXPECT_EQ(StartPage(printer), SP_ERROR);
    EXPECT_EQ(EndDoc(printer), SP_ERROR);

    DOCINFO di;
    di.lpszDocName = "Library list";
    di.lpszOutput = "list.pdf";
    ASSERT_GT(StartDoc(printer, &di), 0);
    EXPECT_EQ(StartDoc(printer, &di), SP_ERROR); // one document at a time
    // A 10-point font by cell height, as list printing makes it.
    HFONT font = CreateFont(MulDiv(10, GetDeviceCaps(printer, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL, 0, 0, 0,
        DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ oldFont = SelectObject(printer, font);
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(printer, pen);
    for (int page = 0; page < 2; ++page) {
        ASSERT_GT(StartPage(printer), 0);
        TEXTMETRIC tm;
        GetTextMetrics(printer, &tm);
        EXPECT_LE(tm.tmHeight, MulDiv(10, 300, 72));
        EXPECT_TRUE(TextOut(printer, 300, 300, "Artist", 6));
        MoveToEx(printer, 300, 400, nullptr);
        LineTo(printer, 2000, 400);
        RECT r { 300, 500, 900, 700 };
        // Centred in the 200-dot box, the text ends this far below its top.
        EXPECT_EQ(DrawText(printer, "Title", -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX), (200 - tm.tmHeight) / 2 + tm.tmHeight);
        ASSERT_GT(EndPage(printer), 0);
    }
    SelectObject(printer, oldFont);
    SelectObject(printer, oldPen);
    DeleteObject(font);
    DeleteObject(pen);
    ASSERT_GT(EndDoc(printer), 0);
    EXPECT_TRUE(DeleteDC(printer));

    const std::string pdf = slurp("list.pdf");
    ASSERT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
    EXPECT_EQ(countPages(pdf), 2);
    // The text went in as text of the stand-in face, not as pixels.
    EXPECT_NE(pdf.find("LiberationSans"), std::string::npos);
}

TEST(Printing, OutputNamesAndFailures)
{
    HDC printer = CreatePrinterDC(nullptr, "chosen.pdf");
    ASSERT_NE(printer, nullptr);
    EXPECT_EQ(GetDeviceCaps(printer, HORZRES), 2550); // Letter at 300 dpi
    DOCINFO di;
    di.lpszDocName = "Report";
    ASSERT_GT(StartDoc(printer, &di), 0);
    StartPage(printer);
    EndPage(printer);
    EndDoc(printer);
    EXPECT_EQ(countPages(slurp("chosen.pdf")), 1);

    // Without a chosen path the document name names the file; an abandoned document leaves none.
    SetPrinterOutput(printer, nullptr);
    di.lpszDocName = "Abandoned";
    ASSERT_GT(StartDoc(printer, &di), 0);
    StartPage(printer);
    EXPECT_GT(AbortDoc(printer), 0);
    EXPECT_FALSE(std::ifstream("Abandoned.pdf").good());

    di.lpszOutput = "no/such/folder/out.pdf";
    EXPECT_EQ(StartDoc(printer, &di), SP_ERROR);
    Canvas screen(2, 2);
    EXPECT_EQ(StartDoc(screen.dc, &di), SP_ERROR);
    DeleteDC(printer);
}
