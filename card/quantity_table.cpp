#include "card/quantity_table.h"

// The table is built at compile time from its few groups and runs, so the
// rules that make it are what is written down here, not 1480 literal rows.

namespace {

struct BaseRow {
    int16_t id;
    const char* name;
    const char* unit;
};

constexpr BaseRow kBaseGroup[] = {
    {0, "U1", "V"},         {1, "U2", "V"},      {2, "U3", "V"},      {3, "U\xE4", "V"},
    {4, "I1", "A"},         {5, "I2", "A"},      {6, "I3", "A"},      {7, "I\xE4", "A"},
    {8, "In", "A"},         {9, "U12", "V"},     {10, "U23", "V"},    {11, "U31", "V"},
    {32, "P1", "W"},        {33, "P2", "W"},     {34, "P3", "W"},     {35, "P\xE4", "W"},
    {36, "P4", "W"},        {37, "P5", "W"},     {38, "P6", "W"},     {39, "Pc\xE4", "W"},
    {40, "Q1", "var"},      {41, "Q2", "var"},   {42, "Q3", "var"},   {43, "Q\xE4", "var"},
    {44, "Qc", "var"},      {45, "S1", "VA"},    {46, "S2", "VA"},    {47, "S3", "VA"},
    {48, "S\xE4", "VA"},    {49, "DQ1", "var"},  {50, "DQ2", "var"},  {51, "DQ3", "var"},
    {52, "DQ\xE4", "var"},  {64, "WP1", "Wh"},   {65, "WP2", "Wh"},   {66, "WP3", "Wh"},
    {67, "WP\xE4", "Wh"},   {68, "WQ1", "varh"}, {69, "WQ2", "varh"}, {70, "WQ3", "varh"},
    {71, "WQ\xE4", "varh"}, {72, "WS1", "VAh"},  {73, "WS2", "VAh"},  {74, "WS3", "VAh"},
    {75, "WS\xE4", "VAh"},  {76, "W4", "VAh"},   {77, "W5", "VAh"},   {78, "W6", "VAh"},
    {79, "WPT1", "Wh"},     {80, "WPT2", "Wh"},  {81, "WPT3", "Wh"},  {82, "W4T1", "VAh"},
    {83, "W4T2", "VAh"},    {84, "W4T3", "VAh"}, {85, "W5T1", "VAh"}, {86, "W5T2", "VAh"},
    {87, "W5T3", "VAh"},    {88, "W6T1", "VAh"}, {89, "W6T2", "VAh"}, {90, "W6T3", "VAh"},
    {96, "PF1", ""},        {97, "PF2", ""},     {98, "PF3", ""},     {99, "PF\xE4", ""},
    {100, "PFc", ""},       {101, "cu1", ""},    {102, "cu2", ""},    {103, "cu3", ""},
    {104, "cu\xE4", ""},    {105, "f", "Hz"},    {106, "ci1", ""},    {107, "ci2", ""},
    {108, "ci3", ""},       {109, "ci\xE4", ""}, {110, "Rot", ""},
};
static_assert(sizeof kBaseGroup / sizeof kBaseGroup[0] == 75, "base group");

struct BaseCopy {
    int16_t idOffset;
    char prefix;
};

// The third copy's first nine rows ("U1" to "In") carry the bare names.
constexpr BaseCopy kBaseCopies[] = {
    {128, '\xCF'}, {256, '\xD0'}, {384, '\xDB'}, {512, '0'}, {640, '1'}};
constexpr int kBareNamesInThirdCopy = 9;

constexpr const char* kLimitBands[] = {"<2%", ">2%", ">5%", ">10%", ">20%"};

struct HarmonicRun {
    int16_t firstId;
    const char* stem;
    const char* unit;
};

constexpr int kHarmonicsPerRun = 51; // orders 00..50
constexpr HarmonicRun kHarmonicRuns[] = {
    {1280, "I1", "A"},   {1331, "U1", "V"},   {1408, "I2", "A"},   {1459, "U2", "V"},
    {1536, "I3", "A"},   {1587, "U3", "V"},   {1664, "phiI1", ""}, {1715, "phiU1", ""},
    {1792, "phiI2", ""}, {1843, "phiU2", ""}, {1920, "phiI3", ""}, {1971, "phiU3", ""},
    {2048, "%I1", ""},   {2099, "%U1", ""},   {2176, "%I2", ""},   {2227, "%U2", ""},
    {2304, "%I3", ""},   {2355, "%U3", ""},
};

// Event quantities from 2432 on; "dU1".."dU3" and "dI1".."dI3" come twice.
constexpr const char* kEventNames[] = {
    "oI1",   "oI2",   "oI3",  "uI1",  "uI2",   "uI3",   "dI1",   "dI2",  "dI3",  "THDI1",
    "THDI2", "THDI3", "syI1", "syI2", "syI3",  "oU1",   "oU2",   "oU3",  "uU1",  "uU2",
    "uU3",   "dU1",   "dU2",  "dU3",  "THDU1", "THDU2", "THDU3", "syU1", "syU2", "syU3",
    "ofr1",  "ofr2",  "ofr3", "ufr1", "ufr2",  "ufr3",  "Up1",   "Up2",  "Up3",  "dU1",
    "dU2",   "dU3",   "Ip1",  "Ip2",  "Ip3",   "dI1",   "dI2",   "dI3",
};

constexpr BaseRow kSingleRows[] = {
    {768, "THD-I1", "%"}, {769, "THD-U1", "%"}, {772, "THD-I2", "%"},
    {773, "THD-U2", "%"}, {776, "THD-I3", "%"}, {777, "THD-U3", "%"},
};
constexpr BaseRow kLoadRows[] = {{1024, "I1l", ""}, {1025, "I2l", ""}, {1026, "I3l", ""},
                                 {1152, "U1l", ""}, {1153, "U2l", ""}, {1154, "U3l", ""}};
constexpr BaseRow kRecordRows[] = {{2560, "Time", ""},  {2561, "Date", ""},  {2562, "Event", ""},
                                   {2563, "Value", ""}, {2688, "Ufact", ""}, {2689, "Ifact", ""},
                                   {2690, "Phase", ""}};

constexpr const char* kFlickerNames[] = {"Pst1",   "Pst2",   "Pst3", "dmax1", "dmax2",
                                         "dmax3",  "dc1",    "dc2",  "dc3",   "dt>3%1",
                                         "dt>3%2", "dt>3%3", "Plt1", "Plt2",  "Plt3"};

// Called only where the table would be wrong. Not constexpr, so reaching it
// while the table is built at compile time stops the compilation (the way a
// throw would, but without needing exceptions, which the DLLs are built
// without).
inline void TableBuildFailed(const char*) {}

// Appends texts into a NUL-padded field, keeping at least one NUL. A text too
// long for its field stops compilation.
class FieldWriter {
  public:
    template <int N> constexpr explicit FieldWriter(char (&field)[N]) : field_(field), size_(N) {}
    constexpr FieldWriter& Put(char c) {
        if (length_ + 1 >= size_) {
            TableBuildFailed("field too small");
            return *this;
        }
        field_[length_++] = c;
        return *this;
    }
    constexpr FieldWriter& Put(const char* text) {
        while (*text)
            Put(*text++);
        return *this;
    }

  private:
    char* field_;
    int size_;
    int length_ = 0;
};

class TableBuilder {
  public:
    constexpr QuantityInfo& Add(int id) {
        QuantityInfo& row = rows_[count_++];
        row.id = static_cast<int16_t>(id);
        return row;
    }
    constexpr void Add(int id, const char* name, const char* unit) {
        QuantityInfo& row = Add(id);
        FieldWriter(row.name).Put(name);
        FieldWriter(row.unit).Put(unit);
    }
    constexpr int count() const { return count_; }
    constexpr const std::array<QuantityInfo, kQuantityRowCount>& rows() const { return rows_; }

  private:
    std::array<QuantityInfo, kQuantityRowCount> rows_{};
    int count_ = 0;
};

constexpr void AddBaseCopies(TableBuilder& table) {
    for (const BaseCopy& copy : kBaseCopies)
        for (int i = 0; i < 75; ++i) {
            const BaseRow& base = kBaseGroup[i];
            QuantityInfo& row = table.Add(base.id + copy.idOffset);
            FieldWriter name(row.name);
            if (!(copy.idOffset == 384 && i < kBareNamesInThirdCopy))
                name.Put(copy.prefix);
            name.Put(base.name);
            FieldWriter(row.unit).Put(base.unit);
        }
}

constexpr void AddLimitBands(TableBuilder& table) {
    int id = 896;
    for (char phase = '1'; phase <= '3'; ++phase)
        for (char quantity : {'I', 'U'})
            for (const char* band : kLimitBands) {
                QuantityInfo& row = table.Add(id++);
                FieldWriter(row.name).Put(quantity).Put(phase).Put(band);
            }
}

constexpr void AddHarmonicRuns(TableBuilder& table) {
    for (const HarmonicRun& run : kHarmonicRuns)
        for (int order = 0; order < kHarmonicsPerRun; ++order) {
            QuantityInfo& row = table.Add(run.firstId + order);
            FieldWriter(row.name)
                .Put(run.stem)
                .Put('-')
                .Put(static_cast<char>('0' + order / 10))
                .Put(static_cast<char>('0' + order % 10));
            FieldWriter(row.unit).Put(run.unit);
        }
}

template <size_t N> constexpr void AddRows(TableBuilder& table, const BaseRow (&rows)[N]) {
    for (const BaseRow& row : rows)
        table.Add(row.id, row.name, row.unit);
}

template <size_t N>
constexpr void AddNamedRun(TableBuilder& table, int firstId, const char* const (&names)[N]) {
    for (size_t i = 0; i < N; ++i)
        table.Add(firstId + static_cast<int>(i), names[i], "");
}

constexpr TableBuilder BuildQuantityTable() {
    TableBuilder table;
    AddRows(table, kBaseGroup);
    AddBaseCopies(table);
    AddRows(table, kSingleRows);
    AddLimitBands(table);
    AddRows(table, kLoadRows);
    AddHarmonicRuns(table);
    AddNamedRun(table, 2432, kEventNames);
    AddRows(table, kRecordRows);
    AddNamedRun(table, 2816, kFlickerNames);
    return table;
}

constexpr TableBuilder kBuilt = BuildQuantityTable();
static_assert(kBuilt.count() == kQuantityRowCount, "every row of the table is made");

// Ids run from 0 to 2830; a lookup by id through this index finds the same
// first row a search from the top would, without 1480 compares per field of
// a block that lists many quantities.
constexpr int kIdRange = 2831;

constexpr std::array<int16_t, kIdRange> BuildIndex() {
    std::array<int16_t, kIdRange> rowOfId{};
    // std::fill is constexpr only from C++20 on.
    for (int16_t& row : rowOfId)
        row = -1; // cppcheck-suppress useStlAlgorithm
    for (int row = kQuantityRowCount - 1; row >= 0; --row) {
        const int id = kBuilt.rows()[row].id;
        if (id < 0 || id >= kIdRange) {
            TableBuildFailed("id outside the index");
            continue;
        }
        rowOfId[id] = static_cast<int16_t>(row);
    }
    return rowOfId;
}

constexpr std::array<int16_t, kIdRange> kRowOfId = BuildIndex();

std::string_view FieldText(const char* field, size_t size) {
    size_t length = 0;
    while (length < size && field[length] != '\0')
        ++length;
    return std::string_view(field, length);
}

} // namespace

constexpr std::array<QuantityInfo, kQuantityRowCount> QuantityTable = kBuilt.rows();

QuantityText FindQuantity(uint32_t id) {
    if (id >= static_cast<uint32_t>(kIdRange) || kRowOfId[id] < 0)
        return {};
    const QuantityInfo& row = QuantityTable[static_cast<size_t>(kRowOfId[id])];
    return {FieldText(row.name, sizeof row.name), FieldText(row.unit, sizeof row.unit)};
}
