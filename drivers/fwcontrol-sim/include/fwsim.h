/* Test control interface of the simulated bus. Exported by the FwControl library
 * beside the FWC_ calls; only tests, benchmarks and demos use it. */
#pragma once

#include "fwcontrol.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Adds a camera described by one JSON object of the bus schema; raises the node-list
 * notification. Returns its camera id, or 0 when the text is refused. */
FWC_API uint32_t FWC_CALL FWS_Plug(const char* cameraJson);
/* Removes a camera from the bus; raises the node-list notification. */
FWC_API int32_t FWC_CALL FWS_Unplug(uint32_t cameraId);
/* The next count calls of the FWC_ function callName fail with status. */
FWC_API int32_t FWC_CALL FWS_FailCall(const char* callName, int32_t status, int32_t count);
/* The name of the index-th FWC_ call FWS_FailCall accepts, from 0 on;
 * FWC_ERR_INVALID_ARGUMENT past the last one or when size cannot hold the name. */
FWC_API int32_t FWC_CALL FWS_GetCallName(uint32_t index, char* name, uint32_t size);
/* How often the FWC_ call callName was made in this process, failed ones included. */
FWC_API int32_t FWC_CALL FWS_GetCallCount(const char* callName, uint32_t* count);
/* One trigger pulse: a triggered camera that is acquiring makes one frame. */
FWC_API int32_t FWC_CALL FWS_Trigger(uint32_t cameraId);
/* Raises a dropped-frame (4) or error (6) notification for the camera. */
FWC_API int32_t FWC_CALL FWS_RaiseEvent(uint32_t cameraId, int32_t kind);
/* One frame of a camera in "manual" timing. */
FWC_API int32_t FWC_CALL FWS_Step(uint32_t cameraId);
/* Back to the described bus: cameras, state and injected failures. */
FWC_API int32_t FWC_CALL FWS_Reset(void);

/* The calls below work whether or not the camera is open in this process. */

/* Ground truth of a frame: the scene of frame frameNumber as the camera makes it in its
 * current format, features and LUT, before encoding: width x height pixels of *channels
 * bytes each (1: grey, for the Mono8 and MONO16 codings; 3: blue, green, red). */
FWC_API int32_t FWC_CALL FWS_GetGroundTruth(uint32_t cameraId, uint32_t frameNumber,
                                            uint8_t* buffer, uint32_t bufferSize,
                                            uint32_t* channels);
/* Reads the frame number that every frame carries as a block code along its top rows,
 * from a frame converted to 8-bit grey (channels 1) or BGR (channels 3).
 * FWC_ERR_NO_FRAME_CODE when the image carries none. Frames are numbered from 1 per
 * camera. */
FWC_API int32_t FWC_CALL FWS_ReadFrameNumber(const uint8_t* image, uint32_t width, uint32_t height,
                                             uint32_t channels, uint32_t* frameNumber);
/* The rate the camera makes frames at in "realtime" timing: its fixed rate, or the
 * Format 7 bus-load formula, at most the camera's maxFrameRate. */
FWC_API int32_t FWC_CALL FWS_GetFrameRate(uint32_t cameraId, double* framesPerSecond);
/* Frames completed and dropped (pushed out of a full ring) since the camera joined the
 * bus. Either output may be null. */
FWC_API int32_t FWC_CALL FWS_GetFrameCounters(uint32_t cameraId, uint32_t* completed,
                                              uint32_t* dropped);
/* The LUT the camera holds. count: capacity of values in, elements uploaded out (0 when
 * nothing was uploaded); values may be null when the capacity is 0; inUse may be null. */
FWC_API int32_t FWC_CALL FWS_GetLut(uint32_t cameraId, uint8_t* values, uint32_t* count,
                                    uint32_t* inUse);

#ifdef __cplusplus
}
#endif
