// Camera ids of cameras without an id of their own: FNV-1a of "<bus>:<serial>" below 2^31,
// refused values and collisions hashed again with a count, in sorted key order.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "camera_id.h"

namespace {

// "aravis:F2B52893" and "aravis:6D490ACF" have the same FNV-1a hash, 0x3ABDB6EA.
struct IdCase {
    const char* what;
    std::vector<std::string> keys;
    std::set<uint32_t> reserved;
    std::vector<uint32_t> expected;
};

const IdCase kIdCases[] = {
    {"the hash of bus and serial, its top bit cleared (FNV-1a gives 0x92F0CF37)",
     {"aravis:SN1"},
     {},
     {0x12F0CF37u}},
    {"cameras of two buses",
     {"dc1394:0814436102ABCDEF", "aravis:SN1"},
     {},
     {0x5B1EB8A1u, 0x12F0CF37u}},
    {"a collision: the first key in sorted order keeps the hash",
     {"aravis:F2B52893", "aravis:6D490ACF"},
     {},
     {0x7F09D3E2u, 0x3ABDB6EAu}},
    {"the same collision reported in the other order",
     {"aravis:6D490ACF", "aravis:F2B52893"},
     {},
     {0x3ABDB6EAu, 0x7F09D3E2u}},
    {"a simulated camera's id is never taken", {"aravis:SN1"}, {0x12F0CF37u}, {0x36EA9B6Fu}},
    {"the count goes on while the hash is taken",
     {"aravis:SN1"},
     {0x12F0CF37u, 0x36EA9B6Fu},
     {0x229D88D0u}},
    {"a camera reported twice has one id",
     {"aravis:SN1", "aravis:SN1"},
     {},
     {0x12F0CF37u, 0x12F0CF37u}},
};

class CameraIdCase : public ::testing::TestWithParam<IdCase> {};

TEST_P(CameraIdCase, AssignsTheExpectedIds) {
    const IdCase& idCase = GetParam();
    fwc::CameraIdTable table;
    EXPECT_EQ(table.assign(idCase.keys, idCase.reserved), idCase.expected) << idCase.what;
}

std::string caseName(const ::testing::TestParamInfo<IdCase>& info) {
    return "case" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(Table, CameraIdCase, ::testing::ValuesIn(kIdCases), caseName);

TEST(CameraIdTable, CameraKeepsItsIdWhenACollidingCameraArrives) {
    fwc::CameraIdTable table;
    EXPECT_EQ(table.assign({"aravis:F2B52893"}, {}), std::vector<uint32_t>{0x3ABDB6EAu});
    // Sorted first, the newcomer would have the hash in a fresh run; here it is in use.
    EXPECT_EQ(table.assign({"aravis:F2B52893", "aravis:6D490ACF"}, {}),
              (std::vector<uint32_t>{0x3ABDB6EAu, 0x63E4E8F2u}));
}

TEST(CameraIdTable, CameraMovesOffAnIdASimulatedCameraTakes) {
    fwc::CameraIdTable table;
    EXPECT_EQ(table.assign({"aravis:SN1"}, {}), std::vector<uint32_t>{0x12F0CF37u});
    EXPECT_EQ(table.assign({"aravis:SN1"}, {0x12F0CF37u}), std::vector<uint32_t>{0x36EA9B6Fu});
}

}  // namespace
