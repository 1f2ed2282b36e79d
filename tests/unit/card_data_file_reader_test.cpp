// Reading data files back: the blocks a conversion wrote, and what the
// reader says about files whose text and data disagree.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "card/data_file_reader.h"

namespace {

const std::string kNul(1, '\0');

std::vector<DataFileBlock> ReadAll(const std::string& file, std::string* error = nullptr) {
    DataFileReader reader(reinterpret_cast<const uint8_t*>(file.data()), file.size());
    std::vector<DataFileBlock> blocks;
    DataFileBlock block;
    while (reader.Next(block))
        blocks.push_back(block);
    if (error != nullptr)
        *error = reader.error();
    return blocks;
}

std::string Words(int count) {
    return std::string(static_cast<size_t>(count) * 4, '\x01');
}

TEST(CardDataFileReader, ReadsBlocksAndTheirColumns) {
    const std::string file = "005;      99;15.07.2002;12:34:56;60;2;U1 V;PF1  ;       5;" + kNul +
                             Words(10) + "006;     150;01.01.   0;00:00:00;0;1;   ;       0;" +
                             kNul;
    const std::vector<DataFileBlock> blocks = ReadAll(file);
    ASSERT_EQ(blocks.size(), 2u);
    const DataFileBlock& first = blocks[0];
    EXPECT_EQ(first.number, "005");
    EXPECT_EQ(first.date, "15.07.2002");
    EXPECT_EQ(first.time, "12:34:56");
    EXPECT_EQ(first.parameter, "60");
    ASSERT_EQ(first.columns(), 2u);
    EXPECT_EQ(first.quantities[0].name + "|" + first.quantities[0].unit, "U1|V");
    EXPECT_EQ(first.quantities[1].name + "|" + first.quantities[1].unit, "PF1|");
    EXPECT_TRUE(first.closed);
    EXPECT_EQ(first.dataOffset, 59u);
    EXPECT_EQ(first.dataWords, 10u);
    EXPECT_TRUE(first.problems.empty());
    EXPECT_EQ(blocks[1].offset, 99u);
    EXPECT_EQ(blocks[1].quantities[0].name + "|" + blocks[1].quantities[0].unit, "|");
    EXPECT_TRUE(blocks[1].problems.empty()) << blocks[1].problems[0];
}

TEST(CardDataFileReader, SaysWhereTextAndDataDisagree) {
    const std::string header = "001;      62;01.01.   0;00:00:00;0;1;U1 V;";
    EXPECT_EQ(ReadAll(header + "       2;" + kNul + Words(1))[0].problems.size(), 1u)
        << "row count 2 for one word";
    const std::string open =
        "001;        ;01.01.   0;00:00:00;0;1;U1 V;        ;" + kNul + Words(3);
    const std::vector<DataFileBlock> unclosed = ReadAll(open);
    ASSERT_EQ(unclosed.size(), 1u);
    EXPECT_FALSE(unclosed[0].closed);
    EXPECT_EQ(unclosed[0].dataWords, 3u) << "the data runs to the end";
    const std::string beyond = "001;    9999;01.01.   0;00:00:00;0;1;U1 V;       0;" + kNul;
    EXPECT_FALSE(ReadAll(beyond)[0].problems.empty());
    const std::string countOff = "001;      58;01.01.   0;00:00:00;0;2;U1 V;       0;" + kNul;
    EXPECT_FALSE(ReadAll(countOff)[0].problems.empty()) << "K says 2, one field";
}

TEST(CardDataFileReader, StopsWhereNoBlockCanBeRead) {
    std::string error;
    EXPECT_TRUE(ReadAll("001;      12;no terminator", &error).empty());
    EXPECT_NE(error.find("NUL"), std::string::npos);
    EXPECT_TRUE(ReadAll("a;b;c" + kNul, &error).empty());
    EXPECT_TRUE(ReadAll("001;12;d;t;0;1;U1 V;       0;" + kNul, &error).empty())
        << "end offset not of eight places";
    EXPECT_EQ(ReadAll("", &error).size(), 0u);
    EXPECT_EQ(error, "");
}

} // namespace
