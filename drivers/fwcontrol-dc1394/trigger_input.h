// The FWC trigger waits for the camera's trigger input, a line of the camera (IIDC
// sources 0-3), never its software source: which source an active trigger uses.
#pragma once

#include <dc1394/dc1394.h>

#include <optional>

namespace fwdc1394 {

// The present source when it is an input line, else the first line the camera offers;
// nullopt when it offers only the software source. A camera that states no sources
// (before IIDC 1.31) keeps its present one.
std::optional<dc1394trigger_source_t> inputSourceFor(const dc1394trigger_sources_t& supported,
                                                     dc1394trigger_source_t present);

}  // namespace fwdc1394
