// How a spin control reads its position from its buddy edit's text; shared by the views.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace lvc {

// The position within the range lowest .. highest (in either order) nearest to position.
inline int32_t clampToRange(int64_t position, int32_t lowest, int32_t highest) {
    auto [low, high] = std::minmax(lowest, highest);
    return static_cast<int32_t>(std::clamp<int64_t>(position, low, high));
}

// The position for the buddy's text: the number clamped to the range, or lastPosition
// when the text is not a number.
inline int32_t spinPositionFromText(const std::string& text, int32_t lowest, int32_t highest,
                                    int32_t lastPosition) {
    const char* begin = text.c_str();
    char* end = nullptr;
    long long number = std::strtoll(begin, &end, 10);
    if (end == begin) return lastPosition;
    while (*end == ' ') ++end;
    if (*end != '\0') return lastPosition;
    return clampToRange(number, lowest, highest);
}

}  // namespace lvc
