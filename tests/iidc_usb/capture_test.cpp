// Capture through libdc1394 from virtual cameras: frame order, one-shot, multi-shot,
// software trigger, lost and corrupt frames, unplug while capturing, two cameras.
#include <gtest/gtest.h>

#include "dc1394_fixture.h"
#include "iidc_test_pattern.h"
#include "standin_control.h"
#include "support/wait_until.h"

namespace lvc::test {
namespace {

using namespace std::chrono_literals;

class CaptureTest : public Dc1394Test {
protected:
    std::string cameraLines() const override {
        return "cameras 1\ncamera 0 frame_interval_us 5000\n";
    }

    // Dequeues `count` frames, giving each back at once; their sequence numbers.
    std::vector<uint32_t> takeFrames(dc1394camera_t* camera, int count) {
        std::vector<uint32_t> sequences;
        for (int i = 0; i < count; ++i) {
            const DequeueResult result = waitForFrame(camera);
            EXPECT_EQ(result.error, DC1394_SUCCESS);
            if (!result.frame) break;
            sequences.push_back(sequenceOf(result.frame));
            EXPECT_EQ(dc1394_capture_enqueue(camera, result.frame), DC1394_SUCCESS);
        }
        return sequences;
    }
};

// libdc1394's ring hands frames out oldest first, and frames_behind counts the rest.
TEST_F(CaptureTest, ReadyFramesComeOldestFirst) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    startCapture(camera, 8, false);
    ASSERT_EQ(dc1394_video_set_multi_shot(camera, 5, DC1394_ON), DC1394_SUCCESS);
    ASSERT_TRUE(waitUntil([&] { return readyFrames(camera) == 5; }));
    uint64_t lastTimestamp = 0;
    for (uint32_t i = 0; i < 5; ++i) {
        dc1394video_frame_t* frame = nullptr;
        ASSERT_EQ(dc1394_capture_dequeue(camera, DC1394_CAPTURE_POLICY_POLL, &frame),
                  DC1394_SUCCESS);
        ASSERT_NE(frame, nullptr);
        EXPECT_EQ(sequenceOf(frame), i + 1);
        EXPECT_EQ(frame->frames_behind, 4 - i);
        EXPECT_GE(frame->timestamp, lastTimestamp);
        lastTimestamp = frame->timestamp;
        EXPECT_EQ(dc1394_capture_enqueue(camera, frame), DC1394_SUCCESS);
    }
    dc1394bool_t multiShot = DC1394_TRUE;
    uint32_t left = 99;
    ASSERT_EQ(dc1394_video_get_multi_shot(camera, &multiShot, &left), DC1394_SUCCESS);
    EXPECT_FALSE(multiShot);
    // An empty ring: the polling dequeue returns success and no frame.
    dc1394video_frame_t* none = nullptr;
    EXPECT_EQ(dc1394_capture_dequeue(camera, DC1394_CAPTURE_POLICY_POLL, &none), DC1394_SUCCESS);
    EXPECT_EQ(none, nullptr);
}

TEST_F(CaptureTest, ContinuousCaptureDeliversConsecutiveFrames) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    startCapture(camera, 4);
    const auto sequences = takeFrames(camera, 20);
    ASSERT_EQ(sequences.size(), 20u);
    for (size_t i = 1; i < sequences.size(); ++i) EXPECT_GT(sequences[i], sequences[i - 1]);
    stopCapture(camera);
}

TEST_F(CaptureTest, OneShotSendsOneFrame) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    startCapture(camera, 4, false);
    ASSERT_EQ(dc1394_video_set_one_shot(camera, DC1394_ON), DC1394_SUCCESS);
    const DequeueResult result = waitForFrame(camera);
    ASSERT_NE(result.frame, nullptr);
    EXPECT_EQ(sequenceOf(result.frame), 1u);
    dc1394bool_t oneShot = DC1394_TRUE;
    ASSERT_EQ(dc1394_video_get_one_shot(camera, &oneShot), DC1394_SUCCESS);
    EXPECT_FALSE(oneShot);
    EXPECT_EQ(readyFrames(camera), 0);
    EXPECT_EQ(dc1394_capture_enqueue(camera, result.frame), DC1394_SUCCESS);
}

TEST_F(CaptureTest, SoftwareTriggerSendsOneFramePerPulse) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    ASSERT_EQ(dc1394_external_trigger_set_mode(camera, DC1394_TRIGGER_MODE_0), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_external_trigger_set_source(camera, DC1394_TRIGGER_SOURCE_SOFTWARE),
              DC1394_SUCCESS);
    ASSERT_EQ(dc1394_external_trigger_set_power(camera, DC1394_ON), DC1394_SUCCESS);
    startCapture(camera, 4);
    EXPECT_EQ(waitForFrame(camera, 100ms).frame, nullptr) << "a frame without a trigger";
    for (uint32_t pulse = 1; pulse <= 3; ++pulse) {
        ASSERT_EQ(dc1394_software_trigger_set_power(camera, DC1394_ON), DC1394_SUCCESS);
        const DequeueResult result = waitForFrame(camera);
        ASSERT_NE(result.frame, nullptr) << "pulse " << pulse;
        EXPECT_EQ(sequenceOf(result.frame), pulse);
        dc1394switch_t pending = DC1394_ON;
        ASSERT_EQ(dc1394_software_trigger_get_power(camera, &pending), DC1394_SUCCESS);
        EXPECT_EQ(pending, DC1394_OFF) << "the trigger bit clears once the frame is out";
        EXPECT_EQ(dc1394_capture_enqueue(camera, result.frame), DC1394_SUCCESS);
    }
    EXPECT_EQ(readyFrames(camera), 0);
}

class LostFramesTest : public CaptureTest {
protected:
    std::string cameraLines() const override {
        return "cameras 1\ncamera 0 frame_interval_us 20000\ncamera 0 drop_every 3\n";
    }
};

// IIDC frames carry no counter and libdc1394 counts no drops: a lost frame is only a gap.
TEST_F(LostFramesTest, LostFramesLeaveGapsAndNoError) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    startCapture(camera, 4);
    const auto sequences = takeFrames(camera, 6);
    ASSERT_EQ(sequences.size(), 6u);
    for (size_t i = 0; i < sequences.size(); ++i) {
        EXPECT_NE(sequences[i] % 3, 0u) << "frame " << sequences[i] << " should be lost";
        if (i > 0) {
            EXPECT_GT(sequences[i], sequences[i - 1]);
        }
    }
    EXPECT_GT(sequences.back() - sequences.front(), 5u);
}

class CorruptFramesTest : public CaptureTest {
protected:
    std::string cameraLines() const override {
        return "cameras 1\ncamera 0 frame_interval_us 5000\ncamera 0 short_every 2\n";
    }
};

// A short bulk transfer is a corrupt frame: libdc1394 hands it out flagged, and the
// capture goes on.
TEST_F(CorruptFramesTest, ShortFramesAreFlaggedCorrupt) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    startCapture(camera, 4);
    uint32_t last = 0;
    for (int i = 0; i < 4; ++i) {
        const DequeueResult result = waitForFrame(camera);
        ASSERT_EQ(result.error, DC1394_SUCCESS);
        ASSERT_NE(result.frame, nullptr);
        const uint32_t sequence = sequenceOf(result.frame);
        EXPECT_GT(sequence, last);
        last = sequence;
        EXPECT_EQ(bool(dc1394_capture_is_frame_corrupt(camera, result.frame)), sequence % 2 == 0)
            << "frame " << sequence;
        EXPECT_EQ(dc1394_capture_enqueue(camera, result.frame), DC1394_SUCCESS);
    }
}

// Unplugged while streaming: the queued transfers fail, the dequeue reports an error,
// every register call fails, and nothing blocks.
TEST_F(CaptureTest, UnplugWhileCapturingFailsCallsWithoutHanging) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    startCapture(camera, 4);
    ASSERT_EQ(takeFrames(camera, 2).size(), 2u);

    StandinControl::instance().update("camera 0 unplugged 1\n");
    DequeueResult result;
    ASSERT_TRUE(waitUntil([&] {
        result = waitForFrame(camera, 50ms);
        if (result.frame) dc1394_capture_enqueue(camera, result.frame);
        return result.error != DC1394_SUCCESS;
    }));
    dc1394switch_t transmission;
    EXPECT_NE(dc1394_video_get_transmission(camera, &transmission), DC1394_SUCCESS);
    EXPECT_NE(dc1394_video_set_transmission(camera, DC1394_OFF), DC1394_SUCCESS);
    EXPECT_EQ(dc1394_capture_stop(camera), DC1394_SUCCESS);
    EXPECT_TRUE(enumerate().empty());

    // Plugged back: a new camera object works, the old one stays dead.
    StandinControl::instance().update("camera 0 unplugged 0\n");
    ASSERT_EQ(enumerate().size(), 1u);
    dc1394camera_t* again = openCamera();
    ASSERT_NE(again, nullptr);
    EXPECT_NE(dc1394_video_get_transmission(camera, &transmission), DC1394_SUCCESS);
    startCapture(again, 4);
    EXPECT_EQ(takeFrames(again, 2).size(), 2u);
}

class TwoCamerasCaptureTest : public CaptureTest {
protected:
    std::string cameraLines() const override {
        return "cameras 2\ncamera 0 frame_interval_us 5000\ncamera 1 frame_interval_us 7000\n";
    }
};

TEST_F(TwoCamerasCaptureTest, BothStreamTheirOwnFramesAtOnce) {
    dc1394camera_t* first = openCamera(0);
    dc1394camera_t* second = openCamera(1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    useFixedMode(second, DC1394_VIDEO_MODE_320x240_YUV422);
    startCapture(first, 4);
    startCapture(second, 4);
    for (int i = 0; i < 5; ++i) {
        for (dc1394camera_t* camera : {first, second}) {
            const DequeueResult result = waitForFrame(camera);
            ASSERT_NE(result.frame, nullptr);
            EXPECT_EQ(result.frame->size[0], camera == first ? 640u : 320u);
            EXPECT_EQ(dc1394_capture_enqueue(camera, result.frame), DC1394_SUCCESS);
        }
    }
}

}  // namespace
}  // namespace lvc::test
