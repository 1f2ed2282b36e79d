// Printing the order for real: the system print dialog (answered by a hook,
// as a user would), the printing dialog with its progress and cancel button,
// and the PDFs the private print server's PDF queue writes, read back with
// poppler's tools. Without BRENK_PDF_DIR (no print server started by the
// scripts) the printing cases are skipped.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "config/catalogue.h"
#include "config/regional.h"
#include "frame/exports.h"
#include "print/print_date.h"
#include "print/print_geometry.h"
#include "print/print_job.h"
#include "print/print_order.h"
#include "print/print_surface_win32.h"
#include "printed_page.h"
#include "render/text_measure.h"
#include "test_support.h"

namespace {

constexpr int kPrinterCombo = 0x473; // the system print dialog's printer list

// --- Linux side: shell commands and files of the print server -------------

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string WindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// Runs a shell script on the Linux side and waits for it. Wine starts Linux
// programs but neither waits for them nor hands back their exit code: the
// script leaves a file when done, and results come as files.
void RunShell(const std::string& script) {
    static int runs = 0;
    const std::string base = Env("BRENK_PDF_DIR") + "/.print-test-" + std::to_string(++runs);
    const std::string done = base + ".done";
    WriteWholeFile(WindowsPath(base + ".sh"), script + "\ntouch " + done + "\n");
    std::string command = "/bin/sh " + base + ".sh";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::string doneFile = WindowsPath(done);
    EXPECT_TRUE(PumpUntil(
        [&] { return GetFileAttributesA(doneFile.c_str()) != INVALID_FILE_ATTRIBUTES; }, 60000))
        << script;
    DeleteFileA(doneFile.c_str());
    DeleteFileA(WindowsPath(base + ".sh").c_str());
}

const char kWaitForQueue[] =
    "for i in $(seq 1 150); do [ -z \"$(lpstat -W not-completed -o)\" ] && break; "
    "sleep 0.1; done\n";

// A printed document read back: its page count, text per page and a
// 50-dpi grey image of its first page.
struct PrintedPdf {
    bool found = false;
    int pages = 0;
    std::vector<std::string> pageTexts;
    int width = 0, height = 0;
    std::string pixels; // 8-bit grey, row by row
};

// File names of the PDF queue start with the document name, its other
// characters than letters and digits turned into "_" (titles here have no
// others than those and spaces).
std::string PdfPrefix(const std::string& title) {
    std::string prefix = title;
    for (char& c : prefix)
        if (!isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return prefix;
}

void RemovePdfs(const std::string& title) {
    RunShell("rm -f \"$BRENK_PDF_DIR\"/" + PdfPrefix(title) + "*\n");
}

PrintedPdf ReadPdf(const std::string& title) {
    const std::string out = Env("BRENK_PDF_DIR") + "/" + PdfPrefix(title);
    DeleteFileA(WindowsPath(out + ".pages").c_str());
    RunShell(std::string(kWaitForQueue) + "pdf=$(ls \"$BRENK_PDF_DIR\"/" + PdfPrefix(title) +
             "*.pdf 2>/dev/null | head -1)\n"
             "if [ -n \"$pdf\" ]; then\n"
             "pdfinfo \"$pdf\" | sed -n 's/^Pages: *//p' > " +
             out +
             ".pages\n"
             "pdftotext -enc Latin1 \"$pdf\" " +
             out +
             ".txt\n"
             "pdftoppm -r 50 -gray -f 1 -l 1 \"$pdf\" > " +
             out +
             ".pgm\n"
             "fi\n");
    PrintedPdf pdf;
    const std::string pages = ReadWholeFile(WindowsPath(out + ".pages"));
    if (pages.empty())
        return pdf;
    pdf.found = true;
    pdf.pages = std::atoi(pages.c_str());
    std::string text = ReadWholeFile(WindowsPath(out + ".txt"));
    for (size_t start = 0; start < text.size();) {
        const size_t feed = text.find('\f', start);
        pdf.pageTexts.push_back(text.substr(start, feed - start));
        if (feed == std::string::npos)
            break;
        start = feed + 1;
    }
    const std::string image = ReadWholeFile(WindowsPath(out + ".pgm"));
    int maxValue = 0, used = 0;
    if (std::sscanf(image.c_str(), "P5 %d %d %d%n", &pdf.width, &pdf.height, &maxValue, &used) == 3)
        pdf.pixels = image.substr(static_cast<size_t>(used) + 1);
    return pdf;
}

// Every page of a printed document rendered at kCheckDpi, and the words of
// each page with their boxes.
constexpr int kCheckDpi = 100;
struct RenderedPdf {
    std::vector<PageImage> images;
    std::vector<std::vector<PdfWord>> words;
};

RenderedPdf RenderPdf(const std::string& title) {
    const std::string out = Env("BRENK_PDF_DIR") + "/" + PdfPrefix(title) + ".page";
    std::string script = kWaitForQueue;
    script += "rm -f " + out + "*\n";
    script += "pdf=$(ls \"$BRENK_PDF_DIR\"/" + PdfPrefix(title) + "*.pdf 2>/dev/null | head -1)\n";
    script += "pages=$(pdfinfo \"$pdf\" 2>/dev/null | sed -n 's/^Pages: *//p')\n";
    script += "for i in $(seq 1 \"$pages\"); do\n";
    script += "  pdftoppm -r " + std::to_string(kCheckDpi) + " -gray -f $i -l $i -singlefile " +
              "\"$pdf\" " + out + "-$i\n";
    script += "done\n";
    script += "[ -z \"$pdf\" ] || pdftotext -bbox \"$pdf\" " + out + ".words\n";
    RunShell(script);
    RenderedPdf pdf;
    for (int page = 1;; ++page) {
        const std::string file = WindowsPath(out + "-" + std::to_string(page) + ".pgm");
        if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES)
            break;
        pdf.images.push_back(ParsePgm(ReadWholeFile(file), kCheckDpi));
    }
    pdf.words = ParseWordBoxes(ReadWholeFile(WindowsPath(out + ".words")));
    return pdf;
}

bool HasWord(const std::vector<PdfWord>& words, const std::string& text) {
    return std::any_of(words.begin(), words.end(),
                       [&](const PdfWord& word) { return word.text == text; });
}

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// --- Windows side: answering the dialogs ------------------------------------

struct DialogAnswers {
    int printDialogAnswer = IDOK;
    int printDialogsSeen = 0;
    bool printDialogOwnerEnabled = true; // the window under the print dialog
    std::string preselectedPrinter;
    HWND lastPrintDialog = nullptr;
    // Page progress the printing dialog received, and what it showed.
    std::vector<std::pair<int, int>> progress;
    std::vector<std::string> progressTexts;
    std::vector<int> progressBarPositions;
    int cancelOnPage = 0; // press the printing dialog's button on this page
} answers;

HHOOK cbtHook;
HHOOK callHook;

LRESULT CALLBACK AnswerPrintDialog(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        HWND printers = GetDlgItem(window, kPrinterCombo);
        if (printers && window != answers.lastPrintDialog) {
            answers.lastPrintDialog = window;
            ++answers.printDialogsSeen;
            HWND owner = GetWindow(window, GW_OWNER);
            answers.printDialogOwnerEnabled = owner == nullptr || IsWindowEnabled(owner);
            char name[256] = "";
            GetWindowTextA(printers, name, sizeof name);
            answers.preselectedPrinter = name;
            PostMessageA(window, WM_COMMAND, answers.printDialogAnswer, 0);
        }
    }
    return CallNextHookEx(cbtHook, code, wParam, lParam);
}

// Presses the printing dialog's button the way the mouse does.
void PressButton(HWND button) {
    RECT box;
    GetClientRect(button, &box);
    const LPARAM centre = MAKELPARAM(box.right / 2, box.bottom / 2);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageA(button, WM_LBUTTONUP, 0, centre);
}

LRESULT CALLBACK WatchProgress(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_COMMAND && call->hwnd == abortDialog &&
        LOWORD(call->wParam) == kPageProgressCommand) {
        const int page = LOWORD(call->lParam);
        answers.progress.push_back({page, HIWORD(call->lParam)});
        char text[64] = "";
        GetDlgItemTextA(call->hwnd, kPrintingPageText, text, sizeof text);
        answers.progressTexts.push_back(text);
        answers.progressBarPositions.push_back(static_cast<int>(
            SendDlgItemMessageA(call->hwnd, kPrintingProgressBar, PBM_GETPOS, 0, 0)));
        if (page == answers.cancelOnPage)
            PressButton(GetDlgItem(call->hwnd, IDOK));
    }
    return CallNextHookEx(callHook, code, wParam, lParam);
}

// --- The order ----------------------------------------------------------------

ItemTextRow itemRows[kItemTextRows];

double Price(int item) {
    return 1.25 * (item + 1);
}

// No hyphens: pdftotext drops the ones Wine's PostScript driver prints.
std::string ItemCode(int item) {
    char code[16];
    std::snprintf(code, sizeof code, "ART%03d", item);
    return code;
}

std::string Amount(double value) {
    char text[kAmountTextSize];
    FormatAmount(text, value);
    return text;
}

// Items 0, 2, 4, ... ordered (quantity 1 + item % 3), odd items not: every
// ordered item must appear once and no other.
void OrderItems(int ordered) {
    catalogue = Catalogue{};
    catalogue.validUntil = {2030, 1, 1};
    catalogue.itemCount = kMaxItems;
    catalogue.surchargePercent = 10;
    catalogue.itemTexts[0] = itemRows;
    for (int item = 0; item < kMaxItems; ++item) {
        std::snprintf(itemRows[item].itemCode, sizeof itemRows[item].itemCode, "%s",
                      ItemCode(item).c_str());
        std::snprintf(itemRows[item].itemText, sizeof itemRows[item].itemText, "Measuring lead %d",
                      item);
        catalogue.prices[item] = Price(item);
    }
    for (int n = 0; n < ordered && 2 * n < kMaxItems; ++n)
        catalogue.quantities[2 * n] = 1 + n % 3;
    std::snprintf(catalogue.addresses[0].lines[0], kAddressTextLimit + 1, "Gerrit Instruments");
    std::snprintf(catalogue.addresses[0].lines[1], kAddressTextLimit + 1, "Harbour Road 12");
    std::snprintf(catalogue.noteLines[0][0], kNoteLineLimit + 1, "Prices without tax.");
    std::snprintf(catalogue.noteLines[0][1], kNoteLineLimit + 1, "Delivery within two weeks.");
}

// Page sum of the ordered items n = first..last-1 (item 2n each).
double PageSum(int first, int last) {
    double sum = 0;
    for (int n = first; n < last; ++n)
        sum += (1 + n % 3) * Price(2 * n);
    return sum;
}

// The ordered items n = first..last-1 of a page: unit price and line total
// of each, and the page's two sums, printed as whole words.
void ExpectWholeAmounts(const std::vector<PdfWord>& words, int first, int last) {
    for (int n = first; n < last; ++n) {
        EXPECT_TRUE(HasWord(words, Amount(Price(2 * n)))) << Amount(Price(2 * n));
        const double total = (1 + n % 3) * Price(2 * n);
        EXPECT_TRUE(HasWord(words, Amount(total))) << Amount(total);
    }
    const double sum = PageSum(first, last);
    EXPECT_TRUE(HasWord(words, Amount(sum))) << Amount(sum);
    EXPECT_TRUE(HasWord(words, Amount(sum + sum * 10 * 0.01))) << Amount(sum + sum * 10 * 0.01);
}

// The default printer's page: the geometry the printout gets, from its own
// device context with the print font selected, and where its device units
// lie on the paper.
struct PrinterPage {
    PrintGeometry geometry{};
    DevicePlacement placement{};
};

PrinterPage DefaultPrinterPage() {
    PRINTDLGA defaults = {};
    defaults.lStructSize = sizeof defaults;
    defaults.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    if (!PrintDlgA(&defaults) || !defaults.hDC)
        return {};
    GlobalFree(defaults.hDevMode);
    GlobalFree(defaults.hDevNames);
    HDC dc = defaults.hDC;
    const int dpiX = GetDeviceCaps(dc, LOGPIXELSX), dpiY = GetDeviceCaps(dc, LOGPIXELSY);
    const PrintFontSize font = PrintFontSizeFor(dpiX, dpiY);
    HFONT printFont = CreateFontA(font.height, font.width, 0, 0, FW_NORMAL, 0, 0, 0, 0,
                                  OUT_STROKE_PRECIS, 0, 0, FF_ROMAN, "Times New Roman");
    HGDIOBJ old = SelectObject(dc, printFont);
    PrinterPage page;
    page.geometry = ComputePrintGeometry(GetDeviceCaps(dc, VERTRES), dpiX, dpiY, LineHeight(dc));
    page.placement = {dpiX, dpiY, GetDeviceCaps(dc, PHYSICALOFFSETX),
                      GetDeviceCaps(dc, PHYSICALOFFSETY)};
    SelectObject(dc, old);
    DeleteObject(printFont);
    DeleteDC(dc);
    return page;
}

PrintGeometry PrinterGeometry() {
    return DefaultPrinterPage().geometry;
}

// The printout stays inside its grid, checked on the rendered pages: no
// dark pixel outside the cells and lines of its page (a pixel of
// anti-aliasing allowed around them), and every word's box wholly across a
// cell, so no text is cut by a cell's edge either. Returns each page's words.
std::vector<std::vector<PdfWord>> ExpectPagesInsideTheirCells(const std::string& title, int items) {
    const PrinterPage printer = DefaultPrinterPage();
    const int perPage = printer.geometry.rowsPerPage;
    const int pages = PageCount(items, perPage);
    const RenderedPdf pdf = RenderPdf(title);
    EXPECT_GE(pages, 1);
    EXPECT_EQ(pdf.images.size(), static_cast<size_t>(pages));
    EXPECT_EQ(pdf.words.size(), static_cast<size_t>(pages));
    const int checked =
        std::min({pages, static_cast<int>(pdf.images.size()), static_cast<int>(pdf.words.size())});
    int remaining = items;
    for (int page = 0; page < checked; ++page) {
        EXPECT_FALSE(pdf.images[page].pixels.empty()) << "no image of page " << page + 1;
        const int rows = RowsOnPage(perPage, remaining);
        remaining -= rows;
        const PageLayout layout = OrderPageLayout(printer.geometry, rows);
        const int ink = InkOutsideLayout(pdf.images[page], layout, printer.placement, 1);
        std::printf("%s, page %d: %d dark pixels outside the cells and lines\n", title.c_str(),
                    page + 1, ink);
        EXPECT_EQ(ink, 0) << title << ", page " << page + 1;
        for (const PdfWord& word :
             WordsOutsideCells(pdf.words[page], layout, printer.placement, 0.5))
            ADD_FAILURE() << title << ", page " << page + 1 << ": \"" << word.text
                          << "\" leaves its cell (" << word.xMin << ".." << word.xMax
                          << " pt across, " << word.yMin << ".." << word.yMax << " pt down)";
    }
    return pdf.words;
}

class PrintOrderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The printing dialog's template is linked in with the host's others.
        session.hostInstance = GetModuleHandleA(nullptr);
        ASSERT_NE(nullptr, FindResourceA(session.hostInstance,
                                         MAKEINTRESOURCEA(kPrintingDialogTemplate), RT_DIALOG));
        session.hostTextCallback = TestHostText;
        session.language = 0;
        regionalSettings = {'.', ',', 2};
        hostTexts[8301] = "Supplier";
        hostTexts[8302] = "Orderer";
        hostTexts[8303] = "Customer no. %s";
        hostTexts[8304] = "Order ref. %s";
        hostTexts[8305] = "ORDER";
        hostTexts[8306] = "Please deliver:";
        hostTexts[8307] = "Date:";
        hostTexts[8308] = "Signature:";
        hostTexts[8309] = "Qty";
        hostTexts[8310] = "Code";
        hostTexts[8311] = "Description";
        hostTexts[8312] = "Unit price";
        hostTexts[8313] = "Total";
        hostTexts[8314] = "Page sum";
        hostTexts[8315] = "With surcharge";
        hostTexts[23098] = "Cancel";
        hostTexts[23099] = "Printing the order...";
        std::snprintf(session.ordererLines[0], kOrdererSlotSize, "Anna Berg");
        std::snprintf(session.ordererLines[1], kOrdererSlotSize, "Mill Lane 3");
        std::snprintf(session.ordererLines[5], kOrdererSlotSize, "K4711");
        answers = DialogAnswers{};
        cbtHook = SetWindowsHookExA(WH_CBT, AnswerPrintDialog, nullptr, GetCurrentThreadId());
        callHook =
            SetWindowsHookExA(WH_CALLWNDPROCRET, WatchProgress, nullptr, GetCurrentThreadId());
        parent_ = std::make_unique<TestHostWindow>(400, 300);
        beepsBefore_ = printWarningBeeps;
    }
    void TearDown() override {
        UnhookWindowsHookEx(cbtHook);
        UnhookWindowsHookEx(callHook);
        parent_.reset();
    }

    bool HavePrintServer() const { return !Env("BRENK_PDF_DIR").empty(); }

    // Prints the order under a document name of its own.
    void Print(const std::string& title) {
        std::snprintf(session.titleText, sizeof session.titleText, "%s", title.c_str());
        RemovePdfs(title);
        PrintOrderSheet(parent_->handle());
    }

    // What a finished job leaves: the parent usable, the dialog gone.
    void ExpectJobClosed() {
        EXPECT_TRUE(IsWindowEnabled(parent_->handle()));
        EXPECT_EQ(abortDialog, nullptr);
    }

    std::unique_ptr<TestHostWindow> parent_;
    int beepsBefore_ = 0;
};

#define REQUIRE_PRINT_SERVER()                                                                     \
    do {                                                                                           \
        if (!HavePrintServer()) {                                                                  \
            GTEST_SKIP() << "skipped: no print server (scripts/test.sh starts one)";               \
        }                                                                                          \
    } while (0)

// The safety net for printers that print wider than they measure: a text
// wider than its cell (and starting left of it) leaves no ink outside the
// cell or its line, and is drawn up to the cell's edges.
TEST(PrintSurfaceTest, TextStopsAtTheEdgesOfItsCell) {
    MemorySurface page(200, 60);
    HFONT font = CreateFontA(-24, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, "Arial");
    HGDIOBJ old = SelectObject(page.dc(), font);
    SetBkMode(page.dc(), TRANSPARENT);
    DcPrintSurface surface(page.dc());
    surface.Text(20, 10, "WWWWWWWWWW", 10, {30, 90});
    const RECT ink = page.InkBounds();
    EXPECT_GE(ink.left, 30);
    EXPECT_LE(ink.right, 90);
    EXPECT_GE(ink.top, 10);
    EXPECT_LE(ink.bottom, 10 + LineHeight(page.dc()));
    EXPECT_GE(ink.right - ink.left, 55);
    SelectObject(page.dc(), old);
    DeleteObject(font);
}

TEST_F(PrintOrderTest, NothingToPrintStartsNoJob) {
    OrderItems(0);
    PrintOrderSheet(parent_->handle());
    OrderItems(3);
    catalogue.validUntil.year = 0; // expired price list
    PrintOrderSheet(parent_->handle());
    EXPECT_EQ(answers.printDialogsSeen, 0);
    EXPECT_EQ(printWarningBeeps, beepsBefore_);
    ExpectJobClosed();
}

TEST_F(PrintOrderTest, ThreeItemsOnOnePage) {
    REQUIRE_PRINT_SERVER();
    OrderItems(3);
    Print("Order three items");
    ExpectJobClosed();
    EXPECT_EQ(printWarningBeeps, beepsBefore_);
    const PrintedPdf pdf = ReadPdf("Order three items");
    ASSERT_TRUE(pdf.found) << "no PDF in " << Env("BRENK_PDF_DIR");
    EXPECT_EQ(pdf.pages, 1);
    const std::string& text = pdf.pageTexts.at(0);
    for (const char* expected : {"Supplier",
                                 "Orderer",
                                 "Gerrit Instruments",
                                 "Harbour Road 12",
                                 "Anna Berg",
                                 "Mill Lane 3",
                                 "Customer no. K4711",
                                 "ORDER",
                                 "Please deliver:",
                                 "Qty",
                                 "Code",
                                 "Description",
                                 "Unit price",
                                 "Total",
                                 "Page sum",
                                 "With surcharge",
                                 "Date:",
                                 "Signature:",
                                 "Prices without tax.",
                                 "Delivery within two weeks.",
                                 "Measuring lead 4"})
        EXPECT_EQ(Occurrences(text, expected), 1) << expected;
    for (int n = 0; n < 3; ++n)
        EXPECT_EQ(Occurrences(text, ItemCode(2 * n)), 1) << ItemCode(2 * n);
    EXPECT_EQ(Occurrences(text, ItemCode(1)), 0);
    const double sum = PageSum(0, 3);
    EXPECT_NE(text.find(Amount(sum)), std::string::npos) << Amount(sum);
    EXPECT_NE(text.find(Amount(sum * 1.1)), std::string::npos) << Amount(sum * 1.1);
    char date[kPrintDateSize];
    FormatPrintDate(date);
    EXPECT_EQ(Occurrences(text, date), 1) << date;
    // The printing dialog heard of page 1 of 1 and showed it.
    ASSERT_EQ(answers.progress.size(), 1u);
    EXPECT_EQ(answers.progress[0], std::make_pair(1, 1));
    EXPECT_EQ(answers.progressTexts[0], "1 / 1");
    EXPECT_EQ(answers.progressBarPositions[0], 1);
    const auto words = ExpectPagesInsideTheirCells("Order three items", 3);
    ASSERT_EQ(words.size(), 1u);
    ExpectWholeAmounts(words[0], 0, 3);
}

// Dark pixels in a column of the image between two rows.
int InkInColumn(const PrintedPdf& pdf, int x, int top, int bottom) {
    int ink = 0;
    for (int y = top; y < bottom && y < pdf.height; ++y)
        ink += static_cast<unsigned char>(pdf.pixels[static_cast<size_t>(y * pdf.width + x)]) < 128;
    return ink;
}

TEST_F(PrintOrderTest, TwentyItemsOnOnePageWithTheGrid) {
    REQUIRE_PRINT_SERVER();
    OrderItems(20);
    Print("Order twenty items");
    const PrintedPdf pdf = ReadPdf("Order twenty items");
    ASSERT_TRUE(pdf.found);
    EXPECT_EQ(pdf.pages, 1);
    for (int n = 0; n < 20; ++n)
        EXPECT_EQ(Occurrences(pdf.pageTexts.at(0), ItemCode(2 * n)), 1) << ItemCode(2 * n);
    // At 50 dpi the table's vertical lines stand where the column edges of
    // A4 at 300 dpi fall (75, 300, 660, 1560, 1942, 2325 device units), give
    // or take the page's unprintable margin: find the first, then the others
    // at its distances.
    ASSERT_EQ(pdf.pixels.size(), static_cast<size_t>(pdf.width * pdf.height));
    const int tableTop = 872 / 6 + 10, tableBottom = tableTop + 200;
    int first = -1;
    for (int x = 0; x < pdf.width / 4 && first < 0; ++x)
        if (InkInColumn(pdf, x, tableTop, tableBottom) > 150)
            first = x;
    ASSERT_GE(first, 0) << "no left edge of the table";
    for (int edge : {300, 660, 1560, 1942, 2325}) {
        const int x = first + (edge - 75) / 6;
        int best = 0;
        for (int dx = -2; dx <= 2; ++dx)
            best = std::max(best, InkInColumn(pdf, x + dx, tableTop, tableBottom));
        EXPECT_GT(best, 150) << "no line near device x " << edge;
    }
    const auto words = ExpectPagesInsideTheirCells("Order twenty items", 20);
    ASSERT_EQ(words.size(), 1u);
    ExpectWholeAmounts(words[0], 0, 20);
}

TEST_F(PrintOrderTest, FortyFiveItemsOnTwoPagesWithTheirOwnSums) {
    REQUIRE_PRINT_SERVER();
    OrderItems(45);
    Print("Order 45 items");
    const PrintedPdf pdf = ReadPdf("Order 45 items");
    ASSERT_TRUE(pdf.found);
    // A4 at 300 dpi with the print font holds 23 or 24 rows, as the font's
    // line height comes out: two pages either way.
    const int perPage = PrinterGeometry().rowsPerPage;
    ASSERT_GE(perPage, 23);
    ASSERT_LE(perPage, 24);
    ASSERT_EQ(pdf.pages, 2);
    ASSERT_GE(pdf.pageTexts.size(), 2u);
    for (int n = 0; n < 45; ++n) {
        const int page = n < perPage ? 0 : 1;
        EXPECT_EQ(Occurrences(pdf.pageTexts[page], ItemCode(2 * n)), 1) << ItemCode(2 * n);
        EXPECT_EQ(Occurrences(pdf.pageTexts[1 - page], ItemCode(2 * n)), 0) << ItemCode(2 * n);
    }
    EXPECT_NE(pdf.pageTexts[0].find(Amount(PageSum(0, perPage))), std::string::npos);
    EXPECT_NE(pdf.pageTexts[1].find(Amount(PageSum(perPage, 45))), std::string::npos);
    EXPECT_EQ(pdf.pageTexts[1].find(Amount(PageSum(0, 45))), std::string::npos);
    for (int page = 0; page < 2; ++page)
        EXPECT_EQ(Occurrences(pdf.pageTexts[page], "Page sum"), 1) << "page " << page + 1;
    const std::vector<std::pair<int, int>> progress = {{1, 2}, {2, 2}};
    EXPECT_EQ(answers.progress, progress);
    const auto words = ExpectPagesInsideTheirCells("Order 45 items", 45);
    ASSERT_EQ(words.size(), 2u);
    ExpectWholeAmounts(words[0], 0, perPage);
    ExpectWholeAmounts(words[1], perPage, 45);
}

TEST_F(PrintOrderTest, CancelWhilePageTwoOfThreeIsDrawn) {
    REQUIRE_PRINT_SERVER();
    OrderItems(50);
    answers.cancelOnPage = 2;
    Print("Order cancelled");
    EXPECT_EQ(printCancelled, 1);
    const std::vector<std::pair<int, int>> progress = {{1, 3}, {2, 3}};
    EXPECT_EQ(answers.progress, progress); // page 3 never started
    EXPECT_EQ(answers.progressTexts.back(), "2 / 3");
    ExpectJobClosed();
    // What was drawn is printed; page 3 is not.
    const PrintedPdf pdf = ReadPdf("Order cancelled");
    if (pdf.found) {
        EXPECT_EQ(pdf.pages, 2);
        for (const auto& page : pdf.pageTexts)
            EXPECT_EQ(Occurrences(page, ItemCode(2 * 48)), 0);
    }
}

TEST_F(PrintOrderTest, CancellingThePrintDialogBeepsAndPrintsNothing) {
    REQUIRE_PRINT_SERVER();
    OrderItems(3);
    answers.printDialogAnswer = IDCANCEL;
    Print("Order not printed");
    EXPECT_EQ(answers.printDialogsSeen, 1);
    // The dialog belongs to the order sheet and keeps it from a second Print.
    EXPECT_FALSE(answers.printDialogOwnerEnabled);
    EXPECT_EQ(printWarningBeeps, beepsBefore_ + 1);
    EXPECT_TRUE(answers.progress.empty());
    ExpectJobClosed();
    EXPECT_FALSE(ReadPdf("Order not printed").found);
}

TEST_F(PrintOrderTest, RefusedJobEndsWithABeep) {
    REQUIRE_PRINT_SERVER();
    const std::string queue = Env("BRENK_PRINT_QUEUE").empty() ? "PDF" : Env("BRENK_PRINT_QUEUE");
    OrderItems(3);
    RunShell("cupsreject " + queue + "\n");
    Print("Order refused");
    RunShell("cupsaccept " + queue + "\n");
    EXPECT_EQ(printWarningBeeps, beepsBefore_ + 1);
    EXPECT_EQ(answers.progress.size(), 1u);
    ExpectJobClosed();
    EXPECT_FALSE(ReadPdf("Order refused").found);
}

TEST_F(PrintOrderTest, ChosenPrinterIsOfferedAgain) {
    REQUIRE_PRINT_SERVER();
    const std::string queue = Env("BRENK_PRINT_QUEUE").empty() ? "PDF" : Env("BRENK_PRINT_QUEUE");
    OrderItems(3);
    Print("Order first choice");
    ASSERT_NE(keptDeviceNames, nullptr);
    const auto* names = static_cast<const DEVNAMES*>(GlobalLock(keptDeviceNames));
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(names) + names->wDeviceOffset), queue);
    GlobalUnlock(keptDeviceNames);
    EXPECT_NE(keptDeviceMode, nullptr);
    Print("Order second choice");
    EXPECT_EQ(answers.printDialogsSeen, 2);
    EXPECT_EQ(answers.preselectedPrinter, queue);
    EXPECT_TRUE(ReadPdf("Order second choice").found);
}

} // namespace
