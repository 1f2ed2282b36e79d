// Loads a maximal catalogue (100 items, 7 languages, 30 addresses, every
// text at its capacity) again and again, as DemoInit loads it (through the
// read buffer) and as it was loaded before (every read and seek a call to the
// system), and splits a load's time into the file calls, the checksum pass
// and the parsing. The baseline is reading the same file whole with one call.
// Built natively and in the Windows tree (run by hand under Wine, where
// every file call crosses into the Wine server).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "config/catalogue.h"
#include "config/catalogue_builder.h"
#include "config/catalogue_format.h"
#include "config/catalogue_store.h"
#include "config/regional.h"
#include "files/buffered_file.h"
#include "files/memory_file.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string Filled(size_t length, char first) {
    std::string text(length, ' ');
    for (size_t i = 0; i < length; ++i)
        text[i] = static_cast<char>(first + i % 26);
    return text;
}

// Long texts of full width lines ended by CR LF, up to their capacity.
std::string Lines(int count, size_t width, size_t capacity) {
    std::string text;
    for (int line = 0; line < count; ++line)
        text += Filled(width, static_cast<char>('a' + line)) + "\r\n";
    text += Filled(capacity - text.size(), 'A');
    return text;
}

CatalogueImage MaximalImage() {
    CatalogueImage image;
    image.label = Filled(kLabelLimit, 'L');
    image.currency = "EURO,00";
    image.surchargePercent = 19;
    image.year = 2099;
    image.month = 12;
    image.day = 31;
    for (std::string& note : image.notes)
        note = Lines(2, kNoteLineLimit, kBodyTextCapacity);
    image.addresses.assign(kMaxAddresses, {Filled(kAddressTextLimit, 'T'),
                                           Lines(7, kAddressTextLimit, kBodyTextCapacity)});
    for (int i = 0; i < kMaxItems; ++i) {
        CatalogueImage::Item item;
        item.price = 10.0 + i;
        for (int language = 0; language < kLanguageCount; ++language) {
            item.code[language] = {true, Filled(kItemCodeLimit, static_cast<char>('a' + language))};
            item.text[language] = {true, Filled(kItemTextLimit, static_cast<char>('A' + language))};
        }
        image.items.push_back(item);
        image.order.push_back(static_cast<uint16_t>(kMaxItems - 1 - i));
    }
    return image;
}

// Counts the calls a load makes to the file below it: natively and under
// Wine each is a system call (with the open and the close besides).
class CountingFile : public File {
  public:
    explicit CountingFile(std::unique_ptr<File> file) : file_(std::move(file)) {}
    FileTransfer Read(void* buffer, uint32_t count) override {
        ++calls;
        return file_->Read(buffer, count);
    }
    FileTransfer ReadAt(int64_t offset, void* buffer, uint32_t count) override {
        ++calls;
        return file_->ReadAt(offset, buffer, count);
    }
    FileTransfer Write(const void* bytes, uint32_t count) override {
        ++calls;
        return file_->Write(bytes, count);
    }
    bool Seek(int64_t offset) override {
        ++calls;
        return file_->Seek(offset);
    }
    int64_t Size() override {
        ++calls;
        return file_->Size();
    }
    bool Close() override {
        ++calls;
        return file_->Close();
    }
    int calls = 0;

  private:
    std::unique_ptr<File> file_;
};

// Microseconds per run of `work`, over about `seconds`.
double MicrosecondsPer(const std::function<void()>& work, double seconds) {
    work();
    long runs = 0;
    const Clock::time_point start = Clock::now();
    double elapsed = 0;
    do {
        for (int i = 0; i < 20; ++i)
            work();
        runs += 20;
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    } while (elapsed < seconds);
    return elapsed * 1e6 / static_cast<double>(runs);
}

void Require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "catalogue_bench: %s\n", what);
        std::exit(1);
    }
}

// The module's catalogue load as it was: every read and seek of the reader
// went to the system.
void LoadUnbuffered(const std::string& path) {
    ReadRegionalSettings();
    const std::unique_ptr<File> file = OpenFileForReading(path.c_str());
    Require(file && LoadCatalogueFrom(*file, catalogue, regionalSettings, nullptr),
            "unbuffered load");
}

// A folder of its own under the system's temporary folder.
std::string MakeFolder() {
#ifdef _WIN32
    const unsigned long id = GetCurrentProcessId();
#else
    const unsigned long id = static_cast<unsigned long>(getpid());
#endif
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path(error) / ("catalogue_bench_" + std::to_string(id));
    std::filesystem::create_directories(folder, error);
    Require(!error && std::filesystem::is_directory(folder, error), "no temporary folder");
    std::string name = folder.string();
    return name + static_cast<char>(std::filesystem::path::preferred_separator);
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::unique_ptr<File> out = OpenFileForWriting(path.c_str());
    return out &&
           out->Write(bytes.data(), static_cast<uint32_t>(bytes.size())).bytes == bytes.size() &&
           out->Close();
}

} // namespace

int main(int argc, char** argv) {
    double seconds = 1.0;
    const char* writeTo = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--write") == 0 && i + 1 < argc)
            writeTo = argv[++i];
        else if (std::atof(argv[i]) > 0)
            seconds = std::atof(argv[i]);
        else {
            std::fprintf(stderr, "usage: catalogue_bench [SECONDS] [--write FILE]\n"
                                 "  --write FILE  only write the maximal catalogue to FILE\n");
            return 2;
        }
    }
    std::vector<uint8_t> bytes;
    std::string problem;
    Require(BuildCatalogue(MaximalImage(), bytes, problem), problem.c_str());
    if (writeTo) {
        Require(WriteFile(writeTo, bytes), "cannot write the catalogue");
        return 0;
    }

    const std::string folder = MakeFolder();
    const std::string path = folder + kCatalogueFileName;
    Require(WriteFile(path, bytes), "cannot write the catalogue");

    // The checksum pass alone: a file whose default language fails right after it.
    std::vector<uint8_t> stopsAfterCheck = bytes;
    stopsAfterCheck[kDefaultLanguageOffset] = 9;
    SealCatalogue(stopsAfterCheck);

    LoadCatalogue(folder.c_str());
    Require(catalogue.itemCount == kMaxItems && catalogue.addressCount == kMaxAddresses,
            "the maximal catalogue did not load");
    int bufferedCalls = 0, unbufferedCalls = 0;
    {
        CountingFile unbufferedFile(OpenFileForReading(path.c_str()));
        Require(LoadCatalogueFrom(unbufferedFile, catalogue, regionalSettings, nullptr),
                "counted load");
        unbufferedCalls = unbufferedFile.calls;
        CountingFile bufferedFile(OpenFileForReading(path.c_str()));
        BufferedFile buffered(bufferedFile);
        Require(LoadCatalogueFrom(buffered, catalogue, regionalSettings, nullptr), "counted load");
        bufferedCalls = bufferedFile.calls;
    } // closed, so that the file can be removed on Windows too

    std::vector<uint8_t> whole(bytes.size());
    const double baseline = MicrosecondsPer(
        [&] {
            const std::unique_ptr<File> file = OpenFileForReading(path.c_str());
            Require(file && file->Read(whole.data(), static_cast<uint32_t>(whole.size())).bytes ==
                                whole.size(),
                    "baseline read");
        },
        seconds);
    // Side by side, so that both see the same machine.
    const double load = MicrosecondsPer([&] { LoadCatalogue(folder.c_str()); }, seconds);
    const double unbuffered = MicrosecondsPer([&] { LoadUnbuffered(path); }, seconds);
    const double settings = MicrosecondsPer([] { ReadRegionalSettings(); }, seconds);
    const double inMemory = MicrosecondsPer(
        [&] {
            MemoryFile file(bytes.data(), bytes.size());
            LoadCatalogueFrom(file, catalogue, regionalSettings, nullptr);
        },
        seconds);
    const double check = MicrosecondsPer(
        [&] {
            MemoryFile file(stopsAfterCheck.data(), stopsAfterCheck.size());
            LoadCatalogueFrom(file, catalogue, regionalSettings, nullptr);
        },
        seconds);
    FreeCatalogue();
    std::remove(path.c_str());
    std::error_code error;
    std::filesystem::remove(folder.substr(0, folder.size() - 1), error);

    const double io = load - inMemory - settings;
    std::printf("maximal catalogue: %zu bytes; calls to the file per load (besides open and "
                "close): %d buffered, %d unbuffered\n",
                bytes.size(), bufferedCalls, unbufferedCalls);
    std::printf("load, as DemoInit loads it: %.1f us (%.0f loads per second)\n", load, 1e6 / load);
    std::printf("  file calls      %8.1f us  %5.1f %%\n", io, 100 * io / load);
    std::printf("  regional settings %6.1f us  %5.1f %%\n", settings, 100 * settings / load);
    std::printf("  checksum pass   %8.1f us  %5.1f %%\n", check, 100 * check / load);
    std::printf("  parsing         %8.1f us  %5.1f %%\n", inMemory - check,
                100 * (inMemory - check) / load);
    std::printf("load without the buffer: %.1f us; unbuffered / buffered = %.1f\n", unbuffered,
                unbuffered / load);
    std::printf("baseline, the file read whole in one call: %.1f us; load / baseline = %.1f "
                "(unbuffered %.1f)\n",
                baseline, load / baseline, unbuffered / baseline);
    return 0;
}
