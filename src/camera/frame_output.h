// Fetching a completed frame, converting it, and copying rows out for the host.
#pragma once

#include <cstdint>

namespace lvc {

struct CCamera;

// Fetches the newest completed frame into the camera's buffers, passing the driver the
// buffer's real capacity. A frame about to be delivered from a progressive Mono8 camera
// lands straight in image; every other frame lands in rawImage, so rows the host is
// reading are never overwritten by a frame it did not ask for. Returns the driver status.
int32_t fetchFrame(CCamera& camera, bool delivering);
// Converts rawImage into image for the camera's colour coding. Conversion failures are
// reported and leave image as it was; nothing is converted when the buffers do not fit
// the camera's current geometry and coding.
void convertFrame(CCamera& camera);
// Copies pixels first..last of one row of image to destination. False, with nothing
// written, for a row or column outside the image, first > last or a null destination.
bool copyRow(const CCamera& camera, void* destination, uint32_t row, uint32_t first, uint32_t last);

}  // namespace lvc
