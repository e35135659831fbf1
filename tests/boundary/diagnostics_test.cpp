// debugMessage, checkResult and formatName, and the POSIX message box, called directly.
#include "diagnostics/diagnostics.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "diagnostics/user_alert.h"
#include "fw_status.h"
#include "fwcontrol.h"
#include "lorvenacam.h"
#include "platform/message_box.h"
#include "support/debug_log_test.h"

namespace lvc {
namespace {

using test::DebugLog;

class Diagnostics : public test::DebugLogTest {};

TEST_F(Diagnostics, LineIsDeliveredAsFormattedAndCutAt511Characters) {
    debugMessage("%d [%d] - %s\n", 0, 1, "Acme Eye - 1");
    debugMessage("%s", std::string(600, 'x').c_str());
    ASSERT_EQ(lines().size(), 2u);
    EXPECT_EQ(lines()[0], "0 [1] - Acme Eye - 1\n");
    EXPECT_EQ(lines()[1], std::string(511, 'x'));
}

TEST_F(Diagnostics, NothingIsDeliveredWithoutDebugMsgProc) {
    ::setDebugMsgProc(nullptr);
    debugMessage("dropped\n");
    EXPECT_EQ(checkResult(FWC_ERR_CAMERA_BUSY, "FWC_OpenCamera"), FWC_ERR_CAMERA_BUSY);
    EXPECT_TRUE(lines().empty());
}

TEST_F(Diagnostics, CheckResultReportsFailuresWithTheDriverText) {
    EXPECT_EQ(checkResult(0, "FWC_OpenCamera"), 0);
    EXPECT_TRUE(lines().empty());
    EXPECT_EQ(checkResult(FWC_ERR_CAMERA_BUSY, "FWC_OpenCamera"), FWC_ERR_CAMERA_BUSY);
    EXPECT_EQ(checkResult(FWT_ERR_ODD_SIZE, ""), FWT_ERR_ODD_SIZE);
    char busy[FWC_ERROR_TEXT_SIZE] = {};
    char odd[FWC_ERROR_TEXT_SIZE] = {};
    FWC_GetErrorInfo(FWC_ERR_CAMERA_BUSY, busy, sizeof busy);
    FWC_GetErrorInfo(FWT_ERR_ODD_SIZE, odd, sizeof odd);
    EXPECT_EQ(lines(), (std::vector<std::string>{"FWC_OpenCamera: " + std::string(busy) + "\n",
                                                 ": " + std::string(odd) + "\n"}));
}

TEST_F(Diagnostics, FormatNameCutsAt127AndWritesNothingBeyondTheField) {
    char field[160];
    std::memset(field, '#', sizeof field);
    formatName(field, "%s %s - %d", std::string(63, 'v').c_str(), std::string(63, 'm').c_str(), 7);
    EXPECT_EQ(std::strlen(field), 127u);
    EXPECT_EQ(std::string(field, 127), std::string(63, 'v') + " " + std::string(63, 'm'));
    for (std::size_t index = 128; index < sizeof field; ++index) ASSERT_EQ(field[index], '#');
    formatName(field, "Unavailable - %d", static_cast<int32_t>(0xFFFFFFFEu));
    EXPECT_STREQ(field, "Unavailable - -2");
    formatName(nullptr, "ignored %d", 1);
}

// Without a desktop nobody is known to see the message box: it writes standard error and
// says so, and alertUser adds the diagnostic line.
TEST_F(Diagnostics, MessageBoxWritesStandardErrorAndADiagnosticLine) {
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(showMessageBox("Exception initializing!", "Lorvenacam"));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Lorvenacam: Exception initializing!\n");
    EXPECT_TRUE(lines().empty());

    ::testing::internal::CaptureStderr();
    alertUser("Exception initializing!", "Lorvenacam");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Lorvenacam: Exception initializing!\n");
    EXPECT_EQ(lines(), std::vector<std::string>{"Exception initializing!\n"});
}

}  // namespace
}  // namespace lvc
