// CameraList and ConfigNames. Rows are only ever appended: a row keeps its index, and its
// ConfigNames slot keeps pointing at its name, for the life of the library. Enumeration
// passes never overlap (the caller holds the enumeration mutex); listMutex guards the rows
// against the host's threads reading them during a pass and is never held while the
// driver or the host is called.
#include "boundary/camera_list.h"

#include <atomic>
#include <cstring>
#include <mutex>

#include "diagnostics/diagnostics.h"

namespace lvc {

namespace {

std::mutex listMutex;
CameraListEntry rows[kCameraListSize];
// Raised after the whole row is written, to publish it to readers that take no lock.
std::atomic<int32_t> rowCount{0};
// Handed to the host, which keeps the pointer and reads rowCount slots through it. A slot
// is set when its row is appended and never changes.
char* configNameSlots[kCameraListSize] = {};
std::atomic<bool> reportedListFull{false};

constexpr int32_t kListFull = -1;

constexpr int32_t kNoRow = -2;

// The row of cameraId; kNoRow when it has none yet, kListFull when it has none and every
// row is used.
int32_t findRow(uint32_t cameraId) {
    std::lock_guard lock(listMutex);
    const int32_t count = rowCount.load();
    for (int32_t index = 0; index < count; ++index)
        if (rows[index].cameraId == cameraId) return index;
    return count == kCameraListSize ? kListFull : kNoRow;
}

// Writes the whole row before the count is raised: a host reading the count without the
// lock finds the row's name already there. Only one pass appends at a time.
int32_t appendRow(uint32_t cameraId, const char* name, bool named) {
    std::lock_guard lock(listMutex);
    const int32_t count = rowCount.load();
    rows[count] = CameraListEntry{};
    rows[count].cameraId = cameraId;
    std::memcpy(rows[count].name, name, sizeof rows[count].name);
    rows[count].named = named ? 1 : 0;
    configNameSlots[count] = rows[count].name;
    rowCount.store(count + 1);
    return count;
}

bool isNamed(int32_t index) {
    std::lock_guard lock(listMutex);
    return rows[index].named != 0;
}

void storeName(int32_t index, const char* name, bool named) {
    std::lock_guard lock(listMutex);
    std::memcpy(rows[index].name, name, sizeof rows[index].name);
    rows[index].named = named ? 1 : 0;
}

// Said once per process: the 64 rows are taken for good, so every later pass would repeat it.
void reportListFull(uint32_t cameraId) {
    if (reportedListFull.exchange(true)) return;
    debugMessage("Camera list full: camera %d not added\n", static_cast<int32_t>(cameraId));
}

// Opens the camera to name it; a camera that does not open (busy in another process, say)
// gets the unavailable name and is tried again by the next pass. True when named.
bool nameCamera(uint32_t cameraId, char (&name)[sizeof(CameraListEntry::name)]) {
    if (FWC_OpenCamera(cameraId, FWC_OPEN_DEFAULT) != 0) {
        formatName(name, "Unavailable - %d", static_cast<int32_t>(cameraId));
        return false;
    }
    buildCameraName(cameraId, name);
    checkResult(FWC_CloseCamera(cameraId), "FWC_CameraClose");
    return true;
}

void refreshCamera(uint32_t cameraId) {
    int32_t index = findRow(cameraId);
    if (index == kListFull) {
        reportListFull(cameraId);
        return;
    }
    if (index != kNoRow && isNamed(index)) return;
    char name[sizeof(CameraListEntry::name)] = {};
    const bool named = nameCamera(cameraId, name);
    if (index == kNoRow)
        index = appendRow(cameraId, name, named);
    else
        storeName(index, name, named);
    debugMessage("%d [%d] - %s\n", index, rowCount.load(), name);
}

// An unreadable string is logged and taken as empty.
void readInfoString(uint32_t cameraId, uint32_t which, char (&text)[FWC_INFO_STRING_SIZE]) {
    uint32_t length = sizeof text;
    if (checkResult(FWC_GetCameraInfoString(cameraId, which, text, &length),
                    "FWC_GetCameraInfoString") != 0)
        text[0] = '\0';
    text[sizeof text - 1] = '\0';
}

}  // namespace

int32_t enumerateCameras() {
    uint32_t ids[FWC_MAX_CAMERAS] = {};
    uint32_t count = FWC_MAX_CAMERAS;
    if (checkResult(FWC_GetCameras(&count, ids), "FWC_GetCameras") != 0) return rowCount.load();
    if (count > FWC_MAX_CAMERAS) count = FWC_MAX_CAMERAS;
    for (uint32_t position = 0; position < count; ++position) refreshCamera(ids[position]);
    return rowCount.load();
}

bool buildCameraName(uint32_t cameraId, char* name) {
    char model[FWC_INFO_STRING_SIZE] = {};
    char vendor[FWC_INFO_STRING_SIZE] = {};
    readInfoString(cameraId, 0, model);
    readInfoString(cameraId, 1, vendor);
    formatName(name, "%s %s - %d", vendor, model, static_cast<int32_t>(cameraId));
    return true;
}

int32_t findCameraByName(const char* configName) {
    if (configName == nullptr) return -1;
    std::lock_guard lock(listMutex);
    const int32_t count = rowCount.load();
    for (int32_t index = 0; index < count; ++index)
        if (std::strcmp(rows[index].name, configName) == 0) return index;
    return -1;
}

bool cameraListEntry(int32_t index, CameraListEntry* entry) {
    if (entry == nullptr) return false;
    std::lock_guard lock(listMutex);
    if (index < 0 || index >= rowCount.load()) return false;
    *entry = rows[index];
    return true;
}

int32_t cameraListCount() { return rowCount.load(); }

char** configNames() { return configNameSlots; }

}  // namespace lvc
