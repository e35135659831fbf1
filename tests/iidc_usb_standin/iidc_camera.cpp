#include "iidc_camera.h"

#include <algorithm>
#include <string>

#include "iidc_test_pattern.h"

namespace iidc_standin {
namespace {

constexpr uint32_t kRomBase = 0xF0000400;
constexpr uint32_t kCommandBase = 0xF0F00000;
constexpr uint32_t kCommandSize = 0x1000;
constexpr uint32_t kFormat7Base = 0xF1000000;
constexpr uint32_t kFormat7Stride = 0x100;
constexpr uint32_t kSoftwareTriggerSource = 7;
constexpr uint32_t kMemoryChannels = 2;

struct FixedMode {
    uint32_t width, height, coding;
};

// Formats 0-2 as IIDC numbers their modes; all are offered.
constexpr FixedMode kFixedModes[3][8] = {
    {{160, 120, kYuv444},
     {320, 240, kYuv422},
     {640, 480, kYuv411},
     {640, 480, kYuv422},
     {640, 480, kRgb8},
     {640, 480, kMono8},
     {640, 480, kMono16},
     {0, 0, 0}},
    {{800, 600, kYuv422},
     {800, 600, kRgb8},
     {800, 600, kMono8},
     {1024, 768, kYuv422},
     {1024, 768, kRgb8},
     {1024, 768, kMono8},
     {800, 600, kMono16},
     {1024, 768, kMono16}},
    {{1280, 960, kYuv422},
     {1280, 960, kRgb8},
     {1280, 960, kMono8},
     {1600, 1200, kYuv422},
     {1600, 1200, kRgb8},
     {1600, 1200, kMono8},
     {1280, 960, kMono16},
     {1600, 1200, kMono16}},
};
constexpr uint32_t kModesPerFormat[3] = {7, 8, 8};
// Rates (1.875 fps × 2^rate) each format offers: format 0 3.75-60, 1 1.875-30, 2 1.875-15.
constexpr uint32_t kFirstRate[3] = {1, 0, 0};
constexpr uint32_t kLastRate[3] = {5, 4, 3};

struct Format7Mode {
    uint32_t maxWidth, maxHeight, unitWidth, unitHeight, positionUnitWidth, positionUnitHeight;
    uint32_t codingMask;  // bit 31 - coding id
    uint32_t colorFilter;
    uint32_t unitBytes, maxBytes;
};

constexpr uint32_t codingBit(uint32_t coding) { return 0x80000000u >> coding; }

constexpr Format7Mode kFormat7[kFormat7Modes] = {
    {640, 480, 8, 2, 4, 2,
     codingBit(kMono8) | codingBit(kYuv411) | codingBit(kYuv422) | codingBit(kYuv444) |
         codingBit(kRgb8) | codingBit(kMono16),
     0, 8, 8192},
    {1280, 960, 16, 4, 0, 0,
     codingBit(kMono8) | codingBit(kRgb16) | codingBit(kSignedMono16) | codingBit(kSignedRgb16) |
         codingBit(kRaw8) | codingBit(kRaw16),
     3, 8, 8192},
};

struct FeatureModel {
    uint32_t slot, minimum, maximum, initial;
    bool onePush, onOff, autoMode, manual;
};

// Brightness, exposure, sharpness, white balance, hue, saturation, gamma, shutter, gain and
// trigger delay; each with other bounds and controls, so that tests see them apart.
constexpr FeatureModel kFeatures[] = {
    {0, 0, 255, 128, false, false, false, true}, {1, 0, 1023, 512, true, true, true, true},
    {2, 0, 255, 64, false, false, false, true},  {3, 0, 1023, 512, true, true, true, true},
    {4, 0, 180, 90, false, true, false, true},   {5, 0, 255, 128, false, false, false, true},
    {6, 0, 2, 1, false, true, false, true},      {7, 1, 4095, 800, false, false, true, true},
    {8, 0, 680, 0, true, false, true, true},     {13, 0, 4095, 0, false, true, false, true},
};
constexpr uint32_t kTriggerSlot = 12;
constexpr uint32_t kWhiteBalanceSlot = 3;

const FeatureModel* featureModel(uint32_t slot) {
    for (const auto& feature : kFeatures)
        if (feature.slot == slot) return &feature;
    return nullptr;
}

uint32_t bit(bool on, uint32_t position) { return on ? 1u << position : 0; }

uint32_t featureInquiry(const FeatureModel& f) {
    return bit(true, 31) | bit(f.onePush, 28) | bit(true, 27) | bit(f.onOff, 26) |
           bit(f.autoMode, 25) | bit(f.manual, 24) | f.minimum << 12 | f.maximum;
}

// Trigger: sources 0 and software, polarity, modes 0, 1, 2, 3, 14 and 15.
constexpr uint32_t kTriggerInquiry =
    0x80000000 | 0x08000000 | 0x04000000 | 0x02000000 | 0x00800000 | 0x00010000 | 0xF000 | 0x0003;

void appendText(std::vector<uint32_t>& rom, const std::string& text) {
    const uint32_t quads = static_cast<uint32_t>((text.size() + 3) / 4);
    rom.push_back((quads + 2) << 16);
    rom.push_back(0);
    rom.push_back(0);
    for (uint32_t q = 0; q < quads; ++q) {
        uint32_t value = 0;
        for (uint32_t b = 0; b < 4; ++b) {
            const size_t i = q * 4 + b;
            value = value << 8 | (i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
        }
        rom.push_back(value);
    }
}

CameraSettings factorySettings() {
    CameraSettings settings;
    for (const auto& f : kFeatures) {
        settings.features[f.slot].value = f.initial;
        settings.features[f.slot].blueValue = f.slot == kWhiteBalanceSlot ? f.initial - 32 : 0;
    }
    for (uint32_t m = 0; m < kFormat7Modes; ++m) {
        settings.format7[m] = {0,
                               0,
                               kFormat7[m].maxWidth,
                               kFormat7[m].maxHeight,
                               m == 0 ? kMono8 : kRaw8,
                               kFormat7[m].maxBytes};
    }
    return settings;
}

}  // namespace

IidcCamera::IidcCamera(const CameraConfig& config) : config_(config) {
    settings_ = factorySettings();
    channels_.fill(settings_);
    buildRom();
}

void IidcCamera::reconfigure(const CameraConfig& config) {
    config_ = config;
    buildRom();
}

// Bus info block, root directory, unit directory, unit dependent directory (command
// registers at 0xF00000, IIDC 1.31), then the vendor and model name leaves.
void IidcCamera::buildRom() {
    const uint64_t guid = config_.guid;
    rom_ = {0x04040000, 0x31333934, 0xE0FF8000, static_cast<uint32_t>(guid >> 32),
            static_cast<uint32_t>(guid), 3 << 16, 0x03000000 | static_cast<uint32_t>(guid >> 40),
            0x0C0083C0, 0xD1000001,
            // unit directory at 9
            3 << 16, 0x1200A02D, 0x13000102, 0xD4000001,
            // unit dependent directory at 13
            4 << 16, 0x403C0000, 0x81000003,
            0x82000000,  // patched below
            0x38000010};
    appendText(rom_, config_.vendor);
    rom_[16] = 0x82000000 | static_cast<uint32_t>(rom_.size() - 16);
    appendText(rom_, config_.model);
}

bool IidcCamera::readRom(uint32_t index, uint32_t& value) const {
    if (index >= rom_.size()) return false;
    value = rom_[index];
    return true;
}

bool IidcCamera::read(uint32_t address, uint32_t& value) const {
    value = 0;
    if (address >= kRomBase && address < kRomBase + 0x400)
        return readRom((address - kRomBase) / 4, value);
    if (address >= kCommandBase && address < kCommandBase + kCommandSize) {
        value = readCommand(address - kCommandBase);
    } else if (address >= kFormat7Base && address < kFormat7Base + kFormat7Modes * kFormat7Stride) {
        const uint32_t offset = address - kFormat7Base;
        value = readFormat7(offset / kFormat7Stride, offset % kFormat7Stride);
    }
    return true;
}

void IidcCamera::write(uint32_t address, uint32_t value, Clock::time_point now) {
    if (address >= kCommandBase && address < kCommandBase + kCommandSize) {
        writeCommand(address - kCommandBase, value, now);
    } else if (address >= kFormat7Base && address < kFormat7Base + kFormat7Modes * kFormat7Stride) {
        const uint32_t offset = address - kFormat7Base;
        writeFormat7(offset / kFormat7Stride, offset % kFormat7Stride, value);
    }
}

uint32_t IidcCamera::readCommand(uint32_t offset) const {
    if (offset == 0x100) return 0xE1000000;  // formats 0, 1, 2 and 7
    if (offset >= 0x180 && offset < 0x18C)
        return ~(0xFFFFFFFFu >> kModesPerFormat[(offset - 0x180) / 4]);
    if (offset == 0x19C) return 0xC0000000;  // Format 7 modes 0 and 1
    if (offset >= 0x200 && offset < 0x260) {
        const uint32_t format = (offset - 0x200) / 0x20, mode = (offset - 0x200) % 0x20 / 4;
        if (mode >= kModesPerFormat[format]) return 0;
        uint32_t mask = 0;
        for (uint32_t r = kFirstRate[format]; r <= kLastRate[format]; ++r) mask |= 0x80000000u >> r;
        return mask;
    }
    if (offset >= 0x2E0 && offset < 0x2E0 + 4 * kFormat7Modes)
        return (kFormat7Base - 0xF0000000 + (offset - 0x2E0) / 4 * kFormat7Stride) / 4;
    if (offset == 0x400) return 0x00001800 | kMemoryChannels;  // one-shot, multi-shot
    if (offset == 0x404)
        return 0xFF800000 | 0x000C0000;  // brightness to gain, trigger, trigger delay
    if (offset >= 0x500 && offset < 0x540) {
        const uint32_t slot = (offset - 0x500) / 4;
        if (slot == kTriggerSlot) return kTriggerInquiry;
        const FeatureModel* model = featureModel(slot);
        return model ? featureInquiry(*model) : 0;
    }
    switch (offset) {
    case 0x600: return settings_.rate << 29;
    case 0x604: return settings_.mode << 29;
    case 0x608: return settings_.format << 29;
    case 0x60C: return isoChannelSpeed_;
    case 0x610: return bit(powerOn_, 31);
    case 0x614: return bit(isoOn_, 31);
    case 0x61C: return bit(oneShot_, 31) | bit(multiShotLeft_ > 0, 30) | multiShotLeft_;
    case 0x620: return memorySaveChannel_ << 28;
    case 0x624: return currentChannel_ << 28;
    case 0x62C: return bit(softwareTriggers_ > 0, 31);
    default: break;
    }
    if (offset >= 0x800 && offset < 0x840) {
        const uint32_t slot = (offset - 0x800) / 4;
        return slot == kTriggerSlot ? readTrigger() : readFeature(slot);
    }
    return 0;
}

void IidcCamera::writeCommand(uint32_t offset, uint32_t value, Clock::time_point now) {
    switch (offset) {
    case 0x600: settings_.rate = value >> 29; return;
    case 0x604: settings_.mode = value >> 29; return;
    case 0x608: settings_.format = value >> 29; return;
    case 0x60C: isoChannelSpeed_ = value; return;
    case 0x610: powerOn_ = value >> 31; return;
    case 0x614:
        if (!isoOn_ && (value >> 31)) nextDue_ = now;
        isoOn_ = value >> 31;
        return;
    case 0x618:
        if ((value >> 31) && memorySaveChannel_ >= 1 && memorySaveChannel_ <= kMemoryChannels)
            channels_[memorySaveChannel_] = settings_;
        return;
    case 0x61C:
        oneShot_ = value >> 31;
        multiShotLeft_ = (value >> 30 & 1) ? value & 0xFFFF : 0;
        startShots(now);
        return;
    case 0x620: memorySaveChannel_ = value >> 28; return;
    case 0x624:
        if ((value >> 28) <= kMemoryChannels) {
            currentChannel_ = value >> 28;
            settings_ = channels_[currentChannel_];
        }
        return;
    case 0x62C:
        if (value >> 31) {
            ++softwareTriggers_;
            if (softwareTriggers_ == 1) nextDue_ = now;
        }
        return;
    default: break;
    }
    if (offset >= 0x800 && offset < 0x840) {
        const uint32_t slot = (offset - 0x800) / 4;
        if (slot == kTriggerSlot) {
            writeTrigger(value);
        } else {
            writeFeature(slot, value);
        }
    }
}

void IidcCamera::startShots(Clock::time_point now) {
    if (!isoOn_ && (oneShot_ || multiShotLeft_ > 0)) nextDue_ = now;
}

uint32_t IidcCamera::readFeature(uint32_t slot) const {
    const FeatureModel* model = featureModel(slot);
    if (!model) return 0;
    const FeatureState& f = settings_.features[slot];
    return bit(true, 31) | bit(f.on, 25) | bit(f.autoMode, 24) | f.blueValue << 12 | f.value;
}

void IidcCamera::writeFeature(uint32_t slot, uint32_t value) {
    const FeatureModel* model = featureModel(slot);
    if (!model) return;
    FeatureState& f = settings_.features[slot];
    if (model->onOff) f.on = value >> 25 & 1;
    if (model->autoMode) f.autoMode = value >> 24 & 1;
    // A one-push adjustment finishes at once: the bit reads back cleared.
    if (model->manual && !f.autoMode) {
        f.value = std::clamp(value & 0xFFF, model->minimum, model->maximum);
        if (slot == kWhiteBalanceSlot)
            f.blueValue = std::clamp(value >> 12 & 0xFFF, model->minimum, model->maximum);
    }
}

uint32_t IidcCamera::readTrigger() const {
    return bit(true, 31) | bit(settings_.triggerOn, 25) | bit(settings_.triggerPolarityHigh, 24) |
           settings_.triggerSource << 21 | settings_.triggerMode << 16 | settings_.triggerParameter;
}

void IidcCamera::writeTrigger(uint32_t value) {
    settings_.triggerOn = value >> 25 & 1;
    settings_.triggerPolarityHigh = value >> 24 & 1;
    const uint32_t source = value >> 21 & 7;
    if (source == 0 || source == kSoftwareTriggerSource) settings_.triggerSource = source;
    const uint32_t mode = value >> 16 & 0xF;
    if (kTriggerInquiry & (0x8000u >> mode)) settings_.triggerMode = mode;
    settings_.triggerParameter = value & 0xFFF;
}

uint32_t IidcCamera::readFormat7(uint32_t mode, uint32_t offset) const {
    const Format7Mode& m = kFormat7[mode];
    const Format7Roi& roi = settings_.format7[mode];
    const uint64_t bytes = imageBytes(roi.width, roi.height, roi.coding);
    switch (offset) {
    case 0x000: return m.maxWidth << 16 | m.maxHeight;
    case 0x004: return m.unitWidth << 16 | m.unitHeight;
    case 0x008: return roi.left << 16 | roi.top;
    case 0x00C: return roi.width << 16 | roi.height;
    case 0x010: return roi.coding << 24;
    case 0x014: return m.codingMask;
    case 0x034: return roi.width * roi.height;
    case 0x038: return static_cast<uint32_t>(bytes >> 32);
    case 0x03C: return static_cast<uint32_t>(bytes);
    case 0x040: return m.unitBytes << 16 | m.maxBytes;
    case 0x044: return roi.bytesPerPacket << 16 | m.maxBytes;
    case 0x048:
        return roi.bytesPerPacket
                   ? static_cast<uint32_t>((bytes + roi.bytesPerPacket - 1) / roi.bytesPerPacket)
                   : 0;
    case 0x04C: return m.positionUnitWidth << 16 | m.positionUnitHeight;
    case 0x054: return (bitsPerPixel(roi.coding) % 16 == 0 ? 16u : 8u) << 24;
    case 0x058: return m.colorFilter << 24;
    default: return 0;
    }
}

void IidcCamera::writeFormat7(uint32_t mode, uint32_t offset, uint32_t value) {
    Format7Roi& roi = settings_.format7[mode];
    switch (offset) {
    case 0x008:
        roi.left = value >> 16;
        roi.top = value & 0xFFFF;
        return;
    case 0x00C:
        roi.width = value >> 16;
        roi.height = value & 0xFFFF;
        return;
    case 0x010:
        if (kFormat7[mode].codingMask & codingBit(value >> 24)) roi.coding = value >> 24;
        return;
    case 0x044: roi.bytesPerPacket = value >> 16; return;
    default: return;
    }
}

bool IidcCamera::producing() const {
    if (!powerOn_) return false;
    const bool shotsOrStream = isoOn_ || oneShot_ || multiShotLeft_ > 0;
    if (settings_.triggerOn)
        return shotsOrStream && softwareTriggers_ > 0 &&
               settings_.triggerSource == kSoftwareTriggerSource;
    return shotsOrStream;
}

Clock::time_point IidcCamera::nextFrameDue() const {
    return producing() ? nextDue_ : Clock::time_point::max();
}

uint32_t IidcCamera::takeFrame() {
    if (settings_.triggerOn) {
        --softwareTriggers_;
    } else if (!isoOn_ && oneShot_) {
        oneShot_ = false;
    } else if (!isoOn_ && multiShotLeft_ > 0) {
        --multiShotLeft_;
    }
    nextDue_ += framePeriod();
    return ++sequence_;
}

void IidcCamera::loseFramesDueBy(Clock::time_point now) {
    if (!producing() || nextDue_ > now) return;
    if (isoOn_ && !settings_.triggerOn) {
        // Streaming: count them at once, however long nobody listened.
        const Clock::duration period = framePeriod();
        const auto lost = static_cast<uint32_t>((now - nextDue_) / period) + 1;
        sequence_ += lost;
        nextDue_ += lost * period;
        return;
    }
    while (producing() && nextDue_ <= now) takeFrame();
}

FrameGeometry IidcCamera::geometry() const {
    if (settings_.format == 7) {
        const Format7Roi& roi = settings_.format7[std::min(settings_.mode, kFormat7Modes - 1)];
        return {roi.width, roi.height, roi.coding};
    }
    const FixedMode& m = kFixedModes[std::min(settings_.format, 2u)][settings_.mode];
    return {m.width, m.height, m.coding};
}

Clock::duration IidcCamera::framePeriod() const {
    using std::chrono::microseconds;
    if (config_.frameIntervalUs) return microseconds(config_.frameIntervalUs);
    if (settings_.format == 7) {
        const Format7Roi& roi = settings_.format7[std::min(settings_.mode, kFormat7Modes - 1)];
        const FrameGeometry g = geometry();
        const uint64_t bytes = imageBytes(g.width, g.height, g.coding);
        const uint64_t packet = std::max(roi.bytesPerPacket, 1u);
        return microseconds(std::max<uint64_t>((bytes + packet - 1) / packet, 1) * 125);
    }
    // 1.875 fps × 2^rate
    return microseconds(static_cast<int64_t>(1'000'000 * 8 / 15) >> settings_.rate);
}

}  // namespace iidc_standin
