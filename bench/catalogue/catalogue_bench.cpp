// Loads a maximal catalogue (100 items, 7 languages, 30 addresses, every
// text at its capacity) again and again, natively, and splits a load's time
// into the file calls, the checksum pass and the parsing. The baseline is
// reading the same file whole with one call.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <string>
#include <unistd.h>
#include <vector>

#include "config/catalogue.h"
#include "config/catalogue_builder.h"
#include "config/catalogue_format.h"
#include "config/catalogue_store.h"
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

// Counts the file calls a load makes.
class CountingFile : public File {
  public:
    explicit CountingFile(std::unique_ptr<File> file) : file_(std::move(file)) {}
    FileTransfer Read(void* buffer, uint32_t count) override {
        ++calls;
        return file_->Read(buffer, count);
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

} // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 1.0;
    std::vector<uint8_t> bytes;
    std::string problem;
    Require(BuildCatalogue(MaximalImage(), bytes, problem), problem.c_str());

    char folderPattern[] = "/tmp/catalogue_bench_XXXXXX";
    Require(mkdtemp(folderPattern) != nullptr, "no temporary folder");
    const std::string folder = std::string(folderPattern) + "/";
    const std::string path = folder + kCatalogueFileName;
    FILE* out = std::fopen(path.c_str(), "wb");
    Require(out && std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size(), "cannot write");
    std::fclose(out);

    // The checksum pass alone: a file whose default language fails right after it.
    std::vector<uint8_t> stopsAfterCheck = bytes;
    stopsAfterCheck[kDefaultLanguageOffset] = 9;
    SealCatalogue(stopsAfterCheck);

    LoadCatalogue(folder.c_str());
    Require(catalogue.itemCount == kMaxItems && catalogue.addressCount == kMaxAddresses,
            "the maximal catalogue did not load");
    CountingFile counted(OpenFileForReading(path.c_str()));
    Require(LoadCatalogueFrom(counted, catalogue, regionalSettings, nullptr), "counted load");

    std::vector<uint8_t> whole(bytes.size());
    const double baseline = MicrosecondsPer(
        [&] {
            const int descriptor = open(path.c_str(), O_RDONLY);
            Require(read(descriptor, whole.data(), whole.size()) ==
                        static_cast<ssize_t>(whole.size()),
                    "baseline read");
            close(descriptor);
        },
        seconds);
    const double load = MicrosecondsPer([&] { LoadCatalogue(folder.c_str()); }, seconds);
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
    rmdir(folder.c_str());

    const double io = load - inMemory;
    std::printf("maximal catalogue: %zu bytes, %d file calls per load\n", bytes.size(),
                counted.calls);
    std::printf("loads per second: %.0f (%.1f us per load)\n", 1e6 / load, load);
    std::printf("  file calls      %8.1f us  %5.1f %%\n", io, 100 * io / load);
    std::printf("  checksum pass   %8.1f us  %5.1f %%\n", check, 100 * check / load);
    std::printf("  parsing         %8.1f us  %5.1f %%\n", inMemory - check,
                100 * (inMemory - check) / load);
    std::printf("baseline, the file read whole in one call: %.1f us; load / baseline = %.1f\n",
                baseline, load / baseline);
    return 0;
}
