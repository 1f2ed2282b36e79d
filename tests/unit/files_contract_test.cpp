// The file contract on a real file, on a real file read through a buffer
// and on the memory file (over bytes of its own and over the caller's) alike. Built natively (the
// POSIX file) and in the Windows tree (the Win32 file, under Wine).
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "files/buffered_file.h"
#include "files/memory_file.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

enum class Kind { Real, Buffered, Memory, CallersBytes };

// A real file read through a buffer of 4 bytes, so that reads cross its fills.
class BufferedRealFile : public BufferedFile {
  public:
    explicit BufferedRealFile(std::unique_ptr<File> real)
        : BufferedFile(*real, 4), real_(std::move(real)) {}

  private:
    std::unique_ptr<File> real_; // the buffer reads it; released after the buffer
};

class FileContract : public ::testing::TestWithParam<Kind> {
  protected:
    void SetUp() override {
#ifndef _WIN32 // each Windows test has a working folder of its own
        char pattern[] = "/tmp/files_contract_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = std::string(pattern) + "/";
#endif
    }
    void TearDown() override {
        for (const char* name : {"read", "written"})
            std::remove(Path(name).c_str());
#ifndef _WIN32
        rmdir(folder_.c_str());
#endif
    }
    std::string Path(const char* name) const {
        return folder_ + name;
    }

    std::unique_ptr<File> Reading(const std::string& bytes) {
        held_.assign(bytes.begin(), bytes.end());
        if (GetParam() != Kind::Real && GetParam() != Kind::Buffered)
            return GetParam() == Kind::Memory
                       ? std::make_unique<MemoryFile>(held_)
                       : std::make_unique<MemoryFile>(held_.data(), held_.size());
        std::FILE* out = std::fopen(Path("read").c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), out);
        std::fclose(out);
        std::unique_ptr<File> real = OpenFileForReading(Path("read").c_str());
        if (real && GetParam() == Kind::Buffered)
            return std::make_unique<BufferedRealFile>(std::move(real));
        return real;
    }
    std::unique_ptr<File> Writing() {
        if (GetParam() == Kind::Real || GetParam() == Kind::Buffered)
            return OpenFileForWriting(Path("written").c_str());
        auto file = std::make_unique<MemoryFile>();
        memory_ = file.get();
        return file;
    }
    std::string Written() const {
        if (memory_)
            return std::string(memory_->bytes().begin(), memory_->bytes().end());
        std::string bytes;
        std::FILE* in = std::fopen(Path("written").c_str(), "rb");
        for (int c; in && (c = std::fgetc(in)) != EOF;)
            bytes.push_back(static_cast<char>(c));
        std::fclose(in);
        return bytes;
    }
    // The next `count` bytes at most, read without an error.
    static std::string Next(File& file, uint32_t count) {
        std::string bytes(count, '?');
        const FileTransfer got = file.Read(&bytes[0], count);
        EXPECT_FALSE(got.failed);
        return bytes.substr(0, got.bytes);
    }

    std::string folder_;
    std::vector<uint8_t> held_;
    MemoryFile* memory_ = nullptr;
};

TEST_P(FileContract, ReadsAtAndPastTheEndGiveNothingWithoutAnError) {
    const std::unique_ptr<File> file = Reading("abcdef");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(Next(*file, 4), "abcd");
    EXPECT_EQ(file->Size(), 6);
    EXPECT_EQ(Next(*file, 4), "ef") << "the size left the position";
    EXPECT_EQ(Next(*file, 4), "");
    EXPECT_FALSE(file->Seek(-1));
    EXPECT_TRUE(file->Seek(100));
    EXPECT_EQ(Next(*file, 1), "");
    EXPECT_TRUE(file->Seek(5));
    EXPECT_EQ(Next(*file, 4), "f");
    std::string bytes(4, '?');
    EXPECT_EQ(file->ReadAt(1, &bytes[0], 4).bytes, 4u);
    EXPECT_EQ(bytes, "bcde");
    const FileTransfer end = file->ReadAt(5, &bytes[0], 4);
    EXPECT_TRUE(end.bytes == 1 && !end.failed && bytes[0] == 'f');
    EXPECT_EQ(file->ReadAt(9, &bytes[0], 4).bytes, 0u);
    EXPECT_TRUE(file->ReadAt(-1, &bytes[0], 4).failed);
}

TEST_P(FileContract, WritesGoToThePositionAndGapsReadAsZeros) {
    const std::unique_ptr<File> file = Writing();
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->Write("abc", 3).bytes, 3u);
    ASSERT_TRUE(file->Seek(6));
    EXPECT_EQ(file->Size(), 3) << "a seek alone does not grow the file";
    const FileTransfer put = file->Write("x", 1);
    EXPECT_TRUE(put.bytes == 1 && !put.failed);
    ASSERT_TRUE(file->Seek(1));
    file->Write("Z", 1);
    ASSERT_TRUE(file->Seek(20));
    EXPECT_FALSE(file->Write("", 0).failed);
    EXPECT_EQ(SeekToEnd(*file), 7) << "writing nothing grows nothing";
    file->Write("!", 1);
    EXPECT_TRUE(file->Close());
    EXPECT_EQ(Written(), std::string("aZc\0\0\0x!", 8));
}

TEST_P(FileContract, EachFileDoesOnlyWhatItWasOpenedFor) {
    const std::unique_ptr<File> reading = Reading("abc");
    const std::unique_ptr<File> writing = Writing();
    ASSERT_TRUE(reading && writing);
    const FileTransfer put = reading->Write("x", 1);
    EXPECT_TRUE(put.bytes == 0 && put.failed);
    EXPECT_EQ(Next(*reading, 4), "abc");
    char byte;
    EXPECT_TRUE(writing->Read(&byte, 1).failed);
}

TEST_P(FileContract, NothingWorksAfterClose) {
    for (const std::unique_ptr<File>& file : {Reading("abc"), Writing()}) {
        ASSERT_NE(file, nullptr);
        EXPECT_TRUE(file->Close());
        char byte;
        EXPECT_TRUE(file->Read(&byte, 1).failed);
        EXPECT_TRUE(file->Write("x", 1).failed);
        EXPECT_FALSE(file->Seek(0));
        EXPECT_EQ(file->Size(), -1);
        EXPECT_FALSE(file->Close()) << "closed twice";
    }
}

INSTANTIATE_TEST_SUITE_P(Files, FileContract,
                         ::testing::Values(Kind::Real, Kind::Buffered, Kind::Memory,
                                           Kind::CallersBytes));

// A bad spot fails the reads that reach it, whatever the buffer read ahead.
TEST(Files, ABufferedFileFailsOnlyTheReadsThatReachABadSpot) {
    MemoryFile file(std::vector<uint8_t>{'a', 'b', 'c', 'd', 'e', 'f'});
    file.FailReadsFrom(4);
    BufferedFile buffered(file, 64);
    char bytes[4];
    EXPECT_EQ(buffered.Read(bytes, 3).bytes, 3u);
    EXPECT_TRUE(buffered.Read(bytes, 2).failed);
    ASSERT_TRUE(buffered.Seek(1));
    EXPECT_EQ(buffered.Read(bytes, 3).bytes, 3u);
    EXPECT_EQ(std::string(bytes, 3), "bcd");
}

TEST(Files, OpeningNeedsTheFileOrItsFolderAndEmptiesWhatIsThere) {
    EXPECT_EQ(OpenFileForReading("no-such-file"), nullptr);
    EXPECT_EQ(OpenFileForWriting("no-such-folder/file"), nullptr);
    ASSERT_NE(OpenFileForWriting("emptied"), nullptr);
    OpenFileForWriting("emptied")->Write("old", 3);
    EXPECT_EQ(OpenFileForWriting("emptied")->Size(), 0);
    std::remove("emptied");
}

} // namespace
