// Buffered writing leaves the same file and result as one write per text
// part and per data word would, also when the disk fills up part way: checked
// against a plain one-write-at-a-time conversion on many generated images.
#include <gtest/gtest.h>

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "card/card_conversion.h"
#include "card/quantity_table.h"
#include "files/memory_file.h"

namespace {

// The conversion read plainly off its description; the oracle.
class LiteralConversion {
  public:
    explicit LiteralConversion(File& out) : out_(out) {}

    // Reads that reach `badFrom` fail and deliver nothing. A failed read or
    // write makes the result -5, whatever the blocks' fields say.
    int32_t Run(const std::vector<uint8_t>& image, size_t badFrom) {
        for (size_t at = 0;; at += 4096) {
            size_t bytes = at < image.size() ? std::min<size_t>(4096, image.size() - at) : 0;
            if (bytes > 0 && at + bytes > badFrom)
                bytes = 0, failed_ = true;
            const uint32_t w = static_cast<uint32_t>(bytes / 4);
            if (w == 0 || !Piece(image.data() + at, w) || w < 1024)
                break;
        }
        if (state_ == kData && !Close())
            state_ = kBefore;
        if (failed_)
            return -5;
        return blocks_ == 0 ? -4 : state_ == kData ? 0 : -5;
    }

  private:
    enum { kBefore, kHeader, kIds, kData };

    static uint32_t Value(const uint8_t* w) {
        return uint32_t(w[0]) << 24 | uint32_t(w[1]) << 16 | uint32_t(w[2]) << 8 | w[3];
    }
    bool Put(const std::string& text) {
        const bool put =
            out_.Write(text.data(), static_cast<uint32_t>(text.size())).bytes == text.size();
        failed_ = failed_ || !put;
        return put;
    }
    uint32_t End() {
        const int64_t size = SeekToEnd(out_);
        return size < 0 ? 0 : static_cast<uint32_t>(size);
    }
    static std::string Printed(const char* format, unsigned long value) {
        char text[32];
        std::snprintf(text, sizeof text, format, value);
        return text;
    }
    bool Close() {
        const uint32_t size = End();
        if (!out_.Seek(endPos_) || !Put(Printed("%8lu", size)))
            return false;
        if (!out_.Seek(rowPos_) || !Put(Printed("%8lu", count_ / h_[3])))
            return false;
        End();
        endPos_ = 0;
        return true;
    }
    static std::string Date(uint32_t n) {
        uint32_t q = n / 1461, b = n % 1461, year = 4 * q, d = b, feb = 29;
        if (b > 365)
            year = 4 * q + 1 + (b - 366) / 365, d = (b - 366) % 365, feb = 28;
        const uint32_t lengths[] = {31, feb, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        int m = 1;
        for (int i = 0; i < 12 && d >= lengths[i]; ++i, ++m)
            d -= lengths[i];
        char text[32];
        std::snprintf(text, sizeof text, "%02d.%02d.%4d", int(d + 1), m, int(year));
        return text;
    }
    bool Header() {
        char time[32];
        std::snprintf(time, sizeof time, "%02d:%02d:%02d", int(h_[1] / 3600),
                      int(h_[1] % 3600 / 60), int(h_[1] % 60));
        endPos_ = End() + 4;
        return Put(Printed("%03lu;", number_) + "        ;" + Date(h_[0]) + ";" + time + ";" +
                   Printed("%lu;", h_[2]) + Printed("%lu;", h_[3]));
    }
    bool Field(uint32_t id) {
        std::string name, unit;
        for (const QuantityInfo& row : QuantityTable)
            if (static_cast<uint32_t>(row.id) == id) {
                name = std::string(row.name, strnlen(row.name, sizeof row.name));
                unit = std::string(row.unit, strnlen(row.unit, sizeof row.unit));
                break;
            }
        return Put((name.empty() ? " " : name) + " " + (unit.empty() ? " " : unit) + ";");
    }
    bool Piece(const uint8_t* p, uint32_t w) {
        uint32_t i = 0;
        while (i < w) {
            if (state_ == kHeader) {
                for (; counter_ < 4; ++counter_, ++i) {
                    if (i == w)
                        return true;
                    h_[counter_] = Value(p + 4 * i);
                }
                state_ = kIds, counter_ = 0;
                if (h_[3] == 0 || !Header())
                    return false;
                count_ = 0;
            }
            if (state_ == kIds) {
                for (; counter_ < h_[3]; ++counter_, ++i) {
                    if (i == w)
                        return true;
                    if (!Field(Value(p + 4 * i)))
                        return false;
                }
                state_ = kData;
                rowPos_ = End();
                if (!Put(std::string("        ;\0", 10)))
                    return false;
            }
            for (; i < w; ++i) {
                const uint32_t top = Value(p + 4 * i) >> 8;
                if (top == 0xFFFFFF)
                    return true;
                if (top == 0x7FFF00)
                    break;
                if (state_ == kData) {
                    if (out_.Write(p + 4 * i, 4).bytes != 4)
                        return failed_ = true, false;
                    ++count_;
                }
            }
            if (i < w) {
                state_ = kHeader, number_ = p[4 * i + 3], counter_ = 0, ++blocks_;
                if (endPos_ != 0 && !Close())
                    return false;
                ++i;
            }
        }
        return true;
    }

    File& out_;
    int state_ = kBefore;
    uint32_t counter_ = 0, h_[4] = {}, number_ = 0, count_ = 0, blocks_ = 0;
    bool failed_ = false;
    uint32_t endPos_ = 0, rowPos_ = 0;
};

// Images of blocks of every size, end marks, fill, junk and cut ends.
std::vector<uint8_t> RandomImage(std::mt19937& random) {
    std::vector<uint8_t> image;
    const auto word = [&](uint32_t w) {
        for (int shift = 24; shift >= 0; shift -= 8)
            image.push_back(static_cast<uint8_t>(w >> shift));
    };
    const auto below = [&](uint32_t n) { return static_cast<uint32_t>(random() % n); };
    const int blocks = static_cast<int>(below(6));
    if (below(3) == 0)
        for (uint32_t i = below(40); i > 0; --i)
            word(random());
    std::vector<uint32_t> start; // header words and ids; half the blocks repeat the last
    for (int b = 0; b < blocks; ++b) {
        if (start.empty() || below(2) == 0) {
            const uint32_t k = below(12) == 0 ? 0 : 1 + below(below(4) == 0 ? 300 : 6);
            start = {700000 + below(40000), below(200000), static_cast<uint32_t>(random()), k};
            for (uint32_t i = 0; i < k; ++i)
                start.push_back(below(4) == 0 ? random() : below(2900));
        }
        word(0x7FFF0000u | below(256));
        for (const uint32_t w : start)
            word(w);
        const uint32_t data = below(3) == 0 ? below(5) : below(below(4) == 0 ? 12000 : 1500);
        for (uint32_t i = 0; i < data; ++i) {
            const uint32_t pick = below(2000);
            word(pick == 0 ? 0xFFFFFF00u | below(256) : random() & 0x7FFEFFFFu);
        }
        if (below(5) == 0)
            image.resize(image.size() + below(3 * 4096), below(2) == 0 ? 0xFF : 0x00);
    }
    if (below(4) == 0 && !image.empty())
        image.resize(below(static_cast<uint32_t>(image.size())));
    return image;
}

struct Outcome {
    int32_t result;
    std::vector<uint8_t> file;
};

Outcome Literal(const std::vector<uint8_t>& image, uint32_t capacity, MemoryFile::FullDisk disk,
                uint32_t badFrom = UINT32_MAX) {
    MemoryFile output;
    output.LimitSize(capacity, disk);
    const int32_t result = LiteralConversion(output).Run(image, badFrom);
    return {result, output.bytes()};
}

Outcome Buffered(const std::vector<uint8_t>& image, uint32_t capacity, MemoryFile::FullDisk disk,
                 const DataFileWriterOptions& writer, uint32_t badFrom = UINT32_MAX,
                 uint32_t piecesPerRead = 64) {
    MemoryFile input(image), output;
    input.FailReadsFrom(badFrom);
    output.LimitSize(capacity, disk);
    CardConversionOptions options;
    options.writer = writer;
    options.piecesPerRead = piecesPerRead;
    const int32_t result = ConvertCardImage(input, output, options).result;
    return {result, output.bytes()};
}

TEST(CardWriteFailure, BufferedWritingMatchesOneWriteAtATime) {
    std::mt19937 random(20240611);
    const MemoryFile::FullDisk disks[] = {MemoryFile::FullDisk::WritesWhatFits,
                                          MemoryFile::FullDisk::RefusesWholeWrite};
    DataFileWriterOptions small, medium, large, eachAppend;
    small.bufferSize = 128;
    medium.bufferSize = 1000;
    eachAppend.writeEachAppend = true;
    int stops = 0;
    for (int round = 0; round < 60; ++round) {
        const std::vector<uint8_t> image = RandomImage(random);
        const size_t fullSize = Literal(image, UINT32_MAX, disks[0]).file.size();
        std::vector<uint32_t> capacities = {UINT32_MAX};
        for (int cut = 0; cut < 4 && fullSize > 0; ++cut)
            capacities.push_back(static_cast<uint32_t>(random() % fullSize));
        for (const uint32_t capacity : capacities)
            for (const auto disk : disks) {
                const Outcome expected = Literal(image, capacity, disk);
                stops += capacity < fullSize;
                for (const auto& writer : {small, medium, large, eachAppend}) {
                    const Outcome got =
                        Buffered(image, capacity, disk, writer, UINT32_MAX, 1 + round % 3);
                    ASSERT_EQ(got.result, expected.result)
                        << "round " << round << " capacity " << capacity << " buffer "
                        << writer.bufferSize << (writer.writeEachAppend ? " each" : "");
                    ASSERT_TRUE(got.file == expected.file)
                        << "round " << round << " capacity " << capacity << " buffer "
                        << writer.bufferSize << (writer.writeEachAppend ? " each" : "");
                }
            }
    }
    EXPECT_GT(stops, 150) << "the disk filled up often enough";
}

// Block starts of few quantities, mostly without data: their texts take
// about three times the room of their card words and catch up with the image read
// into the same buffer, again and again within one read; a run of data then
// moves down close below the image's next block.
TEST(CardWriteFailure, TextsOutgrowingTheirCardWordsLeaveTheImageUnreadIntact) {
    std::mt19937 random(31);
    std::vector<uint8_t> image;
    const auto word = [&](uint32_t w) {
        for (int shift = 24; shift >= 0; shift -= 8)
            image.push_back(static_cast<uint8_t>(w >> shift));
    };
    std::vector<uint32_t> start;
    for (uint32_t b = 0; b < 3000; ++b) {
        if (start.empty() || random() % 2 == 0) {
            const uint32_t k = random() % 16 == 0 ? 64 : 1;
            start = {731000 + b, static_cast<uint32_t>(random() % 86400), 7, k};
            for (uint32_t i = 0; i < k; ++i)
                start.push_back(random() % 2900);
        }
        word(0x7FFF0000u | (b & 0xFF));
        for (const uint32_t w : start)
            word(w);
        for (uint32_t i = random() % 8 == 0 ? 40 + random() % 300 : 0; i > 0; --i)
            word(random() & 0x7EFFFFFFu);
    }
    const Outcome expected = Literal(image, UINT32_MAX, {});
    const uint32_t cut = static_cast<uint32_t>(expected.file.size() / 3 + 1);
    DataFileWriterOptions medium, large;
    medium.bufferSize = 60000;
    for (const auto& writer : {medium, large})
        for (const uint32_t pieces : {1u, 64u}) {
            EXPECT_TRUE(Buffered(image, UINT32_MAX, {}, writer, UINT32_MAX, pieces).file ==
                        expected.file)
                << writer.bufferSize << " " << pieces;
            const auto disk = MemoryFile::FullDisk::RefusesWholeWrite;
            EXPECT_TRUE(Buffered(image, cut, disk, writer, UINT32_MAX, pieces).file ==
                        Literal(image, cut, disk).file)
                << writer.bufferSize << " " << pieces;
        }
}

TEST(CardWriteFailure, ReadFailuresLoseOnlyThePieceTheyHit) {
    std::mt19937 random(7);
    for (int round = 0; round < 60; ++round) {
        const std::vector<uint8_t> image = RandomImage(random);
        const uint32_t badFrom = static_cast<uint32_t>(random() % (image.size() + 1));
        const Outcome expected = Literal(image, UINT32_MAX, {}, badFrom);
        const Outcome got = Buffered(image, UINT32_MAX, {}, {}, badFrom, 1 + round % 4);
        EXPECT_EQ(got.result, expected.result) << round;
        EXPECT_TRUE(got.file == expected.file) << round;
    }
}

TEST(CardWriteFailure, DiskFullInTheDataClosesTheBlockWithWhatFitted) {
    std::vector<uint8_t> image = {0x7F, 0xFF, 0x00, 0x01, 0, 0, 0, 0, 0, 0, 0, 0,
                                  0,    0,    0,    0,    0, 0, 0, 1, 0, 0, 0, 0};
    for (uint32_t i = 0; i < 50000; ++i)
        image.insert(image.end(), {0x00, 0x01, 0x02, 0x03});
    const std::string text = "001;    ....;01.01.   0;00:00:00;0;1;U1 V;    1000;";
    // Room for the text, its NUL, 1000 words and 2 bytes of the next word.
    const uint32_t capacity = static_cast<uint32_t>(text.size()) + 1 + 4002;
    const auto textOf = [](const Outcome& out) {
        return std::string(out.file.begin(), std::find(out.file.begin(), out.file.end(), 0));
    };
    const Outcome part = Buffered(image, capacity, MemoryFile::FullDisk::WritesWhatFits, {});
    EXPECT_EQ(part.result, kCardIncomplete) << "the disk took no more: not converted";
    EXPECT_EQ(part.file.size(), capacity);
    EXPECT_EQ(textOf(part), "001;    4054" + text.substr(12)) << "the 2 bytes count in the end";
    const Outcome whole = Buffered(image, capacity, MemoryFile::FullDisk::RefusesWholeWrite, {});
    EXPECT_EQ(whole.result, kCardIncomplete);
    EXPECT_EQ(whole.file.size(), capacity - 2);
    EXPECT_EQ(textOf(whole), "001;    4052" + text.substr(12));
}

TEST(CardWriteFailure, DiskFullInABlocksTextLeavesItOpen) {
    std::vector<uint8_t> image = {0x7F, 0xFF, 0x00, 0x02, 0, 0, 0, 0, 0, 0, 0, 0,
                                  0,    0,    0,    0,    0, 0, 0, 2, 0, 0, 0, 105};
    image.insert(image.end(), {0, 0, 0, 4, 1, 2, 3, 4});
    for (const uint32_t capacity : {20u, 41u, 47u}) { // header, quantity, placeholder
        const Outcome out = Buffered(image, capacity, MemoryFile::FullDisk::RefusesWholeWrite, {});
        const Outcome expected = Literal(image, capacity, MemoryFile::FullDisk::RefusesWholeWrite);
        EXPECT_EQ(out.result, kCardIncomplete) << capacity;
        EXPECT_TRUE(out.file == expected.file) << capacity;
    }
    // Blocks that repeat the start before them share their text records;
    // the disk fills anywhere in them.
    std::vector<uint8_t> repeated;
    for (int copy = 0; copy < 3; ++copy)
        repeated.insert(repeated.end(), image.begin(), image.end());
    const auto disks = {MemoryFile::FullDisk::WritesWhatFits,
                        MemoryFile::FullDisk::RefusesWholeWrite};
    const size_t fullSize = Literal(repeated, UINT32_MAX, *disks.begin()).file.size();
    for (uint32_t capacity = 0; capacity <= fullSize; ++capacity)
        for (const auto disk : disks)
            EXPECT_TRUE(Buffered(repeated, capacity, disk, {}).file ==
                        Literal(repeated, capacity, disk).file)
                << capacity;
}

} // namespace

TEST(CardWriteFailure, AFailedReadWriteOrCloseIsNeverReportedAsConverted) {
    std::vector<uint8_t> image = {0x7F, 0xFF, 0x00, 0x01, 0, 0, 0, 0, 0, 0, 0, 0,
                                  0,    0,    0,    0,    0, 0, 0, 1, 0, 0, 0, 0};
    for (uint32_t i = 0; i < 3000; ++i) // three pieces
        image.insert(image.end(), {0x00, 0x01, 0x02, 0x03});
    const auto convert = [&](uint32_t capacity, uint32_t badFrom, bool closeFails) {
        MemoryFile input(image), output;
        input.FailReadsFrom(badFrom);
        output.LimitSize(capacity, MemoryFile::FullDisk::RefusesWholeWrite);
        if (closeFails)
            output.FailClose();
        CardConversionReport report = ConvertCardImage(input, output);
        CloseConvertedOutput(output, report);
        return report;
    };
    EXPECT_EQ(convert(UINT32_MAX, UINT32_MAX, false).result, kCardConverted);
    const CardConversionReport write = convert(600, UINT32_MAX, false);
    EXPECT_EQ(write.result, kCardIncomplete);
    EXPECT_EQ(write.outcome, CardConversionOutcome::WriteFailed);
    const CardConversionReport read = convert(UINT32_MAX, 5000, false);
    EXPECT_EQ(read.result, kCardIncomplete);
    EXPECT_EQ(read.outcome, CardConversionOutcome::ReadFailed);
    const CardConversionReport close = convert(UINT32_MAX, UINT32_MAX, true);
    EXPECT_EQ(close.result, kCardIncomplete);
    EXPECT_EQ(close.outcome, CardConversionOutcome::OutputNotClosed);
}
