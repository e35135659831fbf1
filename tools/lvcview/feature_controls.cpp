#include "feature_controls.h"

#include <QFormLayout>
#include <QSignalBlocker>
#include <QSpinBox>
#include <climits>

namespace lvcview {
namespace {

// The camera features a person adjusts while watching the picture, as the plug-in names them.
const char* const kFeatures[] = {
    "BRIGHTNESS",      "AUTOEXPOSURE", "SHARPNESS",   "WHITEBALANCE_UB",
    "WHITEBALANCE_VR", "HUE",          "SATURATION",  "GAMMA",
    "SHUTTER",         "GAIN",         "TRIGGERDELAY"};

}  // namespace

FeatureControls::FeatureControls(lvc::host::PluginLibrary& plugin, QWidget* parent)
    : QWidget(parent), plugin_(plugin), form_(new QFormLayout(this)) {}

void FeatureControls::clear() {
    while (form_->rowCount() > 0) form_->removeRow(0);
    controls_.clear();
}

void FeatureControls::setPort(int32_t port) {
    clear();
    port_ = port;
    if (port_ < 0) return;
    for (const char* feature : kFeatures) {
        int32_t value = 0;
        if (plugin_.getProperty(0, port_, feature, &value) != 1) continue;
        auto* box = new QSpinBox;
        box->setObjectName(feature);
        box->setRange(0, INT_MAX);
        box->setKeyboardTracking(false);
        box->setValue(value);
        const QString name = feature;
        connect(box, &QSpinBox::valueChanged, this, [this, name] { write(name); });
        controls_.insert(name, box);
        form_->addRow(name.toLower(), box);
    }
}

void FeatureControls::refresh() {
    for (auto entry = controls_.cbegin(); entry != controls_.cend(); ++entry) {
        int32_t value = 0;
        if (plugin_.getProperty(0, port_, entry.key().toLatin1().constData(), &value) != 1)
            continue;
        const QSignalBlocker quiet(entry.value());
        entry.value()->setValue(value);
    }
}

void FeatureControls::write(const QString& feature) {
    QSpinBox* box = controls_.value(feature);
    const QByteArray name = feature.toLatin1();
    if (plugin_.setProperty(0, port_, name.constData(), box->value()) == 1) return;
    emit message(tr("The camera refused %1 = %2").arg(feature.toLower()).arg(box->value()));
    refresh();
}

}  // namespace lvcview
