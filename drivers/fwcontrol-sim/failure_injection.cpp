#include "failure_injection.h"

#include <iterator>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

#include "fw_status.h"

namespace fwc {
namespace {

constexpr std::string_view kInjectableCalls[] = {"FWC_GetVersion",
                                                 "FWC_Init",
                                                 "FWC_Release",
                                                 "FWC_RegisterNodeListChangedNotification",
                                                 "FWC_RegisterNotification",
                                                 "FWC_UnRegisterNotification",
                                                 "FWC_GetCameras",
                                                 "FWC_GetCameraInfoString",
                                                 "FWC_OpenCamera",
                                                 "FWC_CloseCamera",
                                                 "FWC_GetCameraCapabilities",
                                                 "FWC_GetCameraInfo",
                                                 "FWC_GetCurrentImageFormat",
                                                 "FWC_GetCurrentFixedFormat",
                                                 "FWC_GetSupportedFixedFormats",
                                                 "FWC_EnumFreeModes",
                                                 "FWC_GetFreeModeInfo",
                                                 "FWC_GetAOI",
                                                 "FWC_PrepareFixedGrab",
                                                 "FWC_PrepareFreeGrab",
                                                 "FWC_GrabStart",
                                                 "FWC_GrabStop",
                                                 "FWC_MultiShotStart",
                                                 "FWC_MultiShotStop",
                                                 "FWC_GetNativeImage",
                                                 "FWC_HasFeature",
                                                 "FWC_HasFeatureStatus",
                                                 "FWC_GetFeatureMin",
                                                 "FWC_GetFeatureMax",
                                                 "FWC_GetFeatureValue",
                                                 "FWC_SetFeatureValue",
                                                 "FWC_GetFeatureStatus",
                                                 "FWC_SetFeatureStatus",
                                                 "FWC_GetRegister",
                                                 "FWC_SetRegister",
                                                 "FWC_Lut_GetInfo",
                                                 "FWC_Lut_Upload",
                                                 "FWC_Lut_Use",
                                                 "FWC_Trigger_Get",
                                                 "FWC_Trigger_Set",
                                                 "FWC_LoadSettings",
                                                 "FWC_SaveSettings"};

struct Injection {
    int32_t status = 0;
    int32_t remaining = 0;
};

std::mutex injectionMutex;
std::map<std::string, Injection, std::less<>>& injections() {
    static std::map<std::string, Injection, std::less<>> table;
    return table;
}
std::map<std::string, uint32_t, std::less<>>& callCounts() {
    static std::map<std::string, uint32_t, std::less<>> table;
    return table;
}

bool isInjectable(std::string_view name) {
    for (const std::string_view call : kInjectableCalls)
        if (call == name) return true;
    return false;
}

}  // namespace

int32_t injectFailure(const char* callName, int32_t status, int32_t count) {
    if (callName == nullptr) return FWC_ERR_NULL_POINTER;
    if (!isInjectable(callName) || status == 0 || count < 0) return FWC_ERR_INVALID_ARGUMENT;
    std::lock_guard lock(injectionMutex);
    if (count == 0)
        injections().erase(callName);
    else
        injections()[callName] = {status, count};
    return FW_STATUS_OK;
}

int32_t takeInjectedFailure(const char* callName) {
    std::lock_guard lock(injectionMutex);
    // Found by view: a name's key is made once, not on every call (frames are fetched by a
    // call, and the frame path allocates nothing per frame).
    auto counted = callCounts().find(std::string_view(callName));
    if (counted == callCounts().end()) counted = callCounts().emplace(callName, 0).first;
    ++counted->second;
    const auto found = injections().find(std::string_view(callName));
    if (found == injections().end()) return FW_STATUS_OK;
    const int32_t status = found->second.status;
    if (--found->second.remaining == 0) injections().erase(found);
    return status;
}

const char* injectableCall(uint32_t index) {
    return index < std::size(kInjectableCalls) ? kInjectableCalls[index].data() : nullptr;
}

int32_t countOfCalls(const char* callName, uint32_t& count) {
    if (callName == nullptr) return FWC_ERR_NULL_POINTER;
    if (!isInjectable(callName)) return FWC_ERR_INVALID_ARGUMENT;
    std::lock_guard lock(injectionMutex);
    const auto found = callCounts().find(std::string_view(callName));
    count = found == callCounts().end() ? 0 : found->second;
    return FW_STATUS_OK;
}

void clearInjectedFailures() {
    std::lock_guard lock(injectionMutex);
    injections().clear();
}

}  // namespace fwc
