// cnftool: builds, dumps and checks catalogue files "TALVERIN.CNF" for the
// people who maintain the price lists.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue_warnings.h"
#include "config/catalogue_builder.h"
#include "config/catalogue_source.h"
#include "files/buffered_file.h"

namespace {

constexpr int kOk = 0;
constexpr int kFault = 1;
constexpr int kUsage = 2;

const char kUsageText[] =
    "usage: cnftool build SOURCE -o FILE   build a catalogue file from its source\n"
    "       cnftool dump FILE [-o SOURCE]  write the file's fields as source (default: "
    "standard output)\n"
    "       cnftool check FILE             name the first fault of the file, if any\n"
    "The source format is described in tools/cnftool/README.md.\n";

int Usage(const std::string& problem) {
    if (!problem.empty())
        std::fprintf(stderr, "cnftool: %s\n", problem.c_str());
    std::fputs(kUsageText, stderr);
    return kUsage;
}

bool ReadText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return true;
}

bool WriteBytes(const std::string& path, const void* data, size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    return static_cast<bool>(out);
}

void PrintWarnings(const std::string& name, const CatalogueImage& image) {
    for (const std::string& warning : CatalogueWarnings(image))
        std::fprintf(stderr, "%s: warning: %s\n", name.c_str(), warning.c_str());
    LocalDate today{};
    ReadLocalClock(nullptr, &today);
    const std::string expiry = ExpiryNote(image, today);
    if (!expiry.empty())
        std::fprintf(stderr, "%s: note: %s\n", name.c_str(), expiry.c_str());
}

// Reads a catalogue file through the module's own checks.
bool LoadImage(const std::string& path, CatalogueImage& image) {
    const std::unique_ptr<File> file = OpenFileForReading(path.c_str());
    if (!file) {
        std::fprintf(stderr, "%s: cannot open the file\n", path.c_str());
        return false;
    }
    BufferedFile buffered(*file); // as the module reads it: a few large reads
    CatalogueFault fault;
    if (ReadCatalogueImage(buffered, image, &fault))
        return true;
    char description[256];
    DescribeCatalogueFault(fault, description, sizeof description);
    std::fprintf(stderr, "%s: %s\n", path.c_str(), description);
    return false;
}

int Build(const std::string& sourcePath, const std::string& outPath) {
    std::string source, problem;
    if (!ReadText(sourcePath, source)) {
        std::fprintf(stderr, "%s: cannot read the source\n", sourcePath.c_str());
        return kFault;
    }
    CatalogueImage image;
    std::vector<uint8_t> bytes;
    if (!ParseCatalogueSource(source, image, problem) || !BuildCatalogue(image, bytes, problem)) {
        std::fprintf(stderr, "%s: %s\n", sourcePath.c_str(), problem.c_str());
        return kFault;
    }
    PrintWarnings(sourcePath, image);
    if (!WriteBytes(outPath, bytes.data(), bytes.size())) {
        std::fprintf(stderr, "%s: cannot write the file\n", outPath.c_str());
        return kFault;
    }
    return kOk;
}

int Dump(const std::string& path, const std::string& outPath) {
    CatalogueImage image;
    if (!LoadImage(path, image))
        return kFault;
    const std::string source = WriteCatalogueSource(image);
    if (outPath.empty()) {
        std::fwrite(source.data(), 1, source.size(), stdout);
        return std::fflush(stdout) == 0 ? kOk : kFault;
    }
    if (!WriteBytes(outPath, source.data(), source.size())) {
        std::fprintf(stderr, "%s: cannot write the source\n", outPath.c_str());
        return kFault;
    }
    return kOk;
}

int Check(const std::string& path) {
    CatalogueImage image;
    if (!LoadImage(path, image))
        return kFault;
    std::printf("%s: valid catalogue: %u items, %u addresses, default language %d, "
                "currency \"%s\", valid until %04d-%02d-%02d\n",
                path.c_str(), static_cast<unsigned>(image.items.size()),
                static_cast<unsigned>(image.addresses.size()), image.defaultLanguage,
                image.currency.c_str(), image.year, image.month, image.day);
    PrintWarnings(path, image);
    return kOk;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> words(argv + 1, argv + argc);
    std::string outPath;
    for (size_t i = 0; i < words.size(); ++i) {
        if (words[i] != "-o")
            continue;
        if (i + 1 >= words.size())
            return Usage("-o needs a file name");
        outPath = words[i + 1];
        words.erase(words.begin() + static_cast<long>(i), words.begin() + static_cast<long>(i) + 2);
        break;
    }
    if (words.size() == 1 && (words[0] == "-h" || words[0] == "--help" || words[0] == "help")) {
        std::fputs(kUsageText, stdout);
        return kOk;
    }
    if (words.size() != 2)
        return Usage(words.empty() ? "" : "expected a command and one file");
    const std::string& command = words[0];
    if (command == "build")
        return outPath.empty() ? Usage("build needs -o FILE") : Build(words[1], outPath);
    if (command == "dump")
        return Dump(words[1], outPath);
    if (command == "check")
        return outPath.empty() ? Check(words[1]) : Usage("check writes no file");
    return Usage("unknown command \"" + command + "\"");
}
