// An output image followed by guard bytes, to catch writes past its end.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace fwt::test {

class OutputBuffer {
public:
    static constexpr uint8_t fill = 0xA5;
    static constexpr std::size_t guardBytes = 64;

    explicit OutputBuffer(std::size_t size) : size_(size), bytes_(size + guardBytes, fill) {}

    uint8_t* data() { return bytes_.data(); }
    std::vector<uint8_t> image() const {
        return {bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(size_)};
    }
    bool guardIntact() const {
        return std::all_of(bytes_.begin() + static_cast<std::ptrdiff_t>(size_), bytes_.end(),
                           [](uint8_t b) { return b == fill; });
    }
    bool untouched() const {
        return std::all_of(bytes_.begin(), bytes_.end(), [](uint8_t b) { return b == fill; });
    }

private:
    std::size_t size_;
    std::vector<uint8_t> bytes_;
};

}  // namespace fwt::test
