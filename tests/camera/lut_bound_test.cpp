// The LUT element count comes from the driver; a count no camera has is refused before
// the upload buffer is allocated (0xFFFFFFFF elements would make elements + 1 wrap to an
// empty buffer, which AddressSanitizer reports when the file is read into it). The
// driver's LUT calls are replaced at link time (--wrap), so the test can report any count.
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "camera/camera.h"
#include "camera/lut_file.h"
#include "lorvenacam.h"
#include "support/debug_log.h"
#include "support/temp_directory.h"

namespace {

uint32_t reportedElements = 0;
int uploads = 0;

}  // namespace

extern "C" {
int32_t __wrap_FWC_Lut_GetInfo(uint32_t, uint32_t* lutCount, uint32_t* maxValue, uint32_t* elements,
                               uint32_t*) {
    *lutCount = 1;
    *maxValue = 255;
    *elements = reportedElements;
    return 0;
}
int32_t __wrap_FWC_Lut_Upload(uint32_t, uint32_t, const uint8_t*, uint32_t) {
    ++uploads;
    return 0;
}
int32_t __wrap_FWC_Lut_Use(uint32_t, uint32_t, uint32_t) { return 0; }
}

namespace lvc {
namespace {

TEST(LutBoundTest, RefusesElementCountsNoCameraHas) {
    test::TempDirectory directory;
    const std::string path = (directory.path() / "table.lut").string();
    std::ofstream file(path);
    for (int i = 0; i < 256; ++i) file << i << "\n";
    file.close();

    CCamera camera;
    std::snprintf(camera.name, sizeof camera.name, "Lorvsim Lut - 1");
    std::snprintf(camera.lutName, sizeof camera.lutName, "%s", path.c_str());
    camera.useLut = true;
    setDebugMsgProc(test::DebugLog::receive);
    const std::string error = "Error loading LUT " + path + " for Lorvsim Lut - 1\n";

    for (const uint32_t elements : {0xFFFFFFFFu, (1u << 24) + 1}) {
        test::DebugLog::instance().clear();
        uploads = 0;
        reportedElements = elements;
        EXPECT_FALSE(loadLut(camera)) << elements;
        EXPECT_EQ(test::DebugLog::instance().lines(), std::vector<std::string>{error}) << elements;
        EXPECT_EQ(uploads, 0) << elements;
    }

    reportedElements = 256;
    uploads = 0;
    EXPECT_TRUE(loadLut(camera));
    EXPECT_EQ(uploads, 1);
    setDebugMsgProc(nullptr);
}

}  // namespace
}  // namespace lvc
