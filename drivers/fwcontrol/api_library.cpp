// Library, error text and notification calls.
#include <algorithm>
#include <cstring>

#include "api_guard.h"
#include "fwcontrol.h"
#include "error_info.h"

using namespace fwc;

extern "C" {

FWC_API int32_t FWC_CALL FWC_GetVersion(uint32_t* version) {
    return guardedCall("FWC_GetVersion", [&]() -> int32_t {
        if (version == nullptr) return FWC_ERR_NULL_POINTER;
        *version = 0x01020000u;  // 1.2.0.0
        return FW_STATUS_OK;
    });
}

FWC_API int32_t FWC_CALL FWC_Init(void) {
    return guardedCall("FWC_Init", [] { return theBuses().init(); });
}

FWC_API int32_t FWC_CALL FWC_Release(void) {
    return guardedCall("FWC_Release", [] { return theBuses().release(); });
}

// Works without FWC_Init, and for the pixel conversion statuses too.
FWC_API int32_t FWC_CALL FWC_GetErrorInfo(int32_t status, char* text, uint32_t size) {
    if (text == nullptr) return FWC_ERR_NULL_POINTER;
    if (size == 0) return FWC_ERR_INVALID_ARGUMENT;
    try {
        const std::string message = errorText(status);
        const size_t length = std::min<size_t>(message.size(), size - 1);
        std::memcpy(text, message.data(), length);
        text[length] = '\0';
        return FW_STATUS_OK;
    } catch (const std::exception&) {
        text[0] = '\0';
        return FWC_ERR_RESOURCES;
    }
}

FWC_API int32_t FWC_CALL FWC_RegisterNodeListChangedNotification(FWC_HANDLE* handle,
                                                                 FWC_NOTIFICATION* notification) {
    return guardedCall("FWC_RegisterNodeListChangedNotification", [&]() -> int32_t {
        if (handle == nullptr || notification == nullptr) return FWC_ERR_NULL_POINTER;
        return theBuses().addNotification(kNodeListKind, *notification, *handle);
    });
}

FWC_API int32_t FWC_CALL FWC_RegisterNotification(FWC_HANDLE* handle, uint32_t kind,
                                                  FWC_NOTIFICATION* notification) {
    return guardedCall("FWC_RegisterNotification", [&]() -> int32_t {
        if (handle == nullptr || notification == nullptr) return FWC_ERR_NULL_POINTER;
        if (kind != FWC_NOTIFY_FRAME_COMPLETE && kind != FWC_NOTIFY_FRAME_DROPPED &&
            kind != FWC_NOTIFY_ERROR)
            return FWC_ERR_NOTIFICATION_KIND;
        return theBuses().addNotification(kind, *notification, *handle);
    });
}

FWC_API int32_t FWC_CALL FWC_UnRegisterNotification(FWC_HANDLE handle) {
    return guardedCall("FWC_UnRegisterNotification",
                       [&] { return theBuses().removeNotification(handle); });
}

}  // extern "C"
