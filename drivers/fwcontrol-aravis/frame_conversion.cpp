#include "frame_conversion.h"

#include <cstring>

#include "fwcontrol.h"

namespace fwaravis {
namespace {

// A sample of `bits` significant bits as a big-endian word, its bits at the top.
inline void storeWord(uint8_t* out, uint32_t sample, uint32_t bits) {
    const uint32_t word = sample << (16 - bits);
    out[0] = static_cast<uint8_t>(word >> 8);
    out[1] = static_cast<uint8_t>(word);
}

void widenLittleEndianWords(const uint8_t* in, uint8_t* out, size_t pixels, uint32_t bits) {
    const uint32_t mask = (1u << bits) - 1;
    for (size_t pixel = 0; pixel < pixels; ++pixel, in += 2, out += 2)
        storeWord(out, (in[0] | (in[1] << 8)) & mask, bits);
}

// The sample starting at bit `first` of an LSB-first bit stream.
uint32_t streamSample(const uint8_t* in, size_t first, uint32_t bits) {
    uint32_t sample = 0;
    for (uint32_t bit = 0; bit < bits; ++bit) {
        const size_t position = first + bit;
        sample |= ((in[position / 8] >> (position % 8)) & 1u) << bit;
    }
    return sample;
}

void unpackLsbFirst10(const uint8_t* in, uint8_t* out, size_t pixels) {
    size_t pixel = 0;
    for (; pixel + 4 <= pixels; pixel += 4, in += 5, out += 8) {
        storeWord(out, in[0] | ((in[1] & 0x03u) << 8), 10);
        storeWord(out + 2, (in[1] >> 2) | ((in[2] & 0x0fu) << 6), 10);
        storeWord(out + 4, (in[2] >> 4) | ((in[3] & 0x3fu) << 4), 10);
        storeWord(out + 6, (in[3] >> 6) | (in[4] << 2), 10);
    }
    for (size_t tail = 0; pixel < pixels; ++pixel, ++tail, out += 2)
        storeWord(out, streamSample(in, tail * 10, 10), 10);
}

void unpackLsbFirst12(const uint8_t* in, uint8_t* out, size_t pixels) {
    size_t pixel = 0;
    for (; pixel + 2 <= pixels; pixel += 2, in += 3, out += 4) {
        storeWord(out, in[0] | ((in[1] & 0x0fu) << 8), 12);
        storeWord(out + 2, (in[1] >> 4) | (in[2] << 4), 12);
    }
    if (pixel < pixels) storeWord(out, in[0] | ((in[1] & 0x0fu) << 8), 12);
}

// Bytes 0 and 2 hold the high bits of the two pixels, byte 1 their low bits: 12 bits in
// nibbles 0 and 1, 10 bits in bit pairs 0 and 2.
void unpackTwoInThree(const uint8_t* in, uint8_t* out, size_t pixels, uint32_t bits) {
    const uint32_t lowBits = bits - 8;
    const uint32_t lowMask = (1u << lowBits) - 1;
    size_t pixel = 0;
    for (; pixel + 2 <= pixels; pixel += 2, in += 3, out += 4) {
        storeWord(out, (in[0] << lowBits) | (in[1] & lowMask), bits);
        storeWord(out + 2, (in[2] << lowBits) | ((in[1] >> 4) & lowMask), bits);
    }
    if (pixel < pixels) storeWord(out, (in[0] << lowBits) | (in[1] & lowMask), bits);
}

void swapRedBlue(const uint8_t* in, uint8_t* out, size_t pixels) {
    for (size_t pixel = 0; pixel < pixels; ++pixel, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

void yuyvToUyvy(const uint8_t* in, uint8_t* out, size_t bytes) {
    for (size_t byte = 0; byte + 1 < bytes; byte += 2) {
        out[byte] = in[byte + 1];
        out[byte + 1] = in[byte];
    }
}

}  // namespace

size_t codingFrameBytes(uint32_t coding, uint32_t width, uint32_t height) {
    return static_cast<size_t>(width) * height * FWC_CodingBitDepth(coding) / 8;
}

size_t cameraFrameBytes(const PixelFormatMapping& mapping, uint32_t width, uint32_t height) {
    const size_t pixels = static_cast<size_t>(width) * height;
    switch (mapping.layout) {
    case PixelLayout::LittleEndianWords: return pixels * 2;
    case PixelLayout::PackedLsbFirst: return (pixels * mapping.significantBits + 7) / 8;
    case PixelLayout::PackedTwoInThree: return (pixels + 1) / 2 * 3;
    default: return codingFrameBytes(mapping.coding, width, height);
    }
}

void convertFrame(const PixelFormatMapping& mapping, const uint8_t* in, uint8_t* out,
                  uint32_t width, uint32_t height) {
    const size_t pixels = static_cast<size_t>(width) * height;
    switch (mapping.layout) {
    case PixelLayout::Copy:
        std::memcpy(out, in, codingFrameBytes(mapping.coding, width, height));
        break;
    case PixelLayout::SwapRedBlue: swapRedBlue(in, out, pixels); break;
    case PixelLayout::YuyvToUyvy: yuyvToUyvy(in, out, pixels * 2); break;
    case PixelLayout::LittleEndianWords:
        widenLittleEndianWords(in, out, pixels, mapping.significantBits);
        break;
    case PixelLayout::PackedLsbFirst:
        if (mapping.significantBits == 10)
            unpackLsbFirst10(in, out, pixels);
        else
            unpackLsbFirst12(in, out, pixels);
        break;
    case PixelLayout::PackedTwoInThree:
        unpackTwoInThree(in, out, pixels, mapping.significantBits);
        break;
    }
}

}  // namespace fwaravis
