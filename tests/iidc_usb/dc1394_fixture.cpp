#include "dc1394_fixture.h"

#include <poll.h>
#include <sys/ioctl.h>

#include <algorithm>

#include "iidc_test_pattern.h"
#include "standin_control.h"

namespace lvc::test {

void Dc1394Test::SetUp() {
    StandinControl::instance().start(cameraLines());
    context_ = dc1394_new();
    ASSERT_NE(context_, nullptr);
}

void Dc1394Test::TearDown() {
    for (dc1394camera_t* camera : cameras_) {
        dc1394_video_set_transmission(camera, DC1394_OFF);
        dc1394_capture_stop(camera);
        dc1394_camera_free(camera);
    }
    if (context_) dc1394_free(context_);
}

std::vector<dc1394camera_id_t> Dc1394Test::enumerate() {
    dc1394camera_list_t* list = nullptr;
    EXPECT_EQ(dc1394_camera_enumerate(context_, &list), DC1394_SUCCESS);
    if (!list) return {};
    std::vector<dc1394camera_id_t> ids(list->ids, list->ids + list->num);
    dc1394_camera_free_list(list);
    return ids;
}

dc1394camera_t* Dc1394Test::openCamera(uint32_t index) {
    const auto ids = enumerate();
    if (index >= ids.size()) {
        ADD_FAILURE() << "no camera " << index << " among " << ids.size();
        return nullptr;
    }
    dc1394camera_t* camera = dc1394_camera_new_unit(context_, ids[index].guid, ids[index].unit);
    if (camera) cameras_.push_back(camera);
    return camera;
}

void Dc1394Test::closeCamera(dc1394camera_t* camera) {
    std::erase(cameras_, camera);
    dc1394_camera_free(camera);
}

void Dc1394Test::useFixedMode(dc1394camera_t* camera, dc1394video_mode_t mode) {
    ASSERT_EQ(dc1394_video_set_mode(camera, mode), DC1394_SUCCESS);
    dc1394framerates_t rates;
    ASSERT_EQ(dc1394_video_get_supported_framerates(camera, mode, &rates), DC1394_SUCCESS);
    ASSERT_GT(rates.num, 0u);
    ASSERT_EQ(dc1394_video_set_framerate(camera, rates.framerates[rates.num - 1]), DC1394_SUCCESS);
}

void Dc1394Test::startCapture(dc1394camera_t* camera, uint32_t buffers, bool transmission) {
    ASSERT_EQ(dc1394_capture_setup(camera, buffers, DC1394_CAPTURE_FLAGS_DEFAULT), DC1394_SUCCESS);
    if (transmission) {
        ASSERT_EQ(dc1394_video_set_transmission(camera, DC1394_ON), DC1394_SUCCESS);
    }
}

void Dc1394Test::stopCapture(dc1394camera_t* camera) {
    EXPECT_EQ(dc1394_video_set_transmission(camera, DC1394_OFF), DC1394_SUCCESS);
    EXPECT_EQ(dc1394_capture_stop(camera), DC1394_SUCCESS);
}

DequeueResult waitForFrame(dc1394camera_t* camera, std::chrono::milliseconds timeout) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + timeout;
    DequeueResult result;
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd descriptor{dc1394_capture_get_fileno(camera), POLLIN, 0};
        poll(&descriptor, 1, static_cast<int>(std::max<int64_t>(left.count(), 0)));
        result.error = dc1394_capture_dequeue(camera, DC1394_CAPTURE_POLICY_POLL, &result.frame);
        if (result.error != DC1394_SUCCESS || result.frame || Clock::now() >= deadline)
            return result;
    }
}

int readyFrames(dc1394camera_t* camera) {
    int bytes = 0;
    ioctl(dc1394_capture_get_fileno(camera), FIONREAD, &bytes);
    return bytes;
}

uint32_t sequenceOf(const dc1394video_frame_t* frame) {
    return iidc_standin::frameSequence(frame->image);
}

}  // namespace lvc::test
