#include "convert_command.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "card/card_conversion.h"
#include "progress_bar.h"

namespace {

void ShowProgress(uint64_t bytesRead, void* bar) {
    static_cast<ProgressBar*>(bar)->Show(bytesRead);
}

const char* Explain(CardConversionOutcome outcome) {
    switch (outcome) {
    case CardConversionOutcome::Converted:
        return "converted; every block was closed";
    case CardConversionOutcome::ImageNotOpened:
        return "the card image cannot be opened";
    case CardConversionOutcome::OutputNotCreated:
        return "the output file cannot be created";
    case CardConversionOutcome::NoMemory:
        return "there is not enough memory for the conversion's buffers";
    case CardConversionOutcome::NoBlockMarker:
        return "the image holds no block marker (bytes 7F FF 00 nn), so there is nothing to "
               "convert; the output file is empty";
    case CardConversionOutcome::ImageEndedInBlockStart:
        return "the image ends inside the header words or quantity list of its last block; that "
               "block has no data part and its end offset stays blank";
    case CardConversionOutcome::ZeroQuantityCount:
        return "a block declares 0 quantities per row; the conversion stopped there, the blocks "
               "before it are complete";
    case CardConversionOutcome::WriteFailed:
        return "writing the output failed (is the disk full?); what was written is kept and the "
               "last block closed on it, but the rest of the card is missing";
    case CardConversionOutcome::ClosingFailed:
        return "the last block's end offset and row count could not be written";
    case CardConversionOutcome::SizeLimitReached:
        return "the output would have reached 100,000,000 bytes, more than its 8-digit end "
               "offsets can say; the conversion stopped short of that and closed the last "
               "block on what was written";
    case CardConversionOutcome::ReadFailed:
        return "reading the card image failed part way; the blocks read before the failure are "
               "kept and the last one closed on what was read, the rest is missing";
    case CardConversionOutcome::OutputNotClosed:
        return "closing the output failed; its last bytes may not have reached the disk";
    }
    return "unknown outcome";
}

uint64_t FileSize(const char* path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    return error ? 0 : static_cast<uint64_t>(size);
}

} // namespace

int RunConvert(const char* imagePath, const char* outputPath) {
    CardConversionReport report;
    {
        ProgressBar bar(stderr, FileSize(imagePath));
        CardConversionOptions options;
        options.progress = ShowProgress;
        options.progressContext = &bar;
        report = ConvertCardFiles(outputPath, imagePath, options);
    }
    std::printf("result %d: %s.\n", report.result, Explain(report.outcome));
    if (report.result != kCardFilesUnavailable)
        std::printf("%u block marker%s found in %llu bytes read; %s holds %llu bytes.\n",
                    report.blocksFound, report.blocksFound == 1 ? "" : "s",
                    static_cast<unsigned long long>(report.imageBytesRead), outputPath,
                    static_cast<unsigned long long>(FileSize(outputPath)));
    return report.result == kCardConverted ? 0 : 1;
}
