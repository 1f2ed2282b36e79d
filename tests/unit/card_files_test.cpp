// Converting between real files: which file is opened or created when, and
// that an existing output is replaced, not written over in part.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "card/card_conversion.h"

namespace {

class CardFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/card_files_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        for (const char* name : {"image.bin", "out.mdf"})
            std::remove(Path(name).c_str());
        rmdir(folder_.c_str());
    }
    std::string Path(const char* name) const { return folder_ + "/" + name; }
    void Write(const char* name, const std::string& bytes) const {
        std::FILE* file = std::fopen(Path(name).c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
    }
    std::string Read(const char* name) const {
        std::string bytes;
        if (std::FILE* file = std::fopen(Path(name).c_str(), "rb")) {
            for (int c; (c = std::fgetc(file)) != EOF;)
                bytes.push_back(static_cast<char>(c));
            std::fclose(file);
        }
        return bytes;
    }
    bool Exists(const char* name) const {
        struct stat info;
        return stat(Path(name).c_str(), &info) == 0;
    }
    CardConversionReport Convert(const std::string& output) const {
        return ConvertCardFiles(output.c_str(), Path("image.bin").c_str());
    }
    std::string folder_;
};

const std::string kBlock("\x7F\xFF\x00\x01\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\x01\0\0\0\x69", 24);

TEST_F(CardFiles, MissingImageCreatesNoOutput) {
    const CardConversionReport report = Convert(Path("out.mdf"));
    EXPECT_EQ(report.result, kCardFilesUnavailable);
    EXPECT_EQ(report.outcome, CardConversionOutcome::ImageNotOpened);
    EXPECT_FALSE(Exists("out.mdf"));
}

TEST_F(CardFiles, OutputThatCannotBeCreated) {
    Write("image.bin", kBlock);
    const CardConversionReport report = Convert(Path("no-such-folder/out.mdf"));
    EXPECT_EQ(report.result, kCardFilesUnavailable);
    EXPECT_EQ(report.outcome, CardConversionOutcome::OutputNotCreated);
}

TEST_F(CardFiles, ExistingOutputIsReplaced) {
    Write("out.mdf", std::string(5000, 'x'));
    Write("image.bin", kBlock);
    EXPECT_EQ(Convert(Path("out.mdf")).result, kCardConverted);
    EXPECT_EQ(Read("out.mdf"),
              "001;      52;01.01.   0;00:00:00;0;1;f Hz;       0;" + std::string(1, '\0'));
    Write("image.bin", "");
    EXPECT_EQ(Convert(Path("out.mdf")).result, kCardNoBlock);
    EXPECT_TRUE(Exists("out.mdf"));
    EXPECT_EQ(Read("out.mdf"), "");
}

} // namespace
