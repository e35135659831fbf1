// The calling convention of the library's calls and of the notification callbacks it makes,
// spelt out here independently of FWC_CALL and checked when it compiles: stdcall, which only
// 32-bit Windows tells apart from the default; there a mismatch unbalances the stack at run
// time, so it must not build.
#include <cstdint>
#include <type_traits>

#include "fwcontrol.h"
#include "fwsim.h"

#if defined(_WIN32)
#define DRIVER_CONVENTION __stdcall
#else
#define DRIVER_CONVENTION
#endif

namespace fwc {
namespace {

template <typename Function>
struct IsDriverCall : std::false_type {};
template <typename Result, typename... Arguments>
struct IsDriverCall<Result(DRIVER_CONVENTION*)(Arguments...)> : std::true_type {};

template <typename... Functions>
constexpr bool areDriverCalls(Functions...) {
    return (IsDriverCall<Functions>::value && ...);
}

static_assert(std::is_same_v<FWC_NotifyCallback, uint32_t(DRIVER_CONVENTION*)(void*)>,
              "notification callbacks are called stdcall");
static_assert(
    areDriverCalls(&FWC_GetVersion, &FWC_Init, &FWC_Release, &FWC_GetErrorInfo,
                   &FWC_RegisterNodeListChangedNotification, &FWC_RegisterNotification,
                   &FWC_UnRegisterNotification, &FWC_GetCameras, &FWC_GetCameraInfoString,
                   &FWC_OpenCamera, &FWC_CloseCamera, &FWC_GetCameraCapabilities,
                   &FWC_GetCameraInfo, &FWC_GetCurrentImageFormat, &FWC_GetCurrentFixedFormat,
                   &FWC_GetSupportedFixedFormats, &FWC_EnumFreeModes, &FWC_GetFreeModeInfo,
                   &FWC_GetAOI, &FWC_PrepareFixedGrab, &FWC_PrepareFreeGrab, &FWC_GrabStart,
                   &FWC_GrabStop, &FWC_MultiShotStart, &FWC_MultiShotStop, &FWC_GetNativeImage,
                   &FWC_HasFeature, &FWC_HasFeatureStatus, &FWC_GetFeatureMin, &FWC_GetFeatureMax,
                   &FWC_GetFeatureValue, &FWC_SetFeatureValue, &FWC_GetFeatureStatus,
                   &FWC_SetFeatureStatus, &FWC_GetRegister, &FWC_SetRegister, &FWC_Lut_GetInfo,
                   &FWC_Lut_Upload, &FWC_Lut_Use, &FWC_Trigger_Get, &FWC_Trigger_Set,
                   &FWC_LoadSettings, &FWC_SaveSettings, &FWS_Plug, &FWS_Unplug, &FWS_FailCall,
                   &FWS_Trigger, &FWS_RaiseEvent, &FWS_Step, &FWS_Reset, &FWS_GetGroundTruth,
                   &FWS_ReadFrameNumber, &FWS_GetFrameRate, &FWS_GetFrameCounters, &FWS_GetLut),
    "every call of the library is stdcall");

}  // namespace
}  // namespace fwc
