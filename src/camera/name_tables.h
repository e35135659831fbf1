// Names of fixed formats, frame rates, colour codings and features.
#pragma once

#include <cstdint>

namespace lvc {

constexpr uint32_t kFirstFeatureId = 256;
constexpr uint32_t kLastFeatureId = 1035;

const char* resolutionName(uint32_t format, uint32_t mode);
const char* fixedColorName(uint32_t format, uint32_t mode);
const char* frameRateName(uint32_t rate);
const char* colorCodingName(uint32_t coding);
const char* featureName(uint32_t featureId);
// True for the ids that featureName names (not its fallback).
bool isNamedFeature(uint32_t featureId);

}  // namespace lvc
