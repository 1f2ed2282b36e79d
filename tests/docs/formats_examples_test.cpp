// docs/formats.md against the code: its worked examples are made again by
// the project's own code (the catalogue built from the source shown, the
// data file converted from the image shown) and compared with the hex
// dumps; its fault messages, result codes, dates and quantity table are the
// code's. A failing dump comparison prints the dump the document should show.
#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "card/card_conversion.h"
#include "card/day_time_text.h"
#include "card/quantity_table.h"
#include "config/catalogue_builder.h"
#include "config/catalogue_format.h"
#include "config/catalogue_reader.h"
#include "config/catalogue_source.h"
#include "files/memory_file.h"
#include "hex_dump.h"
#include "markdown_doc.h"

namespace {

const MarkdownDoc& Formats() {
    static const MarkdownDoc doc(std::string(BRENK_SOURCE_DIR) + "/docs/formats.md");
    return doc;
}

std::string Block(const std::string& info) {
    const auto blocks = Formats().Blocks(info);
    EXPECT_EQ(blocks.size(), 1u) << "one ```" << info << " block in formats.md";
    return blocks.empty() ? "" : blocks[0]->text;
}

std::vector<uint8_t> DumpedBytes(const std::string& info) {
    std::vector<uint8_t> bytes;
    std::string problem;
    EXPECT_TRUE(ParseHexDump(Block(info), bytes, problem)) << info << ": " << problem;
    return bytes;
}

struct BuiltCatalogue {
    std::vector<uint8_t> bytes;
    CatalogueLayout layout;
};

BuiltCatalogue BuildExample() {
    BuiltCatalogue built;
    CatalogueImage image;
    std::string problem;
    EXPECT_TRUE(ParseCatalogueSource(Block("ini catalogue-source"), image, problem)) << problem;
    EXPECT_TRUE(BuildCatalogue(image, built.bytes, problem, &built.layout)) << problem;
    return built;
}

std::string FaultOf(const std::vector<uint8_t>& bytes) {
    MemoryFile file(bytes.data(), bytes.size());
    CatalogueSink ignore;
    char scratch[kScratchTextSize];
    CatalogueFault fault;
    WalkCatalogue(file, ignore, scratch, &fault);
    char text[200];
    DescribeCatalogueFault(fault, text, sizeof text);
    return std::string("TALVERIN.CNF: ") + text;
}

// The document writes the sigma of code page 437 as "Σ", and "—" for none.
std::string CardText(std::string text) {
    if (text == "—")
        return "";
    for (size_t at; (at = text.find("Σ")) != std::string::npos;)
        text.replace(at, std::string("Σ").size(), "\xE4");
    return text;
}

long Number(const std::string& text, int base = 10) {
    return std::stol(Plain(text), nullptr, base);
}

TEST(FormatsGuide, CatalogueExampleIsWhatTheBuilderMakesOfItsSource) {
    ASSERT_TRUE(Formats().loaded());
    const BuiltCatalogue built = BuildExample();
    EXPECT_EQ(Block("hex catalogue"), HexDump(built.bytes)) << "the dump formats.md should show";

    const CatalogueLayout& l = built.layout;
    const std::map<std::string, size_t> offsets = {
        {"magic", 0},
        {"sum byte", 4},
        {"XOR byte", 5},
        {"file length", 6},
        {"default language", 10},
        {"label", l.label},
        {"currency", l.currency},
        {"surcharge", l.surcharge},
        {"valid until", l.date},
        {"note, language 0", l.notes[0]},
        {"notes, languages 1 to 6", l.notes[1]},
        {"address count", l.addressCount},
        {"title of address 0", l.addressTitles.at(0)},
        {"lines of address 0", l.addressLines.at(0)},
        {"item count", l.itemCount},
        {"prices", l.prices},
        {"order length", l.orderLength},
        {"order list", l.order},
        {"text offsets, language 0", l.textOffsets[0]},
        {"text offsets, languages 1 to 6", l.textOffsets[1]},
        {"code text of item 0, language 0", l.codeTexts[0].at(0)},
        {"long text of item 0, language 0", l.longTexts[0].at(0)},
        {"code text of item 1, language 0", l.codeTexts[0].at(1)},
        {"long text of item 1, language 0", l.longTexts[0].at(1)},
        {"long text of item 1, language 1", l.longTexts[1].at(1)},
    };
    const MarkdownTable* table = Formats().Table("Worked example", "Offset");
    ASSERT_NE(table, nullptr);
    std::set<std::string> named;
    for (const auto& row : table->rows) {
        const std::string field = Plain(row[1]);
        named.insert(field);
        const auto found = offsets.find(field);
        if (found == offsets.end()) {
            ADD_FAILURE() << "field \"" << field << "\" of the example's table is not known here";
            continue;
        }
        EXPECT_EQ(Number(row[0]), static_cast<long>(found->second)) << "offset of " << field;
    }
    for (const auto& entry : offsets)
        EXPECT_TRUE(named.count(entry.first)) << "the example's table lacks " << entry.first;
}

TEST(FormatsGuide, DamagedCataloguesGiveTheDocumentedFaults) {
    const std::vector<uint8_t> good = BuildExample().bytes;
    const MarkdownTable* table = Formats().Table("Worked example", "Damage");
    ASSERT_NE(table, nullptr);
    static const std::regex changed(
        "0x([0-9A-Fa-f]+) changed from 0x([0-9A-Fa-f]+) to 0x([0-9A-Fa-f]+)");
    static const std::regex cut("cut to (\\d+) bytes");
    for (const auto& row : table->rows) {
        std::vector<uint8_t> damaged = good;
        std::smatch match;
        if (std::regex_search(row[0], match, changed)) {
            const size_t at = static_cast<size_t>(Number(match[1], 16));
            ASSERT_LT(at, damaged.size()) << row[0];
            EXPECT_EQ(damaged[at], Number(match[2], 16)) << row[0] << ": the byte there";
            damaged[at] = static_cast<uint8_t>(Number(match[3], 16));
        } else if (std::regex_search(row[0], match, cut)) {
            damaged.resize(static_cast<size_t>(Number(match[1])));
        } else {
            ADD_FAILURE() << "damage \"" << row[0] << "\" is not understood here";
            continue;
        }
        EXPECT_EQ(Plain(row[1]), FaultOf(damaged)) << row[0];
    }
}

TEST(FormatsGuide, FaultMessagesAreTheChecksTheReaderMakes) {
    const MarkdownTable* table = Formats().Table("Worked example", "Check");
    ASSERT_NE(table, nullptr);
    std::vector<std::string> messages;
    for (const auto& row : table->rows)
        messages.push_back(Plain(row[1]));
    std::set<std::string> used;
    for (CatalogueCheck check :
         {CatalogueCheck::CannotOpen, CatalogueCheck::Read, CatalogueCheck::Magic,
          CatalogueCheck::FileLength, CatalogueCheck::SumByte, CatalogueCheck::XorByte,
          CatalogueCheck::DefaultLanguage, CatalogueCheck::StringLength,
          CatalogueCheck::AddressCount, CatalogueCheck::ItemCount, CatalogueCheck::OrderLength}) {
        CatalogueFault fault;
        fault.check = check;
        char text[200];
        DescribeCatalogueFault(fault, text, sizeof text);
        bool documented = false;
        for (const std::string& message : messages)
            if (std::string(text).find(message) != std::string::npos) {
                documented = true;
                used.insert(message);
            }
        EXPECT_TRUE(documented) << "no row for the fault \"" << text << "\"";
    }
    for (const std::string& message : messages)
        EXPECT_TRUE(used.count(message)) << "the reader never says \"" << message << "\"";
}

TEST(FormatsGuide, CardExampleConvertsIntoTheDocumentedDataFile) {
    const std::vector<uint8_t> image = DumpedBytes("hex card-image");
    EXPECT_EQ(Block("hex card-image"), HexDump(image)) << "offsets and printable column";
    MemoryFile input(image);
    MemoryFile output;
    const CardConversionReport report = ConvertCardImage(input, output);
    EXPECT_EQ(report.result, kCardConverted);
    EXPECT_EQ(report.blocksFound, 2u);
    EXPECT_EQ(Block("hex data-file"), HexDump(output.bytes())) << "the dump formats.md should show";
}

TEST(FormatsGuide, ResultCodesDatesAndTimesAreTheConvertersOwn) {
    const MarkdownTable* results = Formats().Table("2. The memory-card image", "Result");
    ASSERT_NE(results, nullptr);
    std::set<long> codes;
    for (const auto& row : results->rows)
        codes.insert(Number(row[0]));
    EXPECT_EQ(codes, (std::set<long>{kCardConverted, kCardFilesUnavailable, kCardNoBlock,
                                     kCardIncomplete}));

    const MarkdownTable* dates = Formats().Table("Dates and times", "Day number");
    const MarkdownTable* times = Formats().Table("Dates and times", "Seconds");
    ASSERT_TRUE(dates && times);
    for (const auto& row : dates->rows) {
        char text[kDayTextSize];
        FormatDayNumber(static_cast<uint32_t>(Number(row[0])), text);
        EXPECT_EQ(row[1], text) << "day number " << row[0];
    }
    for (const auto& row : times->rows) {
        char text[kTimeTextSize];
        FormatSecondsOfDay(static_cast<uint32_t>(Number(row[0])), text);
        EXPECT_EQ(row[1], text) << row[0] << " seconds";
    }
}

// --- The quantity table --------------------------------------------------------

// Names as the table lists them; "A-00 … A-50" stands for the 51 names
// between.
std::vector<std::string> Names(const std::string& cell) {
    std::vector<std::string> names;
    const std::vector<std::string> words = Words(cell);
    for (size_t i = 0; i < words.size(); ++i) {
        if (words[i] != "…" || names.empty() || i + 1 == words.size()) {
            names.push_back(CardText(Plain(words[i])));
            continue;
        }
        const std::string first = names.back(), last = words[++i];
        const std::string stem = first.substr(0, first.size() - 2);
        const int from = std::stoi(first.substr(first.size() - 2));
        const int to = std::stoi(last.substr(last.size() - 2));
        for (int order = from + 1; order <= to; ++order)
            names.push_back(stem + (order < 10 ? "0" : "") + std::to_string(order));
    }
    return names;
}

struct Documented {
    std::map<long, std::pair<std::string, std::string>> rows; // id -> name, unit
    void Add(long id, const std::string& name, const std::string& unit) {
        EXPECT_TRUE(rows.emplace(id, std::make_pair(name, unit)).second)
            << "id " << id << " is documented twice";
    }
};

void AddListed(const MarkdownTable& table, Documented& documented) {
    for (const auto& row : table.rows) {
        const std::set<long> ids = ParseIds(row[0]);
        const std::vector<std::string> names = Names(row[1]);
        ASSERT_EQ(ids.size(), names.size()) << "ids and names of the row " << row[0];
        size_t i = 0;
        for (long id : ids)
            documented.Add(id, names[i++], CardText(row[2]));
    }
}

// "byte 0xCF", "byte 0xDB; none for 384..392", "\"0\"".
void AddCopies(const MarkdownTable& copies, const MarkdownTable& base, Documented& documented) {
    static const std::regex offset("\\+ (\\d+)"), byte("byte 0x([0-9A-Fa-f]{2})"), digit("\"(.)\""),
        bare("none for (\\S+)");
    for (const auto& row : copies.rows) {
        std::smatch match;
        ASSERT_TRUE(std::regex_search(row[1], match, offset)) << row[1];
        const long plus = Number(match[1]);
        std::string prefix;
        if (std::regex_search(row[2], match, byte))
            prefix = std::string(1, static_cast<char>(Number(match[1], 16)));
        else if (std::regex_search(row[2], match, digit))
            prefix = match[1];
        std::set<long> bareIds;
        if (std::regex_search(row[2], match, bare))
            bareIds = ParseIds(match[1]);
        ASSERT_FALSE(prefix.empty()) << "prefix of the copy " << row[0];
        Documented copy;
        AddListed(base, copy);
        for (const auto& entry : copy.rows) {
            const long id = entry.first + plus;
            documented.Add(id, (bareIds.count(id) ? "" : prefix) + entry.second.first,
                           entry.second.second);
        }
    }
}

TEST(FormatsGuide, QuantityTableIsTheConvertersTable) {
    const auto tables = Formats().TablesUnder("The quantity table");
    ASSERT_EQ(tables.size(), 3u) << "base group, copies, the others";
    Documented documented;
    AddListed(*tables[0], documented);
    AddCopies(*tables[1], *tables[0], documented);
    AddListed(*tables[2], documented);

    EXPECT_EQ(documented.rows.size(), static_cast<size_t>(kQuantityRowCount));
    std::set<long> inTable;
    for (const QuantityInfo& row : QuantityTable)
        inTable.insert(row.id);
    for (long id : inTable)
        EXPECT_TRUE(documented.rows.count(id)) << "quantity " << id << " is not documented";
    for (const auto& entry : documented.rows) {
        const QuantityText found = FindQuantity(static_cast<uint32_t>(entry.first));
        EXPECT_EQ(std::string(found.name), entry.second.first)
            << "name of quantity " << entry.first;
        EXPECT_EQ(std::string(found.unit), entry.second.second)
            << "unit of quantity " << entry.first;
    }
}

} // namespace
