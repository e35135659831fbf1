#include "user_sets.h"

#include <string>
#include <vector>

#include "fw_status.h"

namespace fwaravis {
namespace {

constexpr const char* kStartupSpellings[] = {"UserSetDefault", "UserSetDefaultSelector"};

int32_t userSetNames(const GenicamAccess& genicam, std::vector<std::string>& names) {
    if (!hasUserSets(genicam)) return FWC_ERR_FEATURE_NOT_PRESENT;
    return genicam.entries("UserSetSelector", names);
}

}  // namespace

bool hasUserSets(const GenicamAccess& genicam) {
    return genicam.implemented("UserSetSelector") && genicam.implemented("UserSetLoad");
}

int32_t userSetCount(const GenicamAccess& genicam, uint32_t& count) {
    std::vector<std::string> names;
    const int32_t status = userSetNames(genicam, names);
    count = static_cast<uint32_t>(names.size());
    return status;
}

int32_t selectedUserSet(const GenicamAccess& genicam, uint32_t& profile) {
    std::vector<std::string> names;
    std::string selected;
    int32_t status = userSetNames(genicam, names);
    if (status == FW_STATUS_OK) status = genicam.string("UserSetSelector", selected);
    if (status != FW_STATUS_OK) return status;
    for (uint32_t position = 0; position < names.size(); ++position) {
        if (names[position] != selected) continue;
        profile = position;
        return FW_STATUS_OK;
    }
    return FWC_ERR_FEATURE_NOT_PRESENT;
}

int32_t loadUserSet(const GenicamAccess& genicam, uint32_t profile) {
    std::vector<std::string> names;
    int32_t status = userSetNames(genicam, names);
    if (status != FW_STATUS_OK) return status;
    if (profile >= names.size()) return FWC_ERR_VALUE_OUT_OF_RANGE;
    status = genicam.setString("UserSetSelector", names[profile].c_str());
    if (status == FW_STATUS_OK) status = genicam.execute("UserSetLoad");
    return status;
}

int32_t saveUserSet(const GenicamAccess& genicam) {
    if (!hasUserSets(genicam) || !genicam.implemented("UserSetSave"))
        return FWC_ERR_FEATURE_STATUS_UNSUPPORTED;
    std::string selected;
    int32_t status = genicam.string("UserSetSelector", selected);
    if (status == FW_STATUS_OK) status = genicam.execute("UserSetSave");
    for (const char* startup : kStartupSpellings) {
        if (status != FW_STATUS_OK || !genicam.implemented(startup)) continue;
        if (genicam.hasEntry(startup, selected.c_str()))
            status = genicam.setString(startup, selected.c_str());
        break;
    }
    return status;
}

}  // namespace fwaravis
