#include "config_ui/feature_page.h"

#include <cctype>
#include <string>

#include "camera/name_tables.h"
#include "config_ui/control_ids.h"
#include "diagnostics/diagnostics.h"
#include "fwcontrol.h"

namespace lvc {
namespace {

constexpr int32_t kEditControls[] = {kValueTrackBar, kValueEdit, kValueSpin,
                                     kAutoCheck,     kOnCheck,   kOnePushButton};

struct FeatureRange {
    bool valid = false;
    uint32_t minimum = 0;
    uint32_t maximum = 0;
    uint32_t value = 0;
};

// Maximum, minimum and value, queried in that order; valid when all three succeed.
FeatureRange queryRange(uint32_t cameraId, uint32_t featureId) {
    FeatureRange range;
    bool maximumRead = FWC_GetFeatureMax(cameraId, featureId, &range.maximum) == 0;
    bool minimumRead = FWC_GetFeatureMin(cameraId, featureId, &range.minimum) == 0;
    bool valueRead = FWC_GetFeatureValue(cameraId, featureId, &range.value) == 0;
    range.valid = maximumRead && minimumRead && valueRead;
    return range;
}

// Which statuses the feature supports, and the one it is in.
struct FeatureState {
    bool supportsOn = false;
    bool supportsAuto = false;
    bool supportsOnePush = false;
    bool statusRead = false;
    uint32_t status = 0;

    // "On" is offered only for a purely manual feature.
    bool manualOnly() const { return supportsOn && !supportsAuto && !supportsOnePush; }
};

FeatureState queryState(uint32_t cameraId, uint32_t featureId) {
    FeatureState state;
    state.supportsOn = FWC_HasFeatureStatus(cameraId, featureId, FWC_STATUS_ON) == 0;
    state.supportsAuto = FWC_HasFeatureStatus(cameraId, featureId, FWC_STATUS_AUTO) == 0;
    state.supportsOnePush = FWC_HasFeatureStatus(cameraId, featureId, FWC_STATUS_ONE_PUSH) == 0;
    state.statusRead = FWC_GetFeatureStatus(cameraId, featureId, &state.status) == 0;
    return state;
}

const char* stateText(const FeatureState& state) {
    if (!state.statusRead) return "";
    switch (state.status) {
    case FWC_STATUS_AUTO: return "Auto";
    case FWC_STATUS_ONE_PUSH: return "OnePush";
    case FWC_STATUS_ON: return state.manualOnly() ? "On" : "";
    default: return "";
    }
}

std::string lowerCaseName(uint32_t featureId) {
    std::string name = featureName(featureId);
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

}  // namespace

CFeaturePage::CFeaturePage(uint32_t cameraId, const char* name)
    : CPropertyPage(featurePageTemplate()), cameraId_(cameraId), name_(name ? name : "") {}

void CFeaturePage::doDataExchange(DataExchange& exchange) {
    exchange.text(kEditFeatureGroup, caption_);
    exchange.unsignedNumber(kMinimumText, minimum_);
    exchange.unsignedNumber(kMaximumText, maximum_);
    exchange.unsignedNumber(kValueEdit, value_);
    exchange.check(kAutoCheck, auto_);
    exchange.check(kOnCheck, on_);
}

void CFeaturePage::addColumns() {
    view().addListViewColumn(kFeatureList, 0, "Feature", 120, ColumnAlignment::Right);
    view().addListViewColumn(kFeatureList, 1, "Value", 50, ColumnAlignment::Right);
    view().addListViewColumn(kFeatureList, 2, "Min", 50, ColumnAlignment::Right);
    view().addListViewColumn(kFeatureList, 3, "Max", 50, ColumnAlignment::Right);
    view().addListViewColumn(kFeatureList, 4, "State", 50, ColumnAlignment::Center);
}

void CFeaturePage::onInitDialog() {
    CPropertyPage::onInitDialog();
    addColumns();
    for (uint32_t id = kFirstFeatureId; id <= kLastFeatureId; ++id) {
        if (FWC_HasFeature(cameraId_, id) != 0) continue;
        refreshRow(view().addListViewRow(kFeatureList, lowerCaseName(id), id));
    }
    view().setTrackBarBuddy(kValueTrackBar, kValueEdit);
    view().setSpinBuddy(kValueSpin, kValueEdit);
    updateEditArea();
}

void CFeaturePage::refreshRow(int32_t row) {
    if (row < 0) return;
    uint32_t featureId = view().listViewRowData(kFeatureList, row);
    FeatureRange range = queryRange(cameraId_, featureId);
    if (range.valid) {
        view().setListViewCell(kFeatureList, row, 1, std::to_string(range.value));
        view().setListViewCell(kFeatureList, row, 2, std::to_string(range.minimum));
        view().setListViewCell(kFeatureList, row, 3, std::to_string(range.maximum));
    }
    view().setListViewCell(kFeatureList, row, 4, stateText(queryState(cameraId_, featureId)));
}

void CFeaturePage::refreshSelectedRow() { refreshRow(view().listViewSelection(kFeatureList)); }

void CFeaturePage::updateEditArea() {
    selectedFeature_ = 0;
    int32_t row = view().listViewSelection(kFeatureList);
    uint32_t featureId = row < 0 ? 0 : view().listViewRowData(kFeatureList, row);
    for (int32_t id : kEditControls) view().enable(id, featureId != 0);
    if (featureId == 0) return;

    FeatureRange range = queryRange(cameraId_, featureId);
    if (range.valid) {
        caption_ = lowerCaseName(featureId);
        minimum_ = range.minimum;
        maximum_ = range.maximum;
        value_ = range.value;
        auto low = static_cast<int32_t>(range.minimum);
        auto high = static_cast<int32_t>(range.maximum);
        auto position = static_cast<int32_t>(range.value);
        view().setTrackBarRange(kValueTrackBar, low, high);
        view().setTrackBarPosition(kValueTrackBar, position);
        view().setSpinRange(kValueSpin, low, high);
        view().setSpinPosition(kValueSpin, position);
    }
    FeatureState state = queryState(cameraId_, featureId);
    auto_ = state.statusRead && state.status == FWC_STATUS_AUTO;
    on_ = state.statusRead && state.status == FWC_STATUS_ON && state.manualOnly();
    view().enable(kAutoCheck, state.supportsAuto);
    view().enable(kOnCheck, state.manualOnly());
    view().enable(kOnePushButton, state.supportsOnePush);
    updateData(false);
    selectedFeature_ = featureId;
}

void CFeaturePage::sendValue() {
    if (selectedFeature_ == 0) return;
    int32_t position = view().spinPosition(kValueSpin);
    checkResult(FWC_SetFeatureValue(cameraId_, selectedFeature_, static_cast<uint32_t>(position)),
                "FWC_SetFeatureValue");
    view().setTrackBarPosition(kValueTrackBar, view().spinPosition(kValueSpin));
    refreshSelectedRow();
}

void CFeaturePage::sendCheckedStatus(int32_t checkBoxId, uint32_t checkedStatus,
                                     uint32_t clearStatus) {
    if (selectedFeature_ == 0) return;
    updateData(true);
    // The status follows the box the user clicked, even when another control of the
    // edit area holds a value the exchange refused.
    uint32_t status = view().isChecked(checkBoxId) ? checkedStatus : clearStatus;
    checkResult(FWC_SetFeatureStatus(cameraId_, selectedFeature_, status), "FWC_SetFeatureStatus");
    refreshSelectedRow();
}

void CFeaturePage::sendOnePush() {
    if (selectedFeature_ == 0) return;
    checkResult(FWC_SetFeatureStatus(cameraId_, selectedFeature_, FWC_STATUS_ONE_PUSH),
                "FWC_SetFeatureStatus");
}

void CFeaturePage::onControlEvent(int32_t id, ControlEvent event) {
    if (id == kFeatureList && event == ControlEvent::ItemChanged) {
        updateEditArea();
    } else if (id == kValueTrackBar && event == ControlEvent::TrackReleased) {
        view().setSpinPosition(kValueSpin, view().trackBarPosition(kValueTrackBar));
    } else if (id == kValueEdit && event == ControlEvent::TextChanged) {
        sendValue();
    } else if (event == ControlEvent::Clicked) {
        if (id == kAutoCheck) sendCheckedStatus(kAutoCheck, FWC_STATUS_AUTO, FWC_STATUS_ON);
        if (id == kOnCheck) sendCheckedStatus(kOnCheck, FWC_STATUS_ON, FWC_STATUS_OFF);
        if (id == kOnePushButton) sendOnePush();
    }
}

}  // namespace lvc
