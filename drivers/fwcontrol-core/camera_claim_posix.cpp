// Claims are exclusive flock() locks on one file per camera in
// $TMPDIR/fwcontrol-sim-<uid>/<hash of the bus key>/. The kernel drops a dead process's
// locks, so a crashed holder frees its cameras. A releasing holder removes its file while
// still locking it, and then the folders if they are empty, so that a folder stays only
// while one of its cameras is claimed (or its holder crashed).
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <utility>

#include "camera_claim.h"
#include "fw_status.h"

namespace fwc {
namespace {

// Tries a few times when a releasing holder removes the file or its folder under us.
constexpr int kClaimAttempts = 100;

// The parent folder of a path ("" when it has none).
std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

class FileClaim : public CameraClaim {
public:
    FileClaim(int descriptor, std::string path) : descriptor_(descriptor), path_(std::move(path)) {}
    // Unlinked before the lock goes (closing releases it): a claimer that opened the file
    // meanwhile finds it no longer at the path once it locks it, and starts again. The
    // folders go only when empty; rmdir refuses otherwise.
    ~FileClaim() override {
        unlink(path_.c_str());
        close(descriptor_);
        const std::string busFolder = folderOf(path_);
        if (rmdir(busFolder.c_str()) == 0) rmdir(folderOf(busFolder).c_str());
    }
    FileClaim(const FileClaim&) = delete;
    FileClaim& operator=(const FileClaim&) = delete;

private:
    int descriptor_;
    std::string path_;
};

// True when the locked descriptor is still the file at the path, not one its holder
// removed between our open and our lock.
bool isFileAtPath(int descriptor, const std::string& path) {
    struct stat opened {};
    struct stat current {};
    return fstat(descriptor, &opened) == 0 && stat(path.c_str(), &current) == 0 &&
           opened.st_dev == current.st_dev && opened.st_ino == current.st_ino;
}

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
    for (int attempt = 0; attempt < kClaimAttempts; ++attempt) {
        std::string path = claimDirectory(busKey) + "/camera-" + std::to_string(cameraId) + ".lock";
        const int descriptor = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (descriptor < 0) {
            if (errno == ENOENT) continue;  // a releasing holder removed the folder
            break;
        }
        if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
            status = errno == EWOULDBLOCK ? FWC_ERR_CAMERA_BUSY : FWC_ERR_RESOURCES;
            close(descriptor);
            return nullptr;
        }
        if (isFileAtPath(descriptor, path)) {
            status = FW_STATUS_OK;
            return std::make_unique<FileClaim>(descriptor, std::move(path));
        }
        close(descriptor);
    }
    status = FWC_ERR_RESOURCES;
    return nullptr;
}

std::string sharedBusFolder(const std::string& busKey) { return claimDirectory(busKey); }

}  // namespace fwc
