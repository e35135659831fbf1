#include "png_file.h"

#include <utility>

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wcast-align"
#pragma GCC diagnostic ignored "-Wnull-dereference"
#endif
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace lvcgrab {
namespace {

void swapBlueAndRed(Frame& frame) {
    for (std::size_t offset = 0; offset + 2 < frame.pixels.size(); offset += 3)
        std::swap(frame.pixels[offset], frame.pixels[offset + 2]);
}

}  // namespace

bool writePng(const std::string& path, Frame& frame) {
    if (frame.bytesPerPixel == 3) swapBlueAndRed(frame);
    const int stride = static_cast<int>(frame.width * frame.bytesPerPixel);
    return stbi_write_png(path.c_str(), static_cast<int>(frame.width),
                          static_cast<int>(frame.height), static_cast<int>(frame.bytesPerPixel),
                          frame.pixels.data(), stride) != 0;
}

}  // namespace lvcgrab
