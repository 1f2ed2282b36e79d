// cardconv IMAGE -o OUT: the conversion, with a progress bar for large images
// and the result put in words.
#pragma once

int RunConvert(const char* imagePath, const char* outputPath);
