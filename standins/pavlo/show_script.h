// The slides a show plays, read from a show script file or built in.
// Portable: no Windows headers, so the reader can be tested natively.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pavlo {

constexpr int kMaxSlides = 50;
constexpr std::size_t kMaxLineLength = 200;
constexpr std::size_t kMaxScriptBytes = 64 * 1024;
constexpr int kMinSlideTenths = 1;
constexpr int kMaxSlideTenths = 600;
constexpr int kMinEndCode = 1;
constexpr int kMaxEndCode = 255;
constexpr int kDefaultEndCode = 1;
constexpr int kMaxTextLines = 2;

struct Slide {
    int tenths = 15;
    std::string title;
    std::vector<std::string> lines; // at most kMaxTextLines
};

struct ShowScript {
    std::vector<Slide> slides;
    int endCode = kDefaultEndCode;
};

// Reads the script text; unknown or malformed lines are skipped, numbers
// are clamped, and at most kMaxSlides slides are kept.
ShowScript ParseShowScript(std::string_view text);

// The three slides played when no script file supplies any.
std::vector<Slide> BuiltInSlides();

// Reads the named file (at most kMaxScriptBytes of it). A missing or
// unreadable file, or one without slides, plays the built-in slides; an
// `end` line in the file still counts.
ShowScript LoadShowScript(const char* fileName);

} // namespace pavlo
