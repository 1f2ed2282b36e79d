// A data file never reaches 100,000,000 bytes, where its 8-place fields could
// no longer say where a block ends: the conversion stops short of the limit,
// closes the open block on what was written and reports -5.
#include <gtest/gtest.h>

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "card/card_conversion.h"
#include "card/data_file_reader.h"
#include "files/memory_file.h"

namespace {

void PutWord(std::vector<uint8_t>& image, uint32_t word) {
    for (int shift = 24; shift >= 0; shift -= 8)
        image.push_back(static_cast<uint8_t>(word >> shift));
}

// Three blocks of 2 quantities and 300 data words each.
std::vector<uint8_t> ThreeBlocks() {
    std::vector<uint8_t> image;
    for (uint32_t block = 1; block <= 3; ++block) {
        for (uint32_t word : {0x7FFF0000u | block, 731426u, 45296u, 60u, 2u, 0u, 4u})
            PutWord(image, word);
        for (uint32_t i = 0; i < 300; ++i)
            PutWord(image, block * 1000 + i);
    }
    return image;
}

struct Limited {
    CardConversionReport report;
    std::vector<uint8_t> file;
};

Limited ConvertWithin(const std::vector<uint8_t>& image, uint32_t limit) {
    MemoryFile input(image), output;
    CardConversionOptions options;
    options.writer.sizeLimit = limit;
    options.writer.bufferSize = 512;
    const CardConversionReport report = ConvertCardImage(input, output, options);
    return {report, output.bytes()};
}

TEST(CardSizeLimit, StopsShortOfTheLimitWithEveryClosedBlockTrue) {
    const std::vector<uint8_t> image = ThreeBlocks();
    const size_t fullSize = ConvertWithin(image, UINT32_MAX).file.size();
    ASSERT_EQ(fullSize, 3 * (58 + 1200u));
    for (uint32_t limit = 1; limit <= fullSize; limit += 7) {
        const Limited out = ConvertWithin(image, limit);
        ASSERT_EQ(out.report.result, kCardIncomplete) << limit;
        ASSERT_EQ(out.report.outcome, CardConversionOutcome::SizeLimitReached) << limit;
        ASSERT_LT(out.file.size(), limit);
        DataFileReader reader(out.file.data(), out.file.size());
        DataFileBlock block;
        size_t blocks = 0, closedBlocks = 0;
        while (reader.Next(block)) {
            ++blocks;
            if (block.closed) {
                ++closedBlocks;
                EXPECT_TRUE(block.problems.empty()) << limit << ": " << block.problems[0];
            }
        }
        // Only a block cut inside its text stays open, and only the last.
        EXPECT_GE(closedBlocks + 1, blocks) << limit;
    }
    EXPECT_EQ(ConvertWithin(image, static_cast<uint32_t>(fullSize) + 1).report.result,
              kCardConverted);
}

TEST(CardSizeLimit, CutInTheDataKeepsWholeWordsAndClosesTheBlock) {
    const Limited out = ConvertWithin(ThreeBlocks(), 58 + 403);
    ASSERT_EQ(out.file.size(), 58 + 400u) << "100 whole words";
    const std::string text(out.file.begin(), out.file.begin() + 57);
    EXPECT_EQ(text.substr(0, 12), "001;     458");
    EXPECT_EQ(text.substr(48, 8), "      50");
}

// The real limit, with an image mostly made of a hole in a sparse file.
TEST(CardSizeLimit, HundredMillionBytesAreNeverReached) {
    char folder[] = "/tmp/card_limit_XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string imagePath = std::string(folder) + "/image.bin";
    const std::string outputPath = std::string(folder) + "/out.mdf";
    std::vector<uint8_t> start;
    for (uint32_t word : {0x7FFF0007u, 731426u, 45296u, 60u, 1u, 0u})
        PutWord(start, word);
    const int image = open(imagePath.c_str(), O_CREAT | O_WRONLY | O_TRUNC, 0600);
    ASSERT_GE(image, 0);
    ASSERT_EQ(write(image, start.data(), start.size()), static_cast<ssize_t>(start.size()));
    ASSERT_EQ(ftruncate(image, 100'001'000), 0); // zero words, not stored
    close(image);

    const CardConversionReport report = ConvertCardFiles(outputPath.c_str(), imagePath.c_str());
    EXPECT_EQ(report.result, kCardIncomplete);
    EXPECT_EQ(report.outcome, CardConversionOutcome::SizeLimitReached);
    std::FILE* file = std::fopen(outputPath.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    char text[53];
    ASSERT_EQ(std::fread(text, 1, sizeof text, file), sizeof text);
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fclose(file);
    // 53 bytes of text, then as many whole words as stay below 10^8 bytes.
    EXPECT_EQ(size, 99'999'997);
    EXPECT_EQ(std::string(text, 53),
              "007;99999997;15.07.2002;12:34:56;60;1;U1 V;24999986;" + std::string(1, '\0'));
    std::remove(outputPath.c_str());
    std::remove(imagePath.c_str());
    rmdir(folder);
}

} // namespace
