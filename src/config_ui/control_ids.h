// Control ids of the four configuration pages.
#pragma once

#include <cstdint>

namespace lvc {

// Format page (template 107)
constexpr int32_t kFormatList = 5004;
constexpr int32_t kColorList = 5005;
constexpr int32_t kRateList = 5006;
constexpr int32_t kFormat7Group = 5007;
constexpr int32_t kLeftLabel = 5008;
constexpr int32_t kLeftEdit = 5009;
constexpr int32_t kLeftSpin = 5010;
constexpr int32_t kWidthLabel = 5011;
constexpr int32_t kWidthEdit = 5012;
constexpr int32_t kWidthSpin = 5013;
constexpr int32_t kTopLabel = 5014;
constexpr int32_t kTopEdit = 5015;
constexpr int32_t kTopSpin = 5016;
constexpr int32_t kHeightLabel = 5017;
constexpr int32_t kHeightEdit = 5018;
constexpr int32_t kHeightSpin = 5019;
constexpr int32_t kMaxButton = 5020;
constexpr int32_t kBusLoadEdit = 5038;
constexpr int32_t kStreamingCheck = 5039;

// Feature page (template 105)
constexpr int32_t kEditFeatureGroup = 5001;
constexpr int32_t kFeatureList = 5024;
constexpr int32_t kMinimumText = 5025;
constexpr int32_t kMaximumText = 5026;
constexpr int32_t kValueTrackBar = 5027;
constexpr int32_t kValueEdit = 5028;
constexpr int32_t kValueSpin = 5029;
constexpr int32_t kAutoCheck = 5030;
constexpr int32_t kOnCheck = 5031;
constexpr int32_t kOnePushButton = 5032;

// Trigger page (template 108)
constexpr int32_t kTriggerModeCombo = 5022;
constexpr int32_t kTriggerPolarityCombo = 5023;

// LUT page (template 109)
constexpr int32_t kLutDescriptionEdit = 5021;
constexpr int32_t kUseLutCheck = 5033;
constexpr int32_t kLutFileEdit = 5034;
constexpr int32_t kLutBrowseButton = 5037;
constexpr int32_t kLutElementsEdit = 5040;
constexpr int32_t kLutMaxValueEdit = 5041;

}  // namespace lvc
