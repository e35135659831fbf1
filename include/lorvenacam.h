/* Lorvenacam: IEEE 1394 camera acquisition plug-in, the host's interface.
 *
 * Nineteen plain functions with undecorated names and the cdecl calling convention; on
 * Linux the library exports these names and nothing else. Integers are 32-bit. A function
 * that can fail returns 1 for success and 0 for refusal or failure; no function throws or
 * aborts on a bad argument. Arguments named "ignored" are never read.
 *
 * Order of use: initialize; getCVLMaxNoOfPorts, getCVLNoOfSupportedCameras,
 * getCVLCameraConfigNames; setCompleteCallback; openCVLPort per port; per frame doCVLGrab,
 * wait for the CompleteCallback, getCVLGrabRow for each row wanted; closeCVLPort;
 * finalize. configureCamera may be called at any time after initialize.
 *
 * Ports are 0 .. 63 (getCVLMaxNoOfPorts() - 1). A port function given any other port, or
 * a port that holds no camera, refuses with its failure result and writes nothing.
 *
 * Threads: any host thread may call any function, also several at once, with two limits:
 * a port must not be closed (closeCVLPort, finalize) while another thread still uses it,
 * and initialize and finalize must not be called from inside a callback of the plug-in.
 * Camera names compare exactly (case-sensitive); property and command names do not.
 */
#pragma once

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

/* Receives every diagnostic line: a finished line of at most 511 characters, most of them
 * ending in a line feed. Called on whatever thread produced the line (the host's threads
 * and the driver's notification threads), possibly on several threads at once; it must
 * not call initialize or finalize. */
typedef void(LVC_CALL* LvcDebugMsgProc)(const char* text);
/* Called with (0, port) on the driver's notification thread when a frame requested on the
 * port is ready; the host may call getCVLGrabRow (and closeCVLPort) from inside it. */
typedef void(LVC_CALL* LvcCompleteCallback)(int32_t zero, int32_t port);
/* Stored, never called. */
typedef void(LVC_CALL* LvcCmdCallback)(void);

/* ---- Lifecycle ---------------------------------------------------------------------- */

/* Keeps systemPath (at most 259 characters; null: none, the settings then live in the
 * current directory) and debugMsgProc (null: no diagnostics), and logs the driver's
 * version line. The first call (or the first after the last finalize) also starts the
 * camera driver, lists the cameras on the bus (waiting up to 5 s for another process's
 * listing to end) and follows the bus's changes from then on.
 * Returns 1 when the plug-in is initialised after the call; 0 when the first-time setup
 * failed (the driver did not start), in which case nothing stays set up and a later call
 * tries again. Each call that returns 1 must be matched by one finalize; a repeated call
 * only replaces the path and the callback. */
LVC_API int32_t LVC_CALL initialize(const char* systemPath, LvcDebugMsgProc debugMsgProc);
/* Undoes one initialize. Returns 1 when this call took the plug-in down (the last
 * outstanding initialize): it clears DebugMsgProc and the CompleteCallback first, closes
 * any port still open, stops following the bus and releases the driver; when it returns,
 * no callback of the plug-in runs any more and the library may be unloaded. Returns 0 and
 * changes nothing else when other initialize calls are still outstanding, or when the
 * plug-in is not initialised (a finalize without initialize). The camera list survives:
 * a later initialize finds the same names at the same indices. */
LVC_API int32_t LVC_CALL finalize(void);
/* Replaces the diagnostic callback (null: no diagnostics). Returns debugMsgProc. */
LVC_API LvcDebugMsgProc LVC_CALL setDebugMsgProc(LvcDebugMsgProc debugMsgProc);
/* Replaces the system path (at most 259 characters kept; null: none). Always 1. */
LVC_API int32_t LVC_CALL setSystemPath(const char* systemPath);
/* Does nothing; always 0. configure and getPropertyRange are the same function. */
LVC_API int32_t LVC_CALL configure(void);
LVC_API int32_t LVC_CALL getPropertyRange(void);
/* Runs the modal configuration dialog of the named camera on the calling thread: the
 * camera open on a port is configured in place, any other listed camera through a
 * temporary opening. An unknown or null name does nothing. Always 0. */
LVC_API int32_t LVC_CALL configureCamera(int32_t ignored, const char* cameraName);

/* ---- Camera list ------------------------------------------------------------------------ */

/* 64 at any time. */
LVC_API int32_t LVC_CALL getCVLMaxNoOfPorts(void);
/* The number of cameras listed: every camera seen on the bus since the library was loaded
 * (at most 64). It never shrinks; a camera that leaves the bus stays listed. 0 before the
 * first initialize. */
LVC_API int32_t LVC_CALL getCVLNoOfSupportedCameras(void);
/* The configuration names: an array whose first getCVLNoOfSupportedCameras() entries
 * point at the names of the listed cameras, "Vendor Model - id" (at most 127 characters),
 * or "Unavailable - id" for a camera that was busy when listed. The array and the names
 * live as long as the library is loaded and keep their places: a camera's entry keeps its
 * index and pointer, and an unavailable name is replaced in place by the full name once a
 * later bus change finds the camera free. Never null, also before initialize. */
LVC_API char** LVC_CALL getCVLCameraConfigNames(void);

/* ---- Callbacks -------------------------------------------------------------------------- */

/* One callback for every port (null: none); the port argument is not used. Always 1. */
LVC_API int32_t LVC_CALL setCompleteCallback(int32_t ignored, int32_t ignoredPort,
                                             LvcCompleteCallback callback);
/* Stores the callback, which is never called. Always 1. */
LVC_API int32_t LVC_CALL setCmdCallback(int32_t ignored, int32_t ignoredPort,
                                        LvcCmdCallback callback);

/* ---- Ports ------------------------------------------------------------------------------ */

/* Opens the listed camera cameraName (exact name) on the port and starts it. Returns 1
 * with size[0] = image width and size[1] = image height in pixels. Returns 0, writing
 * nothing, for a bad port, a port that already holds a camera, a name that is null, not
 * listed or already open on another port, a null size, or before initialize. When the
 * camera is found but fails to start, it returns 0 and the port stays occupied until
 * closeCVLPort. */
LVC_API int32_t LVC_CALL openCVLPort(int32_t ignored, int32_t port, const char* cameraName,
                                     uint32_t* size);
/* Stops and closes the port's camera; nothing for an empty or bad port. A repeated call
 * does nothing. May be called from inside the CompleteCallback of the same port. */
LVC_API void LVC_CALL closeCVLPort(int32_t ignored, int32_t port);
/* Requests one frame; the CompleteCallback reports it. Returns 1 when the request is
 * outstanding, 0 for an empty or bad port or a failed request. */
LVC_API int32_t LVC_CALL doCVLGrab(int32_t ignored, int32_t port);
/* Copies columns first .. last of row `row` of the port's last delivered frame into
 * buffer (1 byte per pixel for 8-bit grey, 3 for 24-bit BGR; see getProperty
 * "PixelSize"). Returns 1 when copied; 0, writing nothing, for an empty or bad port, a
 * null buffer, or a row or column range outside the frame. */
LVC_API int32_t LVC_CALL getCVLGrabRow(int32_t ignored, int32_t port, void* buffer, uint32_t row,
                                       uint32_t first, uint32_t last);
/* Reads a property of the port's camera into *value: "PixelSize" (24 or 8 bits per output
 * pixel), "Continous" (0 or 1), a camera feature by name or a register by "0x" address.
 * Returns 1 when written; 0, leaving *value unchanged, for an empty or bad port, a null
 * name or value, or an unknown or unreadable property. */
LVC_API int32_t LVC_CALL getProperty(int32_t ignored, int32_t port, const char* name,
                                     int32_t* value);
/* Writes a property of the port's camera: "Continous" (non-zero: deliver frames
 * continuously, requesting the first at once), a feature by name or a register by "0x"
 * address. Returns 1 when done; 0 for an empty or bad port, a null name, or an unknown,
 * read-only or refused property. */
LVC_API int32_t LVC_CALL setProperty(int32_t ignored, int32_t port, const char* name,
                                     int32_t value);
/* Runs a text command on the port's camera. A command beginning with "ge" (any case) is
 * "getname": the camera's name is copied into answer (answerSize bytes, terminated, never
 * written beyond) and the result is 1. Returns 0 for an empty or bad port, a null command
 * or answer, answerSize < 1, or any other command. */
LVC_API int32_t LVC_CALL execCmd(int32_t ignored, int32_t port, const char* command,
                                 int32_t ignoredArgument, char* answer, int32_t answerSize);

#ifdef __cplusplus
}
#endif
