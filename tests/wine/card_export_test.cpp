// ConvPCCardFun as the host calls it: loaded from the module by name, with
// files in the working folder, compared byte for byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "test_support.h"

namespace {

using ConvPCCardFunType = int32_t(__stdcall*)(const char*, const char*);

class CardExport : public ::testing::Test {
  protected:
    static HMODULE module;
    static ConvPCCardFunType convert;
    static void SetUpTestSuite() {
        module = LoadLibraryA((ProgramFolder() + "brenk_C.dll").c_str());
        ASSERT_NE(module, nullptr);
        convert = reinterpret_cast<ConvPCCardFunType>(
            reinterpret_cast<void*>(GetProcAddress(module, "ConvPCCardFun")));
        ASSERT_NE(convert, nullptr);
    }
    static void TearDownTestSuite() { FreeLibrary(module); }
};
HMODULE CardExport::module = nullptr;
ConvPCCardFunType CardExport::convert = nullptr;

std::string Word(uint32_t word) {
    const char bytes[] = {static_cast<char>(word >> 24), static_cast<char>(word >> 16),
                          static_cast<char>(word >> 8), static_cast<char>(word)};
    return std::string(bytes, 4);
}

std::string Data(uint32_t count, uint32_t first) {
    std::string words;
    for (uint32_t i = 0; i < count; ++i)
        words += Word(first + i);
    return words;
}

// A block of K = 1 (id 0) at day 0, second 0, parameter 0: the image part
// and the data file part that belong to it when it starts at `offset`.
struct SmallBlock {
    std::string image, file;
    SmallBlock(uint32_t number, uint32_t words, uint32_t offset) {
        image = Word(0x7FFF0000u | number) + Word(0) + Word(0) + Word(0) + Word(1) + Word(0) +
                Data(words, 1);
        char text[64];
        const int length = std::snprintf(
            text, sizeof text, "%03u;%8lu;01.01.   0;00:00:00;0;1;U1 V;%8lu;", number,
            static_cast<unsigned long>(offset + 52 + 4 * words), static_cast<unsigned long>(words));
        file =
            std::string(text, static_cast<size_t>(length)) + std::string(1, '\0') + Data(words, 1);
    }
};

TEST_F(CardExport, ExampleBlockByteForByte) {
    WriteWholeFile("example.img", Word(0x7FFF0005) + Word(731426) + Word(45296) + Word(60) +
                                      Word(2) + Word(0) + Word(4) + Data(10, 1));
    EXPECT_EQ(convert("example.mdf", "example.img"), 0);
    EXPECT_EQ(ReadWholeFile("example.mdf"),
              "005;      98;15.07.2002;12:34:56;60;2;U1 V;I1 A;       5;" + std::string(1, '\0') +
                  Data(10, 1));
}

TEST_F(CardExport, ResultCodes) {
    EXPECT_EQ(convert("missing.mdf", "no-such-image.img"), -1);
    EXPECT_EQ(GetFileAttributesA("missing.mdf"), INVALID_FILE_ATTRIBUTES);
    WriteWholeFile("empty.img", "");
    EXPECT_EQ(convert("no-such-folder\\out.mdf", "empty.img"), -1);
    WriteWholeFile("empty.mdf", "left from before");
    EXPECT_EQ(convert("empty.mdf", "empty.img"), -4);
    EXPECT_EQ(ReadWholeFile("empty.mdf"), "");
    WriteWholeFile("cut.img", Word(0x7FFF0001) + Word(1));
    EXPECT_EQ(convert("cut.mdf", "cut.img"), -5);
    EXPECT_EQ(ReadWholeFile("cut.mdf"), "");
    WriteWholeFile("zero.img", Word(0x7FFF0001) + Data(4, 0));
    EXPECT_EQ(convert("zero.mdf", "zero.img"), -5);
}

TEST_F(CardExport, LargeAndManyBlocksAcrossPiecesAndBuffers) {
    std::string image, expected;
    // One block far larger than any buffer, closed by seeking back ...
    SmallBlock large(1, 400000, 0);
    image += large.image;
    expected += large.file;
    // ... then many short ones, closed while still held in memory.
    for (uint32_t i = 0; i < 3000; ++i) {
        SmallBlock small(i % 256, i % 37, static_cast<uint32_t>(expected.size()));
        image += small.image;
        expected += small.file;
    }
    image += Word(0xFFFFFFFF) + std::string(5000, '\xFF');
    WriteWholeFile("large.img", image);
    EXPECT_EQ(convert("large.mdf", "large.img"), 0);
    const std::string file = ReadWholeFile("large.mdf");
    EXPECT_EQ(file.size(), expected.size());
    EXPECT_TRUE(file == expected);
}

} // namespace
