#include "camera_id.h"

#include <algorithm>

#include "fwcontrol.h"

namespace fwc {

uint32_t fnv1a32(std::string_view text) {
    uint32_t hash = 0x811c9dc5u;
    for (const char c : text) {
        hash ^= static_cast<uint8_t>(c);
        hash *= 0x01000193u;
    }
    return hash;
}

uint32_t cameraIdHash(std::string_view key) { return fnv1a32(key) & 0x7FFFFFFFu; }

std::vector<uint32_t> CameraIdTable::assign(const std::vector<std::string>& keys,
                                            const std::set<uint32_t>& reserved) {
    std::set<uint32_t> taken(reserved);
    const auto free = [&](uint32_t id) {
        return id != 0 && id != FWC_ALL_CAMERAS && taken.count(id) == 0;
    };
    std::vector<std::string> sorted(keys);
    std::sort(sorted.begin(), sorted.end());
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::map<std::string, uint32_t> ids;
    // Ids given before stay first, then the new keys take theirs.
    for (const std::string& key : sorted) {
        const auto previous = assigned_.find(key);
        if (previous != assigned_.end() && free(previous->second)) {
            ids[key] = previous->second;
            taken.insert(previous->second);
        }
    }
    for (const std::string& key : sorted) {
        if (ids.count(key) != 0) continue;
        uint32_t id = cameraIdHash(key);
        for (uint32_t attempt = 1; !free(id); ++attempt)
            id = cameraIdHash(std::to_string(attempt) + "#" + key);
        ids[key] = id;
        taken.insert(id);
    }
    for (const auto& [key, id] : ids) assigned_[key] = id;
    std::vector<uint32_t> result;
    result.reserve(keys.size());
    for (const std::string& key : keys) result.push_back(ids[key]);
    return result;
}

}  // namespace fwc
