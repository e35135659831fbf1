// Which IIDC trigger source an active FWC trigger uses, for the source sets cameras state.
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>

#include "trigger_input.h"

namespace fwdc1394 {
namespace {

dc1394trigger_sources_t sourcesOf(std::initializer_list<dc1394trigger_source_t> sources) {
    dc1394trigger_sources_t set{};
    for (const dc1394trigger_source_t source : sources) set.sources[set.num++] = source;
    return set;
}

struct SourceCase {
    const char* what;
    dc1394trigger_sources_t supported;
    dc1394trigger_source_t present;
    std::optional<dc1394trigger_source_t> expected;
};

TEST(TriggerInput, AnActiveTriggerUsesAnInputLineNeverTheSoftwareSource) {
    constexpr auto kSoftware = DC1394_TRIGGER_SOURCE_SOFTWARE;
    const SourceCase cases[] = {
        {"present line kept", sourcesOf({DC1394_TRIGGER_SOURCE_0, DC1394_TRIGGER_SOURCE_2}),
         DC1394_TRIGGER_SOURCE_2, DC1394_TRIGGER_SOURCE_2},
        {"software left for the first line",
         sourcesOf({DC1394_TRIGGER_SOURCE_1, DC1394_TRIGGER_SOURCE_3, kSoftware}), kSoftware,
         DC1394_TRIGGER_SOURCE_1},
        {"software listed first", sourcesOf({kSoftware, DC1394_TRIGGER_SOURCE_2}), kSoftware,
         DC1394_TRIGGER_SOURCE_2},
        {"present source not offered", sourcesOf({DC1394_TRIGGER_SOURCE_3}),
         DC1394_TRIGGER_SOURCE_0, DC1394_TRIGGER_SOURCE_3},
        {"software only", sourcesOf({kSoftware}), kSoftware, std::nullopt},
        {"no sources stated (before IIDC 1.31)", sourcesOf({}), DC1394_TRIGGER_SOURCE_0,
         DC1394_TRIGGER_SOURCE_0},
    };
    for (const SourceCase& c : cases)
        EXPECT_EQ(inputSourceFor(c.supported, c.present), c.expected) << c.what;
}

}  // namespace
}  // namespace fwdc1394
