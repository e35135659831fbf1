// Claims are exclusive flock() locks on one file per camera in
// $TMPDIR/fwcontrol-sim-<uid>/<hash of the bus key>/. The kernel drops a dead process's
// locks, so a crashed holder frees its cameras.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "camera_claim.h"
#include "fw_status.h"

namespace fwsim {
namespace {

class FileClaim : public CameraClaim {
public:
    explicit FileClaim(int descriptor) : descriptor_(descriptor) {}
    ~FileClaim() override { close(descriptor_); }  // closing releases the lock
    FileClaim(const FileClaim&) = delete;
    FileClaim& operator=(const FileClaim&) = delete;

private:
    int descriptor_;
};

std::string claimDirectory(const std::string& busKey) {
    const char* temporary = std::getenv("TMPDIR");
    std::string directory = (temporary != nullptr && *temporary != '\0') ? temporary : "/tmp";
    directory += "/fwcontrol-sim-" + std::to_string(getuid());
    mkdir(directory.c_str(), 0700);
    directory += "/" + claimNamespace(busKey);
    mkdir(directory.c_str(), 0700);
    return directory;
}

}  // namespace

std::unique_ptr<CameraClaim> claimCamera(const std::string& busKey, uint32_t cameraId,
                                         int32_t& status) {
    const std::string path =
        claimDirectory(busKey) + "/camera-" + std::to_string(cameraId) + ".lock";
    const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        status = FWC_ERR_RESOURCES;
        return nullptr;
    }
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        status = errno == EWOULDBLOCK ? FWC_ERR_CAMERA_BUSY : FWC_ERR_RESOURCES;
        close(descriptor);
        return nullptr;
    }
    status = FW_STATUS_OK;
    return std::make_unique<FileClaim>(descriptor);
}

std::string sharedBusFolder(const std::string& busKey) { return claimDirectory(busKey); }

}  // namespace fwsim
