/* Lorvenacam: IEEE 1394 camera acquisition plug-in, the host's interface.
 *
 * Nineteen plain functions with undecorated names and the cdecl calling convention.
 * Integers are 32-bit. A function that can fail returns 1 for success and 0 for
 * refusal or failure. Ports are 0 .. getCVLMaxNoOfPorts() - 1; any other port is
 * refused with the failure result. Arguments named "ignored" are never read.
 */
#ifndef LORVENACAM_H
#define LORVENACAM_H

#include <stdint.h>

#if defined(_WIN32)
#define LVC_CALL __cdecl
#else
#define LVC_CALL
#endif

#if defined(LORVENACAM_BUILD)
#if defined(_WIN32)
#define LVC_API __declspec(dllexport)
#else
#define LVC_API __attribute__((visibility("default")))
#endif
#else
#define LVC_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Receives every diagnostic line (at most 511 characters), on whatever thread produced
 * it, possibly on several threads at once. */
typedef void(LVC_CALL* LvcDebugMsgProc)(const char* text);
/* Called with (0, port) on the driver's notification thread when a frame is ready. */
typedef void(LVC_CALL* LvcCompleteCallback)(int32_t zero, int32_t port);
/* Stored, never called. */
typedef void(LVC_CALL* LvcCmdCallback)(void);

/* Lifecycle */
LVC_API int32_t LVC_CALL initialize(const char* systemPath, LvcDebugMsgProc debugMsgProc);
LVC_API int32_t LVC_CALL finalize(void);
LVC_API LvcDebugMsgProc LVC_CALL setDebugMsgProc(LvcDebugMsgProc debugMsgProc);
LVC_API int32_t LVC_CALL setSystemPath(const char* systemPath);
/* configure and getPropertyRange are one function: returns 0. */
LVC_API int32_t LVC_CALL configure(void);
LVC_API int32_t LVC_CALL getPropertyRange(void);
LVC_API int32_t LVC_CALL configureCamera(int32_t ignored, const char* cameraName);

/* Camera list */
LVC_API int32_t LVC_CALL getCVLMaxNoOfPorts(void);
LVC_API int32_t LVC_CALL getCVLNoOfSupportedCameras(void);
LVC_API char** LVC_CALL getCVLCameraConfigNames(void);

/* Callbacks */
LVC_API int32_t LVC_CALL setCompleteCallback(int32_t ignored, int32_t ignoredPort,
                                             LvcCompleteCallback callback);
LVC_API int32_t LVC_CALL setCmdCallback(int32_t ignored, int32_t ignoredPort,
                                        LvcCmdCallback callback);

/* Ports */
LVC_API int32_t LVC_CALL openCVLPort(int32_t ignored, int32_t port, const char* cameraName,
                                     uint32_t* size);
LVC_API void LVC_CALL closeCVLPort(int32_t ignored, int32_t port);
LVC_API int32_t LVC_CALL doCVLGrab(int32_t ignored, int32_t port);
LVC_API int32_t LVC_CALL getCVLGrabRow(int32_t ignored, int32_t port, void* buffer, uint32_t row,
                                       uint32_t first, uint32_t last);
LVC_API int32_t LVC_CALL getProperty(int32_t ignored, int32_t port, const char* name,
                                     int32_t* value);
LVC_API int32_t LVC_CALL setProperty(int32_t ignored, int32_t port, const char* name,
                                     int32_t value);
LVC_API int32_t LVC_CALL execCmd(int32_t ignored, int32_t port, const char* command,
                                 int32_t ignoredArgument, char* answer, int32_t answerSize);

#ifdef __cplusplus
}
#endif

#endif
