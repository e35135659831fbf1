#include "config_ui/config_sheet.h"

#include <algorithm>
#include <cstring>

#include "camera/camera.h"
#include "config_ui/feature_page.h"
#include "config_ui/format_page.h"
#include "config_ui/lut_page.h"
#include "config_ui/property_sheet.h"
#include "config_ui/sheet_view_factory.h"
#include "config_ui/trig_io_page.h"
#include "diagnostics/diagnostics.h"

namespace lvc {
namespace {

void copyLutName(const std::string& from, char (&to)[kLutNameSize]) {
    std::size_t length = std::min(from.size(), kLongestLutName);
    std::memcpy(to, from.data(), length);
    to[length] = '\0';
}

void showSheet(CCamera& camera) {
    CFormatPage formatPage(camera.cameraId, camera.name, camera.busLoad, camera.streaming);
    CFeaturePage featurePage(camera.cameraId, camera.name);
    CTrigIOPage trigIOPage(camera.cameraId, camera.name);
    CLUTPage lutPage(camera.cameraId, camera.name, camera.useLut, camera.lutName);

    CPropertySheet sheet(camera.name);
    sheet.addPage(formatPage);
    sheet.addPage(featurePage);
    sheet.addPage(trigIOPage);
    sheet.addPage(lutPage);

    std::unique_ptr<SheetView> view = createSheetView();
    if (!view) return;
    sheet.doModal(*view);

    camera.useLut = lutPage.useLut;
    copyLutName(lutPage.lutName, camera.lutName);
    camera.streaming = formatPage.streaming;
    camera.busLoad = formatPage.busLoad;
}

}  // namespace

bool runConfigSheet(CCamera& camera) {
    try {
        showSheet(camera);
    } catch (...) {
        debugMessage("Config property sheet exception - %s\n", camera.name);
    }
    return true;
}

}  // namespace lvc
