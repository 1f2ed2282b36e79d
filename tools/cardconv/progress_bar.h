// A one-line progress bar on the terminal, for conversions of large images.
#pragma once

#include <cstdint>
#include <cstdio>

class ProgressBar {
  public:
    // Draws only when `stream` is a terminal and `total` is worth a bar.
    ProgressBar(std::FILE* stream, uint64_t total);
    ~ProgressBar();
    void Show(uint64_t done);

  private:
    std::FILE* stream_;
    uint64_t total_;
    bool enabled_;
    int lastPercent_ = -1;
};
