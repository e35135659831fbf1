/* Status codes shared by FwControl and FwTransform. FWC_GetErrorInfo gives the text of
 * both families: the plug-in reports a failed pixel conversion through it too. */
#pragma once

/* Camera control statuses: code, name, text. */
#define FWC_STATUS_LIST(X)                                                                      \
    X(1, FWC_ERR_NOT_INITIALIZED, "library not initialized (call FWC_Init first)")              \
    X(2, FWC_ERR_ALREADY_INITIALIZED, "library already initialized")                            \
    X(3, FWC_ERR_BUS_DESCRIPTION, "bus description refused")                                    \
    X(4, FWC_ERR_NULL_POINTER, "null pointer argument")                                         \
    X(5, FWC_ERR_INVALID_ARGUMENT, "argument out of range")                                     \
    X(6, FWC_ERR_UNKNOWN_CAMERA, "no camera with this id on the bus")                           \
    X(7, FWC_ERR_CAMERA_BUSY, "camera is in use by another application")                        \
    X(8, FWC_ERR_CAMERA_NOT_OPEN, "camera is not open")                                         \
    X(9, FWC_ERR_CAMERA_ALREADY_OPEN, "camera is already open")                                 \
    X(10, FWC_ERR_CAMERA_UNPLUGGED, "camera has left the bus")                                  \
    X(11, FWC_ERR_FEATURE_NOT_PRESENT, "camera does not have this feature")                     \
    X(12, FWC_ERR_FEATURE_STATUS_UNSUPPORTED, "feature does not support this status")           \
    X(13, FWC_ERR_VALUE_OUT_OF_RANGE, "value outside the feature's range")                      \
    X(14, FWC_ERR_REGISTER_ADDRESS, "no register at this address")                              \
    X(15, FWC_ERR_FORMAT_UNSUPPORTED, "format, mode or frame rate not supported by the camera") \
    X(16, FWC_ERR_NO_FREE_MODE, "camera has no such Format 7 mode")                             \
    X(17, FWC_ERR_CODING_UNSUPPORTED, "colour coding not supported in this mode")               \
    X(18, FWC_ERR_NOT_FORMAT7, "camera is not in a Format 7 mode")                              \
    X(19, FWC_ERR_ACQUISITION_RUNNING, "acquisition is running")                                \
    X(20, FWC_ERR_ACQUISITION_NOT_RUNNING, "acquisition is not running")                        \
    X(21, FWC_ERR_NO_FRAME, "no completed frame available")                                     \
    X(22, FWC_ERR_BUFFER_TOO_SMALL, "buffer too small for the frame")                           \
    X(23, FWC_ERR_NO_LUT, "camera has no look-up table with this number")                       \
    X(24, FWC_ERR_LUT_SIZE, "look-up table size does not match the camera's")                   \
    X(25, FWC_ERR_NO_TRIGGER, "camera has no trigger input")                                    \
    X(26, FWC_ERR_SETTINGS_FILE_OPEN, "settings file cannot be opened")                         \
    X(27, FWC_ERR_SETTINGS_FILE_MALFORMED, "settings file is malformed")                        \
    X(28, FWC_ERR_SETTINGS_FILE_WRITE, "settings file cannot be written")                       \
    X(29, FWC_ERR_SETTINGS_FILE_CAMERA, "settings file belongs to another camera model")        \
    X(30, FWC_ERR_UNKNOWN_HANDLE, "no notification registered with this handle")                \
    X(31, FWC_ERR_NOTIFICATION_KIND, "unknown notification kind")                               \
    X(32, FWC_ERR_TOO_MANY_NOTIFICATIONS, "too many notifications registered")                  \
    X(33, FWC_ERR_INFO_ITEM, "unknown camera information item")                                 \
    X(34, FWC_ERR_ENUM_END, "no more entries")                                                  \
    X(35, FWC_ERR_RESOURCES, "out of system resources")                                         \
    X(36, FWC_ERR_INJECTED, "failure injected by the test control interface")                   \
    X(37, FWC_ERR_NO_FRAME_CODE, "image carries no readable frame number")                      \
    X(38, FWC_ERR_BUS_MODULE, "camera bus cannot be loaded")

/* Pixel conversion statuses: code, name, text. */
#define FWT_STATUS_LIST(X)                                                                   \
    X(0x1001, FWT_ERR_NULL_POINTER, "pixel conversion: null image pointer")                  \
    X(0x1002, FWT_ERR_ZERO_SIZE, "pixel conversion: zero width, height or pixel count")      \
    X(0x1003, FWT_ERR_ODD_SIZE, "pixel conversion: size not a whole number of coding units") \
    X(0x1004, FWT_ERR_BAYER_PATTERN, "pixel conversion: unknown Bayer pattern")              \
    X(0x1005, FWT_ERR_SIZE_OVERFLOW, "pixel conversion: image too large")                    \
    X(0x1006, FWT_ERR_ARGUMENT, "pixel conversion: argument out of range")

#define FW_STATUS_ENUMERATOR(code, name, text) name = code,
enum {
    FW_STATUS_OK = 0,
    FWC_STATUS_LIST(FW_STATUS_ENUMERATOR) FWT_STATUS_LIST(FW_STATUS_ENUMERATOR)
};
#undef FW_STATUS_ENUMERATOR
