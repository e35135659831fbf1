#include "config_ui/format_page.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "camera/name_tables.h"
#include "config_ui/control_ids.h"
#include "diagnostics/diagnostics.h"
#include "fwcontrol.h"

namespace lvc {
namespace {

constexpr uint32_t kNoSelection = 0xFFFFFFFFu;
constexpr uint32_t kFormat7 = 7;
constexpr uint32_t kListedFormats = 3;  // fixed formats 0 .. 2
constexpr uint32_t kListedModes = 7;    // modes 0 .. 6
constexpr uint32_t kListedRates = 7;    // rates 0 .. 6
// Spin controls hold 16-bit positions.
constexpr uint32_t kLargestSpinPosition = 0x7FFF;
// Guards against a driver whose Format 7 enumeration never ends.
constexpr int kMostFreeModeEntries = 4096;

constexpr int32_t kFormat7Controls[] = {kLeftEdit, kLeftSpin,   kWidthEdit,  kWidthSpin, kTopEdit,
                                        kTopSpin,  kHeightEdit, kHeightSpin, kMaxButton};

uint32_t formatOf(uint32_t formatCode) { return formatCode >> 16; }
uint32_t lowBitsOf(uint32_t formatCode) { return formatCode & 0xFFFFu; }

// What FWC_GetSupportedFixedFormats reports: [format][mode][rate], 1 = supported.
class SupportedFixedFormats {
public:
    explicit SupportedFixedFormats(uint32_t cameraId)
        : valid_(FWC_GetSupportedFixedFormats(cameraId, table_.data()) == 0) {}
    bool valid() const { return valid_; }
    bool supported(uint32_t format, uint32_t mode, uint32_t rate) const {
        if (format >= FWC_FIXED_FORMATS || mode >= FWC_FIXED_MODES || rate >= FWC_FIXED_RATES)
            return false;
        return table_[(format * FWC_FIXED_MODES + mode) * FWC_FIXED_RATES + rate] == 1;
    }

private:
    std::array<uint32_t, FWC_FIXED_FORMATS * FWC_FIXED_MODES * FWC_FIXED_RATES> table_{};
    bool valid_;
};

struct CurrentFormat {
    uint32_t format = 0;
    uint32_t mode = 0;
    uint32_t rate = 0;
};

// The camera's current format, mode and rate; all 0 when the query fails.
CurrentFormat currentFormat(uint32_t cameraId) {
    CurrentFormat current;
    if (checkResult(
            FWC_GetCurrentFixedFormat(cameraId, &current.format, &current.mode, &current.rate),
            "FWC_GetCurrentFixedFormat") != 0)
        current = {};
    return current;
}

// One Format 7 (mode, colour coding) entry of FWC_EnumFreeModes.
struct FreeModeEntry {
    uint32_t mode = 0;
    uint32_t colorCoding = 0;
    uint32_t width = 0;
    uint32_t height = 0;
};

template <typename Visit>
void forEachFreeMode(uint32_t cameraId, Visit&& visit) {
    uint32_t position = 0;
    FreeModeEntry entry;
    for (int count = 0; count < kMostFreeModeEntries; ++count) {
        if (FWC_EnumFreeModes(cameraId, &position, &entry.mode, &entry.colorCoding, &entry.width,
                              &entry.height) != 0)
            return;
        visit(entry);
    }
}

using ListEntries = std::vector<std::pair<std::string, uint32_t>>;

int32_t findEntry(const ListEntries& entries, const std::string& text) {
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (entries[i].first == text) return static_cast<int32_t>(i);
    return -1;
}

void fillList(PageView& view, int32_t listId, const ListEntries& entries, int32_t selection) {
    for (const auto& [text, value] : entries) view.addListItem(listId, text, value);
    view.setListSelection(listId, selection);
}

std::string format7EntryText(const FreeModeEntry& entry) {
    char text[64];
    std::snprintf(text, sizeof text, "F7 [ %d X %d ]", static_cast<int>(entry.width),
                  static_cast<int>(entry.height));
    return text;
}

}  // namespace

CFormatPage::CFormatPage(uint32_t cameraId, const char* name, uint32_t busLoadValue,
                         bool streamingValue)
    : CPropertyPage(formatPageTemplate()),
      busLoad(busLoadValue),
      streaming(streamingValue),
      cameraId_(cameraId),
      name_(name ? name : "") {}

void CFormatPage::doDataExchange(DataExchange& exchange) {
    exchange.unsignedNumber(kBusLoadEdit, busLoad);
    exchange.check(kStreamingCheck, streaming);
}

void CFormatPage::onInitDialog() {
    CPropertyPage::onInitDialog();
    refill();
}

void CFormatPage::refill() {
    fillFormatList();
    fillColorList();
    fillRateList();
    updateFormat7Controls();
    showBusSettings();
}

uint32_t CFormatPage::selectedValue(int32_t listId) {
    int32_t selection = view().listSelection(listId);
    return selection < 0 ? kNoSelection : view().listItemData(listId, selection);
}

void CFormatPage::fillFormatList() {
    view().clearList(kFormatList);
    CurrentFormat current = currentFormat(cameraId_);
    ListEntries entries;
    int32_t selection = 0;
    SupportedFixedFormats supported(cameraId_);
    for (uint32_t f = 0; supported.valid() && f < kListedFormats; ++f)
        for (uint32_t m = 0; m < kListedModes; ++m)
            for (uint32_t r = 0; r < kListedRates; ++r) {
                if (!supported.supported(f, m, r)) continue;
                std::string text = resolutionName(f, m);
                int32_t index = findEntry(entries, text);
                if (index < 0) {
                    entries.emplace_back(text, (f << 16) | (1u << m));
                    index = static_cast<int32_t>(entries.size()) - 1;
                } else {
                    entries[static_cast<std::size_t>(index)].second |= 1u << m;
                }
                if (f == current.format && m == current.mode) selection = index;
            }
    bool hasPrevious = false;
    uint32_t previousMode = 0;
    forEachFreeMode(cameraId_, [&](const FreeModeEntry& entry) {
        if (!hasPrevious || entry.mode != previousMode) {
            entries.emplace_back(format7EntryText(entry), (kFormat7 << 16) + entry.mode);
            if (current.format >= kFormat7 && entry.mode == current.mode)
                selection = static_cast<int32_t>(entries.size()) - 1;
        }
        hasPrevious = true;
        previousMode = entry.mode;
    });
    fillList(view(), kFormatList, entries, selection);
}

void CFormatPage::fillColorList() {
    view().clearList(kColorList);
    uint32_t formatCode = selectedValue(kFormatList);
    uint32_t format = formatOf(formatCode);
    uint32_t low = lowBitsOf(formatCode);
    CurrentFormat current = currentFormat(cameraId_);
    ListEntries entries;
    int32_t selection = 0;
    if (format < kFormat7) {
        SupportedFixedFormats supported(cameraId_);
        for (uint32_t m = 0; supported.valid() && m < kListedModes; ++m)
            for (uint32_t r = 0; r < kListedRates; ++r) {
                if (!supported.supported(format, m, r) || !(low & (1u << m))) continue;
                std::string text = fixedColorName(format, m);
                if (findEntry(entries, text) >= 0) continue;
                entries.emplace_back(text, m);
                if (m == current.mode) selection = static_cast<int32_t>(entries.size()) - 1;
            }
    } else {
        // In a Format 7 mode the camera's current colour coding is preselected.
        uint32_t currentCoding = kNoSelection;
        if (current.format >= kFormat7 && current.mode == low) {
            uint32_t width = 0, height = 0, bitDepth = 0;
            if (checkResult(FWC_GetCurrentImageFormat(cameraId_, &width, &height, &currentCoding,
                                                      &bitDepth),
                            "FWC_GetCurrentImageFormat") != 0)
                currentCoding = kNoSelection;
        }
        forEachFreeMode(cameraId_, [&](const FreeModeEntry& entry) {
            if (entry.mode != low) return;
            entries.emplace_back(colorCodingName(entry.colorCoding), entry.colorCoding);
            if (entry.colorCoding == currentCoding && selection == 0)
                selection = static_cast<int32_t>(entries.size()) - 1;
        });
    }
    fillList(view(), kColorList, entries, selection);
}

void CFormatPage::fillRateList() {
    view().clearList(kRateList);
    uint32_t format = formatOf(selectedValue(kFormatList));
    uint32_t mode = selectedValue(kColorList);
    uint32_t currentRate = currentFormat(cameraId_).rate;
    if (format >= kFormat7) {
        view().addListItem(kRateList, "N/A", 0);
        view().setListSelection(kRateList, -1);
        return;
    }
    if (view().listSelection(kColorList) < 0) return;
    ListEntries entries;
    int32_t selection = 0;
    SupportedFixedFormats supported(cameraId_);
    for (uint32_t r = 0; supported.valid() && r < kListedRates; ++r) {
        if (!supported.supported(format, mode, r)) continue;
        entries.emplace_back(frameRateName(r), r);
        if (r == currentRate) selection = static_cast<int32_t>(entries.size()) - 1;
    }
    fillList(view(), kRateList, entries, selection);
}

void CFormatPage::showUnit(uint32_t mode, uint32_t kind, const char* callName, int32_t labelId,
                           const char* labelText, int32_t spinId) {
    uint32_t unit = 0;
    if (checkResult(FWC_GetFreeModeInfo(cameraId_, mode, kind, &unit), callName) != 0) return;
    char text[64];
    std::snprintf(text, sizeof text, "%s (+/-%d)", labelText, static_cast<int>(unit));
    view().setText(labelId, text);
    view().setSpinStep(spinId, static_cast<int32_t>(std::min(unit, kLargestSpinPosition)));
}

void CFormatPage::updateFormat7Controls() {
    uint32_t formatCode = selectedValue(kFormatList);
    bool format7 = formatOf(formatCode) == kFormat7;
    if (format7) {
        uint32_t mode = lowBitsOf(formatCode);
        showUnit(mode, FWC_FREEMODE_UNIT_LEFT, "FWC_GetFreeModeInfo:POS_H", kLeftLabel, "Left",
                 kLeftSpin);
        showUnit(mode, FWC_FREEMODE_UNIT_WIDTH, "FWC_GetFreeModeInfo:SIZE_H", kWidthLabel, "Width",
                 kWidthSpin);
        showUnit(mode, FWC_FREEMODE_UNIT_TOP, "FWC_GetFreeModeInfo:POS_V", kTopLabel, "Top",
                 kTopSpin);
        showUnit(mode, FWC_FREEMODE_UNIT_HEIGHT, "FWC_GetFreeModeInfo:SIZE_V", kHeightLabel,
                 "Height", kHeightSpin);
        uint32_t largest = 0;
        if (checkResult(FWC_GetFreeModeInfo(cameraId_, mode, FWC_FREEMODE_MAX_WIDTH, &largest),
                        "FWC_GetFreeModeInfo:MODE_WIDTH") == 0) {
            int32_t highest = static_cast<int32_t>(std::min(largest, kLargestSpinPosition));
            view().setSpinRange(kLeftSpin, 0, highest);
            view().setSpinRange(kWidthSpin, 0, highest);
        }
        if (checkResult(FWC_GetFreeModeInfo(cameraId_, mode, FWC_FREEMODE_MAX_HEIGHT, &largest),
                        "FWC_GetFreeModeInfo:MODE_HEIGHT") == 0) {
            int32_t highest = static_cast<int32_t>(std::min(largest, kLargestSpinPosition));
            view().setSpinRange(kTopSpin, 0, highest);
            view().setSpinRange(kHeightSpin, 0, highest);
        }
        uint32_t left = 0, top = 0, width = 0, height = 0;
        if (checkResult(FWC_GetAOI(cameraId_, &left, &top, &width, &height), "FWC_GetAOI") == 0) {
            view().setSpinPosition(kLeftSpin, static_cast<int32_t>(left));
            view().setSpinPosition(kWidthSpin, static_cast<int32_t>(width));
            view().setSpinPosition(kTopSpin, static_cast<int32_t>(top));
            view().setSpinPosition(kHeightSpin, static_cast<int32_t>(height));
        }
    }
    for (int32_t id : kFormat7Controls) view().enable(id, format7);
}

void CFormatPage::showBusSettings() {
    view().setText(kBusLoadEdit, std::to_string(busLoad));
    view().setChecked(kStreamingCheck, streaming);
}

void CFormatPage::setMaximumArea() {
    auto toEnd = [this](int32_t spinId, bool upper) {
        int32_t lowest = 0, highest = 0;
        view().spinRange(spinId, &lowest, &highest);
        view().setSpinPosition(spinId, upper ? highest : lowest);
    };
    toEnd(kLeftSpin, false);
    toEnd(kWidthSpin, true);
    toEnd(kTopSpin, false);
    toEnd(kHeightSpin, true);
    setModified();
}

void CFormatPage::onControlEvent(int32_t id, ControlEvent event) {
    switch (event) {
    case ControlEvent::SelectionChanged:
        if (id == kFormatList) {
            fillColorList();
            fillRateList();
            updateFormat7Controls();
        }
        if (id == kFormatList || id == kColorList || id == kRateList) setModified();
        break;
    case ControlEvent::TextChanged:
        if (id == kLeftEdit || id == kWidthEdit || id == kTopEdit || id == kHeightEdit ||
            id == kBusLoadEdit)
            setModified();
        break;
    case ControlEvent::Clicked:
        if (id == kStreamingCheck) setModified();
        if (id == kMaxButton) setMaximumArea();
        break;
    default: break;
    }
}

bool CFormatPage::onApply() {
    CPropertyPage::onApply();
    uint32_t formatCode = selectedValue(kFormatList);
    uint32_t format = formatOf(formatCode);
    uint32_t low = lowBitsOf(formatCode);
    uint32_t colorCoding = selectedValue(kColorList);
    uint32_t rate = format >= kFormat7 ? kNoSelection : selectedValue(kRateList);
    int32_t width = view().spinPosition(kWidthSpin);
    int32_t height = view().spinPosition(kHeightSpin);
    int32_t left = view().spinPosition(kLeftSpin);
    int32_t top = view().spinPosition(kTopSpin);
    // Without a complete selection there is no format to set: the camera is left as it is.
    bool complete = formatCode != kNoSelection && colorCoding != kNoSelection &&
                    (format >= kFormat7 || rate != kNoSelection);
    if (complete) {
        checkResult(FWC_CloseCamera(cameraId_), "FWC_CloseCamera");
        checkResult(FWC_OpenCamera(cameraId_, FWC_OPEN_DEFAULT), "FWC_OpenCamera");
        debugMessage("fmt:%d mode:%d CC:%d size:%dx%d pos:%dx%d\n", static_cast<int>(format),
                     static_cast<int>(low), static_cast<int>(colorCoding), width, height, left,
                     top);
        if (format < kFormat7) {
            checkResult(FWC_PrepareFixedGrab(cameraId_, format, colorCoding, rate),
                        "FWC_PrepareFixedGrab");
        } else {
            uint32_t mode = low;
            uint32_t freeWidth = static_cast<uint32_t>(width);
            uint32_t freeHeight = static_cast<uint32_t>(height);
            uint32_t freeLeft = static_cast<uint32_t>(left);
            uint32_t freeTop = static_cast<uint32_t>(top);
            checkResult(FWC_PrepareFreeGrab(cameraId_, &mode, &colorCoding, &freeWidth, &freeHeight,
                                            nullptr, &freeLeft, &freeTop, &busLoad),
                        "FWC_PrepareFreeGrab");
        }
    }
    refill();
    return true;
}

}  // namespace lvc
