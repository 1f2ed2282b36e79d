// cardconv: converts memory-card images into measurement data files and
// shows what such files hold.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "convert_command.h"
#include "listing_commands.h"

namespace {

int Usage() {
    std::fprintf(stderr,
                 "usage: cardconv IMAGE -o OUT.MDF        convert a card image\n"
                 "       cardconv dump OUT.MDF            list the blocks and check them\n"
                 "       cardconv csv OUT.MDF [--block N] [-o FILE.csv]\n"
                 "                                        the data rows as CSV, words in hex\n");
    return 2;
}

int Csv(int argc, char** argv) {
    const char* input = nullptr;
    const char* outputPath = nullptr;
    unsigned long block = 0;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) {
            outputPath = argv[++i];
        } else if (std::strcmp(argv[i], "--block") == 0 && i + 1 < argc) {
            char* end = nullptr;
            block = std::strtoul(argv[++i], &end, 10);
            if (*end != '\0' || block == 0)
                return Usage();
        } else if (input == nullptr) {
            input = argv[i];
        } else {
            return Usage();
        }
    }
    if (input == nullptr)
        return Usage();
    std::FILE* out = outputPath != nullptr ? std::fopen(outputPath, "w") : stdout;
    if (out == nullptr) {
        std::fprintf(stderr, "cardconv: cannot create %s\n", outputPath);
        return 1;
    }
    const int status = RunCsv(input, out, block);
    if (out != stdout && std::fclose(out) != 0) {
        std::fprintf(stderr, "cardconv: cannot write %s\n", outputPath);
        return 1;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "dump") == 0)
        return RunDump(argv[2]);
    if (argc >= 3 && std::strcmp(argv[1], "csv") == 0)
        return Csv(argc, argv);
    if (argc == 4 && std::strcmp(argv[2], "-o") == 0)
        return RunConvert(argv[1], argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "-o") == 0)
        return RunConvert(argv[3], argv[2]);
    return Usage();
}
