#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/catalogue.h"
#include "print/order_page.h"

namespace {

// Records what a page draws; characters are 10 units wide and numbers come
// back as "<count>" or "<amount>" so tests can find them.
class RecordingSurface : public PrintSurface {
  public:
    struct DrawnText {
        int x, y;
        std::string text;
        CellSpan cell;
    };
    struct DrawnLine {
        int x1, y1, x2, y2;
    };
    std::vector<DrawnText> texts;
    std::vector<DrawnLine> lines;
    std::map<uint32_t, std::string> hostTexts;

    int PrefixWidth(const char*, int n) const override { return 10 * n; }
    void Line(int x1, int y1, int x2, int y2) override { lines.push_back({x1, y1, x2, y2}); }
    void Text(int x, int y, const char* text, int length, CellSpan cell) override {
        texts.push_back({x, y, std::string(text, static_cast<size_t>(length)), cell});
    }
    void HostText(uint32_t id, char* buffer, int size) override {
        auto found = hostTexts.find(id);
        const std::string text = found == hostTexts.end() ? "" : found->second;
        snprintf(buffer, static_cast<size_t>(size), "%s", text.c_str());
    }
    void MaskedNumber(char* out, double amount, int count, const char*) override {
        if (count >= 0)
            snprintf(out, 30, "q%d", count);
        else
            snprintf(out, 30, "a%.2f", amount);
    }

    const DrawnText* Find(const std::string& text) const {
        for (const auto& t : texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }
    int Count(const std::string& text) const {
        return static_cast<int>(std::count_if(texts.begin(), texts.end(),
                                              [&](const DrawnText& t) { return t.text == text; }));
    }
};

// A page wide enough that no text in these tests is cut.
PrintGeometry TestGeometry() {
    return ComputePrintGeometry(6000, 600, 300, 40);
}

class OrderPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        catalogue_ = std::make_unique<Catalogue>();
        rows_ = std::make_unique<ItemTextRow[]>(kItemTextRows);
        catalogue_->itemTexts[1] = rows_.get();
        catalogue_->itemCount = 10;
        catalogue_->validUntil.year = 2030;
        for (int i = 0; i < 10; ++i) {
            snprintf(rows_[i].itemCode, sizeof rows_[i].itemCode, "C%d", i);
            snprintf(rows_[i].itemText, sizeof rows_[i].itemText, "Item %d", i);
            catalogue_->prices[i] = 10.0 * (i + 1);
        }
        snprintf(catalogue_->addresses[0].title, kAddressTextLimit + 1, "Not printed");
        snprintf(catalogue_->addresses[0].lines[0], kAddressTextLimit + 1, "Maker Ltd");
        snprintf(catalogue_->noteLines[1][0], kNoteLineLimit + 1, "Note one");
        snprintf(catalogue_->noteLines[1][1], kNoteLineLimit + 1, "Note two");
        data_.catalogue = catalogue_.get();
        data_.language = 1;
        for (int slot = 0; slot < kPrintOrdererSlots; ++slot)
            data_.orderer[slot] = orderer_[slot];
        data_.date = "15.07.2002";
        surface_.hostTexts = {{8301, "From"},  {8302, "To"},    {8303, "Cust %s"}, {8304, "Ref %s"},
                              {8307, "Date:"}, {8309, "Qty"},   {8310, "Code"},    {8311, "Text"},
                              {8312, "Price"}, {8313, "Total"}, {8314, "Sum"},     {8315, "Sum+"}};
    }

    std::unique_ptr<Catalogue> catalogue_;
    std::unique_ptr<ItemTextRow[]> rows_;
    char orderer_[kPrintOrdererSlots][42] = {};
    OrderPrintData data_{};
    RecordingSurface surface_;
};

TEST_F(OrderPageTest, ThreeItemsOnFiveSlotsWithTotalsBelow) {
    catalogue_->quantities[1] = 2;
    catalogue_->quantities[4] = 1;
    catalogue_->quantities[7] = 3;
    const PrintGeometry g = TestGeometry();
    const int rows = RowsOnPage(g.rowsPerPage, 3);
    ASSERT_EQ(rows, 5);
    const PrintedPage page = DrawOrderPage(surface_, g, data_, rows, 0);
    EXPECT_EQ(page.itemsDrawn, 3);
    EXPECT_EQ(page.nextItem, 10); // the empty slots searched to the end
    EXPECT_DOUBLE_EQ(page.pageSum, 2 * 20.0 + 50.0 + 3 * 80.0);
    // Rows 1..3 hold the items in index order; 4 and 5 stay empty.
    const int expectedRow[3][2] = {{1, 1}, {4, 2}, {7, 3}};
    for (const auto& e : expectedRow) {
        const auto* code = surface_.Find("C" + std::to_string(e[0]));
        ASSERT_NE(code, nullptr) << e[0];
        EXPECT_EQ(code->y, RowTextTop(g, e[1]));
        EXPECT_EQ(code->x, g.columns[1] + 2 * g.unitX + 1);
    }
    EXPECT_EQ(surface_.Find("C0"), nullptr); // quantity 0 takes no row
    // The totals sit on rows r + 1 and r + 2, with their labels.
    EXPECT_EQ(surface_.Find("a330.00")->y, RowTextTop(g, 6));
    EXPECT_EQ(surface_.Find("Sum")->y, RowTextTop(g, 6));
    EXPECT_EQ(surface_.Find("Sum+")->y, RowTextTop(g, 7));
    // Horizontal lines k = 0..r+1, two of them doubled, plus the totals' box.
    const int top = g.tableTop;
    const int full = static_cast<int>(std::count_if(
        surface_.lines.begin(), surface_.lines.end(), [&](const RecordingSurface::DrawnLine& l) {
            return l.y1 == l.y2 && l.x1 == g.columns[0] && l.x2 == g.columns[5];
        }));
    EXPECT_EQ(full, rows + 2 + 2);
    bool doubleBottom = false;
    for (const auto& l : surface_.lines)
        doubleBottom |= l.y1 == top + 8 * g.rowHeight + g.unitY && l.x2 == g.columns[5] + 1;
    EXPECT_TRUE(doubleBottom);
}

TEST_F(OrderPageTest, PageSumsCoverTheirOwnPageOnly) {
    for (int i = 0; i < 8; ++i)
        catalogue_->quantities[i] = 1;
    const PrintGeometry g = ComputePrintGeometry(6000, 600, 300, 40);
    // Six rows per page as if the page held six: two pages, 6 + 2 (5 slots).
    const PrintedPage first = DrawOrderPage(surface_, g, data_, 6, 0);
    EXPECT_EQ(first.itemsDrawn, 6);
    EXPECT_DOUBLE_EQ(first.pageSum, 10 + 20 + 30 + 40 + 50 + 60.0);
    RecordingSurface second;
    second.hostTexts = surface_.hostTexts;
    const PrintedPage next = DrawOrderPage(second, g, data_, RowsOnPage(6, 2), first.nextItem);
    EXPECT_EQ(next.itemsDrawn, 2);
    EXPECT_DOUBLE_EQ(next.pageSum, 70 + 80.0);
    EXPECT_NE(second.Find("a150.00"), nullptr);
    EXPECT_EQ(second.Find("C5"), nullptr);
}

TEST_F(OrderPageTest, SurchargeRaisesTheSecondTotal) {
    catalogue_->quantities[0] = 10; // 10 x 10.00 = 100
    catalogue_->surchargePercent = 10;
    const PrintGeometry g = TestGeometry();
    DrawOrderPage(surface_, g, data_, 5, 0);
    EXPECT_EQ(surface_.Count("a100.00"), 2); // the line total and the page sum
    ASSERT_NE(surface_.Find("a110.00"), nullptr);
    EXPECT_EQ(surface_.Find("a110.00")->y, RowTextTop(g, 7));
    EXPECT_NE(surface_.Find("q10"), nullptr);
}

TEST_F(OrderPageTest, OrdererLinesCloseUpAndFieldsFollow) {
    catalogue_->quantities[0] = 1;
    snprintf(orderer_[0], 42, "Anna");
    snprintf(orderer_[1], 42, "Street 1");
    snprintf(orderer_[3], 42, "Town"); // slot 2 empty
    snprintf(orderer_[4], 42, "Land");
    snprintf(orderer_[5], 42, "K-7");
    const PrintGeometry g = TestGeometry();
    DrawOrderPage(surface_, g, data_, 5, 0);
    const int lh = g.lineHeight;
    EXPECT_EQ(surface_.Find("Anna")->y, g.headTop + lh);
    EXPECT_EQ(surface_.Find("Street 1")->y, g.headTop + 2 * lh);
    EXPECT_EQ(surface_.Find("Town")->y, g.headTop + 3 * lh);
    EXPECT_EQ(surface_.Find("Land")->y, g.headTop + 4 * lh);
    EXPECT_EQ(surface_.Find("Town")->x, g.rightText + 1);
    // The field gets its host text, after one free line.
    ASSERT_NE(surface_.Find("Cust K-7"), nullptr);
    EXPECT_EQ(surface_.Find("Cust K-7")->y, g.headTop + 6 * lh);
    EXPECT_EQ(surface_.Count("Ref "), 0); // empty slot 6 prints nothing
    // The first address record's lines, never its title.
    EXPECT_EQ(surface_.Find("Maker Ltd")->y, g.headTop + lh);
    EXPECT_EQ(surface_.Find("Not printed"), nullptr);
}

TEST_F(OrderPageTest, HeadingsFooterAndNotes) {
    catalogue_->quantities[2] = 1;
    const PrintGeometry g = TestGeometry();
    DrawOrderPage(surface_, g, data_, 5, 0);
    for (const char* heading : {"Qty", "Code", "Text", "Price", "Total"})
        EXPECT_EQ(surface_.Find(heading)->y, RowTextTop(g, 0)) << heading;
    const int footer = FooterTop(g, 5);
    EXPECT_EQ(surface_.Find("15.07.2002")->y, footer);
    EXPECT_EQ(surface_.Find("15.07.2002")->x, g.columns[4] + 1);
    // "Date:" right-aligned against c4 - 2v.
    EXPECT_EQ(surface_.Find("Date:")->x, g.columns[4] - 2 * g.unitX - 1 - 50);
    EXPECT_EQ(surface_.Find("Note one")->y, footer + 3 * g.lineHeight);
    EXPECT_EQ(surface_.Find("Note two")->y, footer + 4 * g.lineHeight);
}

TEST_F(OrderPageTest, HostTextWithLineFeedPrintsTwoLines) {
    catalogue_->quantities[0] = 1;
    surface_.hostTexts[8305] = "Upper\nLower\nThird";
    surface_.hostTexts[8306] = "100%% %d %s";
    const PrintGeometry g = TestGeometry();
    DrawOrderPage(surface_, g, data_, 5, 0);
    EXPECT_EQ(surface_.Find("Upper")->y, g.secondTop);
    // The third line is not split off: it stays part of the second.
    EXPECT_EQ(surface_.Find("Lower\nThird")->y, g.secondTop + g.lineHeight);
    EXPECT_NE(surface_.Find("100%  %s"), nullptr);
}

TEST_F(OrderPageTest, LongTextIsCutToItsCell) {
    catalogue_->quantities[0] = 1;
    snprintf(rows_[0].itemCode, sizeof rows_[0].itemCode, "%s", "ABCDEFGHIJKLMNOPQRST");
    const PrintGeometry g = ComputePrintGeometry(3508, 300, 300, 40);
    DrawOrderPage(surface_, g, data_, 5, 0);
    const int cell = g.columns[2] - g.columns[1] - 2 * g.unitX; // 346 units
    const auto* code =
        surface_.Find(std::string("ABCDEFGHIJKLMNOPQRST").substr(0, (cell - 2) / 10));
    ASSERT_NE(code, nullptr);
}

// Each text is handed over with the cell it was measured into, so a printer
// that prints wider than it measures can be stopped at the cell's edge.
TEST_F(OrderPageTest, EveryTextComesWithTheCellItWasMeasuredInto) {
    const std::string wide(60, 'W');
    catalogue_->quantities[0] = 1;
    snprintf(rows_[0].itemCode, sizeof rows_[0].itemCode, "%s", wide.c_str());
    snprintf(rows_[0].itemText, sizeof rows_[0].itemText, "%s", wide.c_str());
    snprintf(catalogue_->addresses[0].lines[0], kAddressTextLimit + 1, "%s", wide.c_str());
    snprintf(orderer_[0], 42, "%s", wide.c_str());
    for (uint32_t id = kLeftHeadingText; id <= kSurchargedTotalText; ++id)
        surface_.hostTexts[id] = wide;
    const PrintGeometry g = ComputePrintGeometry(3508, 300, 300, 40);
    DrawOrderPage(surface_, g, data_, 5, 0);
    ASSERT_GT(surface_.texts.size(), 20u);
    for (const auto& t : surface_.texts) {
        EXPECT_GE(t.x, t.cell.left + 1) << t.text;
        EXPECT_LE(t.x + 10 * static_cast<int>(t.text.size()), t.cell.right - 1) << t.text;
    }
    // An item row: the five columns, code and text kept 2v off their left line.
    const int* c = g.columns;
    const int v = g.unitX;
    std::vector<std::pair<int, int>> row;
    for (const auto& t : surface_.texts)
        if (t.y == RowTextTop(g, 1))
            row.push_back({t.cell.left, t.cell.right});
    std::sort(row.begin(), row.end());
    const std::vector<std::pair<int, int>> columns = {
        {c[0], c[1]}, {c[1] + 2 * v, c[2]}, {c[2] + 2 * v, c[3]}, {c[3], c[4]}, {c[4], c[5]}};
    EXPECT_EQ(row, columns);
    // The totals' labels end 2v before the totals' column.
    int labels = 0;
    for (const auto& t : surface_.texts) {
        if (t.y != RowTextTop(g, 6) || t.text[0] != 'W')
            continue;
        ++labels;
        EXPECT_EQ(std::make_pair(t.cell.left, t.cell.right), std::make_pair(c[2], c[4] - 2 * v));
    }
    EXPECT_EQ(labels, 1);
}

TEST_F(OrderPageTest, MissingTextsOfTheLanguageDrawNoItemTexts) {
    catalogue_->quantities[0] = 1;
    data_.language = 3; // no text block made for it
    DrawOrderPage(surface_, TestGeometry(), data_, 5, 0);
    EXPECT_EQ(surface_.Find("C0"), nullptr);
    EXPECT_NE(surface_.Find("q1"), nullptr);
    data_.language = 99; // out of range reads language 0, which has none either
    DrawOrderPage(surface_, TestGeometry(), data_, 5, 0);
}

} // namespace
