#include "progress_bar.h"

#include <cstdio>
#include <string>

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

namespace lvcgrab {
namespace {

constexpr int32_t kBarWidth = 40;

bool standardErrorIsTerminal() {
#if defined(_WIN32)
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

}  // namespace

ProgressBar::ProgressBar(int32_t total) : total_(total), enabled_(standardErrorIsTerminal()) {}

ProgressBar::~ProgressBar() {
    if (enabled_) std::fprintf(stderr, "\r%*s\r", kBarWidth + 24, "");
}

void ProgressBar::show(int32_t done) {
    if (!enabled_ || total_ <= 0) return;
    const int32_t filled = done * kBarWidth / total_;
    const std::string bar = std::string(filled, '#') + std::string(kBarWidth - filled, '-');
    std::fprintf(stderr, "\r[%s] %d/%d", bar.c_str(), done, total_);
    std::fflush(stderr);
}

}  // namespace lvcgrab
