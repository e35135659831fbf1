// Taking a camera to the state in which frames can be grabbed, and back.
#pragma once

namespace lvc {

struct CCamera;

// Opens, reads the format, loads the LUT, prepares the grab, sizes the buffers and, in
// streaming or trigger mode, starts acquisition. True when the camera came up; a camera
// whose geometry or acquisition did not is closed again.
bool startCamera(CCamera& camera);
// Stops acquisition, closes the camera and frees its buffers. True when closed afterwards.
bool stopCamera(CCamera& camera);
// True when the camera acquires by streaming (trigger active or streaming set).
bool isStreamingMode(const CCamera& camera);

}  // namespace lvc
