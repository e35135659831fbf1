// The cameras the plug-in lists, by configuration name; a camera that was busy when listed
// ("Unavailable - id") is shown greyed and cannot be chosen. Refreshed on each bus change.
#pragma once

#include <QAbstractListModel>
#include <QStringList>

#include "plugin_session.h"

namespace lvcview {

class CameraListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit CameraListModel(PluginSession& session, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The configuration name at the row, as openCVLPort takes it.
    QString cameraName(int row) const;
    // The row of a configuration name, or -1.
    qsizetype rowOf(const QString& cameraName) const { return names_.indexOf(cameraName); }
    static bool isBusyName(const QString& name);

public slots:
    // Reads the list again from the plug-in.
    void refresh();

private:
    PluginSession& session_;
    QStringList names_;
};

}  // namespace lvcview
