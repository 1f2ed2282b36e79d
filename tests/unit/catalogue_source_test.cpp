// The maintainers' source format: the sample catalogue, round trips through
// file and source, and the messages for mistakes.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "config/catalogue_builder.h"
#include "config/catalogue_source.h"
#include "files/memory_file.h"

namespace {

std::string SampleSource() {
    std::string path = __FILE__;
    path = path.substr(0, path.rfind("tests/unit/")) + "data/sample/talverin.ini";
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<uint8_t> Build(const CatalogueImage& image) {
    std::vector<uint8_t> bytes;
    std::string problem;
    EXPECT_TRUE(BuildCatalogue(image, bytes, problem)) << problem;
    return bytes;
}

CatalogueImage ReadBack(const std::vector<uint8_t>& bytes) {
    MemoryFile file(bytes.data(), bytes.size());
    CatalogueImage image;
    CatalogueFault fault;
    EXPECT_TRUE(ReadCatalogueImage(file, image, &fault)) << fault.field;
    return image;
}

CatalogueImage Parse(const std::string& source) {
    CatalogueImage image;
    std::string problem;
    EXPECT_TRUE(ParseCatalogueSource(source, image, problem)) << problem;
    return image;
}

std::string Problem(const std::string& source) {
    CatalogueImage image;
    std::string problem;
    EXPECT_FALSE(ParseCatalogueSource(source, image, problem));
    return problem;
}

const std::string kHead =
    "[catalogue]\nvalid-until = 2030-01-01\n[address 0]\n[item 0]\nprice = 1\n";

TEST(CatalogueSource, SampleHasSevenLanguagesAndThirtyItems) {
    const CatalogueImage image = Parse(SampleSource());
    EXPECT_EQ(image.items.size(), 30u);
    EXPECT_EQ(image.order.size(), 30u);
    EXPECT_EQ(image.currency, "EUR,00");
    for (int language = 0; language < kLanguageCount; ++language) {
        SCOPED_TRACE(language);
        EXPECT_FALSE(image.notes[language].empty());
        EXPECT_TRUE(image.items[29].text[language].present);
    }
    EXPECT_EQ(image.items[17].text[5].text, "Softwarelicentie, \xE9\xE9n werkplek")
        << "UTF-8 in the source, Windows-1252 in the file";
}

TEST(CatalogueSource, BuildDumpBuildGivesTheSameBytes) {
    const CatalogueImage image = Parse(SampleSource());
    const std::vector<uint8_t> first = Build(image);
    const CatalogueImage dumped = ReadBack(first);
    EXPECT_TRUE(dumped == image);
    const std::string source = WriteCatalogueSource(dumped);
    EXPECT_TRUE(Parse(source) == image);
    EXPECT_EQ(Build(Parse(source)), first);
    EXPECT_EQ(WriteCatalogueSource(Parse(source)), source);
}

TEST(CatalogueSource, EveryByteAndOddValueSurvivesTheRoundTrip) {
    CatalogueImage image = Parse(kHead);
    std::string all;
    for (int byte = 0; byte < 256; ++byte)
        all += static_cast<char>(byte);
    image.notes[3] = all.substr(0, 128);
    image.notes[4] = all.substr(128);
    image.addresses[0].title = " \"quoted\" \\ ";
    image.currency = "";
    image.items[0].price = std::nan("");
    image.items.push_back(image.items[0]);
    image.items[1].price = -0.1;
    image.items[1].code[6] = {true, ""}; // present but empty, unlike absent
    image.surchargePercent = 1e-300;
    image.year = -1;
    image.month = 0;
    image.day = 255;
    image.order = {65535, 0, 0};
    const std::string source = WriteCatalogueSource(image);
    EXPECT_TRUE(Parse(source) == image) << source;
    EXPECT_TRUE(ReadBack(Build(Parse(source))) == image);
}

TEST(CatalogueSource, TextsConvertBetweenUtf8AndWindows1252) {
    CatalogueImage image =
        Parse(kHead + "[language 1]\nnote = \"\xE2\x82\xAC 5, \xC3\xA4\\x81\"\n");
    EXPECT_EQ(image.notes[1], "\x80 5, \xE4\x81");
    EXPECT_NE(WriteCatalogueSource(image).find("note = \"\xE2\x82\xAC 5, \xC3\xA4\\x81\""),
              std::string::npos);
}

TEST(CatalogueSource, MistakesNameTheirLine) {
    const struct {
        std::string source, problem;
    } cases[] = {
        {"[catalogue]\nvalid-until = 2030-1-1\nlabel = Spring\n",
         "line 3: label: a text must stand in double quotes"},
        {"[catalogue]\nlabel = \"a\"\nlabel = \"b\"\n",
         "line 3: \"label\" is given twice in this section"},
        {"currency = \"EUR\"\n", "line 1: a key before the first [section]"},
        {"[catalog]\n", "line 1: unknown section; expected [catalogue], [language L], [address N], "
                        "[item N] or [item N language L]"},
        {"[item 100]\n", "line 1: item \"100\" is not a number in 0..99"},
        {"[item 1 language 7]\n", "line 1: language \"7\" is not a number in 0..6"},
        {"[language 1]\nnote = \"\xCE\xA9\"\n",
         "line 2: note: character U+03A9 has no place in Windows-1252"},
        {"[language 1]\nnote = \"\xC3\"\n", "line 2: note: the text is not valid UTF-8"},
        {"[language 1]\nnote = \"a\\qb\"\n",
         "line 2: note: unknown escape; use \\\\ \\\" \\r \\n \\t or \\xHH"},
        {"[catalogue]\nlabel = \"" + std::string(31, 'L') + "\"\n",
         "line 2: label has 31 characters (Windows-1252 bytes); at most 30 fit"},
        {"[catalogue]\nvalid-until = 31.12.2030\n",
         "line 2: valid-until must be year-month-day, e.g. 2030-12-31"},
        {"[catalogue]\norder = 1 2 x\n", "line 2: order: \"x\" is not an item index in 0..65535"},
        {"[catalogue]\ndefault-language = 7\n", "line 2: default-language must be 0..6"},
        {"[item 0]\nprice = 12,50\n", "line 2: price \"12,50\" is not a number"},
        {"[item 0]\ncode = \"A\"\n", "line 2: unknown key \"code\" here; this section takes price"},
        {"[item 0]\n[item 0]\n", "line 2: [item 0] appears twice (first at line 1)"},
        {"[catalogue]\n", "source: the [catalogue] section with its valid-until date is missing"},
        {kHead + "[item 2]\nprice = 3\n", "source: items are numbered 0..2 without gaps; one of "
                                          "them has no [item N] section with a price"},
        {kHead + "[item 1]\n", "line 6: this item has no price"},
        {kHead + "[item 4 language 0]\ntext = \"x\"\n",
         "line 6: [item 4] with its price is missing for this section"},
        {"[catalogue]\nvalid-until = 2030-01-01\n[item 0]\nprice = 1\n",
         "source: there is no address; a catalogue needs [address 0]"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(Problem(c.source), c.problem);
    }
}

TEST(CatalogueBuilder, RefusesWhatNoFileCanHold) {
    CatalogueImage image = Parse(kHead);
    std::vector<uint8_t> bytes;
    std::string problem;
    image.items[0].text[3] = {true, std::string(51, 't')};
    EXPECT_FALSE(BuildCatalogue(image, bytes, problem));
    EXPECT_EQ(problem, "long text of item 0, language 3 has 51 characters; at most 50 fit");
    image = Parse(kHead);
    image.items.resize(101);
    EXPECT_FALSE(BuildCatalogue(image, bytes, problem));
    EXPECT_EQ(problem, "there are 101 items; a catalogue has 1..100");
}

} // namespace
