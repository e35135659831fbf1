// LUT files: reading them and uploading them to the camera.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lvc {

struct CCamera;

constexpr std::size_t kLutDescriptionSize = 127;

// Uploads and enables the LUT file when useLut is set, else switches the LUT off.
bool loadLut(CCamera& camera);
// Fills the first count bytes of destination; true when exactly count values were read.
bool readLutValues(const char* path, uint32_t count, uint8_t* destination);
// Counts the value lines and takes the description (at most 126 characters). True when
// the file holds at least one value line.
bool inspectLutFile(const char* path, int32_t* valueCount, char* description);

}  // namespace lvc
