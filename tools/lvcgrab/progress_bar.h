// A one-line progress bar on standard error, drawn only when it is a terminal.
#pragma once

#include <cstdint>

namespace lvcgrab {

class ProgressBar {
public:
    explicit ProgressBar(int32_t total);
    // Clears the bar's line.
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void show(int32_t done);

private:
    const int32_t total_;
    const bool enabled_;
};

}  // namespace lvcgrab
