#include "glib_log_route.h"

#include <glib.h>
#include <gtest/gtest.h>

namespace fwaravis {
namespace {

TEST(GlibLogRoute, WarningsAreKeptForTheNextFailureInsteadOfPrinted) {
    routeGlibLogs();
    routeGlibLogs();  // a second bus start installs nothing more
    testing::internal::CaptureStderr();
    g_log("Aravis", G_LOG_LEVEL_WARNING, "packet resend %d", 3);
    g_log("GLib-GObject", G_LOG_LEVEL_WARNING, "newest");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(takeGlibMessage(), "GLib-GObject: newest");
    EXPECT_EQ(takeGlibMessage(), "") << "taken once";
}

}  // namespace
}  // namespace fwaravis
