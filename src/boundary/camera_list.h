// CameraList and ConfigNames: every camera seen on the bus, with its configuration name.
#pragma once

#include <cstdint>

#include "fwcontrol.h"

namespace lvc {

constexpr int32_t kCameraListSize = 64;

struct CameraListEntry {
    uint32_t cameraId = 0;
    int32_t named = 0;
    char name[128] = {};
};

// Refreshes CameraList from the bus and returns its count. The caller holds the
// enumeration mutex.
int32_t enumerateCameras();
// Writes "%s %s - %d" (vendor, model, id) into the 128-byte name; always true.
bool buildCameraName(uint32_t cameraId, char* name);
// Index of the first row whose name equals configName exactly, or -1.
int32_t findCameraByName(const char* configName);
// Copies row index's id and name; false for an index outside the list.
bool cameraListEntry(int32_t index, CameraListEntry* entry);
int32_t cameraListCount();
char** configNames();
// Bus-change handler registered with the driver; runs on a driver thread.
uint32_t FWC_CALL onNodeListChanged(void* ignored);

}  // namespace lvc
