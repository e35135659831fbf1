// The histogram of a frame: 256 bins per channel (one for grey, blue, green and red for BGR).
#pragma once

#include <QImage>
#include <array>
#include <cstdint>

namespace lvcview {

class FrameHistogram {
public:
    static constexpr int kBins = 256;
    using Bins = std::array<uint32_t, kBins>;

    // Counts the pixels of a grey or BGR image; other formats count nothing.
    void count(const QImage& image);
    int channels() const { return channels_; }
    // Channel 0 is grey, or blue for BGR.
    const Bins& bins(int channel) const { return bins_[static_cast<std::size_t>(channel)]; }
    // The largest bin over all channels, at least 1.
    uint32_t peak() const;

private:
    std::array<Bins, 3> bins_{};
    int channels_ = 0;
};

}  // namespace lvcview
