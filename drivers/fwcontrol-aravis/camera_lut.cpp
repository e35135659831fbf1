#include "camera_lut.h"

#include <string>
#include <vector>

#include "fw_status.h"

namespace fwaravis {
namespace {

int32_t selectLut(const GenicamAccess& genicam, uint32_t lut, LutInfo& info) {
    int32_t status = readLutInfo(genicam, info);
    if (status != FW_STATUS_OK) return status;
    if (lut >= info.count) return FWC_ERR_NO_LUT;
    if (!genicam.implemented("LUTSelector")) return FW_STATUS_OK;
    std::vector<std::string> names;
    status = genicam.entries("LUTSelector", names);
    if (status != FW_STATUS_OK) return status;
    return genicam.setString("LUTSelector", names.at(lut).c_str());
}

}  // namespace

int32_t readLutInfo(const GenicamAccess& genicam, LutInfo& info) {
    if (!genicam.implemented("LUTValue") || !genicam.implemented("LUTIndex")) return FWC_ERR_NO_LUT;
    info.count = 1;
    if (genicam.implemented("LUTSelector")) {
        std::vector<std::string> names;
        const int32_t status = genicam.entries("LUTSelector", names);
        if (status != FW_STATUS_OK) return status;
        info.count = static_cast<uint32_t>(names.size());
    }
    int64_t min = 0, maxValue = 0, maxIndex = 0;
    int32_t status = genicam.integerBounds("LUTValue", min, maxValue);
    if (status == FW_STATUS_OK) status = genicam.integerBounds("LUTIndex", min, maxIndex);
    info.maxValue = static_cast<uint32_t>(maxValue);
    info.elements = static_cast<uint32_t>(maxIndex + 1);
    return status;
}

int32_t uploadLut(const GenicamAccess& genicam, uint32_t lut, const uint8_t* values,
                  uint32_t count) {
    LutInfo info;
    int32_t status = selectLut(genicam, lut, info);
    if (status != FW_STATUS_OK) return status;
    if (count != info.elements) return FWC_ERR_LUT_SIZE;
    for (uint32_t index = 0; index < count && status == FW_STATUS_OK; ++index) {
        const int64_t scaled = (static_cast<int64_t>(values[index]) * info.maxValue + 127) / 255;
        status = genicam.setInteger("LUTIndex", index);
        if (status == FW_STATUS_OK) status = genicam.setInteger("LUTValue", scaled);
    }
    return status;
}

int32_t useLut(const GenicamAccess& genicam, uint32_t lut, bool on) {
    LutInfo info;
    const int32_t status = selectLut(genicam, lut, info);
    if (status != FW_STATUS_OK) return status;
    if (!genicam.implemented("LUTEnable")) return on ? FW_STATUS_OK : FWC_ERR_INVALID_ARGUMENT;
    return genicam.setBoolean("LUTEnable", on);
}

}  // namespace fwaravis
