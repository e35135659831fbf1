// Named GenICam features of one device, with Aravis's errors made the library's statuses.
// Not thread-safe: the caller serialises the calls of one camera.
#pragma once

#include <arv.h>

#include <cstdint>
#include <string>
#include <vector>

namespace fwaravis {

// The status of a failed Aravis call; frees the error. 0 when there is none.
int32_t statusFromError(GError* error);

class GenicamAccess {
public:
    explicit GenicamAccess(ArvDevice* device) : device_(device) {}

    ArvDevice* device() const { return device_; }
    // Implemented and available now.
    bool implemented(const char* feature) const;
    bool hasEntry(const char* enumeration, const char* entry) const;
    bool isFloat(const char* feature) const;
    bool isBoolean(const char* feature) const;

    int32_t integer(const char* feature, int64_t& value) const;
    int32_t setInteger(const char* feature, int64_t value) const;
    int32_t integerBounds(const char* feature, int64_t& min, int64_t& max) const;
    int32_t integerIncrement(const char* feature, int64_t& increment) const;
    int32_t floatValue(const char* feature, double& value) const;
    int32_t setFloat(const char* feature, double value) const;
    int32_t floatBounds(const char* feature, double& min, double& max) const;
    int32_t boolean(const char* feature, bool& value) const;
    int32_t setBoolean(const char* feature, bool value) const;
    int32_t string(const char* feature, std::string& value) const;
    int32_t setString(const char* feature, const char* value) const;
    int32_t execute(const char* feature) const;
    // The entries of an enumeration that are available now, in the camera's order.
    int32_t entries(const char* enumeration, std::vector<std::string>& names) const;

private:
    ArvDevice* device_;
};

}  // namespace fwaravis
