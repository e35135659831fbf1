// One spin box per camera feature the open camera has: read with getProperty, written
// with setProperty when an edit is finished. refresh() reads them all again (after the
// configuration dialog changed them, say).
#pragma once

#include <QMap>
#include <QWidget>

#include "plugin_library.h"

class QFormLayout;
class QSpinBox;

namespace lvcview {

class FeatureControls : public QWidget {
    Q_OBJECT
public:
    explicit FeatureControls(lvc::host::PluginLibrary& plugin, QWidget* parent = nullptr);

    // The features the camera on the port has become the rows; a negative port clears them.
    void setPort(int32_t port);
    // The spin box of a feature, or null when the camera lacks it.
    QSpinBox* control(const QString& feature) const { return controls_.value(feature); }

public slots:
    void refresh();

signals:
    // One line for the status bar when the camera refused a value.
    void message(const QString& text);

private:
    void clear();
    void write(const QString& feature);

    lvc::host::PluginLibrary& plugin_;
    int32_t port_ = -1;
    QFormLayout* form_;
    QMap<QString, QSpinBox*> controls_;
};

}  // namespace lvcview
