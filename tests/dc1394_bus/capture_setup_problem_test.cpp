// The reasons a refused capture setup gives the user: the bus's bandwidth and channels
// (which only an IEEE 1394 bus with several cameras runs out of), or libdc1394's own text.
#include <gtest/gtest.h>

#include <string>

#include "capture_setup_problem.h"

namespace fwdc1394 {
namespace {

TEST(CaptureSetupProblem, NamesTheBusResourceThatRanOut) {
    struct Case {
        dc1394error_t error;
        const char* says;
    };
    for (const Case& c : {Case{DC1394_NO_BANDWIDTH, "isochronous bandwidth"},
                          Case{DC1394_NO_ISO_CHANNEL, "no free isochronous channel"},
                          Case{DC1394_FAILURE, "dc1394_capture_setup failed: "}}) {
        const std::string problem = captureSetupProblem(c.error);
        EXPECT_NE(problem.find(c.says), std::string::npos) << problem;
    }
}

}  // namespace
}  // namespace fwdc1394
