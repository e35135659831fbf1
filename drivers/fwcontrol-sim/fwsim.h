/* Test control interface of the simulated bus. Exported by the FwControl library
 * beside the FWC_ calls; only tests, benchmarks and demos use it. */
#ifndef LORVENACAM_FWSIM_H
#define LORVENACAM_FWSIM_H

#include "../../src/driver/fwcontrol.h"

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
/* One trigger pulse: a triggered camera that is acquiring makes one frame. */
FWC_API int32_t FWC_CALL FWS_Trigger(uint32_t cameraId);
/* Raises a dropped-frame (4) or error (6) notification for the camera. */
FWC_API int32_t FWC_CALL FWS_RaiseEvent(uint32_t cameraId, int32_t kind);
/* One frame of a camera in "manual" timing. */
FWC_API int32_t FWC_CALL FWS_Step(uint32_t cameraId);
/* Back to the described bus: cameras, state and injected failures. */
FWC_API int32_t FWC_CALL FWS_Reset(void);

#ifdef __cplusplus
}
#endif

#endif
