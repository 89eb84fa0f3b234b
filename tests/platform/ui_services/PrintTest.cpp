// Printing: the print dialog's choice, a printer context in twips, pages of text in a PDF file
// read back with pdftotext.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ui/Print.h"
#include "tests/support/ui/UiHarness.h"

using ui::test::Harness;

namespace {

std::string PdfText(const std::string& pdf) {
    const std::string txt = pdf + ".txt";
    const std::string command = "pdftotext -layout '" + pdf + "' '" + txt + "'";
    if (std::system(command.c_str()) != 0) return "<pdftotext failed>";
    std::ifstream in(txt);
    std::stringstream s;
    s << in.rdbuf();
    std::remove(txt.c_str());
    return s.str();
}

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

// Prints `rows` lines, `perPage` to a page, as the ARP table does: title, rule, rows a quarter
// inch apart from one inch below the top, a centred footer.
bool PrintRows(CDC& dc, int rows, int perPage) {
    dc.SetMapMode(MM_TWIPS);
    DOCINFO info;
    info.lpszDocName = " Table";
    info.lpszDatatype = "raw";
    if (dc.StartDoc(&info) <= 0) return false;
    const int pages = (rows + perPage - 1) / perPage;
    bool ok = true;
    for (int p = 1; p <= pages && ok; ++p) {
        dc.StartPage();
        dc.TextOut(1340, -360, " Table Title");
        dc.MoveTo(720, -620);
        dc.LineTo(6480, -620);
        for (int r = (p - 1) * perPage; r < p * perPage && r < rows; ++r) {
            dc.TextOut(360, -(r % perPage) * 360 - 1440, "row" + std::to_string(r + 1) + " value");
        }
        const std::string footer = "Page " + std::to_string(p);
        dc.TextOut((11520 - dc.GetTextExtent(footer).cx) / 2, -14400, footer);
        ok = dc.EndPage() > 0;
    }
    if (ok) dc.EndDoc();
    else dc.AbortDoc();
    return ok;
}

TEST(Printing, PagesOfTextReachThePdfInOrder) {
    Harness ui;
    const std::string pdf = ::testing::TempDir() + "print_pages.pdf";
    std::remove(pdf.c_str());
    ui.ScriptPrintDialogs({ui::PrintChoice{true, pdf, true}});
    CPrintDialog dlg(FALSE);
    ASSERT_EQ(dlg.DoModal(), IDOK);
    HDC hdc = dlg.GetPrinterDC();
    ASSERT_NE(hdc, nullptr);
    CDC dc;
    ASSERT_TRUE(dc.Attach(hdc));
    EXPECT_TRUE(dc.IsPrinting());
    EXPECT_GT(dc.GetDeviceCaps(LOGPIXELSX), 0);
    EXPECT_GT(dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(LOGPIXELSX) * 5);  // wider than 5 inches
    ASSERT_TRUE(PrintRows(dc, 5, 3));
    dc.Detach();
    EXPECT_TRUE(DeleteDC(hdc));
    EXPECT_EQ(ui.PrintDialogsShown(), 1);

    const std::string text = PdfText(pdf);
    // Two pages (a form feed between them), rows in order, one footer each.
    const auto page2 = text.find('\f');
    ASSERT_NE(page2, std::string::npos) << text;
    const std::string first = text.substr(0, page2), second = text.substr(page2);
    EXPECT_NE(first.find("Table Title"), std::string::npos) << text;
    for (const char* row : {"row1 value", "row2 value", "row3 value"})
        EXPECT_NE(first.find(row), std::string::npos) << row;
    EXPECT_LT(first.find("row1"), first.find("row2"));
    EXPECT_LT(first.find("row2"), first.find("row3"));
    EXPECT_NE(first.find("Page 1"), std::string::npos);
    EXPECT_EQ(first.find("row4"), std::string::npos);
    EXPECT_NE(second.find("row4 value"), std::string::npos) << text;
    EXPECT_NE(second.find("row5 value"), std::string::npos);
    EXPECT_NE(second.find("Page 2"), std::string::npos);
    std::remove(pdf.c_str());
}

TEST(Printing, CancelAndAMissingPrinterGiveNoContext) {
    Harness ui;
    ui.ScriptPrintDialogs({ui::PrintChoice{false, "", true}, ui::PrintChoice{true, "", false}});
    {
        CPrintDialog dlg(FALSE);
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_EQ(dlg.GetPrinterDC(), nullptr);
    }
    {
        CPrintDialog dlg(FALSE);
        EXPECT_EQ(dlg.DoModal(), IDOK);
        EXPECT_EQ(dlg.GetPrinterDC(), nullptr);
    }
    // Print-job calls on a context that is not a printer's fail.
    CDC mem;
    mem.CreateCompatibleDC(nullptr);
    EXPECT_EQ(mem.StartDoc(" x"), SP_ERROR);
    EXPECT_EQ(mem.StartPage(), SP_ERROR);
    EXPECT_EQ(mem.EndDoc(), SP_ERROR);
}

TEST(Printing, AnAbortedJobLeavesNoFileAndAnUntakenContextGoesWithTheDialog) {
    Harness ui;
    const std::string pdf = ::testing::TempDir() + "print_aborted.pdf";
    std::remove(pdf.c_str());
    ui.ScriptPrintDialogs({ui::PrintChoice{true, pdf, true}, ui::PrintChoice{true, pdf, true}});
    {
        CPrintDialog dlg(FALSE);
        ASSERT_EQ(dlg.DoModal(), IDOK);
        CDC dc;
        dc.Attach(dlg.GetPrinterDC());
        ASSERT_GT(dc.StartDoc(" aborted"), 0);
        EXPECT_EQ(dc.StartDoc(" again"), SP_ERROR);  // one job at a time
        ASSERT_GT(dc.StartPage(), 0);
        dc.TextOut(1440, 1440, "never printed");
        EXPECT_GT(dc.AbortDoc(), 0);
        EXPECT_EQ(dc.EndPage(), SP_ERROR);
        // dc deletes the context it holds.
    }
    EXPECT_FALSE(Exists(pdf));
    {
        CPrintDialog dlg(FALSE);
        ASSERT_EQ(dlg.DoModal(), IDOK);  // its context is never taken: the dialog deletes it
    }
    EXPECT_FALSE(Exists(pdf));
}

}  // namespace
