// Lists the IIDC cameras libdc1394 finds, one "GUID vendor / model" line each. Linked with
// libdc1394 only: a test preloads the libusb stand-in into it, as a host program would.
#include <dc1394/dc1394.h>

#include <cinttypes>
#include <cstdio>

int main() {
    dc1394_t* context = dc1394_new();
    dc1394camera_list_t* list = nullptr;
    if (!context || dc1394_camera_enumerate(context, &list) != DC1394_SUCCESS) return 1;
    int status = 0;
    for (uint32_t i = 0; i < list->num; ++i) {
        dc1394camera_t* camera =
            dc1394_camera_new_unit(context, list->ids[i].guid, list->ids[i].unit);
        if (!camera) {
            status = 1;
            continue;
        }
        std::printf("%016" PRIx64 " %s / %s\n", camera->guid, camera->vendor, camera->model);
        dc1394_camera_free(camera);
    }
    dc1394_camera_free_list(list);
    dc1394_free(context);
    return status;
}
