#include "config_ui_fixture.h"

#include "fwcontrol.h"
#include "platform/private_profile.h"

namespace lvc::test {

std::string ConfigUiTest::iniValue(const char* section, const char* key) const {
    char value[512] = {};
    readProfileString(section, key, "<missing>", value, sizeof value,
                      settingsFile("Lorvenacam.ini").c_str());
    return value;
}

OpenedCamera::OpenedCamera(uint32_t cameraId) : cameraId_(cameraId) {
    EXPECT_EQ(FWC_OpenCamera(cameraId, FWC_OPEN_DEFAULT), 0);
}

OpenedCamera::~OpenedCamera() { FWC_CloseCamera(cameraId_); }

}  // namespace lvc::test
