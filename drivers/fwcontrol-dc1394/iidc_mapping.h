// How libdc1394's enumerations map onto the FWC_ numbering: fixed formats, modes and
// rates, Format 7 modes, colour codings, colour filters, features and trigger modes. IIDC
// numbers them all in the same order as FWC_, offset by libdc1394's enum bases.
#pragma once

#include <dc1394/dc1394.h>

#include <cstdint>
#include <optional>

namespace fwdc1394 {

struct FixedMode {
    uint32_t format = 0;
    uint32_t mode = 0;
};

// Formats 0-2; nullopt for Format 7, EXIF and anything else.
std::optional<FixedMode> fixedModeOf(dc1394video_mode_t videoMode);
std::optional<dc1394video_mode_t> videoModeOf(uint32_t format, uint32_t mode);
// Format 7 mode 0..7, or nullopt.
std::optional<uint32_t> format7ModeOf(dc1394video_mode_t videoMode);
dc1394video_mode_t format7VideoMode(uint32_t mode);

// Rate code 0..7 (1.875 × 2^code frames per second).
uint32_t rateCodeOf(dc1394framerate_t rate);
dc1394framerate_t framerateOf(uint32_t rateCode);

std::optional<uint32_t> codingOf(dc1394color_coding_t coding);
dc1394color_coding_t colorCodingOf(uint32_t coding);

// FWC_INFO_BAYER_PATTERN: 0 RGGB, 1 GBRG, 2 GRBG, 3 BGGR.
uint32_t bayerPatternOf(dc1394color_filter_t filter);

// The IIDC feature behind an FWC feature id 256-266; white balance serves two ids.
std::optional<dc1394feature_t> dc1394FeatureOf(uint32_t featureId);
constexpr uint32_t kFirstFeature = 256;
constexpr uint32_t kWhiteBalanceBlue = 259;
constexpr uint32_t kWhiteBalanceRed = 260;
constexpr uint32_t kLastFeature = 266;

// FWC trigger modes 0-5, 14 and 15.
std::optional<dc1394trigger_mode_t> triggerModeOf(uint32_t mode);
uint32_t fwcTriggerModeOf(dc1394trigger_mode_t mode);

}  // namespace fwdc1394
