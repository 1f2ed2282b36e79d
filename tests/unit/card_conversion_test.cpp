// The conversion of card images into data files, byte for byte: the block
// structure, pieces of 4096 bytes, end marks and the result codes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "card/card_conversion.h"
#include "files/memory_file.h"

namespace {

// A card image, word by word, most significant byte first.
struct Image {
    std::vector<uint8_t> bytes;
    Image& Word(uint32_t word) {
        for (int shift = 24; shift >= 0; shift -= 8)
            bytes.push_back(static_cast<uint8_t>(word >> shift));
        return *this;
    }
    Image& Marker(uint8_t number) { return Word(0x7FFF0000u | number); }
    Image& Header(uint32_t day, uint32_t second, uint32_t parameter, uint32_t k) {
        return Word(day).Word(second).Word(parameter).Word(k);
    }
    Image& Block(uint8_t number, std::vector<uint32_t> ids) {
        Marker(number).Header(731426, 45296, 60, static_cast<uint32_t>(ids.size()));
        for (uint32_t id : ids)
            Word(id);
        return *this;
    }
    // Words 1, 2, 3 ... from `first` on: never a marker or an end mark.
    Image& Data(uint32_t count, uint32_t first = 1) {
        for (uint32_t i = 0; i < count; ++i)
            Word(first + i);
        return *this;
    }
    Image& FillTo(size_t size, uint8_t byte) {
        bytes.resize(size, byte);
        return *this;
    }
    size_t words() const { return bytes.size() / 4; }
};

struct Converted {
    int32_t result;
    std::string file;
};

Converted Convert(const Image& image) {
    MemoryFile input(image.bytes);
    MemoryFile output;
    const CardConversionReport report = ConvertCardImage(input, output);
    return {report.result, std::string(output.bytes().begin(), output.bytes().end())};
}

std::string DataBytes(uint32_t count, uint32_t first = 1) {
    Image data;
    data.Data(count, first);
    return std::string(data.bytes.begin(), data.bytes.end());
}

const std::string kExampleText = ";15.07.2002;12:34:56;60;";

std::string Nul() {
    return std::string(1, '\0');
}

TEST(CardConversion, ExampleBlockIs98Bytes) {
    const Converted out = Convert(Image().Block(5, {0, 4}).Data(10));
    EXPECT_EQ(out.result, kCardConverted);
    EXPECT_EQ(out.file,
              "005;      98" + kExampleText + "2;U1 V;I1 A;       5;" + Nul() + DataBytes(10));
    EXPECT_EQ(out.file.size(), 98u);
}

TEST(CardConversion, RowCountTruncatesAndEveryWordStays) {
    const Converted out = Convert(Image().Block(0, {0, 4}).Data(11));
    EXPECT_EQ(out.file,
              "000;     102" + kExampleText + "2;U1 V;I1 A;       5;" + Nul() + DataBytes(11));
}

TEST(CardConversion, BlockWithoutDataEndsBehindItsNul) {
    const Converted out = Convert(Image().Block(255, {96, 12}));
    EXPECT_EQ(out.result, kCardConverted);
    EXPECT_EQ(out.file, "255;      58" + kExampleText + "2;PF1  ;   ;       0;" + Nul());
}

TEST(CardConversion, NoBlockGivesAnEmptyFile) {
    EXPECT_EQ(Convert(Image()).result, kCardNoBlock);
    const Converted noMarker = Convert(Image().Data(2000).Word(0x7FFE0001).Word(0x7FFF0100));
    EXPECT_EQ(noMarker.result, kCardNoBlock);
    EXPECT_EQ(noMarker.file, "");
}

TEST(CardConversion, WordsBeforeTheFirstMarkerArePassedOver) {
    const Converted out = Convert(Image().Data(7).Block(1, {105}).Data(1));
    EXPECT_EQ(out.file, "001;      57" + kExampleText + "1;f Hz;       1;" + Nul() + DataBytes(1));
}

TEST(CardConversion, ImageEndingBeforeTheDataPartGivesMinus5) {
    const Converted inHeader = Convert(Image().Marker(1).Word(731426).Word(45296));
    EXPECT_EQ(inHeader.result, kCardIncomplete);
    EXPECT_EQ(inHeader.file, "");
    const Converted inIds = Convert(Image().Marker(2).Header(731426, 45296, 60, 3).Word(0));
    EXPECT_EQ(inIds.result, kCardIncomplete);
    EXPECT_EQ(inIds.file, "002;        " + kExampleText + "3;U1 V;");
}

TEST(CardConversion, ZeroQuantitiesStopTheConversion) {
    const Converted out = Convert(Image().Block(1, {0}).Data(2).Block(2, {}).Data(5).Block(3, {0}));
    EXPECT_EQ(out.result, kCardIncomplete);
    EXPECT_EQ(out.file, "001;      61" + kExampleText + "1;U1 V;       2;" + Nul() + DataBytes(2))
        << "the block before is closed, nothing follows";
}

TEST(CardConversion, HeaderAndIdWordsAreValuesEvenIfTheyLookReserved) {
    // Day, seconds, parameter and ids hold a marker pattern and an end mark.
    const Converted out = Convert(
        Image().Marker(9).Header(0x7FFF0001, 0xFFFFFF00, 0x7FFF0002, 1).Word(0xFFFFFFFF).Data(1));
    const std::string text = out.file.substr(0, out.file.find('\0'));
    EXPECT_EQ(out.result, kCardConverted);
    EXPECT_NE(text.find(";2147418114;1;   ;"), std::string::npos) << text;
    EXPECT_EQ(out.file.size(), text.size() + 1 + 4);
}

TEST(CardConversion, DataWordWithTheMarkerPatternStartsABlock) {
    const Converted out = Convert(Image().Block(1, {0}).Data(3).Block(2, {4}).Data(1));
    const std::string first =
        "001;      65" + kExampleText + "1;U1 V;       3;" + Nul() + DataBytes(3);
    EXPECT_EQ(out.file,
              first + "002;     122" + kExampleText + "1;I1 A;       1;" + Nul() + DataBytes(1));
}

TEST(CardConversion, SecondBlockInALaterPieceStartsWhereTheFirstEnds) {
    Image image;
    image.Block(1, {0, 4}).Data(3000).Block(2, {0}).Data(4);
    const Converted out = Convert(image);
    ASSERT_EQ(out.result, kCardConverted);
    const size_t second = 58 + 3000 * 4; // the first block's text and data
    EXPECT_EQ(out.file.substr(4, 8), "   12058");
    EXPECT_EQ(out.file.substr(48, 8), "    1500");
    EXPECT_EQ(out.file.substr(second, 12), "002;   12127");
    EXPECT_EQ(out.file.size(), second + 53 + 16);
}

TEST(CardConversion, MarkerAsTheLastWordOfAPieceTakesItsHeaderFromTheNext) {
    Image image;
    image.Data(1023).Marker(7).Header(731426, 45296, 60, 1).Word(8).Data(2);
    ASSERT_EQ(image.bytes[4092], 0x7F);
    const Converted out = Convert(image);
    EXPECT_EQ(out.file, "007;      61" + kExampleText + "1;In A;       2;" + Nul() + DataBytes(2));
}

TEST(CardConversion, BlockTextAndIdListCarriedAcrossPieces) {
    // The boundary falls inside the header words, then inside the id list.
    for (size_t lead : {1021u, 1017u}) {
        Image image;
        image.Data(static_cast<uint32_t>(lead)).Block(3, {0, 1, 2, 3, 4}).Data(5);
        const Converted out = Convert(image);
        EXPECT_EQ(out.file, "003;      93" + kExampleText + "5;U1 V;U2 V;U3 V;U\xE4 V;I1 A;" +
                                "       1;" + Nul() + DataBytes(5))
            << "lead " << lead;
    }
}

TEST(CardConversion, EndMarkSkipsOnlyTheRestOfItsPiece) {
    Image image;
    image.Block(1, {0}).Data(3).Word(0xFFFFFF12).Data(10, 100).Block(2, {0}); // all in piece 1
    image.FillTo(4096, 0x00).Data(2, 50); // piece 2: appended to block 1
    const Converted out = Convert(image);
    EXPECT_EQ(out.result, kCardConverted);
    EXPECT_EQ(out.file, "001;      73" + kExampleText + "1;U1 V;       5;" + Nul() + DataBytes(3) +
                            DataBytes(2, 50));
}

TEST(CardConversion, EndMarkThenFillEndsTheBlock) {
    Image image;
    image.Block(4, {0}).Data(6).FillTo(3 * 4096 + 100, 0xFF);
    const Converted out = Convert(image);
    EXPECT_EQ(out.result, kCardConverted);
    EXPECT_EQ(out.file, "004;      77" + kExampleText + "1;U1 V;       6;" + Nul() + DataBytes(6));
}

TEST(CardConversion, EndMarkBeforeTheFirstBlockHidesAMarkerInItsPiece) {
    Image image;
    image.Word(0xFFFFFF00).Block(1, {0}).Data(2).FillTo(4096, 0);
    image.Block(2, {4}).Data(1);
    const Converted out = Convert(image);
    EXPECT_EQ(out.file, "002;      57" + kExampleText + "1;I1 A;       1;" + Nul() + DataBytes(1));
}

TEST(CardConversion, TrailingBytesOfNoWholeWordAreIgnored) {
    // 4096 + 2 bytes: a full piece, then a read of 2 bytes holding no word.
    Image image;
    image.Block(1, {0}).Data(1018).bytes.push_back(0x12);
    image.bytes.push_back(0x34);
    ASSERT_EQ(image.bytes.size(), 4096u + 2);
    EXPECT_EQ(Convert(image).file.substr(4, 8), "    4125");
    // A last piece of one word and 2 bytes.
    image.bytes.resize(4096);
    image.Data(1, 9).bytes.push_back(0x77);
    const Converted out = Convert(image);
    EXPECT_EQ(out.file.substr(4, 8), "    4129");
    EXPECT_EQ(out.file.size(), 4129u);
}

TEST(CardConversion, LongIdListIsReadToItsEnd) {
    // K = 70000 passes 65536, where a 16-bit position would start over.
    Image image;
    image.Marker(1).Header(0, 0, 0, 70000);
    for (uint32_t i = 0; i < 70000; ++i)
        image.Word(i % 2 == 0 ? 105 : 12);
    image.Data(70001);
    const Converted out = Convert(image);
    ASSERT_EQ(out.result, kCardConverted);
    const size_t nul = out.file.find('\0');
    EXPECT_EQ(nul, 41 + 35000 * (5 + 4) + 9u);
    EXPECT_EQ(out.file.substr(nul - 9, 9), "       1;");
    EXPECT_EQ(out.file.size(), nul + 1 + 70001 * 4);
}

TEST(CardConversion, ReadFailureEndsTheImageThere) {
    Image image;
    image.Block(1, {0}).Data(3000);
    MemoryFile input(image.bytes);
    input.FailReadsFrom(4096 + 10);
    MemoryFile output;
    EXPECT_EQ(ConvertCardImage(input, output).result, kCardIncomplete) << "the rest is missing";
    EXPECT_EQ(output.bytes().size(), 53u + (1024 - 6) * 4) << "only the first piece";
}

TEST(CardConversion, ReportsWhyItEnded) {
    const auto outcome = [](const Image& image) {
        MemoryFile input(image.bytes), output;
        return ConvertCardImage(input, output).outcome;
    };
    EXPECT_EQ(outcome(Image().Block(1, {0})), CardConversionOutcome::Converted);
    EXPECT_EQ(outcome(Image().Data(3)), CardConversionOutcome::NoBlockMarker);
    EXPECT_EQ(outcome(Image().Marker(1)), CardConversionOutcome::ImageEndedInBlockStart);
    EXPECT_EQ(outcome(Image().Block(1, {})), CardConversionOutcome::ZeroQuantityCount);
}

} // namespace
