// Card conversion throughput against a plain copy of the same image, both in
// this process and on the same files. Natively it converts through the
// portable core; the Windows build converts through ConvPCCardFun in
// brenk_C.dll, as the host does. Into tmpfs (--folder /dev/shm) the figure is
// steady; on a disk, write-back lands in either side's time.
//
// Both sides write the same output file, removed before each run and not
// timed: each then writes a new file into the memory the run before gave
// back. Writing into files of their own, the two sides' speed depended on
// where their files' pages happened to lie, and the ratio changed by a
// tenth from one process to the next while staying put within one.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "card/card_conversion.h"

#ifdef _WIN32
#include <windows.h>

#include "files/library_load_win32.h"
#endif

namespace {

struct Settings {
    uint32_t megabytes = 64;
    int runs = 5;
    std::string folder = ".";
    uint32_t blockRows = 0; // 0: 16 large blocks
};

// Data words never carry a reserved pattern: their top byte stays below 0x7F.
class Words {
  public:
    uint32_t Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_ & 0x7EFFFFFFu;
    }

  private:
    uint32_t state_ = 2463534242u;
};

void Put(std::vector<uint8_t>& out, uint32_t word) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(word >> shift));
}

// Blocks of 8 quantities (or, with small and tiny blocks, 4 quantities and
// 64 or 4 rows), an end mark and a fill of 0xFF bytes up to the size.
bool WriteImage(const std::string& path, const Settings& settings) {
    const size_t size = static_cast<size_t>(settings.megabytes) << 20;
    const uint32_t k = settings.blockRows > 0 ? 4 : 8;
    const size_t blockWords =
        settings.blockRows > 0 ? 5 + k + settings.blockRows * k : size / 4 / 16;
    std::vector<uint8_t> image;
    image.reserve(size);
    Words words;
    for (uint32_t block = 0; image.size() + blockWords * 4 + 4 <= size; ++block) {
        Put(image, 0x7FFF0000u | (block & 0xFF));
        for (uint32_t word : {731426u + block / 100, 45296u, 60u, k})
            Put(image, word);
        for (uint32_t id = 0; id < k; ++id)
            Put(image, id);
        for (size_t i = 5 + k; i < blockWords; ++i)
            Put(image, words.Next());
    }
    Put(image, 0xFFFFFFFFu);
    image.resize(size, 0xFF);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = std::fwrite(image.data(), 1, image.size(), file) == image.size();
    return std::fclose(file) == 0 && written;
}

bool Copy(const std::string& from, const std::string& to) {
    const std::unique_ptr<File> in = OpenFileForReading(from.c_str());
    const std::unique_ptr<File> out = OpenFileForWriting(to.c_str());
    if (!in || !out)
        return false;
    std::vector<uint8_t> buffer(256 * 1024);
    const uint32_t size = static_cast<uint32_t>(buffer.size());
    for (uint32_t got; (got = in->Read(buffer.data(), size).bytes) > 0;)
        if (out->Write(buffer.data(), got).bytes != got)
            return false;
    return true;
}

#ifdef _WIN32
using ConvPCCardFunType = int32_t(__stdcall*)(const char*, const char*);
ConvPCCardFunType convPCCardFun = nullptr;

bool LoadModule() {
    // Beside the benchmark, as the build puts it: never a copy elsewhere.
    HMODULE module = LoadLibraryBeside(nullptr, "brenk_C.dll");
    if (module != nullptr)
        convPCCardFun = reinterpret_cast<ConvPCCardFunType>(
            reinterpret_cast<void*>(GetProcAddress(module, "ConvPCCardFun")));
    return convPCCardFun != nullptr;
}

int32_t Convert(const std::string& image, const std::string& output) {
    return convPCCardFun(output.c_str(), image.c_str());
}
const char* const kConverter = "ConvPCCardFun in brenk_C.dll";
#else
bool LoadModule() {
    return true;
}

int32_t Convert(const std::string& image, const std::string& output) {
    return ConvertCardFiles(output.c_str(), image.c_str()).result;
}
const char* const kConverter = "the portable conversion";
#endif

// The process's processor time (user and system) in seconds: on a shared
// machine it counts the work done, where the wall clock also counts the
// time spent waiting for a processor.
double ProcessorSeconds() {
#ifdef _WIN32
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    const auto seconds = [](const FILETIME& t) {
        return static_cast<double>(static_cast<uint64_t>(t.dwHighDateTime) << 32 |
                                   t.dwLowDateTime) *
               1e-7;
    };
    return seconds(kernel) + seconds(user);
#else
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
#endif
}

// The best wall-clock and processor times of the runs so far.
struct Best {
    double wall = 1e30;
    double processor = 1e30;

    template <typename Work> void Time(Work work, bool& ok) {
        const auto start = std::chrono::steady_clock::now();
        const double startProcessor = ProcessorSeconds();
        ok = work() && ok;
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        wall = std::min(wall, took.count());
        processor = std::min(processor, ProcessorSeconds() - startProcessor);
    }
};

bool ParseArguments(int argc, char** argv, Settings& settings) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--size" && hasValue)
            settings.megabytes = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else if (arg == "--runs" && hasValue)
            settings.runs = std::atoi(argv[++i]);
        else if (arg == "--folder" && hasValue)
            settings.folder = argv[++i];
        else if (arg == "--small-blocks")
            settings.blockRows = 64;
        else if (arg == "--tiny-blocks")
            settings.blockRows = 4;
        else
            return false;
    }
    return settings.megabytes > 0 && settings.megabytes < 1024 && settings.runs > 0;
}

} // namespace

int main(int argc, char** argv) {
    Settings settings;
    if (!ParseArguments(argc, argv, settings)) {
        std::fprintf(stderr,
                     "usage: card_bench [--size MB] [--runs N] [--folder DIR] "
                     "[--small-blocks | --tiny-blocks]\n"
                     "  --size MB        image size (64)\n"
                     "  --runs N         copies and conversions, alternating; the best counts (5)\n"
                     "  --folder DIR     where the image, copy and data file go (.); tmpfs\n"
                     "                   (/dev/shm) gives the steady figure, a disk's write-back\n"
                     "                   lands in either side's time\n"
                     "  --small-blocks   blocks of 4 quantities and 64 rows (about 1 KB)\n"
                     "  --tiny-blocks    blocks of 4 quantities and 4 rows (100 bytes)\n"
                     "  without either, 16 large blocks of 8 quantities\n");
        return 2;
    }
    if (!LoadModule()) {
        std::fprintf(stderr, "card_bench: brenk_C.dll or its ConvPCCardFun not found\n");
        return 1;
    }
    const std::string image = settings.folder + "/card_bench.img";
    const std::string output = settings.folder + "/card_bench.out";
    if (!WriteImage(image, settings)) {
        std::fprintf(stderr, "card_bench: cannot write %s\n", image.c_str());
        return 1;
    }
    bool ok = Copy(image, output) && Convert(image, output) == kCardConverted; // warm the cache
    Best copy, conversion;
    // Alternate so both see the same machine load.
    for (int round = 0; round < settings.runs; ++round) {
        std::remove(output.c_str());
        copy.Time([&] { return Copy(image, output); }, ok);
        std::remove(output.c_str());
        conversion.Time([&] { return Convert(image, output) == kCardConverted; }, ok);
    }
    std::remove(image.c_str());
    std::remove(output.c_str());
    if (!ok) {
        std::fprintf(stderr, "card_bench: a copy or conversion failed\n");
        return 1;
    }
    const double megabytes = settings.megabytes;
    const char* const blocks = settings.blockRows == 64  ? "small (64-row)"
                               : settings.blockRows == 4 ? "tiny (4-row)"
                                                         : "16 large";
    std::printf("image: %u MB, %s blocks; converter: %s; best of %d\n", settings.megabytes, blocks,
                kConverter, settings.runs);
    std::printf("copy:       %8.1f MB/s (processor %.1f ms)\n", megabytes / copy.wall,
                copy.processor * 1e3);
    std::printf("conversion: %8.1f MB/s (processor %.1f ms)\n", megabytes / conversion.wall,
                conversion.processor * 1e3);
    std::printf("ratio:      %8.3f (by processor time %.3f)\n", copy.wall / conversion.wall,
                copy.processor / conversion.processor);
    return 0;
}
