// An in-process Aravis fake camera served from a GenICam file (null: Aravis's own).
#pragma once

#include <arv.h>

#include <string>

namespace fwaravis::test {

inline std::string fixturePath(const char* name) {
    return std::string(LVC_ARAVIS_FIXTURES) + "/" + name;
}

class FakeCamera {
public:
    explicit FakeCamera(const char* genicamFile) {
        const std::string path = genicamFile != nullptr ? fixturePath(genicamFile) : std::string();
        arv_set_fake_camera_genicam_filename(genicamFile != nullptr ? path.c_str() : nullptr);
        device_ = arv_fake_device_new("TEST1", &error_);
    }
    ~FakeCamera() {
        if (device_ != nullptr) g_object_unref(device_);
        if (error_ != nullptr) g_error_free(error_);
    }
    FakeCamera(const FakeCamera&) = delete;
    FakeCamera& operator=(const FakeCamera&) = delete;

    ArvDevice* device() const { return device_; }
    const char* error() const { return error_ != nullptr ? error_->message : "no error"; }

private:
    GError* error_ = nullptr;
    ArvDevice* device_ = nullptr;
};

}  // namespace fwaravis::test
