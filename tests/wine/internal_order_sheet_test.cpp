// The order sheet and the quantity entry, opened from the test's own
// templates and driven from a timer inside their modal loops with the
// messages a user's keys and clicks produce.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "config/catalogue.h"
#include "config/regional.h"
#include "frame/exports.h"
#include "order/amount_mask_win32.h"
#include "order/order_ids.h"
#include "order/order_sheet.h"
#include "print/print_order.h"
#include "test_support.h"

namespace {

// One step runs per timer tick; a step returning false is tried again on
// the next tick (waiting for a dialog to open or close).
using Step = std::function<bool()>;

struct SheetDriver {
    std::vector<Step> steps;
    size_t next = 0;
    int ticks = 0;
    bool busy = false;
    bool timedOut = false;
};

SheetDriver* driver = nullptr;
constexpr int kTickLimit = 400;

struct FoundDialogs {
    HWND sheet = nullptr;
    HWND entry = nullptr;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    auto* dialogs = reinterpret_cast<FoundDialogs*>(found);
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    if (GetDlgItem(window, kQuantityList))
        dialogs->sheet = window;
    else if (GetDlgItem(window, kEntryField) && GetDlgItem(window, IDCANCEL))
        dialogs->entry = window;
    return TRUE;
}

FoundDialogs Dialogs() {
    FoundDialogs found;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND Sheet() {
    return Dialogs().sheet;
}
HWND Entry() {
    return Dialogs().entry;
}

void CALLBACK DriveTick(HWND, UINT, UINT_PTR, DWORD) {
    if (!driver || driver->busy)
        return;
    driver->busy = true;
    if (++driver->ticks > kTickLimit) {
        driver->timedOut = true;
        if (HWND entry = Entry())
            EndDialog(entry, 0);
        if (HWND sheet = Sheet())
            EndDialog(sheet, 0);
    } else if (driver->next < driver->steps.size() && Sheet() && driver->steps[driver->next]()) {
        ++driver->next;
    }
    driver->busy = false;
}

// Opens the sheet and runs the steps in it; the last step should close it.
void RunSheet(std::vector<Step> steps) {
    SheetDriver run;
    run.steps = std::move(steps);
    driver = &run;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, DriveTick);
    ShowOrderSheet(PrintOrderSheet);
    KillTimer(nullptr, timer);
    driver = nullptr;
    EXPECT_FALSE(run.timedOut) << "stopped at step " << run.next;
    EXPECT_EQ(run.steps.size(), run.next);
}

std::string LineText(int listId, int line) {
    char text[256] = "";
    SendDlgItemMessageA(Sheet(), listId, LB_GETTEXT, static_cast<WPARAM>(line),
                        reinterpret_cast<LPARAM>(text));
    return text;
}

std::string ControlText(HWND dialog, int id) {
    char text[256] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

std::string Trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first);
}

int LeadingSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    return static_cast<int>(first == std::string::npos ? text.size() : first);
}

std::string Amount(double value) {
    char text[kAmountTextSize];
    FormatAmount(text, value);
    return text;
}

LRESULT ListMessage(int listId, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendDlgItemMessageA(Sheet(), listId, message, wParam, lParam);
}

void PostKey(HWND target, WPARAM key) {
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

void TypeText(HWND field, const char* text) {
    for (const char* c = text; *c; ++c)
        PostMessageA(field, WM_CHAR, static_cast<unsigned char>(*c), 1);
}

void Click(HWND dialog, int id) {
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Scroll(int request, int position = 0) {
    SendMessageA(Sheet(), WM_VSCROLL, MAKEWPARAM(request, position),
                 reinterpret_cast<LPARAM>(GetDlgItem(Sheet(), kOrderScrollBarId)));
}

int ScrollPosition() {
    return GetScrollPos(GetDlgItem(Sheet(), kOrderScrollBarId), SB_CTL);
}

// Selects a line through the list itself, as a click would, so that the
// sheet hears of it by its notification.
void SelectLine(int listId, int line) {
    ListMessage(listId, LB_SETCURSEL, static_cast<WPARAM>(line));
    SendMessageA(Sheet(), WM_COMMAND, MAKEWPARAM(listId, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(Sheet(), listId)));
}

Step Do(std::function<void()> action) {
    return [action] {
        action();
        return true;
    };
}
Step WaitForEntry() {
    return [] { return Entry() != nullptr; };
}
Step WaitForNoEntry() {
    return [] { return Entry() == nullptr; };
}
Step CloseSheet() {
    return Do([] { Click(Sheet(), kCloseButton); });
}

// Opens the entry with a digit typed in `listId`, types `text` and accepts.
std::vector<Step> EnterQuantity(int listId, WPARAM digitKey, const char* text) {
    return {Do([listId, digitKey] { PostKey(GetDlgItem(Sheet(), listId), digitKey); }),
            WaitForEntry(), Do([text] { TypeText(GetDlgItem(Entry(), kEntryField), text); }),
            Do([] { Click(Entry(), IDOK); }), WaitForNoEntry()};
}

std::vector<Step> Joined(std::initializer_list<std::vector<Step>> parts) {
    std::vector<Step> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

class OrderSheetTest : public ::testing::Test {
  protected:
    TestHostWindow* host = nullptr;

    void SetUp() override {
        session = DemoSession{};
        session.moduleInstance = GetModuleHandleA(nullptr);
        session.hostInstance = GetModuleHandleA(nullptr);
        session.hostTextCallback = TestHostText;
        host = new TestHostWindow(640, 480);
        session.hostWindow = host->handle();
        regionalSettings = {',', '.', 2};
        hostTexts[23358] = "Order sheet";
        hostTexts[23359] = "Print";
        hostTexts[23110] = "Close";
        EmptyCatalogue();
        std::memset(catalogue.quantities, 0, sizeof catalogue.quantities);
        ASSERT_TRUE(MakeItemTextBlocks(catalogue));
        MakeItems(100);
    }
    void TearDown() override {
        FreeCatalogue();
        std::memset(catalogue.quantities, 0, sizeof catalogue.quantities);
        delete host;
    }

    static void MakeItems(int count) {
        catalogue.itemCount = count;
        catalogue.validUntil = {2099, 31, 12};
        std::snprintf(catalogue.currency, sizeof catalogue.currency, "EUR");
        std::snprintf(catalogue.priceListLabel, sizeof catalogue.priceListLabel, "Winter list");
        for (int i = 0; i < count; ++i) {
            catalogue.prices[i] = 10.0 + i;
            std::snprintf(catalogue.itemTexts[0][i].itemCode, kItemCodeLimit + 1, "C%03d", i);
            std::snprintf(catalogue.itemTexts[0][i].itemText, kItemTextLimit + 1, "Item %d", i);
        }
    }
};

TEST_F(OrderSheetTest, ListsShowTheCatalogueInFiveColumns) {
    catalogue.quantities[2] = 3;
    catalogue.surchargePercent = 7.5;
    RunSheet({Do([] {
                  EXPECT_EQ(100, ListMessage(kItemTextList, LB_GETCOUNT));
                  EXPECT_EQ(" C002", LineText(kItemCodeList, 2));
                  EXPECT_EQ(" Item 2", LineText(kItemTextList, 2));
                  EXPECT_EQ("3", Trimmed(LineText(kQuantityList, 2)));
                  EXPECT_EQ(" ", LineText(kQuantityList, 1));
                  EXPECT_EQ(" ", LineText(kLineTotalList, 1));
                  EXPECT_EQ(Amount(12), Trimmed(LineText(kUnitPriceList, 2)));
                  EXPECT_EQ(Amount(36), Trimmed(LineText(kLineTotalList, 2)));
                  // Amounts are padded to the mask's width: a short one more.
                  EXPECT_GT(LeadingSpaces(LineText(kUnitPriceList, 0)), 1);
                  EXPECT_EQ("EUR (Winter list)", ControlText(Sheet(), kCurrencyLabel));
                  EXPECT_EQ("7.5 %", ControlText(Sheet(), kSurchargeLabel));
                  EXPECT_EQ("Order sheet", [] {
                      char caption[64] = "";
                      GetWindowTextA(Sheet(), caption, sizeof caption);
                      return std::string(caption);
                  }());
                  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Sheet(), kPrintButton)));
                  EXPECT_EQ(GetDlgItem(Sheet(), kQuantityList), GetFocus());
                  // Each list shows exactly 11 lines.
                  RECT client;
                  GetClientRect(GetDlgItem(Sheet(), kQuantityList), &client);
                  EXPECT_EQ(11, client.bottom / ListMessage(kQuantityList, LB_GETITEMHEIGHT))
                      << client.bottom << " " << ListMessage(kQuantityList, LB_GETITEMHEIGHT);
              }),
              CloseSheet()});
}

TEST_F(OrderSheetTest, HundredItemsScrollFromZeroToEightyNine) {
    RunSheet({Do([] {
                  int low = -1, high = -1;
                  GetScrollRange(GetDlgItem(Sheet(), kOrderScrollBarId), SB_CTL, &low, &high);
                  EXPECT_EQ(0, low);
                  EXPECT_EQ(89, high);
                  Scroll(SB_THUMBPOSITION, 85);
                  EXPECT_EQ(85, ListMessage(kItemCodeList, LB_GETTOPINDEX));
                  EXPECT_EQ(85, ListMessage(kLineTotalList, LB_GETTOPINDEX));
                  // The selection is dragged onto the first visible line.
                  EXPECT_EQ(85, ListMessage(kItemTextList, LB_GETCURSEL));
                  Scroll(SB_PAGEDOWN);
                  EXPECT_EQ(89, session.orderTopLine);
                  Scroll(SB_PAGEDOWN);
                  Scroll(SB_LINEDOWN);
                  EXPECT_EQ(89, session.orderTopLine);
                  EXPECT_EQ(89, ScrollPosition());
                  Scroll(SB_THUMBTRACK, 5);
                  EXPECT_EQ(5, session.orderTopLine);
                  // The selection stays on the last visible line.
                  EXPECT_EQ(15, session.orderSelectedLine);
                  EXPECT_EQ(15, ListMessage(kQuantityList, LB_GETCURSEL));
                  Scroll(SB_PAGEUP);
                  EXPECT_EQ(0, session.orderTopLine);
                  Scroll(SB_LINEUP);
                  EXPECT_EQ(0, ScrollPosition());
                  // Thumb positions outside the range are clamped.
                  Scroll(SB_THUMBPOSITION, 500);
                  EXPECT_EQ(89, session.orderTopLine);
                  Scroll(SB_THUMBPOSITION, 0xFFF0);
                  EXPECT_EQ(0, session.orderTopLine);
                  EXPECT_EQ(0, ListMessage(kItemCodeList, LB_GETTOPINDEX));
              }),
              CloseSheet()});
}

TEST_F(OrderSheetTest, ElevenItemsAndFewerDoNotScroll) {
    for (int count : {11, 4, 0}) {
        SCOPED_TRACE(count);
        catalogue.itemCount = count;
        RunSheet({Do([] {
                      int low = -1, high = -1;
                      GetScrollRange(GetDlgItem(Sheet(), kOrderScrollBarId), SB_CTL, &low, &high);
                      EXPECT_EQ(0, high);
                      Scroll(SB_LINEDOWN);
                      Scroll(SB_PAGEDOWN);
                      Scroll(SB_THUMBPOSITION, 7);
                      EXPECT_EQ(0, session.orderTopLine);
                      EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Sheet(), kPrintButton)));
                      EXPECT_EQ(Amount(0), Trimmed(ControlText(Sheet(), kOrderSumLabel)));
                  }),
                  // Without items a digit opens nothing.
                  Do([count] {
                      if (count == 0)
                          PostKey(GetDlgItem(Sheet(), kQuantityList), '5');
                  }),
                  Do([] { EXPECT_EQ(nullptr, Entry()); }), CloseSheet()});
    }
}

TEST_F(OrderSheetTest, ArrowKeyPastTheLastLineScrollsAllLists) {
    RunSheet({Do([] { SelectLine(kItemTextList, 10); }),
              Do([] { PostKey(GetDlgItem(Sheet(), kItemTextList), VK_DOWN); }), Do([] {
                  EXPECT_EQ(11, session.orderSelectedLine);
                  EXPECT_EQ(1, session.orderTopLine);
                  for (int id : kOrderListIds) {
                      EXPECT_EQ(1, ListMessage(id, LB_GETTOPINDEX)) << id;
                      EXPECT_EQ(11, ListMessage(id, LB_GETCURSEL)) << id;
                  }
                  EXPECT_EQ(1, ScrollPosition());
              }),
              CloseSheet()});
}

TEST_F(OrderSheetTest, DigitKeyOpensTheEntryPrefilledWithTheCaretAtTheEnd) {
    RunSheet({Do([] { SelectLine(kItemCodeList, 3); }),
              Do([] { PostKey(GetDlgItem(Sheet(), kItemCodeList), 'A'); }),
              Do([] { EXPECT_EQ(nullptr, Entry()); }),
              Do([] { PostKey(GetDlgItem(Sheet(), kUnitPriceList), '7'); }), WaitForEntry(), Do([] {
                  HWND field = GetDlgItem(Entry(), kEntryField);
                  EXPECT_EQ("7", ControlText(Entry(), kEntryField));
                  DWORD start = 0, end = 0;
                  SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                               reinterpret_cast<LPARAM>(&end));
                  EXPECT_EQ(1u, start);
                  EXPECT_EQ(1u, end);
                  EXPECT_EQ(field, GetFocus());
                  // Centred on the selected line of the quantity column.
                  RECT line, entry;
                  ListMessage(kQuantityList, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&line));
                  MapWindowPoints(GetDlgItem(Sheet(), kQuantityList), nullptr,
                                  reinterpret_cast<POINT*>(&line), 2);
                  GetWindowRect(Entry(), &entry);
                  const int middle = (entry.top + entry.bottom) / 2;
                  EXPECT_GE(middle, line.top);
                  EXPECT_LE(middle, line.bottom);
                  TypeText(field, "123456");
              }),
              Do([] { EXPECT_EQ("71234", ControlText(Entry(), kEntryField)); }),
              Do([] { Click(Entry(), IDCANCEL); }), WaitForNoEntry(),
              Do([] { EXPECT_EQ(0, catalogue.quantities[3]); }), CloseSheet()});
}

// One line has no neighbour to measure its height by: the entry still opens
// and centres on it.
TEST_F(OrderSheetTest, TheOnlyItemOfACatalogueCanBeOrdered) {
    MakeItems(1);
    RunSheet(Joined({{Do([] { SelectLine(kQuantityList, 0); })},
                     EnterQuantity(kItemTextList, '3', ""),
                     {Do([] { EXPECT_EQ(3, catalogue.quantities[0]); })},
                     {CloseSheet()}}));
}

TEST_F(OrderSheetTest, AcceptedEntryStoresTheNumberBeforeTheFirstOtherCharacter) {
    RunSheet(Joined({{Do([] { SelectLine(kQuantityList, 4); })},
                     EnterQuantity(kItemTextList, '4', "2x"),
                     {Do([] {
                         EXPECT_EQ(42, catalogue.quantities[4]);
                         EXPECT_EQ("42", Trimmed(LineText(kQuantityList, 4)));
                         EXPECT_EQ(Amount(42 * 14.0), Trimmed(LineText(kLineTotalList, 4)));
                         EXPECT_EQ(Amount(42 * 14.0),
                                   Trimmed(ControlText(Sheet(), kOrderSumLabel)));
                         EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Sheet(), kPrintButton)));
                         // The lists stay together on the entered line.
                         for (int id : kOrderListIds)
                             EXPECT_EQ(4, ListMessage(id, LB_GETCURSEL)) << id;
                     })},
                     {CloseSheet()}}));
}

TEST_F(OrderSheetTest, EnteredLineTotalUsesTheWiderMaskUntilTheSheetReopens) {
    catalogue.quantities[1] = 2;
    int enteredPadding = 0;
    RunSheet(Joined({{Do([] { SelectLine(kQuantityList, 0); })},
                     EnterQuantity(kQuantityList, '2', ""),
                     {Do([&] {
                         // Same amount on lines 0 and 1: 2 x 10 against 2 x 11 is
                         // close enough in width; compare with the untouched line.
                         enteredPadding = LeadingSpaces(LineText(kLineTotalList, 0));
                         EXPECT_GT(enteredPadding, LeadingSpaces(LineText(kLineTotalList, 1)));
                     })},
                     {CloseSheet()}}));
    RunSheet({Do([&] { EXPECT_LT(LeadingSpaces(LineText(kLineTotalList, 0)), enteredPadding); }),
              CloseSheet()});
}

TEST_F(OrderSheetTest, OutOfRangeEntriesKeepTheEntryOpen) {
    RunSheet({Do([] { SelectLine(kQuantityList, 6); }),
              Do([] { PostKey(GetDlgItem(Sheet(), kQuantityList), '1'); }), WaitForEntry(),
              Do([] { TypeText(GetDlgItem(Entry(), kEntryField), "0001"); }),
              Do([] { Click(Entry(), IDOK); }), Do([] {
                  ASSERT_NE(nullptr, Entry());
                  SetDlgItemTextA(Entry(), kEntryField, "-1");
                  Click(Entry(), IDOK);
              }),
              Do([] {
                  ASSERT_NE(nullptr, Entry());
                  SetDlgItemTextA(Entry(), kEntryField, "10000");
                  Click(Entry(), IDOK);
              }),
              WaitForNoEntry(), Do([] { EXPECT_EQ(10000, catalogue.quantities[6]); }),
              CloseSheet()});
}

TEST_F(OrderSheetTest, EmptyEntryClearsTheLineAndDisablesPrinting) {
    catalogue.quantities[0] = 12;
    RunSheet({Do([] {
                  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(Sheet(), kPrintButton)));
                  // A double click opens the entry with the line's quantity.
                  PostMessageA(GetDlgItem(Sheet(), kQuantityList), WM_LBUTTONDBLCLK, MK_LBUTTON,
                               MAKELPARAM(5, 5));
              }),
              WaitForEntry(), Do([] {
                  EXPECT_EQ("12", ControlText(Entry(), kEntryField));
                  SetDlgItemTextA(Entry(), kEntryField, "");
                  Click(Entry(), IDOK);
              }),
              WaitForNoEntry(), Do([] {
                  EXPECT_EQ(0, catalogue.quantities[0]);
                  EXPECT_EQ(" ", LineText(kQuantityList, 0));
                  EXPECT_EQ(" ", LineText(kLineTotalList, 0));
                  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Sheet(), kPrintButton)));
              }),
              CloseSheet()});
}

TEST_F(OrderSheetTest, PressOnTheSheetCancelsTheEntry) {
    catalogue.quantities[0] = 5;
    RunSheet({Do([] { PostKey(GetDlgItem(Sheet(), kQuantityList), '9'); }), WaitForEntry(), Do([] {
                  SendMessageA(Sheet(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Sheet()),
                               MAKELPARAM(HTERROR, WM_LBUTTONDOWN));
              }),
              WaitForNoEntry(), Do([] {
                  EXPECT_EQ(5, catalogue.quantities[0]);
                  EXPECT_EQ(nullptr, session.entryDialog);
              }),
              CloseSheet()});
}

TEST_F(OrderSheetTest, ReopenedSheetKeepsQuantitiesAddressAndPosition) {
    RunSheet(Joined(
        {{Do([] { Scroll(SB_THUMBPOSITION, 40); }), Do([] { SelectLine(kItemTextList, 45); })},
         EnterQuantity(kItemTextList, '8', ""),
         {Do([] {
              SetDlgItemTextA(Sheet(), kAddressField,
                              "Anna Berg\r\n\r\n  Mill Lane 4\r\n12345 Town\r\n"
                              "Country\r\nFifth\r\nSixth line\r\n");
              SetDlgItemTextA(Sheet(), kFirstFurtherField, "K-778");
              SetDlgItemTextA(Sheet(), kSecondFurtherField, "");
          }),
          CloseSheet()}}));
    EXPECT_STREQ("Anna Berg", session.ordererLines[0]);
    EXPECT_STREQ("Mill Lane 4", session.ordererLines[1]);
    EXPECT_STREQ("Country", session.ordererLines[3]);
    EXPECT_STREQ("Fifth", session.ordererLines[4]);
    RunSheet({Do([] {
                  EXPECT_EQ("Anna Berg\r\nMill Lane 4\r\n12345 Town\r\nCountry\r\nFifth",
                            ControlText(Sheet(), kAddressField));
                  EXPECT_EQ("K-778", ControlText(Sheet(), kFirstFurtherField));
                  EXPECT_EQ(40, ListMessage(kItemCodeList, LB_GETTOPINDEX));
                  EXPECT_EQ(45, ListMessage(kLineTotalList, LB_GETCURSEL));
                  EXPECT_EQ(40, ScrollPosition());
                  EXPECT_EQ("8", Trimmed(LineText(kQuantityList, 45)));
              }),
              CloseSheet()});
}

TEST_F(OrderSheetTest, LongAddressLinesKeepFortyCharactersAndPrintStoresFirst) {
    RunSheet({Do([] {
                  SetDlgItemTextA(Sheet(), kAddressField,
                                  "123456789012345678901234567890123456789012345\r\nNext");
                  SetDlgItemTextA(Sheet(), kSecondFurtherField, "Ref 9");
                  // Nothing ordered: print stores the fields and prints nothing.
                  SendMessageA(Sheet(), WM_COMMAND, kPrintButton, 0);
                  EXPECT_STREQ("1234567890123456789012345678901234567890", session.ordererLines[0]);
                  EXPECT_STREQ("Next", session.ordererLines[1]);
                  EXPECT_STREQ("Ref 9", session.ordererLines[6]);
              }),
              CloseSheet()});
}

TEST_F(OrderSheetTest, TotalsFollowTheSurcharge) {
    catalogue.quantities[0] = 10; // 10 x 10,00
    catalogue.quantities[5] = 0;
    catalogue.prices[7] = -3.0; // a negative price adds nothing
    catalogue.quantities[7] = 4;
    const struct {
        double percent;
        double second;
    } cases[] = {{0, 100}, {10, 110}, {-10, 90}};
    for (const auto& c : cases) {
        catalogue.surchargePercent = c.percent;
        const double second = c.second;
        RunSheet({Do([second] {
                      EXPECT_EQ(Amount(100), Trimmed(ControlText(Sheet(), kOrderSumLabel)));
                      EXPECT_EQ(Amount(second), Trimmed(ControlText(Sheet(), kSurchargedSumLabel)));
                  }),
                  CloseSheet()});
    }
}

TEST_F(OrderSheetTest, ExpiredCatalogueShowsNoPricesAndRefusesEntry) {
    catalogue.quantities[0] = 3;
    catalogue.validUntil.year = 0;
    RunSheet({Do([] {
                  EXPECT_EQ(" ", LineText(kQuantityList, 0));
                  EXPECT_EQ(" ", LineText(kUnitPriceList, 0));
                  EXPECT_EQ(" ", LineText(kLineTotalList, 0));
                  EXPECT_EQ(" C000", LineText(kItemCodeList, 0));
                  EXPECT_EQ("", ControlText(Sheet(), kOrderSumLabel));
                  EXPECT_EQ("", ControlText(Sheet(), kSurchargedSumLabel));
                  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(Sheet(), kPrintButton)));
                  PostKey(GetDlgItem(Sheet(), kQuantityList), '2');
              }),
              Do([] {}), Do([] { EXPECT_EQ(nullptr, Entry()); }), CloseSheet()});
    EXPECT_EQ(3, catalogue.quantities[0]);
}

} // namespace
