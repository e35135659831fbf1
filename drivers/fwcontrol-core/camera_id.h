// Camera ids for cameras whose bus has none of its own: a 32-bit FNV-1a hash of
// "<bus>:<serial>" with its top bit cleared (hosts see ids printed as signed 32-bit numbers
// in "Vendor Model - id", which then never reads negative), so a host's stored "Vendor Model - id" finds the same camera in every
// run. An id is never 0, never FWC_ALL_CAMERAS and never one of the reserved ids (the
// simulated bus's); a key whose hash is refused or taken is hashed again as "<n>#<key>"
// for n = 1, 2, ... (the count first, as keys with equal hashes keep them equal under
// any common suffix). Keys are placed in sorted order, so the same cameras get the same
// ids whatever order their buses report them in.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace fwc {

uint32_t fnv1a32(std::string_view text);
// The id a key hashes to: fnv1a32 below 2^31.
uint32_t cameraIdHash(std::string_view key);

class CameraIdTable {
public:
    // The ids of keys, in their order. A key keeps the id it had before while that id is
    // still free, so a camera's id never changes while it stays on its bus.
    std::vector<uint32_t> assign(const std::vector<std::string>& keys,
                                 const std::set<uint32_t>& reserved);

private:
    std::map<std::string, uint32_t> assigned_;
};

}  // namespace fwc
