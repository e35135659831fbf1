#include "standin_config.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace iidc_standin {
namespace {

constexpr uint64_t kFirstGuid = 0x0012345600000001ULL;
constexpr uint32_t kMaxCameras = 16;
// A file system stamps times from a clock that ticks every few milliseconds: a rewrite of
// the same size within a tick keeps the time, so a file this young is read in full.
constexpr auto kTimestampTick = std::chrono::milliseconds(100);

uint32_t camerasFromEnvironment() {
    const char* text = std::getenv("IIDC_STANDIN_CAMERAS");
    return text ? static_cast<uint32_t>(std::strtoul(text, nullptr, 10)) : 1;
}

StandinConfig withCameras(uint32_t count) {
    StandinConfig config;
    for (uint32_t i = 0; i < count && i < kMaxCameras; ++i)
        config.cameras.push_back(defaultCameraConfig(i));
    return config;
}

std::string restOfLine(std::istringstream& line) {
    std::string rest;
    std::getline(line >> std::ws, rest);
    return rest;
}

void applyCameraKey(CameraConfig& camera, const std::string& key, std::istringstream& line) {
    if (key == "vendor") camera.vendor = restOfLine(line);
    if (key == "model") camera.model = restOfLine(line);
    if (key == "guid") line >> std::hex >> camera.guid;
    if (key == "unplugged") line >> camera.unplugged;
    if (key == "drop_every") line >> camera.dropEvery;
    if (key == "short_every") line >> camera.shortEvery;
    if (key == "frame_interval_us") line >> camera.frameIntervalUs;
    if (key == "max_transfers") line >> camera.maxTransfers;
}

StandinConfig parse(const std::string& content) {
    StandinConfig config = withCameras(camerasFromEnvironment());
    std::istringstream lines(content);
    std::string text;
    while (std::getline(lines, text)) {
        std::istringstream line(text);
        std::string key;
        line >> key;
        if (key == "cameras") {
            uint32_t count = 0;
            line >> count;
            config.cameras.resize(std::min(count, kMaxCameras));
            for (uint32_t i = 0; i < config.cameras.size(); ++i)
                if (config.cameras[i].guid == 0) config.cameras[i] = defaultCameraConfig(i);
        } else if (key == "session") {
            line >> config.session;
        } else if (key == "camera") {
            uint32_t index = kMaxCameras;
            line >> index >> key;
            if (index < config.cameras.size()) applyCameraKey(config.cameras[index], key, line);
        }
    }
    return config;
}

}  // namespace

CameraConfig defaultCameraConfig(uint32_t index) {
    CameraConfig camera;
    camera.vendor = "Testvendor";
    camera.model = "TV-IIDC" + std::to_string(index + 1);
    camera.guid = kFirstGuid + index;
    return camera;
}

ConfigSource::ConfigSource() {
    if (const char* path = std::getenv("IIDC_STANDIN_CONFIG")) path_ = path;
    config_ = parse(std::string());
    refresh();
}

bool ConfigSource::unchangedSinceRead(const struct stat& now) const {
    if (!haveRead_ || now.st_dev != lastRead_.st_dev || now.st_ino != lastRead_.st_ino ||
        now.st_size != lastRead_.st_size || now.st_mtim.tv_sec != lastRead_.st_mtim.tv_sec ||
        now.st_mtim.tv_nsec != lastRead_.st_mtim.tv_nsec ||
        now.st_ctim.tv_sec != lastRead_.st_ctim.tv_sec ||
        now.st_ctim.tv_nsec != lastRead_.st_ctim.tv_nsec)
        return false;
    const auto modified = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(now.st_mtim.tv_sec) +
            std::chrono::nanoseconds(now.st_mtim.tv_nsec)));
    return std::chrono::system_clock::now() - modified > kTimestampTick;
}

bool ConfigSource::refresh() {
    if (path_.empty()) return false;
    struct stat now {};
    if (stat(path_.c_str(), &now) != 0) return false;
    if (unchangedSinceRead(now)) return false;
    lastRead_ = now;
    haveRead_ = true;
    std::ifstream file(path_);
    if (!file) return false;
    std::ostringstream content;
    content << file.rdbuf();
    if (content.str() == lastContent_) return false;
    lastContent_ = content.str();
    config_ = parse(lastContent_);
    return true;
}

}  // namespace iidc_standin
