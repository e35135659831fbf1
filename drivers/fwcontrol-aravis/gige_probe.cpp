#include "gige_probe.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cstring>
#include <sstream>

namespace fwaravis {
namespace {

constexpr uint16_t kControlPort = 3956;
constexpr uint8_t kKey = 0x42;
constexpr uint8_t kAcknowledgeRequired = 0x01;
constexpr uint16_t kDiscoveryCommand = 0x0002;
constexpr uint16_t kDiscoveryAcknowledge = 0x0003;
constexpr size_t kHeaderBytes = 8;
// The discovery answer carries the bootstrap registers 0x00-0xF7; the strings' offsets.
constexpr size_t kVendorOffset = 0x48, kModelOffset = 0x68, kSerialOffset = 0xD8;
constexpr size_t kVendorBytes = 32, kModelBytes = 32, kSerialBytes = 16;
constexpr size_t kAnswerBytes = kHeaderBytes + 0xF8;
constexpr int kAttempts = 3;

std::string trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string bootstrapString(const uint8_t* payload, size_t offset, size_t size) {
    const char* text = reinterpret_cast<const char*>(payload + offset);
    return std::string(text, strnlen(text, size));
}

class UdpSocket {
public:
    UdpSocket() : fd_(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}
    ~UdpSocket() {
        if (fd_ >= 0) close(fd_);
    }
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

uint16_t nextRequestId() {
    static std::atomic<uint16_t> id{1};
    const uint16_t value = id.fetch_add(1);
    return value == 0 ? id.fetch_add(1) : value;
}

bool sendDiscovery(int fd, const sockaddr_in& camera, uint16_t requestId) {
    const std::array<uint8_t, kHeaderBytes> command = {kKey,
                                                       kAcknowledgeRequired,
                                                       0,
                                                       kDiscoveryCommand,
                                                       0,
                                                       0,
                                                       static_cast<uint8_t>(requestId >> 8),
                                                       static_cast<uint8_t>(requestId)};
    return sendto(fd, command.data(), command.size(), 0, reinterpret_cast<const sockaddr*>(&camera),
                  sizeof camera) == static_cast<ssize_t>(command.size());
}

// The camera's answer to this request, or nothing before the deadline.
std::optional<GigeCameraInfo> awaitAnswer(int fd, const sockaddr_in& camera, uint16_t requestId,
                                          std::chrono::steady_clock::time_point deadline) {
    std::array<uint8_t, 1024> answer{};
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return std::nullopt;
        pollfd readable{fd, POLLIN, 0};
        if (poll(&readable, 1, static_cast<int>(left.count())) <= 0) return std::nullopt;
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const ssize_t size = recvfrom(fd, answer.data(), answer.size(), 0,
                                      reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (size < static_cast<ssize_t>(kAnswerBytes) ||
            from.sin_addr.s_addr != camera.sin_addr.s_addr)
            continue;
        const uint16_t kind = static_cast<uint16_t>(answer[2] << 8 | answer[3]);
        const uint16_t id = static_cast<uint16_t>(answer[6] << 8 | answer[7]);
        const uint16_t status = static_cast<uint16_t>(answer[0] << 8 | answer[1]);
        if (kind != kDiscoveryAcknowledge || id != requestId || status != 0) continue;
        const uint8_t* payload = answer.data() + kHeaderBytes;
        GigeCameraInfo info;
        info.vendor = bootstrapString(payload, kVendorOffset, kVendorBytes);
        info.model = bootstrapString(payload, kModelOffset, kModelBytes);
        info.serial = bootstrapString(payload, kSerialOffset, kSerialBytes);
        return info;
    }
}

}  // namespace

std::vector<std::string> parseCameraAddresses(const std::string& list,
                                              std::vector<std::string>& refused) {
    std::vector<std::string> addresses;
    std::istringstream entries(list);
    std::string entry;
    while (std::getline(entries, entry, ',')) {
        entry = trim(entry);
        if (entry.empty()) continue;
        in_addr parsed{};
        if (inet_pton(AF_INET, entry.c_str(), &parsed) == 1)
            addresses.push_back(entry);
        else
            refused.push_back(entry);
    }
    return addresses;
}

std::optional<GigeCameraInfo> probeGigeCamera(const std::string& address,
                                              std::chrono::milliseconds timeout) {
    sockaddr_in camera{};
    camera.sin_family = AF_INET;
    camera.sin_port = htons(kControlPort);
    if (inet_pton(AF_INET, address.c_str(), &camera.sin_addr) != 1) return std::nullopt;
    UdpSocket socket;
    if (socket.fd() < 0) return std::nullopt;
    const auto start = std::chrono::steady_clock::now();
    // A lost datagram is retried: each attempt has its share of the timeout.
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        const uint16_t requestId = nextRequestId();
        if (!sendDiscovery(socket.fd(), camera, requestId)) return std::nullopt;
        auto answer =
            awaitAnswer(socket.fd(), camera, requestId, start + timeout * attempt / kAttempts);
        if (answer) {
            answer->address = address;
            return answer;
        }
    }
    return std::nullopt;
}

}  // namespace fwaravis
