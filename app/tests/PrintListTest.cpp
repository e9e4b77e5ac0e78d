// Printing a report list to the PDF printer: pages, their bands, headings and shown columns, the page
// count of the print and of the preview, a page too small for a row, and outputs that fail.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/CPrintListCtrl.h"
#include "platform/afx/CPrintInfo.h"
#include "platform/afx/tests/PdfPages.h"
#include "platform/comctl/CommCtrl.h"
#include "platform/gdi/Printing.h"
#include "platform/shell/ChooserWindow.h"
#include "platform/user/Input.h"
#include "platform/user/TestScreen.h"

using platform::user::TestScreen;

namespace {

// Prints with a fixed time, so that every page and the golden picture carry the same footer.
class StampedPrint : public CPrintListCtrl {
protected:
    SYSTEMTIME CurrentTime() const override
    {
        SYSTEMTIME t {};
        t.wYear = 2026;
        t.wMonth = 3;
        t.wDay = 4;
        t.wHour = 5;
        t.wMinute = 6;
        t.wSecond = 7;
        return t;
    }
};

struct ColumnSpec {
    const char* heading;
    int width;
    int format;
};

void Type(const std::string& text)
{
    for (char c : text) {
        const int key = std::toupper(static_cast<unsigned char>(c));
        platform::user::InjectKey(key, true);
        platform::user::InjectKey(key, false);
    }
    platform::user::InjectKey(VK_RETURN, true);
    platform::user::InjectKey(VK_RETURN, false);
}

class ListPrinting : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::InitCommonControls();
        m_print.SetHeaderFont("Times New Roman", 12);
        m_print.SetFooterFont("Times New Roman", 12);
        m_print.SetLandscape();
    }
    void TearDown() override
    {
        platform::SetChooserShownHook(nullptr);
        if (m_list)
            ::DestroyWindow(m_list);
        for (const std::string& file : m_files)
            std::filesystem::remove(file);
    }

    // A report list with the columns and rows "Song <i>", "Hidden <i>", "Band <i % 7>", "<1990 + i % 30>".
    void MakeList(const std::vector<ColumnSpec>& columns, int rows)
    {
        m_list = ::CreateWindowEx(0, WC_LISTVIEW, "", WS_POPUP | WS_VISIBLE | LVS_REPORT, 0, 0, 500, 300, nullptr,
            nullptr, nullptr, nullptr);
        for (size_t c = 0; c < columns.size(); ++c) {
            LVCOLUMN column;
            column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            column.pszText = const_cast<LPSTR>(columns[c].heading);
            column.cx = columns[c].width;
            column.fmt = columns[c].format;
            ::SendMessage(m_list, LVM_INSERTCOLUMN, c, reinterpret_cast<LPARAM>(&column));
        }
        for (int i = 0; i < rows; ++i) {
            const std::string texts[] = { "Song " + std::to_string(i), "Hidden " + std::to_string(i),
                "Band " + std::to_string(i % 7), std::to_string(1990 + i % 30) };
            LVITEM item;
            item.mask = LVIF_TEXT;
            item.iItem = i;
            item.pszText = const_cast<LPSTR>(texts[0].c_str());
            ::SendMessage(m_list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
            for (size_t c = 1; c < columns.size() && c < std::size(texts); ++c) {
                item.iSubItem = static_cast<int>(c);
                item.pszText = const_cast<LPSTR>(texts[c].c_str());
                ::SendMessage(m_list, LVM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
            }
        }
        m_print.SetListWindow(m_list);
    }
    void MakeTrackList(int rows)
    {
        MakeList({ { "Track", 120, LVCFMT_LEFT }, { "AlbumTrackID", 0, LVCFMT_LEFT }, { "Artist", 90, LVCFMT_CENTER },
                     { "Year", 60, LVCFMT_RIGHT } },
            rows);
    }
    // Prints to the PDF file of that name, answering the print dialog when it shows.
    bool PrintTo(const std::string& name)
    {
        m_files.push_back(name + ".pdf");
        platform::SetChooserShownHook([name](HWND) { Type(name); });
        return m_print.PrintList("Tune Steward", m_list);
    }
    // The pages a preview of the list shows on a landscape page, as File / Print prints.
    UINT PreviewPages()
    {
        DEVMODE landscape;
        landscape.dmFields = DM_ORIENTATION;
        landscape.dmOrientation = DMORIENT_LANDSCAPE;
        const HDC printer = platform::gdi::CreatePrinterDC(&landscape, nullptr);
        CPrintInfo info;
        EXPECT_TRUE(m_print.PreparePreview("Document"));
        m_print.BeginPreview(printer, &info);
        const UINT pages = info.GetMaxPage();
        m_print.EndPreview();
        ::DeleteDC(printer);
        return pages;
    }

    TestScreen m_screen { 640, 480 };
    StampedPrint m_print;
    HWND m_list { nullptr };
    std::vector<std::string> m_files;
};

} // namespace

TEST_F(ListPrinting, RowsRunOverNumberedPagesUnderTheBandsAndTheShownHeadings)
{
    MakeTrackList(250);
    ASSERT_TRUE(PrintTo("listprint"));
    afx_test::PdfFile pdf("listprint.pdf");
    // 53 rows to a landscape page: the fifth page holds the last 38 and no empty page follows.
    EXPECT_EQ(pdf.PageCount(), 5);

    // The first page: the framed title band, the headings of the shown columns with the hidden one
    // leaving no gap, the rows, and the footer with the page number and the print time.
    ASSERT_TRUE(pdf.Render(0, 1.0));
    EXPECT_EQ(pdf.CompareWithGolden(TS_APP_TEST_DIR "/golden/ListPrintPage.png"), "");

    // The next print goes to the same file at once, without the dialog.
    platform::SetChooserShownHook([](HWND) { ADD_FAILURE() << "the print dialog showed again"; });
    std::filesystem::remove("listprint.pdf");
    ASSERT_TRUE(m_print.PrintList("Tune Steward", m_list));
    EXPECT_EQ(afx_test::PdfFile("listprint.pdf").PageCount(), 5);

    // The preview pages the same rows alike; afterwards File / Print asks for its file again.
    EXPECT_EQ(PreviewPages(), 5u);
    EXPECT_EQ(m_print.GetPrinterDC(), nullptr);
}

TEST_F(ListPrinting, APageTooSmallForARowStillTakesOneAndThePreviewCountsOnePerPage)
{
    MakeTrackList(3);
    m_print.SetBodyFont("Arial", 2000);
    ASSERT_TRUE(PrintTo("listtall"));
    EXPECT_EQ(afx_test::PdfFile("listtall.pdf").PageCount(), 3);
    EXPECT_EQ(PreviewPages(), 3u);
}

TEST_F(ListPrinting, AnEmptyListPreviewsOnePageAndPrintsNone)
{
    MakeTrackList(0);
    EXPECT_EQ(PreviewPages(), 1u);
    // A document without a page: whatever the file holds shows no band.
    ASSERT_TRUE(PrintTo("listempty"));
    afx_test::PdfFile pdf("listempty.pdf");
    ASSERT_TRUE(pdf.IsOpen());
    if (pdf.PageCount() > 0) {
        ASSERT_TRUE(pdf.Render(0, 0.5));
        EXPECT_EQ(pdf.PixelAt(0.5, 0.0), RGB(255, 255, 255));
        EXPECT_EQ(pdf.PixelAt(0.5, 0.999), RGB(255, 255, 255));
    }
}

TEST_F(ListPrinting, ACancelledDialogOrAnUnwritableFilePrintsNothingAndAsksAgain)
{
    MakeTrackList(10);
    platform::SetChooserShownHook([](HWND) {
        platform::user::InjectKey(VK_ESCAPE, true);
        platform::user::InjectKey(VK_ESCAPE, false);
    });
    EXPECT_FALSE(m_print.PrintList("Tune Steward", m_list));
    EXPECT_EQ(m_print.GetPrinterDC(), nullptr);

    ASSERT_TRUE(PrintTo("listfirst"));
    ASSERT_NE(m_print.GetPrinterDC(), nullptr);
    // The chosen file's folder went away: nothing is printed, and the next print asks for a file.
    ASSERT_TRUE(platform::gdi::SetPrinterOutput(m_print.GetPrinterDC(), "C:\\no such folder\\list.pdf"));
    EXPECT_FALSE(m_print.PrintList("Tune Steward", m_list));
    EXPECT_EQ(m_print.GetPrinterDC(), nullptr);
    EXPECT_TRUE(PrintTo("listagain"));
    EXPECT_EQ(afx_test::PdfFile("listagain.pdf").PageCount(), 1);
}

TEST_F(ListPrinting, WithoutAListNothingIsPrinted)
{
    EXPECT_FALSE(m_print.PreparePreview("Document"));
    platform::SetChooserShownHook([](HWND) { Type("listnone"); });
    m_files.push_back("listnone.pdf");
    EXPECT_FALSE(m_print.PrintList("Tune Steward", nullptr));
    EXPECT_FALSE(std::filesystem::exists("listnone.pdf"));
}
