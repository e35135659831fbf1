#include "trigger_input.h"

namespace fwdc1394 {
namespace {

bool isInputLine(dc1394trigger_source_t source) {
    return source >= DC1394_TRIGGER_SOURCE_0 && source <= DC1394_TRIGGER_SOURCE_3;
}

}  // namespace

std::optional<dc1394trigger_source_t> inputSourceFor(const dc1394trigger_sources_t& supported,
                                                     dc1394trigger_source_t present) {
    if (supported.num == 0) return present;
    std::optional<dc1394trigger_source_t> first;
    for (uint32_t index = 0; index < supported.num; ++index) {
        const dc1394trigger_source_t source = supported.sources[index];
        if (!isInputLine(source)) continue;
        if (source == present) return present;
        if (!first) first = source;
    }
    return first;
}

}  // namespace fwdc1394
