// A libdc1394 context over the stand-in's virtual cameras, with helpers that wait for
// frames with deadlines (never the blocking dequeue, which can wait forever).
#pragma once

#include <dc1394/dc1394.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace lvc::test {

class Dc1394Test : public ::testing::Test {
protected:
    // The stand-in's configuration for the test; one default camera unless overridden.
    virtual std::string cameraLines() const { return "cameras 1\n"; }

    void SetUp() override;
    void TearDown() override;

    // The ids libdc1394 enumerates, in its order.
    std::vector<dc1394camera_id_t> enumerate();
    // Opens the index-th enumerated camera; closed in TearDown.
    dc1394camera_t* openCamera(uint32_t index = 0);
    void closeCamera(dc1394camera_t* camera);

    // Sets a fixed video mode at the mode's fastest rate.
    void useFixedMode(dc1394camera_t* camera, dc1394video_mode_t mode);
    // Sets up capture with `buffers` frames and starts transmission.
    void startCapture(dc1394camera_t* camera, uint32_t buffers, bool transmission = true);
    void stopCapture(dc1394camera_t* camera);

    dc1394_t* context_ = nullptr;
    std::vector<dc1394camera_t*> cameras_;
};

struct DequeueResult {
    dc1394error_t error = DC1394_SUCCESS;
    dc1394video_frame_t* frame = nullptr;
};

// Polls the capture descriptor until a frame arrives or the timeout passes.
DequeueResult waitForFrame(dc1394camera_t* camera,
                           std::chrono::milliseconds timeout = std::chrono::seconds(5));
// Frames completed and not yet dequeued: one byte each in libdc1394's notify pipe.
int readyFrames(dc1394camera_t* camera);
uint32_t sequenceOf(const dc1394video_frame_t* frame);

}  // namespace lvc::test
