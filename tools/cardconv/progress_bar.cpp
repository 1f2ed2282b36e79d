#include "progress_bar.h"

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define fileno _fileno
#else
#include <unistd.h>
#endif

namespace {

constexpr uint64_t kSmallestWithBar = 8u << 20;
constexpr int kBarWidth = 40;

} // namespace

ProgressBar::ProgressBar(std::FILE* stream, uint64_t total)
    : stream_(stream), total_(total),
      enabled_(total >= kSmallestWithBar && isatty(fileno(stream)) != 0) {}

ProgressBar::~ProgressBar() {
    if (enabled_ && lastPercent_ >= 0)
        std::fputc('\n', stream_);
}

void ProgressBar::Show(uint64_t done) {
    if (!enabled_)
        return;
    const int percent = static_cast<int>(done >= total_ ? 100 : done * 100 / total_);
    if (percent == lastPercent_)
        return;
    lastPercent_ = percent;
    char bar[kBarWidth + 1];
    const int filled = percent * kBarWidth / 100;
    for (int i = 0; i < kBarWidth; ++i)
        bar[i] = i < filled ? '#' : '.';
    bar[kBarWidth] = '\0';
    std::fprintf(stream_, "\r[%s] %3d%% %llu MB", bar, percent,
                 static_cast<unsigned long long>(done >> 20));
    std::fflush(stream_);
}
