// The IIDC bus module's tests: the library started on the dc1394 bus over virtual USB
// IIDC cameras of this process, with helpers to open, count notifications and grab.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "camera_id.h"
#include "fw_status.h"
#include "fwcontrol.h"
#include "iidc_test_pattern.h"
#include "iidc_usb/standin_control.h"
#include "support/call_count.h"
#include "support/wait_until.h"

namespace lvc::test {

// GUIDs of this process's virtual cameras: claims are per GUID across processes, and
// test processes run side by side.
inline std::string guidOf(uint32_t camera) {
    char guid[17];
    std::snprintf(guid, sizeof guid, "%08x%08x", 0x00123456u,
                  (static_cast<uint32_t>(getpid()) << 4) + camera + 1);
    return guid;
}

inline std::string guidLines(uint32_t cameras) {
    std::string lines = "cameras " + std::to_string(cameras) + "\n";
    for (uint32_t camera = 0; camera < cameras; ++camera)
        lines += "camera " + std::to_string(camera) + " guid " + guidOf(camera) + "\n";
    return lines;
}

inline uint32_t idOf(uint32_t camera) {
    return fwc::cameraIdHash("dc1394:" + guidOf(camera) + ":0");
}

class Dc1394Bus : public ::testing::Test {
protected:
    virtual std::string cameraLines() const {
        return guidLines(2) + "camera 0 frame_interval_us 5000\ncamera 1 model TV-Second\n";
    }

    void SetUp() override {
        StandinControl::instance().start(cameraLines());
        setenv("FWCONTROL_BUSES", "dc1394", 1);
        ASSERT_EQ(FWC_Init(), FW_STATUS_OK);
        started_ = true;
    }

    void TearDown() override {
        for (const FWC_HANDLE handle : handles_) FWC_UnRegisterNotification(handle);
        if (open_) FWC_CloseCamera(camera_);
        if (started_) {
            EXPECT_EQ(FWC_Release(), FW_STATUS_OK);
        }
        unsetenv("FWCONTROL_BUSES");
    }

    void openFirst() {
        ASSERT_EQ(FWC_OpenCamera(camera_, 0), FW_STATUS_OK);
        open_ = true;
    }

    std::atomic<int>& count(uint32_t kind) {
        std::atomic<int>& counter = kind == FWC_NOTIFY_FRAME_COMPLETE  ? completed_
                                    : kind == FWC_NOTIFY_FRAME_DROPPED ? dropped_
                                                                       : errors_;
        FWC_HANDLE handle = 0;
        FWC_NOTIFICATION notification = FWC_MakeNotification(camera_, countCall, &counter);
        EXPECT_EQ(FWC_RegisterNotification(&handle, kind, &notification), FW_STATUS_OK);
        handles_.push_back(handle);
        return counter;
    }

    // Grabs `frames` frames and returns the newest (frame notifications merge, so the
    // frame itself is waited for).
    std::vector<uint8_t> grab(uint32_t frames) {
        uint32_t width = 0, height = 0, coding = 0, depth = 0;
        EXPECT_EQ(FWC_GetCurrentImageFormat(camera_, &width, &height, &coding, &depth),
                  FW_STATUS_OK);
        std::vector<uint8_t> frame(iidc_standin::imageBytes(width, height, coding));
        EXPECT_EQ(FWC_GrabStart(camera_, frames), FW_STATUS_OK);
        EXPECT_TRUE(waitUntil([&] {
            return FWC_GetNativeImage(camera_, frame.data(), static_cast<uint32_t>(frame.size()),
                                      0) == FW_STATUS_OK;
        }));
        EXPECT_EQ(FWC_GrabStop(camera_, 1), FW_STATUS_OK);
        return frame;
    }

    const uint32_t camera_ = idOf(0);
    bool started_ = false;
    bool open_ = false;
    std::vector<FWC_HANDLE> handles_;
    std::atomic<int> completed_{0};
    std::atomic<int> dropped_{0};
    std::atomic<int> errors_{0};
};

}  // namespace lvc::test
