// The calling conventions on both sides of the plug-in, spelt out here independently of
// LVC_CALL and FWC_CALL and checked when it compiles: the host calls the exports and has
// its callbacks called cdecl; the driver libraries are called stdcall and call the
// notification handlers stdcall. Only 32-bit Windows tells the two apart, and there a
// mismatch unbalances the stack at run time, so it must not build.
#include <cstdint>
#include <type_traits>

#include "boundary/camera_list.h"
#include "camera/frame_capture.h"
#include "fwcontrol.h"
#include "fwtransform.h"
#include "lorvenacam.h"

#if defined(_WIN32)
#define HOST_CONVENTION __cdecl
#define DRIVER_CONVENTION __stdcall
#else
#define HOST_CONVENTION
#define DRIVER_CONVENTION
#endif

namespace lvc {
namespace {

template <typename Function>
struct IsHostCall : std::false_type {};
template <typename Result, typename... Arguments>
struct IsHostCall<Result(HOST_CONVENTION*)(Arguments...)> : std::true_type {};

template <typename Function>
struct IsDriverCall : std::false_type {};
template <typename Result, typename... Arguments>
struct IsDriverCall<Result(DRIVER_CONVENTION*)(Arguments...)> : std::true_type {};

template <typename... Functions>
constexpr bool areHostCalls(Functions...) {
    return (IsHostCall<Functions>::value && ...);
}
template <typename... Functions>
constexpr bool areDriverCalls(Functions...) {
    return (IsDriverCall<Functions>::value && ...);
}

static_assert(std::is_same_v<LvcDebugMsgProc, void(HOST_CONVENTION*)(const char*)>);
static_assert(std::is_same_v<LvcCompleteCallback, void(HOST_CONVENTION*)(int32_t, int32_t)>);
static_assert(std::is_same_v<LvcCmdCallback, void(HOST_CONVENTION*)()>);
static_assert(areHostCalls(&initialize, &finalize, &setDebugMsgProc, &setSystemPath, &configure,
                           &getPropertyRange, &configureCamera, &getCVLMaxNoOfPorts,
                           &getCVLNoOfSupportedCameras, &getCVLCameraConfigNames,
                           &setCompleteCallback, &setCmdCallback, &openCVLPort, &closeCVLPort,
                           &doCVLGrab, &getCVLGrabRow, &getProperty, &setProperty, &execCmd),
              "every export is cdecl");

static_assert(std::is_same_v<FWC_NotifyCallback, uint32_t(DRIVER_CONVENTION*)(void*)>);
static_assert(std::is_same_v<decltype(&onFrameReady), FWC_NotifyCallback>);
static_assert(std::is_same_v<decltype(&onFrameDropped), FWC_NotifyCallback>);
static_assert(std::is_same_v<decltype(&onCameraError), FWC_NotifyCallback>);
static_assert(std::is_same_v<decltype(&onNodeListChanged), FWC_NotifyCallback>);
static_assert(areDriverCalls(
                  &FWC_CloseCamera, &FWC_EnumFreeModes, &FWC_GetAOI, &FWC_GetCameraCapabilities,
                  &FWC_GetCameraInfo, &FWC_GetCameraInfoString, &FWC_GetCameras,
                  &FWC_GetCurrentFixedFormat, &FWC_GetCurrentImageFormat, &FWC_GetErrorInfo,
                  &FWC_GetFeatureMax, &FWC_GetFeatureMin, &FWC_GetFeatureStatus,
                  &FWC_GetFeatureValue, &FWC_GetFreeModeInfo, &FWC_GetNativeImage, &FWC_GetRegister,
                  &FWC_GetSupportedFixedFormats, &FWC_GetVersion, &FWC_GrabStart, &FWC_GrabStop,
                  &FWC_HasFeature, &FWC_HasFeatureStatus, &FWC_Init, &FWC_LoadSettings,
                  &FWC_Lut_GetInfo, &FWC_Lut_Upload, &FWC_Lut_Use, &FWC_MultiShotStart,
                  &FWC_MultiShotStop, &FWC_OpenCamera, &FWC_PrepareFixedGrab, &FWC_PrepareFreeGrab,
                  &FWC_RegisterNodeListChangedNotification, &FWC_RegisterNotification, &FWC_Release,
                  &FWC_SaveSettings, &FWC_SetFeatureStatus, &FWC_SetFeatureValue, &FWC_SetRegister,
                  &FWC_Trigger_Get, &FWC_Trigger_Set, &FWC_UnRegisterNotification),
              "every camera library call the plug-in makes is stdcall");
static_assert(areDriverCalls(&FWT_IRaw8CYGMToBGR_Bin, &FWT_InterlacedToProgressive, &FWT_RGB8ToBGR,
                             &FWT_Raw16ToBGR, &FWT_Raw8ToBGR, &FWT_Y16ToY8, &FWT_YUV411ToBGR,
                             &FWT_YUV422ToBGR),
              "every conversion the plug-in calls is stdcall");

}  // namespace
}  // namespace lvc
