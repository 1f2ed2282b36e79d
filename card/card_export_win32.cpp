#include "card/card_export_win32.h"

#include "card/card_conversion.h"

// The host converts a memory-card image here; the result code is all it
// learns: 0, -1, -4 or -5.
extern "C" int __stdcall ConvPCCardFun(const char* outputPath, const char* imagePath) {
    if (outputPath == nullptr || imagePath == nullptr)
        return kCardFilesUnavailable;
    return ConvertCardFiles(outputPath, imagePath).result;
}
