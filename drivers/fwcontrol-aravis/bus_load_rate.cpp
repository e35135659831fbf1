#include "bus_load_rate.h"

#include <algorithm>
#include <cmath>

#include "aoi_rounding.h"
#include "fw_status.h"

namespace fwaravis {
namespace {

constexpr uint32_t kFullLoad = 1000;
constexpr const char* kRateSpellings[] = {"AcquisitionFrameRate", "AcquisitionFrameRateAbs"};
constexpr const char* kEnableSpellings[] = {"AcquisitionFrameRateEnable",
                                            "AcquisitionFrameRateEnabled"};

template <size_t N>
const char* firstImplemented(const GenicamAccess& genicam, const char* const (&spellings)[N]) {
    for (const char* spelling : spellings)
        if (genicam.implemented(spelling)) return spelling;
    return nullptr;
}

}  // namespace

bool hasFrameRateLimit(const GenicamAccess& genicam) {
    const char* rate = firstImplemented(genicam, kRateSpellings);
    double min = 0, max = 0;
    return rate != nullptr && genicam.floatBounds(rate, min, max) == FW_STATUS_OK && max > 0;
}

int32_t writeBusLoad(const GenicamAccess& genicam, uint32_t busLoad) {
    if (!hasFrameRateLimit(genicam)) return FWC_ERR_FEATURE_NOT_PRESENT;
    const char* rate = firstImplemented(genicam, kRateSpellings);
    const char* enable = firstImplemented(genicam, kEnableSpellings);
    const uint32_t load = fwc::boundBusLoad(busLoad);
    // The rate's bounds can depend on its enable: switch it on before reading them.
    int32_t status = FW_STATUS_OK;
    if (enable != nullptr) status = genicam.setBoolean(enable, true);
    double min = 0, max = 0;
    if (status == FW_STATUS_OK) status = genicam.floatBounds(rate, min, max);
    if (status != FW_STATUS_OK) return status;
    status = genicam.setFloat(rate, std::clamp(max * load / kFullLoad, min, max));
    if (status == FW_STATUS_OK && enable != nullptr && load == kFullLoad)
        status = genicam.setBoolean(enable, false);
    return status;
}

int32_t readBusLoad(const GenicamAccess& genicam, uint32_t& busLoad) {
    if (!hasFrameRateLimit(genicam)) return FWC_ERR_FEATURE_NOT_PRESENT;
    const char* rate = firstImplemented(genicam, kRateSpellings);
    if (const char* enable = firstImplemented(genicam, kEnableSpellings)) {
        bool enabled = false;
        const int32_t status = genicam.boolean(enable, enabled);
        if (status != FW_STATUS_OK) return status;
        if (!enabled) {
            busLoad = kFullLoad;
            return FW_STATUS_OK;
        }
    }
    double value = 0, min = 0, max = 0;
    int32_t status = genicam.floatValue(rate, value);
    if (status == FW_STATUS_OK) status = genicam.floatBounds(rate, min, max);
    if (status != FW_STATUS_OK) return status;
    busLoad = max > 0
                  ? fwc::boundBusLoad(static_cast<uint32_t>(std::lround(value / max * kFullLoad)))
                  : kFullLoad;
    return FW_STATUS_OK;
}

}  // namespace fwaravis
