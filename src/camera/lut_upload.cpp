// loadLut: at every camera start, upload the LUT file and switch the camera's LUT on, or
// switch it off.
#include <memory>
#include <new>

#include "camera/camera.h"
#include "camera/lut_file.h"
#include "diagnostics/diagnostics.h"
#include "fwcontrol.h"

namespace lvc {
namespace {

// Larger element counts are refused before the upload buffer is allocated: no camera LUT
// comes near it, and a count from a faulty driver must not exhaust memory.
constexpr uint32_t kMaxLutElements = 1u << 24;

bool switchLut(const CCamera& camera, uint32_t on) {
    return checkResult(FWC_Lut_Use(camera.cameraId, 0, on), "FWC_Lut_Use") == 0;
}

bool uploadLutFile(const CCamera& camera, uint32_t elements) {
    std::unique_ptr<uint8_t[]> values;
    if (elements <= kMaxLutElements) values.reset(new (std::nothrow) uint8_t[elements + 1]);
    if (!values || !readLutValues(camera.lutName, elements, values.get())) {
        debugMessage("Error loading LUT %s for %s\n", camera.lutName, camera.name);
        return false;
    }
    if (checkResult(FWC_Lut_Upload(camera.cameraId, 0, values.get(), elements), "FWC_Lut_Upload") !=
        0)
        return false;
    return switchLut(camera, 1);
}

}  // namespace

bool loadLut(CCamera& camera) {
    uint32_t lutCount = 0;
    uint32_t maxValue = 0;
    uint32_t elements = 0;
    uint32_t fourth = 0;
    if (checkResult(FWC_Lut_GetInfo(camera.cameraId, &lutCount, &maxValue, &elements, &fourth),
                    "FWC_Lut_GetInfo") != 0)
        return false;
    if (lutCount == 0) return true;
    if (!camera.useLut) return switchLut(camera, 0);
    return uploadLutFile(camera, elements);
}

}  // namespace lvc
