/* FwControl: the IEEE 1394 (IIDC) camera control library, as the plug-in uses it.
 *
 * Every call returns a 32-bit status: 0 is success, anything else an error code whose
 * text FWC_GetErrorInfo gives. Integers are 32-bit. Calls use the standard Windows
 * calling convention on Windows (stdcall) and the platform default elsewhere.
 * Output pointers documented as "may be null" are skipped when null; any other null
 * pointer is refused with FWC_ERR_NULL_POINTER.
 */
#pragma once

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#define FWC_CALL __stdcall
#else
#define FWC_CALL
#endif

#if defined(FWCONTROL_BUILD)
#if defined(_WIN32)
#define FWC_API __declspec(dllexport)
#else
#define FWC_API __attribute__((visibility("default")))
#endif
#elif defined(_WIN32)
#define FWC_API __declspec(dllimport)
#else
#define FWC_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Notification kinds for FWC_RegisterNotification. */
enum { FWC_NOTIFY_FRAME_COMPLETE = 2, FWC_NOTIFY_FRAME_DROPPED = 4, FWC_NOTIFY_ERROR = 6 };

/* FWC_GetCameraInfo items. */
enum {
    FWC_INFO_BAYER_PATTERN = 24, /* 0 RGGB, 1 GBRG, 2 GRBG, 3 BGGR */
    FWC_INFO_INTERLACED = 25     /* non-zero: field-sequential frames */
};

/* FWC_GetFreeModeInfo kinds. */
enum {
    FWC_FREEMODE_MAX_WIDTH = 0,
    FWC_FREEMODE_MAX_HEIGHT = 1,
    FWC_FREEMODE_UNIT_WIDTH = 4,
    FWC_FREEMODE_UNIT_HEIGHT = 5,
    FWC_FREEMODE_UNIT_LEFT = 6,
    FWC_FREEMODE_UNIT_TOP = 7
};

/* Colour codings (FWC_GetCurrentImageFormat, FWC_EnumFreeModes, FWC_PrepareFreeGrab). */
enum {
    FWC_CODING_MONO8 = 0,
    FWC_CODING_YUV411 = 1,
    FWC_CODING_YUV422 = 2,
    FWC_CODING_YUV444 = 3,
    FWC_CODING_RGB8 = 4,
    FWC_CODING_MONO16 = 5,
    FWC_CODING_RGB16 = 6,
    FWC_CODING_SMONO16 = 7,
    FWC_CODING_SRGB16 = 8,
    FWC_CODING_RAW8 = 9, /* Bayer mosaic, pattern from FWC_INFO_BAYER_PATTERN */
    FWC_CODING_RAW16 = 10,
    FWC_CODING_MONO_RED = 128, /* one colour channel of a colour sensor */
    FWC_CODING_MONO_GREEN = 129,
    FWC_CODING_MONO_BLUE = 130,
    FWC_CODING_MONO12 = 132,
    FWC_CODING_RGB12 = 133,
    FWC_CODING_SMONO12 = 134,
    FWC_CODING_SRGB12 = 135,
    FWC_CODING_RAW12 = 136,
    FWC_CODING_RGBA8 = 141
};

/* Native bits per pixel of a coding, the bitDepth of FWC_GetCurrentImageFormat (YUV411:
 * 12); 0 for a coding this library does not deliver. */
static inline uint32_t FWC_CodingBitDepth(uint32_t coding) {
    switch (coding) {
    case FWC_CODING_MONO8:
    case FWC_CODING_RAW8:
    case FWC_CODING_MONO_RED:
    case FWC_CODING_MONO_GREEN:
    case FWC_CODING_MONO_BLUE: return 8;
    case FWC_CODING_YUV411: return 12;
    case FWC_CODING_YUV422:
    case FWC_CODING_MONO16:
    case FWC_CODING_SMONO16:
    case FWC_CODING_RAW16: return 16;
    case FWC_CODING_YUV444:
    case FWC_CODING_RGB8: return 24;
    case FWC_CODING_RGB16:
    case FWC_CODING_SRGB16: return 48;
    default: return 0;
    }
}

/* Feature statuses. */
enum { FWC_STATUS_OFF = 0, FWC_STATUS_ON = 1, FWC_STATUS_ONE_PUSH = 2, FWC_STATUS_AUTO = 3 };

#define FWC_ALL_CAMERAS 0xFFFFFFFFu  /* camera id of bus notifications */
#define FWC_OPEN_DEFAULT 0xFFFFFFFFu /* second argument of FWC_OpenCamera */
#define FWC_GRAB_CONTINUOUS 0xFFFFFFFFu
#define FWC_MAX_CAMERAS 64
#define FWC_INFO_STRING_SIZE 64
#define FWC_ERROR_TEXT_SIZE 256

/* Supported fixed formats: table[format][mode][rate], 1 = supported. */
#define FWC_FIXED_FORMATS 3
#define FWC_FIXED_MODES 8
#define FWC_FIXED_RATES 8

typedef uint32_t FWC_HANDLE;

/* Runs on a driver thread with the descriptor's context. The result is for the driver
 * and is not interpreted by it. */
typedef uint32_t(FWC_CALL* FWC_NotifyCallback)(void* context);

/* Notification descriptor: 13 consecutive 32-bit words on 32-bit Windows; the callback
 * and context are pointer-sized on 64-bit platforms. The driver keeps a pointer to it
 * for the life of the registration. */
typedef struct FWC_NOTIFICATION {
    uint32_t mode;     /* 0 in every registration of the plug-in; default 3 */
    uint32_t cameraId; /* FWC_ALL_CAMERAS for bus notifications */
    FWC_NotifyCallback callback;
    void* context;
    uint32_t reserved0; /* 0xFFFFFFFF */
    uint32_t reserved1; /* 0 */
    uint32_t reserved2; /* 0 */
    uint32_t reserved3; /* 0xFFFFFFFF */
    uint32_t reserved4[5];
} FWC_NOTIFICATION;

/* The layout the driver reads, checked wherever this header is compiled: two words, the
 * two pointer-sized fields, then nine words; 13 words where pointers are 32-bit. */
#ifdef __cplusplus
#define FWC_LAYOUT_CHECK(condition, text) static_assert(condition, text)
#else
#define FWC_LAYOUT_CHECK(condition, text) _Static_assert(condition, text)
#endif
FWC_LAYOUT_CHECK(offsetof(FWC_NOTIFICATION, callback) == 2 * 4, "callback follows two words");
FWC_LAYOUT_CHECK(offsetof(FWC_NOTIFICATION, context) ==
                     offsetof(FWC_NOTIFICATION, callback) + sizeof(void*),
                 "context follows the pointer-sized callback");
FWC_LAYOUT_CHECK(offsetof(FWC_NOTIFICATION, reserved0) ==
                     offsetof(FWC_NOTIFICATION, context) + sizeof(void*),
                 "the reserved words follow the pointer-sized context");
FWC_LAYOUT_CHECK(offsetof(FWC_NOTIFICATION, reserved4) ==
                     offsetof(FWC_NOTIFICATION, reserved0) + 4 * 4,
                 "four reserved words before the last five");
#if defined(_WIN32) && !defined(_WIN64)
FWC_LAYOUT_CHECK(sizeof(void*) == 4 && sizeof(FWC_NotifyCallback) == 4, "32-bit pointers");
FWC_LAYOUT_CHECK(sizeof(FWC_NOTIFICATION) == 13 * 4, "descriptor is 13 32-bit words");
FWC_LAYOUT_CHECK(offsetof(FWC_NOTIFICATION, context) == 3 * 4, "context is word 3");
FWC_LAYOUT_CHECK(offsetof(FWC_NOTIFICATION, reserved4) == 8 * 4, "last five are words 8 to 12");
#endif
#undef FWC_LAYOUT_CHECK

/* A descriptor as a registration fills it: mode 0 and the reserved words at their defaults.
 * cameraId: FWC_ALL_CAMERAS for bus notifications. */
static inline FWC_NOTIFICATION FWC_MakeNotification(uint32_t cameraId, FWC_NotifyCallback callback,
                                                    void* context) {
    FWC_NOTIFICATION notification = {0, cameraId, callback,    context,        0xFFFFFFFFu,
                                     0, 0,        0xFFFFFFFFu, {0, 0, 0, 0, 0}};
    return notification;
}

/* Library */
FWC_API int32_t FWC_CALL FWC_GetVersion(uint32_t* version); /* four bytes, major first */
FWC_API int32_t FWC_CALL FWC_Init(void);
FWC_API int32_t FWC_CALL FWC_Release(void);
FWC_API int32_t FWC_CALL FWC_GetErrorInfo(int32_t status, char* text, uint32_t size);

/* Notifications. After FWC_UnRegisterNotification returns, the callback is not running
 * and never runs again (called from the callback itself, it returns at once). */
FWC_API int32_t FWC_CALL FWC_RegisterNodeListChangedNotification(FWC_HANDLE* handle,
                                                                 FWC_NOTIFICATION* notification);
FWC_API int32_t FWC_CALL FWC_RegisterNotification(FWC_HANDLE* handle, uint32_t kind,
                                                  FWC_NOTIFICATION* notification);
FWC_API int32_t FWC_CALL FWC_UnRegisterNotification(FWC_HANDLE handle);

/* Cameras. count: capacity in, number of ids out. */
FWC_API int32_t FWC_CALL FWC_GetCameras(uint32_t* count, uint32_t* ids);
/* which 0: model, 1: vendor. length: buffer size in, text length out. */
FWC_API int32_t FWC_CALL FWC_GetCameraInfoString(uint32_t cameraId, uint32_t which, char* text,
                                                 uint32_t* length);
FWC_API int32_t FWC_CALL FWC_OpenCamera(uint32_t cameraId, uint32_t flags);
FWC_API int32_t FWC_CALL FWC_CloseCamera(uint32_t cameraId);
FWC_API int32_t FWC_CALL FWC_GetCameraCapabilities(uint32_t cameraId, uint32_t* capabilities0,
                                                   uint32_t* capabilities1, uint32_t* capabilities2,
                                                   uint32_t* capabilities3);
FWC_API int32_t FWC_CALL FWC_GetCameraInfo(uint32_t cameraId, uint32_t item, uint32_t* value);

/* Formats. Outputs of FWC_GetCurrentFixedFormat, FWC_EnumFreeModes and FWC_GetAOI may be
 * null. FWC_GetCurrentFixedFormat reports format 7 for a camera in a Format 7 mode. */
FWC_API int32_t FWC_CALL FWC_GetCurrentImageFormat(uint32_t cameraId, uint32_t* width,
                                                   uint32_t* height, uint32_t* colorCoding,
                                                   uint32_t* bitDepth);
FWC_API int32_t FWC_CALL FWC_GetCurrentFixedFormat(uint32_t cameraId, uint32_t* format,
                                                   uint32_t* mode, uint32_t* frameRate);
/* table: FWC_FIXED_FORMATS * FWC_FIXED_MODES * FWC_FIXED_RATES words, [format][mode][rate]. */
FWC_API int32_t FWC_CALL FWC_GetSupportedFixedFormats(uint32_t cameraId, uint32_t* table);
/* One (mode, coding) entry per call; position starts at 0 and is advanced. Non-zero when
 * the entries are exhausted. */
FWC_API int32_t FWC_CALL FWC_EnumFreeModes(uint32_t cameraId, uint32_t* position, uint32_t* mode,
                                           uint32_t* colorCoding, uint32_t* width,
                                           uint32_t* height);
FWC_API int32_t FWC_CALL FWC_GetFreeModeInfo(uint32_t cameraId, uint32_t mode, uint32_t kind,
                                             uint32_t* value);
FWC_API int32_t FWC_CALL FWC_GetAOI(uint32_t cameraId, uint32_t* left, uint32_t* top,
                                    uint32_t* width, uint32_t* height);
FWC_API int32_t FWC_CALL FWC_PrepareFixedGrab(uint32_t cameraId, uint32_t format, uint32_t mode,
                                              uint32_t frameRate);
/* Rounds and bounds every value to the mode's units and writes back what it accepted.
 * reserved must be null. */
FWC_API int32_t FWC_CALL FWC_PrepareFreeGrab(uint32_t cameraId, uint32_t* mode,
                                             uint32_t* colorCoding, uint32_t* width,
                                             uint32_t* height, void* reserved, uint32_t* left,
                                             uint32_t* top, uint32_t* busLoad);

/* Acquisition */
FWC_API int32_t FWC_CALL FWC_GrabStart(uint32_t cameraId, uint32_t count);
FWC_API int32_t FWC_CALL FWC_GrabStop(uint32_t cameraId, uint32_t wait);
FWC_API int32_t FWC_CALL FWC_MultiShotStart(uint32_t cameraId, uint32_t count);
FWC_API int32_t FWC_CALL FWC_MultiShotStop(uint32_t cameraId);
/* Copies the newest completed frame, in the camera's coding, into buffer.
 * bufferSize: capacity of buffer in bytes; 0 = the caller guarantees room for a whole
 * frame of the current format. A frame larger than a non-zero capacity is refused with
 * FWC_ERR_BUFFER_TOO_SMALL. timeout: reserved, 0. */
FWC_API int32_t FWC_CALL FWC_GetNativeImage(uint32_t cameraId, void* buffer, uint32_t bufferSize,
                                            uint32_t timeout);

/* Features (FWC_HasFeature / FWC_HasFeatureStatus: 0 = has it) */
FWC_API int32_t FWC_CALL FWC_HasFeature(uint32_t cameraId, uint32_t featureId);
FWC_API int32_t FWC_CALL FWC_HasFeatureStatus(uint32_t cameraId, uint32_t featureId,
                                              uint32_t status);
FWC_API int32_t FWC_CALL FWC_GetFeatureMin(uint32_t cameraId, uint32_t featureId, uint32_t* value);
FWC_API int32_t FWC_CALL FWC_GetFeatureMax(uint32_t cameraId, uint32_t featureId, uint32_t* value);
FWC_API int32_t FWC_CALL FWC_GetFeatureValue(uint32_t cameraId, uint32_t featureId,
                                             uint32_t* value);
FWC_API int32_t FWC_CALL FWC_SetFeatureValue(uint32_t cameraId, uint32_t featureId, uint32_t value);
FWC_API int32_t FWC_CALL FWC_GetFeatureStatus(uint32_t cameraId, uint32_t featureId,
                                              uint32_t* status);
FWC_API int32_t FWC_CALL FWC_SetFeatureStatus(uint32_t cameraId, uint32_t featureId,
                                              uint32_t status);

/* Registers */
FWC_API int32_t FWC_CALL FWC_GetRegister(uint32_t cameraId, uint32_t address, uint32_t* value);
FWC_API int32_t FWC_CALL FWC_SetRegister(uint32_t cameraId, uint32_t address, uint32_t value);

/* Look-up tables */
FWC_API int32_t FWC_CALL FWC_Lut_GetInfo(uint32_t cameraId, uint32_t* lutCount, uint32_t* maxValue,
                                         uint32_t* elements, uint32_t* reserved);
FWC_API int32_t FWC_CALL FWC_Lut_Upload(uint32_t cameraId, uint32_t lut, const uint8_t* values,
                                        uint32_t count);
FWC_API int32_t FWC_CALL FWC_Lut_Use(uint32_t cameraId, uint32_t lut, uint32_t on);

/* Trigger: mode 0 edge, 1 level; active 1 = waits for the trigger input; polarity
 * 0 falling, 1 rising. Outputs of FWC_Trigger_Get may be null. */
FWC_API int32_t FWC_CALL FWC_Trigger_Get(uint32_t cameraId, uint32_t* mode, uint32_t* active,
                                         uint32_t* polarity, uint32_t* value);
FWC_API int32_t FWC_CALL FWC_Trigger_Set(uint32_t cameraId, uint32_t mode, uint32_t active,
                                         uint32_t polarity);

/* Settings file of the camera (XML): format, AOI, features, trigger and LUT state. */
FWC_API int32_t FWC_CALL FWC_LoadSettings(uint32_t cameraId, const char* path, uint32_t flags);
FWC_API int32_t FWC_CALL FWC_SaveSettings(uint32_t cameraId, const char* path);

#ifdef __cplusplus
}
#endif
