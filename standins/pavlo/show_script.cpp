#include "pavlo/show_script.h"

#include <cstdio>

namespace pavlo {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view NextWord(std::string_view& rest) {
    rest = Trim(rest);
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end]))
        ++end;
    std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

int Clamp(long long value, int low, int high) {
    if (value < low)
        return low;
    if (value > high)
        return high;
    return static_cast<int>(value);
}

// Saturating, so that a long run of digits clamps instead of wrapping.
bool ParseClamped(std::string_view word, int low, int high, int& out) {
    bool negative = false;
    if (!word.empty() && (word.front() == '-' || word.front() == '+')) {
        negative = word.front() == '-';
        word.remove_prefix(1);
    }
    if (word.empty())
        return false;
    long long value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return false;
        if (value < 1000000)
            value = value * 10 + (c - '0');
    }
    out = Clamp(negative ? -value : value, low, high);
    return true;
}

void ParseSlide(std::string_view rest, ShowScript& script) {
    Slide slide;
    if (!ParseClamped(NextWord(rest), kMinSlideTenths, kMaxSlideTenths, slide.tenths))
        return;
    rest = Trim(rest);
    std::size_t bar = rest.find('|');
    slide.title = std::string(Trim(rest.substr(0, bar)));
    while (bar != std::string_view::npos && slide.lines.size() < kMaxTextLines) {
        rest.remove_prefix(bar + 1);
        bar = rest.find('|');
        slide.lines.emplace_back(Trim(rest.substr(0, bar)));
    }
    script.slides.push_back(std::move(slide));
}

void ParseLine(std::string_view line, ShowScript& script) {
    std::string_view rest = line;
    std::string_view keyword = NextWord(rest);
    if (keyword == "slide" && script.slides.size() < kMaxSlides)
        ParseSlide(rest, script);
    else if (keyword == "end")
        ParseClamped(NextWord(rest), kMinEndCode, kMaxEndCode, script.endCode);
}

} // namespace

ShowScript ParseShowScript(std::string_view text) {
    ShowScript script;
    text = text.substr(0, kMaxScriptBytes);
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        line = Trim(line.substr(0, kMaxLineLength));
        if (!line.empty() && line.front() != '#')
            ParseLine(line, script);
    }
    return script;
}

std::vector<Slide> BuiltInSlides() {
    return {
        {15, "Measure", {"Multimeters and power-quality analysers", "read live on the PC"}},
        {15, "Analyse", {"Trends, harmonics and events", "at a glance"}},
        {15, "Report", {"Print the results and keep", "every measurement on file"}},
    };
}

ShowScript LoadShowScript(const char* fileName) {
    ShowScript script;
    if (fileName != nullptr && fileName[0] != '\0') {
        if (std::FILE* file = std::fopen(fileName, "rb")) {
            std::string text(kMaxScriptBytes, '\0');
            text.resize(std::fread(&text[0], 1, text.size(), file));
            std::fclose(file);
            script = ParseShowScript(text);
        }
    }
    if (script.slides.empty())
        script.slides = BuiltInSlides();
    return script;
}

} // namespace pavlo
