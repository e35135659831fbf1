#include "frame_histogram.h"

#include <algorithm>

namespace lvcview {

void FrameHistogram::count(const QImage& image) {
    for (Bins& channel : bins_) channel.fill(0);
    channels_ = image.format() == QImage::Format_BGR888       ? 3
                : image.format() == QImage::Format_Grayscale8 ? 1
                                                              : 0;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width()) * channels_;
    for (int y = 0; y < image.height() && channels_ > 0; ++y) {
        const uchar* row = image.constScanLine(y);
        for (std::size_t offset = 0; offset < rowBytes; ++offset)
            ++bins_[offset % static_cast<std::size_t>(channels_)][row[offset]];
    }
}

uint32_t FrameHistogram::peak() const {
    uint32_t peak = 1;
    for (int channel = 0; channel < channels_; ++channel)
        peak = std::max(peak, *std::max_element(bins(channel).begin(), bins(channel).end()));
    return peak;
}

}  // namespace lvcview
