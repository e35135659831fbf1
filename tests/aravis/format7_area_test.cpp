#include "format7_area.h"

#include <gtest/gtest.h>

namespace fwaravis {
namespace {

struct AreaCase {
    const char* shows;
    Area requested;
    Area accepted;
};

// 640 × 480 sensor, width in steps of 4 (at least 16), height of 2 (at least 8), left in 2, top in 2.
const AreaLimits kLimits{640, 480, 16, 8, 4, 2, 2, 2};

const AreaCase kCases[] = {
    {"a fitting area stays", {8, 4, 320, 240}, {8, 4, 320, 240}},
    {"sizes round down to their unit", {0, 0, 323, 241}, {0, 0, 320, 240}},
    {"positions round down to their unit", {7, 5, 320, 240}, {6, 4, 320, 240}},
    {"too large sizes become the sensor", {0, 0, 99999, 99999}, {0, 0, 640, 480}},
    {"too small sizes become the smallest", {0, 0, 1, 0}, {0, 0, 16, 8}},
    {"an area past the edge is pulled in", {600, 470, 100, 20}, {540, 460, 100, 20}},
};

TEST(Format7Area, RequestsAreRoundedAndBounded) {
    for (const AreaCase& row : kCases) {
        SCOPED_TRACE(row.shows);
        const Area accepted = fitArea(row.requested, kLimits);
        EXPECT_EQ(accepted.left, row.accepted.left);
        EXPECT_EQ(accepted.top, row.accepted.top);
        EXPECT_EQ(accepted.width, row.accepted.width);
        EXPECT_EQ(accepted.height, row.accepted.height);
    }
}

TEST(Format7Area, ASensorNarrowerThanItsUnitIsTakenWhole) {
    const Area accepted = fitArea({5, 5, 100, 100}, AreaLimits{3, 3, 1, 1, 4, 4, 1, 1});
    EXPECT_EQ(accepted.width, 3u);
    EXPECT_EQ(accepted.height, 3u);
    EXPECT_EQ(accepted.left, 0u);
    EXPECT_EQ(accepted.top, 0u);
}

}  // namespace
}  // namespace fwaravis
