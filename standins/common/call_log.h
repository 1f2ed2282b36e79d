// Call log of the stand-in libraries, for tests that watch how the module
// drives them. One line per call, written straight to the file so that it
// survives the library being unloaded right after.
#pragma once

#if defined(__GNUC__)
#define STANDIN_PRINTF_FORMAT __attribute__((format(printf, 2, 3)))
#else
#define STANDIN_PRINTF_FORMAT
#endif

namespace standin {

// Appends one printf-formatted line to the file named by the environment
// variable; does nothing when the variable is unset or the file cannot be
// opened.
void AppendCallLog(const char* environmentVariable, const char* format, ...) STANDIN_PRINTF_FORMAT;

} // namespace standin
